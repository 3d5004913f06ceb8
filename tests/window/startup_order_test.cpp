// What the start-up relies on to draw once: a window built hidden until its
// rows are in, and rows that give the loop no turns.
#include "tests/window/window_fixture.h"
#include "directory/window_ops.h"

namespace {
std::string Row(int k) {
  return std::to_string(100 + k) + "\n0511 " + std::to_string(k) + "\nEintrag " + std::to_string(k);
}

int ControlEvents(const std::vector<Event>& events) {
  int count = 0;
  for (const Event& e : events) count += e.kind == kControlEvent;
  return count;
}
}  // namespace

TEST_CASE("a window built for later showing is complete but hidden until it is shown") {
  InitCommonControls();
  ClearPendingEvents();
  BuildMainWindow(MainWindowProc, Showing::Later);
  const MainWindow& w = TheMainWindow();
  REQUIRE(w.window != nullptr);
  CHECK_FALSE(IsWindowVisible(w.window));
  for (HWND control : {w.statusBar, w.toolbar, w.list, w.indexField, w.numberField, w.nameField}) {
    REQUIRE(control != nullptr);
    // Visible as soon as the window is.
    CHECK((GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0);
  }
  CHECK(SendMessageA(w.toolbar, TB_BUTTONCOUNT, 0, 0) == 7);

  // Filled while hidden, as the start-up does; then shown with every row.
  SetListDrawing(ListDrawing::Suspended);
  for (int k = 0; k < 200; ++k) AddListRow(Row(k));
  SetStatusText("Z:\\daten\\Default.kw");
  SetListDrawing(ListDrawing::Resumed);
  CHECK_FALSE(IsWindowVisible(w.window));
  ShowMainWindow();
  CHECK(IsWindowVisible(w.window));
  CHECK(IsWindowVisible(w.list));
  CHECK(ListRowCount() == 200);
  char status[64] = {};
  SendMessageA(w.statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(status));
  CHECK(std::string(status) == "\tZ:\\daten\\Default.kw");
  Pump();

  DestroyMainWindow();
  ShowMainWindow();  // nothing built: nothing to show, no failure
  CHECK(TheMainWindow().window == nullptr);
  Pump();
  ClearPendingEvents();
}

TEST_CASE_FIXTURE(WindowFixture, "rows the program adds or changes give the loop no turns; a click still does") {
  for (int k = 0; k < 200; ++k) AddListRow(Row(k));
  SetListCell(7, kNameColumn, "Ge\xE4ndert");
  CHECK(ControlEvents(Pump()) == 0);
  CHECK_FALSE(HasPendingEvents());

  RECT r = {};
  r.left = LVIR_LABEL;
  SendMessageA(w.list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
  LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PostMessageA(w.list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(w.list, WM_LBUTTONUP, 0, at);
  std::vector<Event> events = Pump();
  CHECK(CountControlEvents(events, kEntryList, kListClickEvent) == 1);
}
