// Command ids of the toolbar buttons and keyboard shortcuts, and the command
// table that maps each to its operation.
#pragma once
#include "directory/program_state.h"

enum CommandId : int {
  kCmdMoveUp = 0,
  kCmdMoveDown = 1,
  kCmdClear = 2,
  kCmdApply = 3,
  kCmdListing = 4,
  kCmdSave = 5,
  kKeyUp = 1037,
  kKeyDown = 1039,
  kKeyReturn = 1012,
  kKeyDelete = 1045,
  kKeyPrint = 1079,
  kKeySave = 1082,
  kKeyUndo = 1089,
  kKeyOpen = 1078,
  kKeyFind = 1069,
  kKeyFindNext = 1113,  // F3, and the find dialog's "Find Next"
  kKeyHelp = 1111,
  kDroppedFile = 1300,  // a file dropped on the window
  kKeyTab = 1212,
  kKeyShiftTab = 1213,
};

// Runs the row of the command table for id; an id without a row, or a
// guarded shortcut whose command is unavailable, does nothing.
void RunCommand(ProgramState& state, int commandId);
