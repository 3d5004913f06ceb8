// Editing the entries: selection, availability, moving, clearing, applying.
#pragma once
#include "directory/program_state.h"

// Turn step: computes moveBlocked and editIncomplete, enables the buttons.
void RefreshAvailability(ProgramState& state);
// Selection step: the selected row becomes the current slot; fields show it.
void SelectCurrentSlot(ProgramState& state);
// Moves number and name one position (direction -1 or +1), stepping over a
// pinned entry; returns the slot they now stand in, or slot when refused.
int MoveEntry(ProgramState& state, int slot, int direction);
void ClearEntry(ProgramState& state);
void ApplyEntry(ProgramState& state);
