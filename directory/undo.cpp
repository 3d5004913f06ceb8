#include "directory/undo.h"

#include "directory/editing.h"
#include "directory/window_ops.h"

namespace {
int Depth(const ProgramState& state) { return static_cast<int>(state.undo.steps.size()); }

void ShowRestoredRows(const DialTable& before, const DialTable& now) {
  const int rows = ListRowCount();
  for (int r = 0; r < rows && r < kSlotCount; ++r) {
    const DialEntry& a = before.slots[r];
    const DialEntry& b = now.slots[r];
    if (a.index != b.index) SetListCell(r, kIndexColumn, b.index);
    if (a.number != b.number) SetListCell(r, kNumberColumn, b.number);
    if (a.name != b.name) SetListCell(r, kNameColumn, b.name);
  }
}
}  // namespace

void RecordUndoStep(ProgramState& state) {
  UndoHistory& undo = state.undo;
  // A change after undoing past the saved state leads away from it for good.
  if (Depth(state) < undo.savedDepth) undo.savedDepth = -1;
  if (Depth(state) >= kUndoDepth) {
    undo.steps.pop_front();
    if (undo.savedDepth >= 0) --undo.savedDepth;
  }
  undo.steps.push_back({state.table, state.currentSlot});
}

bool UndoLastChange(ProgramState& state) {
  UndoHistory& undo = state.undo;
  if (undo.steps.empty()) return false;
  UndoStep step = std::move(undo.steps.back());
  undo.steps.pop_back();
  ShowRestoredRows(state.table, step.table);
  state.table = std::move(step.table);
  state.currentSlot = step.currentSlot;
  SelectListRow(state.currentSlot);
  ShowListRow(state.currentSlot);  // a chain of moves may have carried it out of view
  ShowEntryFields(state, state.currentSlot);
  state.modified = Depth(state) != undo.savedDepth;
  return true;
}

void MarkSaved(ProgramState& state) { state.undo.savedDepth = Depth(state); }

void ForgetUndoSteps(ProgramState& state) { state.undo = UndoHistory{}; }
