#include "window/find_dialog.h"

#include <commdlg.h>
#include <string>
#include "directory/window_ops.h"
#include "system/system_library.h"
#include "system/wide_text.h"
#include "window/main_window.h"

namespace {
constexpr int kFindTextSize = 128;
// Always down, always without regard to case, parts of words too: the
// dialog offers none of these choices.
constexpr DWORD kFindFlags = FR_DOWN | FR_HIDEUPDOWN | FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD;

// The dialog reads and writes its request while it is open: it must stay put.
struct FindState {
  HWND dialog = nullptr;
  FINDREPLACEW request = {};
  wchar_t text[kFindTextSize] = {};
  bool used = false;  // a search was asked for at least once
};

FindState& Find() {
  static FindState find;
  return find;
}
}  // namespace

UINT FindDialogMessage() {
  static const UINT message = RegisterWindowMessageW(FINDMSGSTRINGW);
  return message;
}

bool HandledByFindDialog(MSG& msg) {
  HWND dialog = Find().dialog;
  return dialog && IsDialogMessageW(dialog, &msg);
}

FindReport OnFindDialogMessage(LPARAM lParam) {
  const FINDREPLACEW* request = reinterpret_cast<const FINDREPLACEW*>(lParam);
  if (request != &Find().request) return FindReport::Other;
  if (request->Flags & FR_DIALOGTERM) {
    Find().dialog = nullptr;
    return FindReport::Closed;
  }
  if (request->Flags & FR_FINDNEXT) {
    Find().used = true;
    return FindReport::FindNext;
  }
  return FindReport::Other;
}

void CloseFindDialog() {
  FindState& find = Find();
  if (find.dialog) DestroyWindow(find.dialog);
  find.dialog = nullptr;
}

void OpenFindDialog() {
  FindState& find = Find();
  if (find.dialog) {
    SetActiveWindow(find.dialog);
    return;
  }
  find.request = {};
  find.request.lStructSize = sizeof find.request;
  find.request.hwndOwner = TheMainWindow().window;
  find.request.lpstrFindWhat = find.text;
  find.request.wFindWhatLen = kFindTextSize;
  find.request.Flags = kFindFlags;
  auto* findText = SystemFunction<decltype(FindTextW)>(SystemLibrary::CommonDialogs, "FindTextW");
  find.dialog = findText ? findText(&find.request) : nullptr;
}

std::string FindDialogText() {
  const FindState& find = Find();
  if (!find.used) return {};
  return NarrowReplacing(std::wstring(find.text, wcsnlen(find.text, kFindTextSize)), ';');
}
