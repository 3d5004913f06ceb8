#include "directory/commands.h"

#include "directory/editing.h"
#include "directory/finding.h"
#include "directory/key_overview.h"
#include "directory/listing.h"
#include "directory/opening.h"
#include "directory/saving.h"
#include "directory/undo.h"

namespace {
enum class Guard { None, MoveAvailable, EditAvailable, ApplyAvailable };

struct CommandRow {
  int id;
  Guard guard;
  void (*run)(ProgramState&);
};

void MoveCurrent(ProgramState& state, int direction) {
  int moved = MoveEntry(state, state.currentSlot, direction);
  if (moved == state.currentSlot) return;
  state.modified = true;
  state.currentSlot = moved;
}

void MoveUp(ProgramState& state) { MoveCurrent(state, -1); }
void MoveDown(ProgramState& state) { MoveCurrent(state, +1); }
void Save(ProgramState& state) {
  TakeOverTyping(state);
  state.modified = SaveDirectory(state);
  if (!state.modified) MarkSaved(state);
}
// Typing not yet taken over is the last change, and the first one undone.
void Undo(ProgramState& state) {
  TakeOverTyping(state);
  UndoLastChange(state);
}
void Print(ProgramState& state) {
  TakeOverTyping(state);
  PrintListing(state);
}

// Toolbar buttons deliver no command while disabled, so only the shortcuts
// carry a guard.
constexpr CommandRow kCommandTable[] = {
    {kCmdMoveUp, Guard::None, MoveUp},
    {kCmdMoveDown, Guard::None, MoveDown},
    {kCmdClear, Guard::None, ClearEntry},
    {kCmdApply, Guard::None, ApplyEntry},
    {kCmdListing, Guard::None, Print},
    {kCmdSave, Guard::None, Save},
    {kKeyUp, Guard::MoveAvailable, MoveUp},
    {kKeyDown, Guard::MoveAvailable, MoveDown},
    {kKeyDelete, Guard::EditAvailable, ClearEntry},
    {kKeyReturn, Guard::ApplyAvailable, ApplyEntry},
    {kKeyPrint, Guard::None, Print},
    {kKeySave, Guard::None, Save},
    {kKeyUndo, Guard::None, Undo},
    {kKeyOpen, Guard::None, OpenAnotherFile},
    {kDroppedFile, Guard::None, OpenDroppedFile},
    {kKeyFind, Guard::None, OpenFind},
    {kKeyFindNext, Guard::None, FindNext},
    {kKeyHelp, Guard::None, ShowKeyOverview},
};

bool GuardHolds(const ProgramState& state, Guard guard) {
  switch (guard) {
    case Guard::MoveAvailable: return !state.moveBlocked;
    case Guard::EditAvailable: return !state.editIncomplete;
    case Guard::ApplyAvailable: return !state.applyBlocked;
    case Guard::None: return true;
  }
  return false;
}
}  // namespace

void RunCommand(ProgramState& state, int commandId) {
  for (const CommandRow& row : kCommandTable)
    if (row.id == commandId) {
      if (GuardHolds(state, row.guard)) row.run(state);
      return;
    }
}
