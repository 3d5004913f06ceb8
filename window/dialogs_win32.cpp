// The two modal dialogs on Win32: the message box and the open-file dialog.
// While one is open, the thread's other windows are disabled so that no
// command can start underneath it.
#include <windows.h>
#include <commdlg.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>
#include "directory/dialogs.h"
#include "system/system_library.h"
#include "system/wide_text.h"

namespace {
constexpr size_t kFileBufferSize = 260;
constexpr DWORD kOpenFileFlags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
static_assert(kOpenFileFlags == 0x8080C);
#ifndef _WIN64
// The older layout ends with lpTemplateName: 76 bytes on 32-bit Windows.
static_assert(offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR) == 76);
#endif

// The windows one dialog disabled, with the thread that did it; only that
// thread enables them again. Held per call, so a dialog opened while
// another is showing gives back only what it took itself.
struct DisabledWindows {
  DWORD thread = 0;
  HWND foreground = nullptr;
  std::vector<HWND> windows;
};

BOOL CALLBACK DisableIfOurs(HWND window, LPARAM context) {
  auto* disabled = reinterpret_cast<DisabledWindows*>(context);
  if (GetWindowThreadProcessId(window, nullptr) == disabled->thread && IsWindowVisible(window) &&
      IsWindowEnabled(window) && window != disabled->foreground) {
    EnableWindow(window, FALSE);
    disabled->windows.push_back(window);
  }
  return TRUE;
}

DisabledWindows DisableThreadWindows() {
  DisabledWindows disabled;
  disabled.thread = GetCurrentThreadId();
  disabled.foreground = GetForegroundWindow();
  EnumWindows(DisableIfOurs, reinterpret_cast<LPARAM>(&disabled));
  return disabled;
}

void EnableAgain(DisabledWindows& disabled) {
  if (disabled.thread != GetCurrentThreadId()) return;
  for (HWND window : disabled.windows) EnableWindow(window, TRUE);
  disabled.windows.clear();
}

// The foreground window when it is one of this process's, else none.
HWND DialogOwner() {
  HWND foreground = GetForegroundWindow();
  if (!foreground) return nullptr;
  DWORD process = 0;
  GetWindowThreadProcessId(foreground, &process);
  return process == GetCurrentProcessId() ? foreground : nullptr;
}

// "|" separates description and pattern; the list ends in two NULs.
std::string FilterOf(const std::string& pattern) {
  std::string filter = pattern;
  for (char& c : filter)
    if (c == '|') c = '\0';
  filter.append(2, '\0');
  return filter;
}

bool UsableFileName(const std::string& name) {
  if (name.empty() || name.size() >= kFileBufferSize) return false;
  for (unsigned char c : name)
    if (c < 32 || std::strchr("\"*/:<>?\\|", c)) return false;
  return true;
}

struct InitialChoice {
  std::string fileName;  // empty: the field starts empty
  std::string folder;    // empty: where the platform's dialog starts
};

InitialChoice InitialChoiceOf(const std::string& defaultName) {
  InitialChoice choice;
  size_t last = defaultName.rfind('\\');
  if (last != std::string::npos && last > 0) {
    choice.fileName = defaultName.substr(last + 1);
    choice.folder = defaultName.substr(0, last);
  } else {
    choice.fileName = defaultName;
  }
  if (!UsableFileName(choice.fileName)) choice.fileName.clear();
  return choice;
}
}  // namespace

int ShowMessage(const std::string& title, const std::string& text, unsigned style) {
  DisabledWindows disabled = DisableThreadWindows();
  HWND owner = DialogOwner();
  int answer = MessageBoxW(owner, Widen(text).c_str(), Widen(title).c_str(), style);
  EnableAgain(disabled);
  return answer;
}

namespace {
// One showing of the dialog: the chosen path as UTF-16, or empty.
std::wstring ChooseFile(const std::wstring& title, const std::wstring& filter, DWORD filterIndex,
                        const InitialChoice& initial) {
  wchar_t file[kFileBufferSize] = {};
  const std::wstring initialName = Widen(initial.fileName);
  const std::wstring initialFolder = Widen(initial.folder);
  initialName.copy(file, kFileBufferSize - 1);

  DisabledWindows disabled = DisableThreadWindows();
  OPENFILENAMEW dialog {};
  // The older layout, without the fields later versions added at its end.
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  dialog.hwndOwner = DialogOwner();
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = filterIndex;
  dialog.lpstrFile = file;
  dialog.nMaxFile = kFileBufferSize;
  dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
  dialog.lpstrTitle = title.c_str();
  dialog.Flags = kOpenFileFlags;
  auto* openFile = SystemFunction<decltype(GetOpenFileNameW)>(SystemLibrary::CommonDialogs, "GetOpenFileNameW");
  const BOOL chosen = openFile && openFile(&dialog);
  EnableAgain(disabled);

  // A path too long for the buffer fails the dialog and reads as cancelled.
  if (!chosen) return {};
  return std::wstring(file, wcsnlen(file, kFileBufferSize));
}
}  // namespace

std::string ShowOpenFileDialog(const std::string& title, const std::string& defaultName,
                               const std::string& pattern, int patternPosition) {
  const std::wstring filter = Widen(FilterOf(pattern));
  const std::wstring wideTitle = Widen(title);
  const InitialChoice initial = InitialChoiceOf(defaultName);
  const DWORD filterIndex = static_cast<DWORD>(patternPosition) + 1;
  // Until the user chooses a path that Windows-1252 can hold, or cancels.
  for (;;) {
    const std::wstring chosen = ChooseFile(wideTitle, filter, filterIndex, initial);
    std::string path;
    if (chosen.empty() || Narrow(chosen, path)) return path;
    ShowMessage(title, kUnrepresentablePath, MB_ICONERROR);
  }
}
