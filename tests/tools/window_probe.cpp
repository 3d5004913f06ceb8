// Looks at a running program's main window from outside, with the
// platform's own messages, for the end-to-end tests and the start-up
// benchmark. Commands run in order; the first that fails ends the probe
// with exit code 1.
//   --title TEXT      the main window's title (default: Rufdepot's)
//   wait-rows N       waits (up to 60 s) until the list (id 6) holds N rows
//   rows              prints the number of rows
//   cell ROW COLUMN   prints the text of a list cell
//   field ID          prints the text of an edit field (1, 3 or 5)
//   button ID         prints 1 when toolbar button ID is enabled, else 0
//   button-centre ID  prints the centre of toolbar button ID, "x y" in the
//                     main window's client coordinates
//   tip               prints the text of the program's tooltip on screen
//   box               prints the text of the program's open message box
//   no-box            fails when the program shows a message box
//   code-page         prints the system's ANSI code page, as this probe runs
//                     (texts print in that code page)
//   close             asks the main window to close
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
std::string title = "Tarvo's ETS2106 Kurzwahlnummern verwalten";

struct Search {
  bool wantBox;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
  Search& search = *reinterpret_cast<Search*>(data);
  char text[512] = "", className[64] = "";
  GetWindowTextA(window, text, sizeof text);
  GetClassNameA(window, className, sizeof className);
  const bool isBox = std::string(className) == "#32770";
  if (IsWindowVisible(window) && title == text && isBox == search.wantBox) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindTopLevel(bool wantBox) {
  Search search{wantBox, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND MainWindow() { return FindTopLevel(false); }

// By class: the toolbar's negative id does not survive GetDlgItem's int.
HWND Toolbar(HWND window) { return FindWindowExA(window, nullptr, TOOLBARCLASSNAMEA, nullptr); }

// A list cell lives in the other process: the item structure and the text
// buffer go into that process's memory.
std::string CellText(HWND list, int row, int column) {
  DWORD processId = 0;
  GetWindowThreadProcessId(list, &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (!process) return {};
  constexpr SIZE_T kTextSize = 1024;
  char* remote = static_cast<char*>(
      VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + kTextSize, MEM_COMMIT, PAGE_READWRITE));
  std::string result;
  if (remote) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = remote + sizeof(LVITEMA);
    item.cchTextMax = kTextSize;
    WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote));
    char text[kTextSize] = "";
    ReadProcessMemory(process, remote + sizeof(LVITEMA), text, kTextSize - 1, nullptr);
    result = text;
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return result;
}

// The rectangle a toolbar button takes, asked for through the other
// process's memory, in the main window's client coordinates.
bool ButtonRect(HWND window, int id, RECT& rect) {
  HWND toolbar = Toolbar(window);
  const LRESULT index = SendMessageA(toolbar, TB_COMMANDTOINDEX, id, 0);
  if (index < 0) return false;
  DWORD processId = 0;
  GetWindowThreadProcessId(toolbar, &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (!process) return false;
  void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
  bool got = remote && SendMessageA(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote)) &&
             ReadProcessMemory(process, remote, &rect, sizeof rect, nullptr);
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  if (got) MapWindowPoints(toolbar, window, reinterpret_cast<POINT*>(&rect), 2);
  return got;
}

struct TipSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK MatchTip(HWND window, LPARAM data) {
  TipSearch& search = *reinterpret_cast<TipSearch*>(data);
  char className[64] = "";
  GetClassNameA(window, className, sizeof className);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (IsWindowVisible(window) && processId == search.processId && std::string(className) == "tooltips_class32") {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

std::string WindowText(HWND window) {
  char text[4096] = "";
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

bool Fail(const char* what) {
  std::fprintf(stderr, "window_probe: %s\n", what);
  return false;
}

bool Run(int argc, char** argv, int& i) {
  const std::string command = argv[i++];
  auto argument = [&](int fallback) { return i < argc ? std::atoi(argv[i++]) : fallback; };
  if (command == "--title") {
    if (i < argc) title = argv[i++];
    return true;
  }
  HWND window = MainWindow();
  if (command == "wait-rows") {
    const int wanted = argument(1);
    for (DWORD start = GetTickCount(); GetTickCount() - start < 60000; Sleep(5)) {
      window = MainWindow();
      if (window && SendMessageA(GetDlgItem(window, 6), LVM_GETITEMCOUNT, 0, 0) >= wanted) return true;
    }
    return Fail("the rows did not appear");
  }
  if (command == "box") {
    HWND box = FindTopLevel(true);
    if (!box) return Fail("no message box");
    std::printf("%s\n", WindowText(GetDlgItem(box, 0xFFFF)).c_str());
    return true;
  }
  if (command == "code-page") {
    std::printf("%u\n", GetACP());
    return true;
  }
  if (command == "no-box") return FindTopLevel(true) ? Fail("a message box is open") : true;
  if (!window) return Fail("no main window");
  if (command == "rows") {
    std::printf("%d\n", static_cast<int>(SendMessageA(GetDlgItem(window, 6), LVM_GETITEMCOUNT, 0, 0)));
  } else if (command == "cell") {
    const int row = argument(0), column = argument(0);
    std::printf("%s\n", CellText(GetDlgItem(window, 6), row, column).c_str());
  } else if (command == "field") {
    std::printf("%s\n", WindowText(GetDlgItem(window, argument(3))).c_str());
  } else if (command == "button") {
    std::printf("%d\n", SendMessageA(Toolbar(window), TB_ISBUTTONENABLED, argument(0), 0) ? 1 : 0);
  } else if (command == "button-centre") {
    RECT r;
    if (!ButtonRect(window, argument(0), r)) return Fail("no such button");
    std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  } else if (command == "tip") {
    TipSearch search{0, nullptr};
    GetWindowThreadProcessId(window, &search.processId);
    EnumWindows(MatchTip, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return Fail("no tip on screen");
    std::printf("%s\n", WindowText(search.found).c_str());
  } else if (command == "close") {
    PostMessageA(window, WM_CLOSE, 0, 0);
  } else {
    return Fail("unknown command");
  }
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc;)
    if (!Run(argc, argv, i)) return 1;
  return 0;
}
