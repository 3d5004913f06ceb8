// On the real window: the fields and the commands follow the highlighted
// row however it was chosen, typing reaches the file without Return, and
// Ctrl+Z takes back typing in a field or else the last change.
#include "tests/window/window_fixture.h"

#include <cstdio>
#include <shlobj.h>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>
#include "directory/commands.h"
#include "directory/event_loop.h"
#include "directory/program_flow.h"
#include "directory/program_state.h"
#include "directory/window_ops.h"

namespace {
constexpr int kRows = kFileSlotCount;  // a full file: End goes far off screen

std::string LineOf(int slot) {
  return std::to_string(100 + slot) + ";0711 " + std::to_string(1000 + slot) + ";Teilnehmer " +
         std::to_string(slot);
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The text field of the system's find dialog (edt1).
constexpr int kFindTextField = 0x480;

// Answers every message box the moment it shows, with the first button id
// left in gAnswers (IDOK when none is left), and keeps its text.
std::vector<std::string> gShown;
std::vector<int> gAnswers;
BOOL CALLBACK AnswerBox(HWND window, LPARAM) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
  if (GetDlgItem(window, kFindTextField)) return TRUE;  // the find dialog is no message box
  char text[512] = {};
  GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
  gShown.push_back(text);
  int answer = IDOK;
  if (!gAnswers.empty()) {
    answer = gAnswers.front();
    gAnswers.erase(gAnswers.begin());
  }
  PostMessageA(window, WM_COMMAND, answer, 0);
  return FALSE;
}
void CALLBACK LookForBox(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), AnswerBox, 0);
}

// The real window with the 200 rows of a file in a scratch folder, every event
// taken through one turn of the loop.
struct SafeWindow : WindowFixture {
  ProgramState state;
  std::string folder;
  std::string original;
  UINT_PTR timer = 0;

  SafeWindow() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "rufdepot_safe_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    state.speedDialFolder = folder;
    state.speedDialFileName = "Default.kw";
    for (int slot = 0; slot < kFileSlotCount; ++slot) original += LineOf(slot) + "\r\n";
    WriteAll(Path(), original);
    SetListDrawing(ListDrawing::Suspended);
    TextFile file;
    REQUIRE(OpenForReading(Path(), file));
    ShowDirectory(state, file);
    SetListDrawing(ListDrawing::Resumed);
    gShown.clear();
    gAnswers.clear();
    timer = SetTimer(nullptr, 0, 50, LookForBox);
    Turns();
  }
  ~SafeWindow() {
    KillTimer(nullptr, timer);
    for (const char* name : {"Default.kw", "20*_Default.kw"}) {
      WIN32_FIND_DATAA found;
      HANDLE search = FindFirstFileA((folder + name).c_str(), &found);
      if (search == INVALID_HANDLE_VALUE) continue;
      do DeleteFileA((folder + found.cFileName).c_str());
      while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
  }
  std::string Path() const { return folder + "Default.kw"; }

  std::vector<Event> Turns() { return Pump([this](const Event& e) { RunTurn(state, e); }); }
  std::vector<Event> Press(UINT vk, int modifiers = kNoModifier) {
    return PressKey(vk, modifiers, [this](const Event& e) { RunTurn(state, e); });
  }
  POINT RowPoint(int row) const {
    RECT r = {};
    r.left = LVIR_LABEL;
    SendMessageA(w.list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void Click(int row, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP) {
    SendMessageA(w.list, LVM_ENSUREVISIBLE, row, FALSE);
    POINT at = RowPoint(row);
    PostMessageA(w.list, down, down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageA(w.list, up, 0, MAKELPARAM(at.x, at.y));
    Turns();
  }
  void Type(HWND field, const std::string& text) {
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
    for (char c : text) PostMessageA(field, WM_CHAR, static_cast<unsigned char>(c), 1);
    Turns();
  }
  int SelectedRow() const {
    return static_cast<int>(SendMessageA(w.list, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
  }
  // Highlight, current slot and the three fields name the same entry.
  void CheckAgree(int row) {
    CAPTURE(row);
    CHECK(SelectedRow() == row);
    CHECK(state.currentSlot == row);
    CHECK(TextOf(w.indexField) == CellOf(w.list, row, 0));
    CHECK(TextOf(w.numberField) == CellOf(w.list, row, 1));
    CHECK(TextOf(w.nameField) == CellOf(w.list, row, 2));
  }
};
}  // namespace

TEST_CASE("every way of selecting a row in the list runs the selection step") {
  SafeWindow f;
  f.Click(4);
  f.CheckAgree(4);
  SetFocus(f.w.list);
  f.Turns();
  struct Step {
    const char* how;
    UINT key;  // 0: a typed character instead
    char typed;
    int row;   // highlighted afterwards
  };
  const Step steps[] = {
      {"End", VK_END, 0, kRows - 1},
      {"Home", VK_HOME, 0, 0},
      {"Page Down", VK_NEXT, 0, -1},  // wherever the page ends
      {"Page Up", VK_PRIOR, 0, 0},
      {"typed first character", 0, '1', 1},  // the next index beginning with 1
  };
  for (const Step& s : steps) {
    CAPTURE(s.how);
    if (s.key) {
      f.Press(s.key);
    } else {
      PostMessageA(f.w.list, WM_CHAR, static_cast<unsigned char>(s.typed), 1);
      f.Turns();
    }
    const int row = f.SelectedRow();
    if (s.row >= 0) CHECK(row == s.row);
    REQUIRE(row >= 0);
    f.CheckAgree(row);
  }
  CHECK_FALSE(f.state.modified);
}

TEST_CASE("End then Delete clears the highlighted row, not the one clicked before") {
  SafeWindow f;
  f.Click(4);
  SetFocus(f.w.list);
  f.Press(VK_END);
  f.Press(VK_DELETE);
  CHECK(CellOf(f.w.list, kRows - 1, 1) == "");
  CHECK(CellOf(f.w.list, kRows - 1, 2) == "");
  CHECK(f.state.table.slots[kRows - 1].number.empty());
  CHECK(CellOf(f.w.list, 4, 1) == "0711 1004");
  CHECK(f.state.table.slots[4].number == "0711 1004");
  CHECK(f.state.modified);
}

TEST_CASE("a right click selects the row and the fields show it") {
  SafeWindow f;
  f.Click(6);
  f.Click(9, WM_RBUTTONDOWN, WM_RBUTTONUP);
  f.CheckAgree(9);
  f.Press(VK_DELETE);
  CHECK(f.state.table.slots[9].number.empty());
  CHECK(f.state.table.slots[6].number == "0711 1006");
}

TEST_CASE("a move selects its target without taking over typing early") {
  // The program's own selection is no selection by the user: the fields keep
  // what was typed, and the next Return takes it over into the moved entry.
  SafeWindow f;
  f.Click(3);
  f.Type(f.w.nameField, "Neu");
  f.Press(VK_DOWN);
  CHECK(f.SelectedRow() == 4);
  CHECK(f.state.currentSlot == 4);
  CHECK(f.state.table.slots[4].name == "Teilnehmer 3");
  CHECK(TextOf(f.w.nameField) == "Neu");
  CHECK(CellOf(f.w.list, 4, 2) == "Teilnehmer 3");
}

TEST_CASE("typing then Ctrl+S saves the typing; typing then a click keeps it in the row left") {
  SafeWindow f;
  f.Click(5);
  f.Type(f.w.numberField, "0711 5555");
  f.Click(7);
  f.CheckAgree(7);
  CHECK(CellOf(f.w.list, 5, 1) == "0711 5555");
  f.Type(f.w.numberField, "0711 7777");
  f.Press('S', kCtrl);

  std::string expected;
  for (int slot = 0; slot < kFileSlotCount; ++slot) {
    std::string line = LineOf(slot);
    if (slot == 5) line = "105;0711 5555;Teilnehmer 5";
    if (slot == 7) line = "107;0711 7777;Teilnehmer 7";
    expected += line + "\r\n";
  }
  CHECK(ReadAll(f.Path()) == expected);
  REQUIRE(gShown.size() == 1);
  CHECK(gShown[0].find("neu angelegt") != std::string::npos);
  CHECK_FALSE(f.state.modified);
  CHECK(CellOf(f.w.list, 7, 1) == "0711 7777");
}

TEST_CASE("a save by another running copy is detected before the file is replaced") {
  SafeWindow f;
  // The other copy saved its own change since this one loaded the file.
  std::string theirs = f.original;
  theirs.replace(theirs.find("Teilnehmer 2\r\n"), 12, "Andere Kopie");
  WriteAll(f.Path(), theirs);

  f.Click(1);
  f.Press(VK_DELETE);
  gAnswers = {IDNO};
  f.Press('S', kCtrl);
  REQUIRE(gShown.size() == 1);
  CHECK(gShown[0] == "Die Kurzwahldatei " + f.Path() +
                         " wurde seit dem \xD6" "ffnen von einem anderen Programm ge\xE4ndert.\n"
                         "Soll sie trotzdem \xFC" "berschrieben werden?");
  CHECK(ReadAll(f.Path()) == theirs);
  CHECK(f.state.modified);

  gAnswers = {IDYES, IDOK};
  f.Press('S', kCtrl);
  REQUIRE(gShown.size() == 3);
  CHECK(gShown[2].find("neu angelegt") != std::string::npos);
  CHECK_FALSE(f.state.modified);
  CHECK(ReadAll(f.Path()).find("101;;\r\n") != std::string::npos);
}

TEST_CASE("Ctrl+Z in a field with typing undoes the typing and leaves the table alone") {
  SafeWindow f;
  f.Click(5);
  f.Type(f.w.numberField, "0711 5555");
  REQUIRE(TextOf(f.w.numberField) == "0711 5555");
  f.Press('Z', kCtrl);
  CHECK(TextOf(f.w.numberField) == "0711 1005");
  CHECK(f.state.table.slots[5].number == "0711 1005");
  CHECK(CellOf(f.w.list, 5, 1) == "0711 1005");
  CHECK_FALSE(f.state.modified);
  CHECK(GetFocus() == f.w.numberField);
}

TEST_CASE("Ctrl+Z outside typing undoes the last move: rows, highlight, fields and flag") {
  struct Case {
    const char* where;
    bool inField;  // the caret in the number field, which shows the entry untouched
  };
  for (const Case c : {Case{"in the list", false}, Case{"in a field without typing", true}}) {
    CAPTURE(c.where);
    SafeWindow f;
    f.Click(3);
    SetFocus(f.w.list);
    f.Press(VK_DOWN);
    f.Press(VK_DOWN);
    REQUIRE(f.SelectedRow() == 5);
    REQUIRE(CellOf(f.w.list, 5, 1) == "0711 1003");
    SetFocus(c.inField ? f.w.numberField : f.w.list);
    f.Press('Z', kCtrl);
    f.CheckAgree(4);
    CHECK(CellOf(f.w.list, 4, 1) == "0711 1003");
    CHECK(CellOf(f.w.list, 5, 1) == "0711 1005");
    CHECK(f.state.modified);
    SetFocus(f.w.list);
    f.Press('Z', kCtrl);
    f.CheckAgree(3);
    for (int row : {3, 4, 5}) CHECK(CellOf(f.w.list, row, 1) == "0711 " + std::to_string(1000 + row));
    CHECK_FALSE(f.state.modified);
    CHECK(ReadAll(f.Path()) == f.original);
  }
}

namespace {
HWND gFindDialog = nullptr;
BOOL CALLBACK TakeFindDialog(HWND window, LPARAM) {
  if (IsWindowVisible(window) && GetDlgItem(window, kFindTextField)) {
    gFindDialog = window;
    return FALSE;
  }
  return TRUE;
}
HWND OpenFindDialogWindow() {
  gFindDialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), TakeFindDialog, 0);
  return gFindDialog;
}
bool RowInView(HWND list, int row) {
  const int top = static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
  const int count = static_cast<int>(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
  return row >= top && row < top + count;
}
}  // namespace

TEST_CASE("Ctrl+F opens the find dialog: Return finds, Escape closes it, F3 finds the next") {
  SafeWindow f;
  f.Click(3);
  SetFocus(f.w.list);
  f.Press('F', kCtrl);
  HWND dialog = OpenFindDialogWindow();
  REQUIRE(dialog != nullptr);
  CHECK(GetWindow(dialog, GW_OWNER) == f.w.window);
  f.Type(GetDlgItem(dialog, kFindTextField), "TEILNEHMER 12");
  f.Press(VK_RETURN);
  f.CheckAgree(12);
  CHECK(IsWindow(dialog));
  f.Press(VK_RETURN);
  f.CheckAgree(120);
  CHECK(RowInView(f.w.list, 120));
  f.Press(VK_ESCAPE);
  CHECK_FALSE(IsWindow(dialog));
  CHECK(OpenFindDialogWindow() == nullptr);
  f.CheckAgree(120);

  SetFocus(f.w.list);
  f.Press(VK_F3);
  f.CheckAgree(121);
  CHECK(gShown.empty());
  CHECK_FALSE(f.state.modified);
  CHECK(ReadAll(f.Path()) == f.original);
}

TEST_CASE("a search without a hit says so in a message with the window title") {
  SafeWindow f;
  f.Click(7);
  SetFocus(f.w.list);
  f.Press('F', kCtrl);
  HWND dialog = OpenFindDialogWindow();
  REQUIRE(dialog != nullptr);
  f.Type(GetDlgItem(dialog, kFindTextField), "Schmidt");
  f.Press(VK_RETURN);
  for (int i = 0; i < 20 && gShown.empty(); ++i) {
    Sleep(50);
    f.Turns();
  }
  REQUIRE(gShown.size() == 1);
  CHECK(gShown[0] == "\x84Schmidt\x93 wurde nicht gefunden.");
  f.CheckAgree(7);
  // The dialog stays for another try.
  CHECK(IsWindow(dialog));
  f.Press(VK_ESCAPE);
  CHECK_FALSE(IsWindow(dialog));
}

namespace {
// What Explorer sends when a file is dropped on the window.
void DropFile(HWND window, const std::wstring& path) {
  const size_t bytes = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GHND, bytes);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  path.copy(reinterpret_cast<wchar_t*>(drop + 1), path.size());
  GlobalUnlock(memory);
  PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

std::wstring WideOf(const std::string& ansi) {
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(1252, 0, ansi.c_str(), -1, wide, MAX_PATH);
  return wide;
}
}  // namespace

TEST_CASE("a .kw file dropped on the window replaces the table; a path Windows-1252 cannot hold is refused") {
  SafeWindow f;
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(f.folder.c_str());  // the settings file is written here
  const std::string second = f.folder + "Zweite M\xFC" "ller.kw";
  WriteAll(second, "100;0800 1;Filiale Nord\r\n101;0800 2;Filiale S\xFC" "d\r\n");
  f.Click(4);
  DropFile(f.w.window, WideOf(second));
  f.Turns();
  CHECK(SpeedDialPath(f.state) == second);
  CHECK(f.state.table.slots[1].name == "Filiale S\xFC" "d");
  CHECK(SendMessageA(f.w.list, LVM_GETITEMCOUNT, 0, 0) == 2);
  CHECK(CellOf(f.w.list, 1, 2) == "Filiale S\xFC" "d");
  CHECK(TextOf(f.w.numberField).empty());
  CHECK(ReadAll("Rufdepot.ini") == f.folder + "\r\nZweite M\xFC" "ller.kw\r\n");
  CHECK(ReadAll(f.Path()) == f.original);

  DropFile(f.w.window, WideOf(f.folder) + L"\x141\xF3" L"d\x17A.kw");
  f.Turns();
  REQUIRE(gShown.size() == 1);
  CHECK(gShown[0].find("(Windows-1252)") != std::string::npos);
  CHECK(SpeedDialPath(f.state) == second);
  CHECK(ReadAll("Rufdepot.ini") == f.folder + "\r\nZweite M\xFC" "ller.kw\r\n");

  DeleteFileA("Rufdepot.ini");
  DeleteFileA(second.c_str());
  SetCurrentDirectoryA(previous);
}
