#include "directory/finding.h"

#include "directory/dialogs.h"
#include "directory/editing.h"
#include "directory/window_ops.h"
#include "text/find_match.h"

int FindRow(const ProgramState& state, const std::string& text) {
  const int rows = ListRowCount();
  if (rows <= 0) return -1;
  const int start = state.currentSlot + 1;
  for (int i = 0; i < rows; ++i) {
    const int row = (start + i) % rows;
    if (!IsTableSlot(row)) continue;
    const DialEntry& entry = state.table.slots[row];
    if (ContainsFolded(entry.number, text) || ContainsFolded(entry.name, text)) return row;
  }
  return -1;
}

std::string NotFoundText(const std::string& text) {
  return "\x84" + text + "\x93 wurde nicht gefunden.";
}

void OpenFind(ProgramState&) { OpenFindDialog(); }

void FindNext(ProgramState& state) {
  const std::string text = FindDialogText();
  if (text.empty()) return OpenFindDialog();
  // The search reads the table: typing on the entry left is taken over first.
  TakeOverTyping(state);
  const int row = FindRow(state, text);
  if (row < 0) {
    ShowMessage(kWindowTitle, NotFoundText(text), kMbIconInformation);
    return;
  }
  SelectListRow(row);
  ShowListRow(row);
  SelectCurrentSlot(state);
}
