// Editing through the real window, every event taken through the loop's
// turn: the toolbar follows each keystroke, the editing keys act as their
// buttons only while these are available and never reach the focused
// control, and a disabled button sends nothing.
#include "tests/window/window_fixture.h"

#include <iterator>
#include <string>
#include <utility>
#include <vector>
#include "directory/commands.h"
#include "directory/event_loop.h"
#include "directory/program_state.h"
#include "directory/window_ops.h"

namespace {

struct Row {
  const char* index;
  const char* number;
  const char* name;
};

// Row r shows slot r, as after loading.
constexpr Row kRows[] = {
    {"100", "0711 100", "Anna"},
    {"101", "0711 101", "Bernd"},
    {"1102", "0711 102", "Zentrale"},  // pinned
    {"103", "0711 103", "Carla"},
    {"104", "", ""},
    {"105", "", "Nur Name"},
    {"106", "0711 106", ""},
    {"107", "0711 107", "Dora"},
};
constexpr int kRowCount = static_cast<int>(std::size(kRows));
constexpr int kPinnedRow = 2;
constexpr int kEmptyRow = 4;
constexpr int kNameOnlyRow = 5;
constexpr int kNumberOnlyRow = 6;
constexpr int kLastRow = kRowCount - 1;

constexpr int kNoRow = -1;  // a click below the last row
constexpr UINT_PTR kKeyRecorderId = 0x4B45;

// The six buttons: their id where enabled, '-' where disabled.
constexpr char kAllButMoveAndSave[] = "--234-";
constexpr char kAllButEditAndSave[] = "01--4-";
constexpr char kAllButApplyAndSave[] = "012-4-";
constexpr char kAllButSave[] = "01234-";
constexpr char kAll[] = "012345";
constexpr char kOnlyListing[] = "----4-";

bool IsGuardedKey(UINT message, WPARAM key) {
  if (message == WM_KEYDOWN)
    return key == VK_UP || key == VK_DOWN || key == VK_RETURN || key == VK_DELETE;
  return message == WM_CHAR && key == '\r';
}

// Notes every guarded key that reaches a control; none ever should.
LRESULT CALLBACK RecordGuardedKeys(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR seen) {
  if (IsGuardedKey(message, wParam))
    reinterpret_cast<std::vector<WPARAM>*>(seen)->push_back(wParam);
  return DefSubclassProc(control, message, wParam, lParam);
}

std::pair<int, int> SelectionOf(HWND field) {
  DWORD start = 0, end = 0;
  SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<int>(start), static_cast<int>(end)};
}

// The real main window with the rows loaded and the state that loading
// leaves: row r shows slot r, the current slot is the last one loaded.
struct EditingWindow : WindowFixture {
  ProgramState state;
  std::vector<WPARAM> reachedControl;  // guarded keys a control received

  EditingWindow() {
    for (int slot = 0; slot < kRowCount; ++slot) {
      const Row& row = kRows[slot];
      state.table.slots[slot] = {row.index, row.number, row.name};
      AddListRow(std::string(row.index) + "\n" + row.number + "\n" + row.name);
    }
    state.currentSlot = kLastRow;
    for (HWND control : Recorded()) SetWindowSubclass(control, RecordGuardedKeys, kKeyRecorderId,
                                                      reinterpret_cast<DWORD_PTR>(&reachedControl));
    Turns();
  }
  ~EditingWindow() {
    for (HWND control : Recorded()) RemoveWindowSubclass(control, RecordGuardedKeys, kKeyRecorderId);
  }
  std::vector<HWND> Recorded() const { return {w.list, w.indexField, w.numberField, w.nameField}; }

  // Takes every event the queue holds, each through one turn of the loop.
  std::vector<Event> Turns() {
    return Pump([this](const Event& e) { RunTurn(state, e); });
  }
  Event OneTurn() {
    Event e = WaitEvent();
    RunTurn(state, e);
    return e;
  }

  std::vector<Event> Press(UINT vk) {
    return PressKey(vk, kNoModifier, [this](const Event& e) { RunTurn(state, e); });
  }

  // A left click on a row, or below the last row for kNoRow.
  void ClickRow(int row) {
    POINT at = {100, 380};
    if (row != kNoRow) {
      RECT r = {};
      r.left = LVIR_LABEL;
      SendMessageA(w.list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
      at = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    PostMessageA(w.list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageA(w.list, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    Turns();
  }

  std::vector<Event> ClickButton(int id) {
    RECT r = {};
    LRESULT position = SendMessageA(w.toolbar, TB_COMMANDTOINDEX, id, 0);
    SendMessageA(w.toolbar, TB_GETITEMRECT, position, reinterpret_cast<LPARAM>(&r));
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(w.toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(w.toolbar, WM_LBUTTONUP, 0, at);
    return Turns();
  }

  void Focus(HWND control) {
    SetFocus(control);
    Turns();
  }

  // Field texts put in as a user would type them, without a turn for each.
  void Fill(const std::string& number, const std::string& name) {
    SetWindowTextA(w.numberField, number.c_str());
    SetWindowTextA(w.nameField, name.c_str());
    Turns();
  }

  // What the toolbar shows, from the control itself.
  std::string Buttons() const {
    std::string shown;
    for (int id = 0; id <= 5; ++id) {
      LRESULT buttonState = SendMessageA(w.toolbar, TB_GETSTATE, id, 0);
      bool enabled = buttonState != -1 && (buttonState & TBSTATE_ENABLED);
      CHECK((SendMessageA(w.toolbar, TB_ISBUTTONENABLED, id, 0) != 0) == enabled);
      shown += enabled ? static_cast<char>('0' + id) : '-';
    }
    return shown;
  }

  int SelectedRow() const {
    return static_cast<int>(SendMessageA(w.list, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
  }

  // Everything an editing command may change: table, list cells and
  // selection, the fields with their selection, current slot, flag.
  std::vector<std::string> Everything() const {
    std::vector<std::string> all;
    for (const DialEntry& e : state.table.slots) all.push_back(e.index + ";" + e.number + ";" + e.name);
    for (int row = 0; row < ListRowCount(); ++row)
      all.push_back(CellOf(w.list, row, 0) + ";" + CellOf(w.list, row, 1) + ";" + CellOf(w.list, row, 2));
    all.push_back("selected " + std::to_string(SelectedRow()));
    for (HWND field : {w.indexField, w.numberField, w.nameField}) {
      std::pair<int, int> selection = SelectionOf(field);
      all.push_back(TextOf(field) + " [" + std::to_string(selection.first) + "," +
                    std::to_string(selection.second) + "]");
    }
    all.push_back("current " + std::to_string(state.currentSlot));
    all.push_back(state.modified ? "modified" : "unmodified");
    return all;
  }

  // Slot and row of the same number show the same number and name.
  void CheckRowShowsSlot(int slot) const {
    CAPTURE(slot);
    CHECK(CellOf(w.list, slot, 1) == state.table.slots[slot].number);
    CHECK(CellOf(w.list, slot, 2) == state.table.slots[slot].name);
  }
};

}  // namespace

TEST_CASE("the toolbar follows each keystroke in the number and name fields at the next turn") {
  EditingWindow f;
  f.ClickRow(0);
  REQUIRE(f.state.currentSlot == 0);
  REQUIRE(TextOf(f.w.numberField) == "0711 100");
  CHECK(f.Buttons() == kAllButSave);

  f.Focus(f.w.numberField);
  SendMessageA(f.w.numberField, EM_SETSEL, 8, 8);
  // Backspace edits the field; apply and clear go off with its last character.
  for (int left = 7; left >= 0; --left) {
    CAPTURE(left);
    f.Press(VK_BACK);
    CHECK(TextOf(f.w.numberField) == std::string("0711 100").substr(0, left));
    CHECK(f.Buttons() == (left > 0 ? kAllButSave : kAllButEditAndSave));
  }

  struct Step {
    HWND field;
    char typed;
    const char* text;     // the field afterwards
    const char* buttons;  // the toolbar after the keystroke's first turn
  };
  const Step steps[] = {
      {f.w.numberField, '9', "9", kAllButSave},
      {f.w.numberField, ';', "9", kAllButSave},  // refused, the field unchanged
      {f.w.numberField, '\b', "", kAllButEditAndSave},
      {f.w.numberField, '7', "7", kAllButSave},
      {f.w.nameField, '\b', "Ann", kAllButSave},
      {f.w.nameField, ';', "Ann", kAllButSave},
      {f.w.nameField, 'e', "Anne", kAllButSave},
  };
  SendMessageA(f.w.nameField, EM_SETSEL, 4, 4);
  for (const Step& s : steps) {
    CAPTURE(s.typed);
    if (GetFocus() != s.field) f.Focus(s.field);
    PostMessageA(s.field, WM_CHAR, static_cast<unsigned char>(s.typed), 1);
    f.OneTurn();
    CHECK(TextOf(s.field) == s.text);
    CHECK(f.Buttons() == s.buttons);
    f.Turns();
    CHECK(f.Buttons() == s.buttons);
  }
  // Typing changes no entry: only applying does.
  CHECK(f.state.table.slots[0].number == "0711 100");
  CHECK_FALSE(f.state.modified);

  // Emptying the name field by selecting all of it and one Backspace.
  SendMessageA(f.w.nameField, EM_SETSEL, 0, -1);
  f.Press(VK_BACK);
  CHECK(TextOf(f.w.nameField) == "");
  CHECK(f.Buttons() == kAllButEditAndSave);

  // Return applies once both fields hold text; save follows at the next turn.
  PostMessageA(f.w.nameField, WM_CHAR, 'B', 1);
  f.Turns();
  f.Press(VK_RETURN);
  CHECK(f.state.table.slots[0].number == "7");
  CHECK(f.state.table.slots[0].name == "B");
  f.CheckRowShowsSlot(0);
  CHECK(f.state.modified);
  CHECK(f.Buttons() == kAll);
}

TEST_CASE("Return and Delete in a field apply and clear only while available, and never edit the field") {
  enum class Outcome { Nothing, Cleared, Applied };
  struct Case {
    const char* what;
    int row;  // clicked first; kNoRow clicks below the last row
    const char* number;  // field texts before the key; null keeps what the click showed
    const char* name;
    int focus;  // field id
    UINT key;
    const char* buttons;  // before the key
    Outcome outcome;
    const char* after;  // the toolbar once the key's turns are over
  };
  const Case cases[] = {
      // A cleared entry has no number left to move.
      {"complete entry, Delete", 0, nullptr, nullptr, kNumberField, VK_DELETE, kAllButSave, Outcome::Cleared, "----45"},
      {"complete entry, Return", 0, "0711 100", "Anna Berg", kNameField, VK_RETURN, kAllButSave, Outcome::Applied, kAll},
      {"unchanged entry, Return", 0, nullptr, nullptr, kNameField, VK_RETURN, kAllButSave, Outcome::Nothing, kAllButSave},
      {"empty name field, Delete", 0, "0711 100", "", kNumberField, VK_DELETE, kAllButEditAndSave, Outcome::Nothing, kAllButEditAndSave},
      {"empty number field, Return", 0, "", "Anna", kNameField, VK_RETURN, kAllButEditAndSave, Outcome::Nothing, kAllButEditAndSave},
      {"entry without a name, Delete", kNumberOnlyRow, nullptr, nullptr, kNumberField, VK_DELETE, kAllButEditAndSave, Outcome::Nothing, kAllButEditAndSave},
      // A ';' would split the line in the file: applying is refused, clearing reads no field.
      {"a ';' in the name, Return", 0, "0711 100", "Anna;Berg", kNameField, VK_RETURN, kAllButApplyAndSave, Outcome::Nothing, kAllButApplyAndSave},
      {"a ';' in the number, Delete", 0, "0711;100", "Anna", kNumberField, VK_DELETE, kAllButApplyAndSave, Outcome::Cleared, "----45"},
      // No row is selected: the current slot has no row, so nothing may be
      // stored there where no one sees it and no save writes it.
      {"no row selected, Return", kNoRow, "0711 999", "Neu", kNameField, VK_RETURN, kOnlyListing, Outcome::Nothing, kOnlyListing},
      {"no row selected, Delete", kNoRow, "0711 999", "Neu", kNumberField, VK_DELETE, kOnlyListing, Outcome::Nothing, kOnlyListing},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    EditingWindow f;
    f.ClickRow(c.row);
    int slot = f.state.currentSlot;
    REQUIRE(slot == (c.row == kNoRow ? kRowCount : c.row));
    if (c.number) f.Fill(c.number, c.name);
    HWND field = ControlWindow(c.focus);
    f.Focus(field);
    SendMessageA(field, EM_SETSEL, 1, 3);  // a caret inside the text, two characters selected
    f.Turns();
    CHECK(f.Buttons() == c.buttons);
    std::vector<std::string> before = f.Everything();
    std::string number = TextOf(f.w.numberField);
    std::string name = TextOf(f.w.nameField);

    std::vector<int> commands = Commands(f.Press(c.key));

    CHECK(commands == std::vector<int>{c.key == VK_DELETE ? kKeyDelete : kKeyReturn});
    CHECK(f.reachedControl.empty());
    switch (c.outcome) {
      case Outcome::Nothing:
        CHECK(f.Everything() == before);
        break;
      case Outcome::Cleared:
        CHECK(TextOf(f.w.numberField) == "");
        CHECK(TextOf(f.w.nameField) == "");
        CHECK(f.state.table.slots[slot].number == "");
        CHECK(f.state.table.slots[slot].name == "");
        CHECK(f.state.modified);
        break;
      case Outcome::Applied:
        CHECK(TextOf(f.w.numberField) == number);
        CHECK(TextOf(f.w.nameField) == name);
        CHECK(SelectionOf(field) == std::make_pair(1, 3));
        CHECK(f.state.table.slots[slot].number == number);
        CHECK(f.state.table.slots[slot].name == name);
        CHECK(f.state.modified);
        break;
    }
    if (c.row != kNoRow) f.CheckRowShowsSlot(slot);
    CHECK(f.state.table.slots[kRowCount].number == "");  // the slot without a row
    CHECK(f.Buttons() == c.after);
  }
}

TEST_CASE("a ';' pasted into a field makes applying unavailable; Return then does nothing, Delete still clears") {
  EditingWindow f;
  f.ClickRow(1);
  f.Focus(f.w.nameField);
  SendMessageA(f.w.nameField, EM_SETSEL, 5, 5);
  REQUIRE(OpenClipboard(f.w.window));
  EmptyClipboard();
  const char pasted[] = ";Berlin";
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof pasted);
  CopyMemory(GlobalLock(memory), pasted, sizeof pasted);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
  PostMessageA(f.w.nameField, WM_PASTE, 0, 0);
  f.Turns();
  REQUIRE(TextOf(f.w.nameField) == "Bernd;Berlin");
  CHECK(f.Buttons() == kAllButApplyAndSave);

  std::vector<std::string> before = f.Everything();
  f.Press(VK_RETURN);
  CHECK(f.Everything() == before);
  CHECK(f.state.table.slots[1].name == "Bernd");

  f.Press(VK_DELETE);
  CHECK(TextOf(f.w.nameField) == "");
  CHECK(f.state.table.slots[1].number == "");
  CHECK(f.state.table.slots[1].name == "");
  f.CheckRowShowsSlot(1);
  CHECK(f.state.modified);
}

TEST_CASE("Up and Down move the entry only where it can move; the list never moves its own selection") {
  struct Case {
    const char* what;
    int row;    // clicked first
    int focus;  // control id
    UINT key;
    int landsIn;  // the slot the entry moves to; the row itself when refused
    const char* buttons;  // before the key
  };
  const Case cases[] = {
      {"pinned entry, Up in the list", kPinnedRow, kEntryList, VK_UP, kPinnedRow, kAllButMoveAndSave},
      {"pinned entry, Down in the list", kPinnedRow, kEntryList, VK_DOWN, kPinnedRow, kAllButMoveAndSave},
      {"pinned entry, Down in the number field", kPinnedRow, kNumberField, VK_DOWN, kPinnedRow, kAllButMoveAndSave},
      {"empty entry, Up in the list", kEmptyRow, kEntryList, VK_UP, kEmptyRow, kOnlyListing},
      {"entry without a number, Down in the list", kNameOnlyRow, kEntryList, VK_DOWN, kNameOnlyRow, kOnlyListing},
      {"first row, Up in the list", 0, kEntryList, VK_UP, 0, kAllButSave},
      {"last row, Down in the name field", kLastRow, kNameField, VK_DOWN, kLastRow, kAllButSave},
      {"down past the pinned entry", 1, kEntryList, VK_DOWN, 3, kAllButSave},
      {"up past the pinned entry, from the name field", 3, kNameField, VK_UP, 1, kAllButSave},
      {"down into an empty slot", 3, kEntryList, VK_DOWN, kEmptyRow, kAllButSave},
      {"entry without a name moves", kNumberOnlyRow, kEntryList, VK_UP, kNameOnlyRow, kAllButEditAndSave},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    EditingWindow f;
    f.ClickRow(c.row);
    REQUIRE(f.state.currentSlot == c.row);
    HWND control = ControlWindow(c.focus);
    f.Focus(control);
    if (c.focus != kEntryList) SendMessageA(control, EM_SETSEL, 1, 2);
    f.Turns();
    CHECK(f.Buttons() == c.buttons);
    std::vector<std::string> before = f.Everything();
    std::string number = TextOf(f.w.numberField);
    std::string name = TextOf(f.w.nameField);
    DialEntry moving = f.state.table.slots[c.row];
    DialEntry displaced = f.state.table.slots[c.landsIn];

    std::vector<int> commands = Commands(f.Press(c.key));

    CHECK(commands == std::vector<int>{c.key == VK_UP ? kKeyUp : kKeyDown});
    CHECK(f.reachedControl.empty());
    CHECK(GetFocus() == control);
    if (c.landsIn == c.row) {
      CHECK(f.Everything() == before);
      continue;
    }
    CHECK(f.state.table.slots[c.landsIn].number == moving.number);
    CHECK(f.state.table.slots[c.landsIn].name == moving.name);
    CHECK(f.state.table.slots[c.row].number == displaced.number);
    CHECK(f.state.table.slots[c.row].name == displaced.name);
    CHECK(f.state.table.slots[kPinnedRow].name == "Zentrale");
    for (int slot = 0; slot < kRowCount; ++slot) f.CheckRowShowsSlot(slot);
    CHECK(f.SelectedRow() == c.landsIn);
    CHECK(f.state.currentSlot == c.landsIn);
    CHECK(TextOf(f.w.indexField) == kRows[c.landsIn].index);
    // The fields keep what they showed: the entry that moved along.
    CHECK(TextOf(f.w.numberField) == number);
    CHECK(TextOf(f.w.nameField) == name);
    if (c.focus != kEntryList) CHECK(SelectionOf(control) == std::make_pair(1, 2));
    CHECK(f.state.modified);
    CHECK(f.Buttons()[5] == '5');
  }
}

TEST_CASE("a click on a disabled toolbar button sends nothing; an enabled one sends its id and acts") {
  struct Case {
    const char* what;
    int row;  // clicked first; kLastRow without a click is the state after loading
    bool click;
    const char* name;  // typed into the name field, or null
    int button;
    const char* buttons;  // before the click
  };
  const Case cases[] = {
      {"after loading, clear", kLastRow, false, nullptr, kCmdClear, kAllButEditAndSave},
      {"after loading, apply", kLastRow, false, nullptr, kCmdApply, kAllButEditAndSave},
      {"after loading, save", kLastRow, false, nullptr, kCmdSave, kAllButEditAndSave},
      {"after loading, up moves the last entry loaded", kLastRow, false, nullptr, kCmdMoveUp, kAllButEditAndSave},
      {"pinned entry, up", kPinnedRow, true, nullptr, kCmdMoveUp, kAllButMoveAndSave},
      {"pinned entry, down", kPinnedRow, true, nullptr, kCmdMoveDown, kAllButMoveAndSave},
      {"entry without a name, apply", kNumberOnlyRow, true, nullptr, kCmdApply, kAllButEditAndSave},
      {"no row selected, apply", kNoRow, true, "Neu", kCmdApply, kOnlyListing},
      {"entry, down", 1, true, nullptr, kCmdMoveDown, kAllButSave},
      {"entry, clear", 0, true, nullptr, kCmdClear, kAllButSave},
      {"entry, apply a new name", 0, true, "Anna Berg", kCmdApply, kAllButSave},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    EditingWindow f;
    if (c.click) f.ClickRow(c.row);
    if (c.name) {
      if (c.row == kNoRow) SetWindowTextA(f.w.numberField, "0711 999");
      SetWindowTextA(f.w.nameField, c.name);
      f.Turns();
    }
    CHECK(f.Buttons() == c.buttons);
    bool enabled = c.buttons[c.button] != '-';
    std::vector<std::string> before = f.Everything();

    std::vector<int> commands = Commands(f.ClickButton(c.button));

    if (!enabled) {
      CHECK(commands.empty());
      CHECK(f.Everything() == before);
      continue;
    }
    CHECK(commands == std::vector<int>{c.button});
    CHECK(f.state.modified);
    CHECK(f.Everything() != before);
    for (int slot = 0; slot < kRowCount; ++slot) f.CheckRowShowsSlot(slot);
  }
}
