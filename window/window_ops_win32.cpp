// The window operations of the core on the real controls.
#include "directory/window_ops.h"

#include <vector>
#include <windows.h>
#include <commctrl.h>
#include "window/main_window.h"
#include "window/startup_trace.h"

namespace {
HWND List() { return TheMainWindow().list; }

void SetCell(int row, int column, const std::string& text) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  SendMessageA(List(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}
}  // namespace

void AddListRow(const std::string& text) {
  const int64_t begin = TraceClock();
  size_t end = text.find('\n');
  std::string first = text.substr(0, end);
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = ListRowCount();
  item.pszText = const_cast<char*>(first.c_str());
  int row = static_cast<int>(SendMessageA(List(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
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
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(List(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

int ListRowCount() { return static_cast<int>(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0)); }

bool IsRowSelected(int row) {
  return (SendMessageA(List(), LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

std::string GetFieldText(int id) {
  HWND field = ControlWindow(id);
  if (!field) return {};
  int length = GetWindowTextLengthA(field);
  std::vector<char> buffer(length + 1);
  int got = GetWindowTextA(field, buffer.data(), length + 1);
  return std::string(buffer.data(), got > 0 ? got : 0);
}

void SetFieldText(int id, const std::string& text) {
  HWND field = ControlWindow(id);
  if (field) SetWindowTextA(field, text.c_str());
}

void EnableButton(int id, bool enabled) {
  SendMessageA(TheMainWindow().toolbar, TB_ENABLEBUTTON, id, MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

void SetStatusText(const std::string& text) {
  // A leading TAB centres the text in its part.
  std::string centred = "\t" + text;
  SendMessageA(TheMainWindow().statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(centred.c_str()));
}
