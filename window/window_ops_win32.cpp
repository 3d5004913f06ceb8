// The window operations of the core on the real controls.
#include "directory/window_ops.h"

#include <vector>
#include <windows.h>
#include <commctrl.h>
#include "window/event_wait.h"
#include "system/wide_text.h"
#include "window/main_window.h"
#include "window/startup_trace.h"

namespace {
// What a character stands for that Windows-1252 cannot hold: the field
// separator, which the core never takes over into an entry.
constexpr char kRefusedCharacter = ';';

HWND List() { return TheMainWindow().list; }

void SetCell(int row, int column, const std::string& text) {
  std::wstring wide = Widen(text);
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = wide.data();
  SendMessageW(List(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}
}  // namespace

void AddListRow(const std::string& text) {
  const int64_t begin = TraceClock();
  size_t end = text.find('\n');
  std::wstring first = Widen(text.substr(0, end));
  LVITEMW item = {};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = ListRowCount();
  item.pszText = first.data();
  int row = static_cast<int>(SendMessageW(List(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (row < 0) return;
  for (int column = 1; end != std::string::npos; ++column) {
    size_t start = end + 1;
    end = text.find('\n', start);
    SetCell(row, column, text.substr(start, end == std::string::npos ? end : end - start));
  }
  TraceAddSince("load_and_rows.of_which_adding_rows", begin);
}

void SetListCell(int row, int column, const std::string& text) {
  if (row < 0 || row >= ListRowCount()) return;
  SetCell(row, column, text);
}

void SelectListRow(int row) {
  if (row < 0 || row >= ListRowCount()) return;  // -1 would select every row
  SelectListRowQuietly(List(), row, LVIS_SELECTED | LVIS_FOCUSED);
}

int ListRowCount() { return static_cast<int>(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0)); }

bool IsRowSelected(int row) {
  return (SendMessageW(List(), LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

std::string GetFieldText(int id) {
  HWND field = ControlWindow(id);
  if (!field) return {};
  int length = GetWindowTextLengthW(field);
  std::vector<wchar_t> buffer(length + 1);
  int got = GetWindowTextW(field, buffer.data(), length + 1);
  // A pasted character the file cannot hold reads as the field separator,
  // which the core never takes over.
  return NarrowReplacing(std::wstring(buffer.data(), got > 0 ? got : 0), kRefusedCharacter);
}

void SetFieldText(int id, const std::string& text) {
  HWND field = ControlWindow(id);
  if (field) SetWindowTextW(field, Widen(text).c_str());
}

void EnableButton(int id, bool enabled) {
  SendMessageW(TheMainWindow().toolbar, TB_ENABLEBUTTON, id, MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

void SetStatusText(const std::string& text) {
  // A leading TAB centres the text in its part.
  std::wstring centred = L"\t" + Widen(text);
  SendMessageW(TheMainWindow().statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(centred.c_str()));
}

void ClearList() { SendMessageW(List(), LVM_DELETEALLITEMS, 0, 0); }

void ShowListRow(int row) { SendMessageW(List(), LVM_ENSUREVISIBLE, row, FALSE); }

std::string DroppedFilePath() { return TheMainWindow().droppedFile; }
