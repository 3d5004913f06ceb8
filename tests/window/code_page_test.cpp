// The window's texts under any system code page: read back as UTF-16, every
// text is the Windows-1252 decoding of the program's bytes, every byte goes
// through a field, apply and save unchanged, and nothing the file cannot
// hold gets in. ctest runs these cases again with UTF-8 (65001) and
// Cyrillic (1251) as the system's code page.
#include "tests/window/window_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include "directory/commands.h"
#include "directory/editing.h"
#include "directory/event_loop.h"
#include "directory/program_flow.h"
#include "directory/program_state.h"
#include "directory/saving.h"
#include "directory/settings.h"
#include "directory/text_file.h"
#include "directory/window_ops.h"
#include "text/date.h"

namespace {

// Windows-1252 as its table defines it, written out here so that the test
// does not ask the converter it checks: 0x80..0x9F, the rest is Latin-1.
constexpr wchar_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

wchar_t Decoded(unsigned char byte) {
  return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : static_cast<wchar_t>(byte);
}

std::wstring Decoded(const std::string& bytes) {
  std::wstring wide;
  for (unsigned char c : bytes) wide += Decoded(c);
  return wide;
}

// Every byte from 0x01 to 0xFF but those that end or split a line.
std::string EveryFieldByte() {
  std::string bytes;
  for (int b = 1; b <= 0xFF; ++b)
    if (b != '\r' && b != '\n' && b != ';') bytes += static_cast<char>(b);
  return bytes;
}

std::wstring WideText(HWND window) {
  std::vector<wchar_t> text(GetWindowTextLengthW(window) + 1);
  int got = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  return std::wstring(text.data(), got > 0 ? got : 0);
}

std::wstring WideCell(HWND list, int row, int column) {
  std::vector<wchar_t> text(1024);
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = text.data();
  item.cchTextMax = static_cast<int>(text.size());
  SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return text.data();
}

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
}

// The program's bytes of a path that Windows-1252 can hold.
std::string Bytes(const std::wstring& wide) {
  std::string bytes;
  for (wchar_t c : wide) {
    int b = 0;
    while (b < 256 && Decoded(static_cast<unsigned char>(b)) != c) ++b;
    REQUIRE(b < 256);
    bytes += static_cast<char>(b);
  }
  return bytes;
}

// A folder of its own whose name holds umlauts, removed afterwards.
struct UmlautFolder {
  std::filesystem::path root;
  UmlautFolder() {
    std::error_code error;
    // Of this process alone: ctest runs the window tests side by side.
    static int made = 0;
    root = std::filesystem::temp_directory_path(error) /
           (L"Rufdepot B\u00FCcher \u00C4 " + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++made));
    std::filesystem::remove_all(root, error);
    REQUIRE(std::filesystem::create_directories(root, error));
  }
  ~UmlautFolder() {
    std::error_code error;
    std::filesystem::remove_all(root, error);
  }
  std::string Folder() const { return Bytes(root.wstring() + L"\\"); }
};

// Answers the thread's dialogs one after another, from a thread timer that
// runs inside their modal loops; reads each one's text as UTF-16 first.
struct DialogSequence {
  std::vector<std::function<void(HWND)>> steps;
  std::vector<std::wstring> texts;  // the static text of each dialog answered
  size_t next = 0;
  HWND last = nullptr;
  int idle = 0;
};

DialogSequence& Sequence() {
  static DialogSequence sequence;
  return sequence;
}

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) == L"#32770" && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectStaticText(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  std::wstring text = WideText(window);
  if (std::wstring(name) == L"Static" && !text.empty()) *reinterpret_cast<std::wstring*>(found) += text;
  return TRUE;
}

VOID CALLBACK SequenceTick(HWND, UINT, UINT_PTR, DWORD) {
  DialogSequence& s = Sequence();
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindVisibleDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog || (dialog == s.last && IsWindow(dialog))) {
    // A dialog nobody answers is cancelled after 5 s, so a failing test ends.
    if (dialog && ++s.idle > 100) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  s.idle = 0;
  s.last = dialog;
  std::wstring text;
  EnumChildWindows(dialog, CollectStaticText, reinterpret_cast<LPARAM>(&text));
  s.texts.push_back(text);
  if (s.next < s.steps.size())
    s.steps[s.next++](dialog);
  else
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

struct AnsweredDialogs {
  UINT_PTR timer;
  explicit AnsweredDialogs(std::vector<std::function<void(HWND)>> steps) {
    Sequence() = DialogSequence{std::move(steps), {}};
    timer = SetTimer(nullptr, 0, 50, SequenceTick);
  }
  ~AnsweredDialogs() { KillTimer(nullptr, timer); }
  const std::vector<std::wstring>& Texts() const { return Sequence().texts; }
};

std::function<void(HWND)> Press(int button) {
  return [button](HWND dialog) { PostMessageW(dialog, WM_COMMAND, button, 0); };
}

constexpr int kFileNameField = 0x47c;
std::function<void(HWND)> Choose(const std::wstring& path) {
  return [path](HWND dialog) {
    SetDlgItemTextW(dialog, kFileNameField, path.c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  };
}

void Paste(HWND field, const std::wstring& text) {
  REQUIRE(OpenClipboard(TheMainWindow().window));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  CopyMemory(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
  PostMessageW(field, WM_PASTE, 0, 0);
}

void Type(HWND field, const std::wstring& text) {
  for (wchar_t c : text) PostMessageW(field, WM_CHAR, c, 1);
}

bool ApplyAvailable() {
  return SendMessageW(TheMainWindow().toolbar, TB_ISBUTTONENABLED, kCmdApply, 0) != 0;
}

// A speed-dial file in a folder with umlauts, loaded into the real window
// as at start-up; every event goes through a turn of the loop.
struct LoadedWindow : WindowFixture {
  UmlautFolder folder;
  ProgramState state;
  std::string original;

  explicit LoadedWindow(const std::string& firstName = "M\xFCller Hans, K\xF6ln") {
    for (int k = 0; k < 200; ++k) {
      std::string name = k == 1 ? firstName : "Teilnehmer " + std::to_string(k);
      original += std::to_string(100 + k) + ";0711 " + std::to_string(1000 + k) + ";" + name + "\r\n";
    }
    WriteAll(folder.root / L"Default.kw", original);
    state.speedDialFolder = folder.Folder();
    state.speedDialFileName = "Default.kw";
    TextFile file;
    REQUIRE(OpenForReading(SpeedDialPath(state), file));
    ShowDirectory(state, file);
    Turns();
  }
  std::vector<Event> Turns() {
    return Pump([this](const Event& e) { RunTurn(state, e); });
  }
  void SelectRow(int row) {
    SelectListRow(row);
    SelectCurrentSlot(state);
    RefreshAvailability(state);
    Turns();
  }
  std::string SavedFile() const { return ReadAll(folder.root / L"Default.kw"); }
};

}  // namespace

TEST_CASE("code page: the run has the system code page it was started for") {
  // Without this the runs below could pass on a Western system by accident.
  const char* wanted = std::getenv("RUFDEPOT_CODE_PAGE");
  if (!wanted) return;
  CHECK(GetACP() == static_cast<UINT>(std::atoi(wanted)));
}

TEST_CASE_FIXTURE(WindowFixture, "code page: cells, fields, title, tooltips and status read back as the Windows-1252 decoding") {
  const std::string bytes = EveryFieldByte();
  AddListRow("101\n0711 1\nM\xFCller Hans, K\xF6ln");
  SetListCell(0, kNameColumn + 0, bytes);
  CHECK(WideCell(w.list, 0, kNumberColumn) == L"0711 1");
  CHECK(WideCell(w.list, 0, kNameColumn) == Decoded(bytes));
  SetListCell(0, kNameColumn, "M\xFCller Hans, K\xF6ln");
  CHECK(WideCell(w.list, 0, kNameColumn) == L"M\u00FCller Hans, K\u00F6ln");

  for (int id : {kNumberField, kNameField}) {
    CAPTURE(id);
    SetFieldText(id, bytes);
    CHECK(WideText(ControlWindow(id)) == Decoded(bytes));
    CHECK(GetFieldText(id) == bytes);
  }

  CHECK(WideText(w.window) == L"Tarvo's ETS2106 Kurzwahlnummern verwalten");
  EnsureButtonTips();
  wchar_t tip[128] = {};
  TTTOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V1_SIZE;
  tool.hwnd = w.toolbar;
  tool.uId = SendMessageW(w.toolbar, TB_COMMANDTOINDEX, kCmdApply, 0);
  tool.lpszText = tip;
  SendMessageW(w.tooltip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
  CHECK(std::wstring(tip) == L"Ge\u00E4nderten Eintrag \u00FCbernehmen (Enter)");

  SetStatusText("Z:\\B\xFC" "cher\\Default.kw");
  wchar_t status[128] = {};
  SendMessageW(w.statusBar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(status));
  CHECK(std::wstring(status) == L"\tZ:\\B\u00FCcher\\Default.kw");
}

TEST_CASE("code page: every byte but CR, LF and ';' goes through a field, apply and save unchanged") {
  LoadedWindow f;
  CHECK(WideCell(f.w.list, 1, kNameColumn) == L"M\u00FCller Hans, K\u00F6ln");
  f.SelectRow(1);
  CHECK(WideText(f.w.nameField) == L"M\u00FCller Hans, K\u00F6ln");

  // Printable characters typed, the control characters pasted: a user can
  // type only the ones, and the edit control takes the others only so.
  std::string typed, pasted;
  for (unsigned char c : EveryFieldByte()) (c >= 0x20 && c != 0x7F ? typed : pasted) += static_cast<char>(c);
  SetFocus(f.w.nameField);
  SendMessageW(f.w.nameField, EM_SETSEL, 0, -1);
  SendMessageW(f.w.nameField, WM_CLEAR, 0, 0);
  Type(f.w.nameField, Decoded(typed));
  f.Turns();
  Paste(f.w.nameField, Decoded(pasted));
  f.Turns();
  const std::string name = typed + pasted;
  REQUIRE(WideText(f.w.nameField) == Decoded(name));
  REQUIRE(ApplyAvailable());
  PressKey(VK_RETURN, kNoModifier, [&](const Event& e) { RunTurn(f.state, e); });
  CHECK(f.state.table.slots[1].name == name);
  CHECK(WideCell(f.w.list, 1, kNameColumn) == Decoded(name));

  AnsweredDialogs answers({Press(IDOK)});
  CHECK_FALSE(SaveDirectory(f.state));
  std::string expected = f.original;
  const std::string oldLine = "101;0711 1001;M\xFCller Hans, K\xF6ln\r\n";
  expected.replace(expected.find(oldLine), oldLine.size(), "101;0711 1001;" + name + "\r\n");
  CHECK(f.SavedFile() == expected);
  const std::wstring backup = Decoded(FormatDateMask("%yyyy%MM%DD_", CurrentDate())) + L"Default.kw";
  CHECK(ReadAll(f.folder.root / backup) == f.original);
  // The message names both paths, umlauts and all.
  REQUIRE(answers.Texts().size() == 1);
  const std::wstring folder = f.folder.root.wstring() + L"\\";
  CHECK(answers.Texts()[0] == L"Kurzwahldatei " + folder + L"Default.kw neu angelegt\nSicherungskopie in : " +
                                  folder + backup + L"\n");
}

TEST_CASE("code page: untouched umlaut entries are taken over and saved unchanged") {
  LoadedWindow f("\xC4rztlicher Notdienst \xE4\xF6\xFC\xDF \x80 \x9F");
  f.SelectRow(1);
  PressKey(VK_RETURN, kNoModifier, [&](const Event& e) { RunTurn(f.state, e); });
  CHECK_FALSE(f.state.modified);
  f.state.modified = true;  // saved all the same: the file must come back as it was
  AnsweredDialogs answers({Press(IDOK)});
  SaveDirectory(f.state);
  CHECK(f.SavedFile() == f.original);
}

TEST_CASE("code page: a character Windows-1252 cannot hold is refused when typed and blocks applying when pasted") {
  LoadedWindow f;
  f.SelectRow(1);
  SetFocus(f.w.nameField);
  SendMessageW(f.w.nameField, EM_SETSEL, 0, -1);
  SendMessageW(f.w.nameField, WM_CLEAR, 0, 0);
  struct Case {
    const wchar_t* typed;
    const wchar_t* kept;
  };
  const Case cases[] = {
      {L"\u0151", L""},                    // ő
      {L"\u0141\u00F3d\u017A", L"\u00F3d"},  // Łódź: ó is Windows-1252
      {L"\U0001F600", L""},                // outside the basic plane: two halves, both refused
      {L"\u20AC \u00FF \u0178", L"\u20AC \u00FF \u0178"},  // € ÿ Ÿ are Windows-1252
  };
  for (const Case& c : cases) {
    CAPTURE(std::string(reinterpret_cast<const char*>(c.typed), wcslen(c.typed) * 2));
    SendMessageW(f.w.nameField, EM_SETSEL, 0, -1);
    SendMessageW(f.w.nameField, WM_CLEAR, 0, 0);
    Type(f.w.nameField, c.typed);
    f.Turns();
    CHECK(WideText(f.w.nameField) == c.kept);
  }

  SendMessageW(f.w.nameField, EM_SETSEL, 0, -1);
  Paste(f.w.nameField, L"\u0141\u00F3d\u017A");
  f.Turns();
  REQUIRE(WideText(f.w.nameField) == L"\u0141\u00F3d\u017A");
  CHECK(GetFieldText(kNameField) == ";\xF3" "d;");
  CHECK_FALSE(ApplyAvailable());
  PressKey(VK_RETURN, kNoModifier, [&](const Event& e) { RunTurn(f.state, e); });
  CHECK(f.state.table.slots[1].name == "M\xFCller Hans, K\xF6ln");
  CHECK(WideCell(f.w.list, 1, kNameColumn) == L"M\u00FCller Hans, K\u00F6ln");
  CHECK_FALSE(f.state.modified);
}

TEST_CASE("code page: the closing prompt reads as the German text") {
  LoadedWindow f;
  f.state.modified = true;
  AnsweredDialogs answers({Press(IDNO)});
  AskToSave(f.state);
  REQUIRE(answers.Texts().size() == 1);
  CHECK(answers.Texts()[0].rfind(L"\u00C4nderungen speichern", 0) == 0);
  CHECK(f.SavedFile() == f.original);
}

namespace {
const std::wstring kRefusedPathText =
    L"Der Pfad der gew\u00E4hlten Datei enth\u00E4lt Zeichen, die Rufdepot nicht speichern kann.\r\n\r\n"
    L"Ordner- und Dateinamen d\u00FCrfen nur Zeichen des westeurop\u00E4ischen Zeichensatzes "
    L"(Windows-1252) enthalten. Bitte eine andere Datei w\u00E4hlen oder den Ordner umbenennen.";

// The first start in a working folder of its own: a speed-dial file in a
// folder Windows-1252 cannot name, and one in a folder with umlauts.
struct FirstStartFolders {
  UmlautFolder work;
  std::filesystem::path before;
  std::filesystem::path unnamable;
  std::string speedDial = "100;0711 1;Anna\r\n101;0711 2;B\xE4" "ckerei\r\n";
  FirstStartFolders() {
    before = std::filesystem::current_path();
    std::filesystem::current_path(work.root);
    unnamable = work.root / L"\u0141\u00F3d\u017A";
    std::filesystem::create_directories(unnamable);
    WriteAll(unnamable / L"Default.kw", speedDial);
    WriteAll(work.root / L"Default.kw", speedDial);
  }
  ~FirstStartFolders() { std::filesystem::current_path(before); }
};
}  // namespace

TEST_CASE("code page: a chosen path Windows-1252 cannot hold is refused with a message, and the dialog asks again") {
  FirstStartFolders folders;
  const std::wstring refused = (folders.unnamable / L"Default.kw").wstring();
  ProgramState state;

  SUBCASE("cancelled afterwards: nothing is stored") {
    AnsweredDialogs answers({Press(IDOK), Choose(refused), Press(IDOK), Press(IDCANCEL)});
    CHECK_FALSE(FirstStart(state));
    REQUIRE(answers.Texts().size() == 4);
    CHECK(answers.Texts()[0].find(L"Bitte w\u00E4hlen Sie die Datei aus und best\u00E4tigen") != std::wstring::npos);
    CHECK(answers.Texts()[0].find(L"(\u00FCber WordPad)") != std::wstring::npos);
    CHECK(answers.Texts()[2] == kRefusedPathText);
    CHECK_FALSE(std::filesystem::exists(folders.work.root / L"Rufdepot.ini"));
  }
  SUBCASE("another file chosen afterwards: its path is stored exactly") {
    const std::wstring chosen = (folders.work.root / L"Default.kw").wstring();
    AnsweredDialogs answers({Press(IDOK), Choose(refused), Press(IDOK), Choose(chosen)});
    CHECK(FirstStart(state));
    REQUIRE(answers.Texts().size() == 4);
    CHECK(answers.Texts()[2] == kRefusedPathText);
    CHECK(state.speedDialFolder == folders.work.Folder());
    CHECK(ReadAll(folders.work.root / L"Rufdepot.ini") == folders.work.Folder() + "\r\nDefault.kw\r\n");
  }
  // Neither file was touched.
  CHECK(ReadAll(folders.unnamable / L"Default.kw") == folders.speedDial);
  CHECK(ReadAll(folders.work.root / L"Default.kw") == folders.speedDial);
}
