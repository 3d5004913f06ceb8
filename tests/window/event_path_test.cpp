// How keys, clicks and the close box reach the loop as events.
#include "tests/window/window_fixture.h"
#include "directory/event_loop.h"
#include "directory/window_ops.h"

namespace {
struct FilledWindow : WindowFixture {
  FilledWindow() {
    for (int i = 0; i < 10; ++i) AddListRow(std::to_string(100 + i) + "\n0711 " + std::to_string(i) + "\nName " + std::to_string(i));
    Pump();
  }
  POINT RowPoint(int row) const {
    RECT r = {};
    r.left = LVIR_LABEL;
    SendMessageA(w.list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void Post(UINT message, POINT at, WPARAM keys) const {
    PostMessageA(w.list, message, keys, MAKELPARAM(at.x, at.y));
  }
  // Events of one click, with the selection each event met.
  std::vector<Event> Click(UINT down, UINT up, POINT at, std::vector<int>* selectedAtClick = nullptr) {
    WPARAM button = down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON;
    Post(down, at, button);
    Post(up, at, 0);
    return Pump([&](const Event& e) {
      if (selectedAtClick && e.kind == kControlEvent && e.controlId == 6 && e.eventType == 0)
        selectedAtClick->push_back(static_cast<int>(SendMessageA(w.list, LVM_GETNEXTITEM, -1, LVNI_SELECTED)));
    });
  }
};
}  // namespace

TEST_CASE_FIXTURE(WindowFixture, "keys become command ids through the shortcut table, whichever control has the focus") {
  struct Case {
    int focus;
    UINT vk;
    int modifiers;
    int command;  // -1: no command
  };
  const Case cases[] = {
      {6, VK_UP, kNoModifier, 1037},     {6, VK_DOWN, kNoModifier, 1039},
      {3, VK_UP, kNoModifier, 1037},     {5, VK_DOWN, kNoModifier, 1039},
      {3, VK_RETURN, kNoModifier, 1012}, {5, VK_RETURN, kNoModifier, 1012},
      {3, VK_DELETE, kNoModifier, 1045}, {6, VK_DELETE, kNoModifier, 1045},
      {5, 'P', kCtrl, 1079},             {6, 'S', kCtrl, 1082},
      {3, 'S', kCtrl, 1082},             {3, 'P', kCtrl | kShift, -1},
      {6, VK_HOME, kNoModifier, -1},     {3, VK_BACK, kNoModifier, -1},
  };
  for (const Case& c : cases) {
    CAPTURE(c.focus);
    CAPTURE(c.vk);
    SetFocus(GetDlgItem(w.window, c.focus));
    Pump();
    std::vector<int> commands = Commands(PressKey(c.vk, c.modifiers));
    if (c.command < 0)
      CHECK(commands.empty());
    else
      CHECK(commands == std::vector<int>{c.command});
  }
}

TEST_CASE_FIXTURE(WindowFixture, "Delete and Return never reach the field; Backspace and typing edit it") {
  SetFieldText(3, "0711");
  SetFocus(w.numberField);
  SendMessageA(w.numberField, EM_SETSEL, 0, 0);  // caret before the first digit
  PressKey(VK_DELETE);
  PressKey(VK_RETURN);
  CHECK(GetFieldText(3) == "0711");
  SendMessageA(w.numberField, EM_SETSEL, 4, 4);
  PressKey(VK_BACK);
  PostMessageA(w.numberField, WM_CHAR, '9', 1);
  Pump();
  CHECK(GetFieldText(3) == "0719");
}

TEST_CASE_FIXTURE(WindowFixture, "the number and name fields refuse a typed ';'") {
  for (HWND field : {w.numberField, w.nameField}) {
    SetWindowTextA(field, "ab");
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 2, 2);
    for (char c : std::string("c;d")) PostMessageA(field, WM_CHAR, static_cast<unsigned char>(c), 1);
    Pump();
    char text[16] = {};
    GetWindowTextA(field, text, sizeof text);
    CHECK(std::string(text) == "abcd");
  }
}

TEST_CASE_FIXTURE(WindowFixture, "keys reach no command while another window is active") {
  HWND other = CreateWindowExA(0, "Static", "anderes Fenster", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                               nullptr, nullptr, nullptr, nullptr);
  SetActiveWindow(other);
  Pump();
  REQUIRE(GetActiveWindow() == other);
  PostMessageA(w.list, WM_KEYDOWN, VK_DOWN, 1);
  PostMessageA(w.numberField, WM_KEYDOWN, VK_RETURN, 1);
  CHECK(Commands(Pump()).empty());
  DestroyWindow(other);
}

TEST_CASE_FIXTURE(WindowFixture, "Tab and Shift+Tab walk the four tab stops and wrap around") {
  SetFocus(nullptr);
  Pump();
  const HWND forward[] = {w.list, w.indexField, w.numberField, w.nameField, w.list};
  for (HWND expected : forward) {
    CHECK(Commands(PressKey(VK_TAB)).empty());
    CHECK(GetFocus() == expected);
  }
  const HWND backward[] = {w.nameField, w.numberField, w.indexField, w.list, w.nameField};
  for (HWND expected : backward) {
    CHECK(Commands(PressKey(VK_TAB, kShift)).empty());
    CHECK(GetFocus() == expected);
  }
  SetFocus(nullptr);
  Pump();
  PressKey(VK_TAB, kShift);
  CHECK(GetFocus() == w.nameField);
}

TEST_CASE_FIXTURE(FilledWindow, "a left click on a row becomes the selection event after the selection changed") {
  std::vector<int> selected;
  std::vector<Event> events = Click(WM_LBUTTONDOWN, WM_LBUTTONUP, RowPoint(3), &selected);
  CHECK(CountControlEvents(events, 6, 0) == 1);
  CHECK(selected == std::vector<int>{3});

  // Below the last row: still the event, now with no row selected.
  selected.clear();
  events = Click(WM_LBUTTONDOWN, WM_LBUTTONUP, POINT{100, 380}, &selected);
  CHECK(CountControlEvents(events, 6, 0) == 1);
  CHECK(selected == std::vector<int>{-1});
}

TEST_CASE_FIXTURE(FilledWindow, "right clicks and the list's keys make a selection event, no click event") {
  // The event is taken once the list has selected the row.
  std::vector<int> selectedAtEvent;
  auto noteSelection = [&](const Event& e) {
    if (e.kind == kControlEvent && e.controlId == 6 && e.eventType == kListSelectEvent)
      selectedAtEvent.push_back(static_cast<int>(SendMessageA(w.list, LVM_GETNEXTITEM, -1, LVNI_SELECTED)));
  };
  Post(WM_RBUTTONDOWN, RowPoint(2), MK_RBUTTON);
  Post(WM_RBUTTONUP, RowPoint(2), 0);
  std::vector<Event> events = Pump(noteSelection);
  CHECK(CountControlEvents(events, 6, kListClickEvent) == 0);
  CHECK(CountControlEvents(events, 6, NM_RCLICK) == 1);
  CHECK(selectedAtEvent == std::vector<int>{2});

  // A right click on the row already selected changes nothing: no event.
  events = Click(WM_RBUTTONDOWN, WM_RBUTTONUP, RowPoint(2));
  CHECK(CountControlEvents(events, 6, kListSelectEvent) == 0);

  // A double click: its first click selects, its second does not again.
  POINT at = RowPoint(4);
  Post(WM_LBUTTONDOWN, at, MK_LBUTTON);
  Post(WM_LBUTTONUP, at, 0);
  Post(WM_LBUTTONDBLCLK, at, MK_LBUTTON);
  Post(WM_LBUTTONUP, at, 0);
  events = Pump();
  CHECK(CountControlEvents(events, 6, kListClickEvent) == 1);
  CHECK(CountControlEvents(events, 6, kListSelectEvent) == 1);

  SetFocus(w.list);
  Pump();
  struct Case {
    UINT key;
    int row;
  };
  for (const Case& c : {Case{VK_HOME, 0}, Case{VK_END, 9}, Case{VK_PRIOR, 0}, Case{VK_NEXT, 9}}) {
    CAPTURE(c.key);
    selectedAtEvent.clear();
    events = PressKey(c.key, kNoModifier, noteSelection);
    CHECK(CountControlEvents(events, 6, kListClickEvent) == 0);
    CHECK(selectedAtEvent == std::vector<int>{c.row});
  }
}

TEST_CASE_FIXTURE(FilledWindow, "a row the program selects itself makes no selection event") {
  SelectListRow(3);
  SelectListRow(6);
  std::vector<Event> events = Pump();
  CHECK(CountControlEvents(events, 6, kListSelectEvent) == 0);
  CHECK(IsRowSelected(6));
  CHECK_FALSE(IsRowSelected(3));
}

TEST_CASE_FIXTURE(WindowFixture, "a toolbar click is a command; a disabled button sends none") {
  for (bool enabled : {true, false}) {
    CAPTURE(enabled);
    EnableButton(5, enabled);
    RECT r;
    LRESULT position = SendMessageA(w.toolbar, TB_COMMANDTOINDEX, 5, 0);
    SendMessageA(w.toolbar, TB_GETITEMRECT, position, reinterpret_cast<LPARAM>(&r));
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(w.toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(w.toolbar, WM_LBUTTONUP, 0, at);
    std::vector<int> commands = Commands(Pump());
    CHECK(commands == (enabled ? std::vector<int>{5} : std::vector<int>{}));
  }
}

namespace {
Event NextEvent() { return WaitEvent(); }
}  // namespace

TEST_CASE_FIXTURE(WindowFixture, "a close request ends the loop; the window stays until the program ends") {
  ProgramState state;
  PostMessageA(w.window, WM_CLOSE, 0, 0);
  RunUntilClosed(state, NextEvent);
  CHECK(IsWindow(w.window));
  CHECK(IsWindowVisible(w.window));
}

namespace {
// Answers the closing question with No as soon as it is shown, and keeps
// its text.
std::string gQuestion;
BOOL CALLBACK AnswerNo(HWND window, LPARAM) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
  char text[256] = {};
  GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
  gQuestion = text;
  PostMessageA(window, WM_COMMAND, IDNO, 0);
  return FALSE;
}
void CALLBACK LookForBox(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), AnswerNo, 0);
}
}  // namespace

TEST_CASE_FIXTURE(WindowFixture, "a close request with unsaved changes runs the closing step while the window is open") {
  ProgramState state;
  state.modified = true;
  gQuestion.clear();
  UINT_PTR timer = SetTimer(nullptr, 0, 50, LookForBox);
  PostMessageA(w.window, WM_CLOSE, 0, 0);
  RunUntilClosed(state, NextEvent);
  KillTimer(nullptr, timer);
  CHECK(gQuestion == "\xC4nderungen speichern");
  CHECK_FALSE(state.modified);
  CHECK(IsWindow(w.window));
}

namespace {
// The closing question's buttons, and the user's two closes: the first
// answered with Escape, the second with Nein.
struct ClosingRun {
  int boxes = 0;
  bool yesNoCancel = true;
  HWND main = nullptr;
  int ticksOnSeenBox = 0;  // a box that Escape did not close is ended with No
  bool escapeIgnored = false;
};
ClosingRun gClosing;
BOOL CALLBACK EscapeThenNo(HWND window, LPARAM) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
  if (GetPropA(window, "seen")) {
    if (++gClosing.ticksOnSeenBox == 40) {
      gClosing.escapeIgnored = true;
      PostMessageA(window, WM_COMMAND, IDNO, 0);
    }
    return FALSE;
  }
  SetPropA(window, "seen", reinterpret_cast<HANDLE>(1));
  ++gClosing.boxes;
  for (int id : {IDYES, IDNO, IDCANCEL}) gClosing.yesNoCancel = gClosing.yesNoCancel && GetDlgItem(window, id);
  if (gClosing.boxes == 1) {
    HWND focus = GetFocus();
    PostMessageA(focus ? focus : window, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(gClosing.main, WM_CLOSE, 0, 0);  // the user tries again later
  } else {
    PostMessageA(window, WM_COMMAND, IDNO, 0);
  }
  return FALSE;
}
void CALLBACK AnswerClosing(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), EscapeThenNo, 0);
}
}  // namespace

TEST_CASE_FIXTURE(WindowFixture, "Escape at the closing question returns to the window; the next close asks again") {
  ProgramState state;
  state.modified = true;
  gClosing = ClosingRun{};
  gClosing.main = w.window;
  UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerClosing);
  PostMessageA(w.window, WM_CLOSE, 0, 0);
  RunUntilClosed(state, NextEvent);
  KillTimer(nullptr, timer);
  CHECK(gClosing.boxes == 2);
  CHECK(gClosing.yesNoCancel);
  CHECK_FALSE(gClosing.escapeIgnored);
  CHECK_FALSE(state.modified);
  CHECK(IsWindowVisible(w.window));
}
