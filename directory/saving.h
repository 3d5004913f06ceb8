// Saving with a dated backup copy, and the closing prompt.
#pragma once
#include "directory/program_state.h"

// The new value of the modified flag: false when the file was rewritten.
bool SaveDirectory(ProgramState& state);
enum class ClosingOutcome { End, Stay };
// Closing step: asks while unsaved changes exist, with Ja, Nein, Abbrechen;
// Stay when the user went back to the window.
ClosingOutcome AskToSave(ProgramState& state);
// Before another file replaces the table: the closing question while unsaved
// changes exist. True when the table may go: nothing unsaved, saved with Ja,
// or Nein (the flag stays set until the table is replaced). False after
// Abbrechen or a failed save; the changes are kept.
bool MayReplaceTable(ProgramState& state);
