// Editing the entries. Every change goes to the table slot and to the list
// row of the same number together, so that row r keeps showing slot r.
#include "directory/editing.h"

#include <string>
#include <utility>

#include "directory/commands.h"
#include "directory/undo.h"
#include "directory/window_ops.h"
#include "text/text.h"

namespace {
// Pinned entries (1100..1300) never move; moves step over them.
constexpr int kPinnedAbove = 1000;
// The same entries as seen by the availability of moving.
constexpr int kMoveBlockedAbove = 999;

// A slot that operations may touch: inside the table and shown by a row.
// A slot without a row would take edits that nobody sees and no save writes.
bool HasRow(int slot) { return IsTableSlot(slot) && slot < ListRowCount(); }

int IndexValue(const DialEntry& entry) { return ParseNumber(entry.index); }

bool IsPinned(const DialEntry& entry) { return IndexValue(entry) > kPinnedAbove; }

// A ';' would split the entry's line when the saved file is loaded again.
bool HoldsSeparator(const std::string& text) { return text.find(';') != std::string::npos; }

struct FieldState {
  bool incomplete;  // a field is empty
  bool separator;   // a field holds a ';'
};

FieldState ReadFieldState() {
  const std::string number = GetFieldText(kNumberField);
  if (number.empty()) return {true, false};
  const std::string name = GetFieldText(kNameField);
  return {name.empty(), HoldsSeparator(number) || HoldsSeparator(name)};
}

// Return has nothing to take over with an empty field, a ';' or no row.
bool ApplyBlocked(const ProgramState& state, const FieldState& fields) {
  return fields.incomplete || fields.separator || !HasRow(state.currentSlot);
}

bool ComputeMoveBlocked(const ProgramState& state) {
  if (!HasRow(state.currentSlot)) return true;
  const DialEntry& entry = state.table.slots[state.currentSlot];
  return entry.number.empty() || IndexValue(entry) > kMoveBlockedAbove;
}

void ShowEntryCells(const ProgramState& state, int slot) {
  const DialEntry& entry = state.table.slots[slot];
  SetListCell(slot, kNumberColumn, entry.number);
  SetListCell(slot, kNameColumn, entry.name);
}

// The slot a move from s in direction d lands in, or s when it is refused:
// the target must be a row, and a single step over a pinned entry must not
// land on another pinned entry or leave the list.
int MoveTarget(const ProgramState& state, int s, int d) {
  int t = s + d;
  if (!HasRow(t)) return s;
  if (!IsPinned(state.table.slots[t])) return t;
  t += d;
  if (!HasRow(t) || IsPinned(state.table.slots[t])) return s;
  return t;
}
}  // namespace

void RefreshAvailability(ProgramState& state) {
  EnableButton(kCmdSave, state.modified);
  const FieldState fields = ReadFieldState();
  state.editIncomplete = fields.incomplete || !HasRow(state.currentSlot);
  state.applyBlocked = ApplyBlocked(state, fields);
  EnableButton(kCmdApply, !state.applyBlocked);
  EnableButton(kCmdClear, !state.editIncomplete);
  state.moveBlocked = ComputeMoveBlocked(state);
  EnableButton(kCmdMoveUp, !state.moveBlocked);
  EnableButton(kCmdMoveDown, !state.moveBlocked);
}

void SelectCurrentSlot(ProgramState& state) {
  int rows = ListRowCount();
  int r = 0;
  while (r < rows && !IsRowSelected(r)) ++r;
  state.currentSlot = r;
  // With a row for the spare slot too, no selection names no slot at all:
  // the fields then show nothing, and every editing command is unavailable.
  ShowEntryFields(state, r);
}

void ShowEntryFields(const ProgramState& state, int slot) {
  const DialEntry none;
  const DialEntry& entry = IsTableSlot(slot) ? state.table.slots[slot] : none;
  SetFieldText(kIndexField, entry.index);
  SetFieldText(kNumberField, entry.number);
  SetFieldText(kNameField, entry.name);
}

int MoveEntry(ProgramState& state, int slot, int direction) {
  if (direction != -1 && direction != +1) return slot;
  if (!HasRow(slot)) return slot;
  DialEntry& from = state.table.slots[slot];
  if (IsPinned(from) || from.number.empty()) return slot;
  int target = MoveTarget(state, slot, direction);
  if (target == slot) return slot;
  RecordUndoStep(state);
  DialEntry& to = state.table.slots[target];
  std::swap(from.number, to.number);
  std::swap(from.name, to.name);
  ShowEntryCells(state, target);
  ShowEntryCells(state, slot);
  SelectListRow(target);
  SetFieldText(kIndexField, to.index);
  return target;
}

void ClearEntry(ProgramState& state) {
  int c = state.currentSlot;
  if (!HasRow(c)) return;
  RecordUndoStep(state);
  DialEntry& entry = state.table.slots[c];
  SetFieldText(kNumberField, "");
  entry.number.clear();
  SetListCell(c, kNumberColumn, "");
  SetFieldText(kNameField, "");
  entry.name.clear();
  SetListCell(c, kNameColumn, "");
  state.modified = true;
}

void ApplyEntry(ProgramState& state) {
  int c = state.currentSlot;
  if (!HasRow(c)) return;
  std::string number = GetFieldText(kNumberField);
  std::string name = GetFieldText(kNameField);
  if (HoldsSeparator(number) || HoldsSeparator(name)) return;
  DialEntry& entry = state.table.slots[c];
  if (SameText(entry.number, number) && SameText(entry.name, name)) return;
  RecordUndoStep(state);
  entry.number = number;
  SetListCell(c, kNumberColumn, entry.number);
  entry.name = name;
  SetListCell(c, kNameColumn, entry.name);
  state.modified = true;
}

void TakeOverTyping(ProgramState& state) {
  if (!ApplyBlocked(state, ReadFieldState())) ApplyEntry(state);
}

void SelectWithTakeOver(ProgramState& state) {
  TakeOverTyping(state);
  SelectCurrentSlot(state);
}
