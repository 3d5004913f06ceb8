// Undoing changes to the table one at a time: every move, clear and apply
// (also the take-over of typing) notes the table before it.
#pragma once
#include "directory/program_state.h"

// At most this many changes are kept; the oldest go first.
constexpr int kUndoDepth = 256;

// Called by each change before it alters the table.
void RecordUndoStep(ProgramState& state);
// The table as it was before the last change, with its rows, the current
// slot, its selection and the fields showing its entry; the modified flag
// says whether the file on disk differs. False when there is nothing to undo.
bool UndoLastChange(ProgramState& state);
// The table now is what the file on disk holds (after a save).
void MarkSaved(ProgramState& state);
// A fresh history for a table just loaded.
void ForgetUndoSteps(ProgramState& state);
