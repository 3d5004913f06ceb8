// The real message box and open-file dialog under Wine, answered from a
// thread timer that runs inside their modal loops.
#include <doctest/doctest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include "directory/dialogs.h"

namespace {
constexpr int kFileNameField = 0x47c;
constexpr int kFilterField = 0x470;
constexpr int kGiveUpTicks = 100;  // 5 s at 50 ms
const char kTitle[] = "Tarvo's ETS2106 Kurzwahlnummern verwalten";

std::string TextOf(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  if (ClassOf(window) == "#32770" && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindStaticText(HWND window, LPARAM found) {
  auto* text = reinterpret_cast<std::string*>(found);
  if (ClassOf(window) == "Static" && !TextOf(window).empty()) {
    *text = TextOf(window);
    return FALSE;
  }
  return TRUE;
}

// What the timer does once the thread's dialog is up; it runs until it
// has acted or given up.
struct DialogAnswer {
  std::function<void(HWND)> act;
  bool acted = false;
  int ticks = 0;
  int ticksAfter = 0;
};

DialogAnswer& TheAnswer() {
  static DialogAnswer answer;
  return answer;
}

VOID CALLBACK AnswerTick(HWND, UINT, UINT_PTR, DWORD) {
  DialogAnswer& answer = TheAnswer();
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (answer.acted) {
    // Whatever is still open long after the answer (an error box of the
    // dialog, say) is cancelled, so that a failing test cannot hang.
    if (dialog && ++answer.ticksAfter > kGiveUpTicks) {
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    return;
  }
  if (!dialog) {
    if (++answer.ticks > kGiveUpTicks) answer.acted = true;
    return;
  }
  answer.acted = true;
  answer.act(dialog);
}

// Answers the next dialog of this thread with act.
struct AnsweredDialog {
  UINT_PTR timer;
  explicit AnsweredDialog(std::function<void(HWND)> act) {
    TheAnswer() = DialogAnswer{std::move(act)};
    timer = SetTimer(nullptr, 0, 50, AnswerTick);
  }
  ~AnsweredDialog() { KillTimer(nullptr, timer); }
};

// Top-level windows of this thread, standing in for the program's own.
struct ThreadWindows {
  HWND front = nullptr;      // the foreground window: the dialog's owner
  HWND other = nullptr;      // visible and enabled: disabled meanwhile
  HWND disabled = nullptr;   // already disabled: stays so
  HWND hidden = nullptr;     // not visible: left alone

  ThreadWindows() {
    WNDCLASSA windowClass {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "RufdepotDialogTest";
    RegisterClassA(&windowClass);
    other = Make("other", 400);
    disabled = Make("disabled", 600);
    hidden = Make("hidden", 700);
    front = Make("front", 100);
    EnableWindow(disabled, FALSE);
    ShowWindow(hidden, SW_HIDE);
    SetForegroundWindow(front);
    Pump();
  }
  ~ThreadWindows() {
    for (HWND window : {front, other, disabled, hidden}) DestroyWindow(window);
  }
  static HWND Make(const char* title, int x) {
    HWND window = CreateWindowExA(0, "RufdepotDialogTest", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  x, 100, 200, 150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    REQUIRE(window != nullptr);
    return window;
  }
  static void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
};

// What was seen of the windows while a dialog was open.
struct SeenMeanwhile {
  std::string title;
  std::string text;
  HWND owner = nullptr;
  bool otherEnabled = true;
  bool disabledEnabled = true;
  bool hiddenEnabled = false;

  void Look(HWND dialog, const ThreadWindows& windows) {
    title = TextOf(dialog);
    owner = GetWindow(dialog, GW_OWNER);
    otherEnabled = IsWindowEnabled(windows.other);
    disabledEnabled = IsWindowEnabled(windows.disabled);
    hiddenEnabled = IsWindowEnabled(windows.hidden);
  }
};

void CheckThreadWindowsWhileOpen(const SeenMeanwhile& seen, const ThreadWindows& windows) {
  CHECK(seen.title == kTitle);
  CHECK(seen.owner == windows.front);
  CHECK_FALSE(seen.otherEnabled);
  CHECK_FALSE(seen.disabledEnabled);
  CHECK(seen.hiddenEnabled);
}

void CheckThreadWindowsAfterwards(const ThreadWindows& windows) {
  CHECK(IsWindowEnabled(windows.front));
  CHECK(IsWindowEnabled(windows.other));
  CHECK_FALSE(IsWindowEnabled(windows.disabled));
  CHECK(IsWindowEnabled(windows.hidden));
}

std::string CurrentDirectory() {
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  return folder;
}

// A folder of its own in the temporary folder, removed afterwards.
struct ScratchFolder {
  std::filesystem::path root;
  ScratchFolder() {
    std::error_code error;
    root = std::filesystem::temp_directory_path(error) / "rufdepot-dialog";
    std::filesystem::remove_all(root, error);
    std::filesystem::create_directories(root / "Daten", error);
  }
  ~ScratchFolder() {
    std::error_code error;
    std::filesystem::remove_all(root, error);
  }
};
}  // namespace

TEST_CASE("ShowMessage shows a real message box and returns the button pressed") {
  ThreadWindows windows;
  REQUIRE(GetForegroundWindow() == windows.front);
  SeenMeanwhile seen;
  AnsweredDialog answer([&](HWND box) {
    seen.Look(box, windows);
    EnumChildWindows(box, FindStaticText, reinterpret_cast<LPARAM>(&seen.text));
    PostMessageA(box, WM_COMMAND, IDNO, 0);
  });
  const std::string text = "\xC4nderungen speichern?";
  int result = ShowMessage(kTitle, text, kMbIconQuestion | kMbYesNo);

  CHECK(TheAnswer().acted);
  CHECK(result == kIdNo);
  CHECK(seen.text == text);
  CheckThreadWindowsWhileOpen(seen, windows);
  CheckThreadWindowsAfterwards(windows);
}

TEST_CASE("ShowOpenFileDialog returns the path typed into a real open-file dialog") {
  ScratchFolder scratch;
  ThreadWindows windows;
  REQUIRE(GetForegroundWindow() == windows.front);
  const std::string before = CurrentDirectory();
  const std::string typed = (scratch.root / "Daten" / "Default.kw").string();
  SeenMeanwhile seen;
  std::string shownName, shownFilter;

  SUBCASE("OK with a typed path, also of a file that does not exist") {
    AnsweredDialog answer([&](HWND dialog) {
      seen.Look(dialog, windows);
      shownName = TextOf(GetDlgItem(dialog, kFileNameField));
      shownFilter = TextOf(GetDlgItem(dialog, kFilterField));
      SetDlgItemTextA(dialog, kFileNameField, typed.c_str());
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    std::string result = ShowOpenFileDialog(kTitle, "Default.kw", "Kurzwahldatei (*.kw)|*.kw", 0);

    CHECK(TheAnswer().acted);
    CHECK(result == typed);
    CHECK(shownName == "Default.kw");
    CHECK(shownFilter == "Kurzwahldatei (*.kw)");
    CheckThreadWindowsWhileOpen(seen, windows);
    CheckThreadWindowsAfterwards(windows);
    CHECK(CurrentDirectory() == before);  // the working folder stays
  }
  SUBCASE("OK on an existing file in another folder leaves the current folder") {
    std::ofstream(scratch.root / "Daten" / "Default.kw") << "105;;\r\n106;;\r\n";
    AnsweredDialog answer([&](HWND dialog) {
      SetDlgItemTextA(dialog, kFileNameField, typed.c_str());
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    CHECK(ShowOpenFileDialog(kTitle, "Default.kw", "Kurzwahldatei (*.kw)|*.kw", 0) == typed);
    CHECK(CurrentDirectory() == before);
  }
  SUBCASE("Cancel returns the empty text") {
    AnsweredDialog answer([&](HWND dialog) {
      seen.Look(dialog, windows);
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    std::string result = ShowOpenFileDialog(kTitle, "Default.kw", "Kurzwahldatei (*.kw)|*.kw", 0);
    CHECK(TheAnswer().acted);
    CHECK(result.empty());
    CheckThreadWindowsWhileOpen(seen, windows);
    CheckThreadWindowsAfterwards(windows);
  }
  SUBCASE("an initial folder and name from a default name with a backslash") {
    const std::string folder = (scratch.root / "Daten").string();
    AnsweredDialog answer([&](HWND dialog) {
      shownName = TextOf(GetDlgItem(dialog, kFileNameField));
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    std::string result =
        ShowOpenFileDialog(kTitle, folder + "\\Neu.kw", "Kurzwahldatei (*.kw)|*.kw", 0);
    CHECK(shownName == "Neu.kw");
    CHECK(result == folder + "\\Neu.kw");
  }
  SUBCASE("an unusable initial name leaves the field empty") {
    AnsweredDialog answer([&](HWND dialog) {
      shownName = TextOf(GetDlgItem(dialog, kFileNameField));
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    ShowOpenFileDialog(kTitle, "*.kw", "Kurzwahldatei (*.kw)|*.kw", 0);
    CHECK(TheAnswer().acted);
    CHECK(shownName.empty());
  }
}
