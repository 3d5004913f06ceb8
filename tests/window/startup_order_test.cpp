// What the start-up relies on: a window filled while hidden, rows that give
// the loop no turns, and a command line read without the shell's library.
#include "tests/window/window_fixture.h"
#include <shellapi.h>
#include <string_view>
#include "directory/window_ops.h"
#include "system/system_library.h"
#include "window/command_line.h"

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

TEST_CASE("the window is built complete but hidden, filled, and then shown with every row") {
  InitCommonControls();
  ClearPendingEvents();
  BuildMainWindow(MainWindowProc);
  const MainWindow& w = TheMainWindow();
  REQUIRE(w.window != nullptr);
  CHECK_FALSE(IsWindowVisible(w.window));
  for (HWND control : {w.statusBar, w.toolbar, w.list, w.indexField, w.numberField, w.nameField}) {
    REQUIRE(control != nullptr);
    CHECK((GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0);  // visible as soon as the window is
  }
  CHECK(SendMessageW(w.toolbar, TB_BUTTONCOUNT, 0, 0) == 7);

  // Filled while hidden, as the start-up does; nothing waits to be painted yet.
  SetListDrawing(ListDrawing::Suspended);
  for (int k = 0; k < 200; ++k) AddListRow(Row(k));
  SetStatusText("Z:\\daten\\Default.kw");
  SetListDrawing(ListDrawing::Resumed);
  CHECK_FALSE(IsWindowVisible(w.window));
  CHECK_FALSE(GetUpdateRect(w.list, nullptr, FALSE));

  ShowMainWindow();
  CHECK(IsWindowVisible(w.window));
  CHECK(IsWindowVisible(w.list));
  CHECK(ListRowCount() == 200);
  wchar_t status[64] = {};
  SendMessageW(w.statusBar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(status));
  CHECK(std::wstring(status) == L"\tZ:\\daten\\Default.kw");
  Pump();
  CHECK_FALSE(GetUpdateRect(w.list, nullptr, FALSE));  // painted in the loop's first turns

  DestroyMainWindow();
  ShowMainWindow();  // nothing built: nothing to show, and no failure
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

TEST_CASE("the command line names a file exactly when the shell would find an argument after the program") {
  auto* split = SystemFunction<decltype(CommandLineToArgvW)>(SystemLibrary::Shell, "CommandLineToArgvW");
  REQUIRE(reinterpret_cast<void*>(split) != nullptr);
  const wchar_t* const lines[] = {
      L"Rufdepot.exe",
      L"Rufdepot.exe   ",
      L"Rufdepot.exe \t ",
      L"Rufdepot.exe Z:\\Telefon\\Büro.kw",
      L"Rufdepot.exe\tBüro.kw",
      L"Rufdepot.exe \"\"",
      L"\"C:\\Program Files\\Rufdepot\\Rufdepot.exe\"",
      L"\"C:\\Program Files\\Rufdepot\\Rufdepot.exe\"  ",
      L"\"C:\\Program Files\\Rufdepot\\Rufdepot.exe\" \"Z:\\Mit Leerzeichen\\Büro.kw\"",
      L"\"C:\\Program Files\\Rufdepot\\Rufdepot.exe\"Büro.kw",
      L"\"C:\\Program Files\\Rufdepot\\Rufdepot.exe",
      L"C:\\Programme\\Rufdepot.exe\" a\"",
  };
  for (const wchar_t* line : lines) {
    CAPTURE(std::wstring_view(line).size());
    int count = 0;
    LPWSTR* arguments = split(line, &count);
    REQUIRE(arguments != nullptr);
    LocalFree(arguments);
    CHECK(CommandLineHasArguments(line) == (count > 1));
  }
}
