// Saving with a dated backup copy, and the closing prompt.
#pragma once
#include "directory/program_state.h"

// The new value of the modified flag: false when the file was rewritten.
bool SaveDirectory(ProgramState& state);
enum class ClosingOutcome { End, Stay };
// Closing step: asks while unsaved changes exist, with Ja, Nein, Abbrechen;
// Stay when the user went back to the window.
ClosingOutcome AskToSave(ProgramState& state);
