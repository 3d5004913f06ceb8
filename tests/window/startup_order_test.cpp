// What the start-up relies on: rows that give the loop no turns.
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
