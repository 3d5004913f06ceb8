// Saving with a dated backup copy, and the closing prompt.
#pragma once
#include "directory/program_state.h"

// The new value of the modified flag: false when the file was rewritten.
bool SaveDirectory(ProgramState& state);
// Closing step: asks while unsaved changes exist.
void AskToSave(ProgramState& state);
