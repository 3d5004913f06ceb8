// Editing the entries: selection, availability, moving, clearing, applying.
// Only a current slot that a list row shows can be moved, cleared or applied
// to; a slot without a row would hold edits nobody sees and no save writes.
#pragma once
#include "directory/program_state.h"

// Turn step: computes moveBlocked, editIncomplete and applyBlocked, enables
// the buttons. Clearing is unavailable while a field is empty; applying also
// while a field holds a ';'.
void RefreshAvailability(ProgramState& state);
// Selection step: the selected row becomes the current slot; fields show it.
// With no row selected the current slot is the row count; when that is no
// slot of the table (a row for the spare slot too) the fields show nothing.
void SelectCurrentSlot(ProgramState& state);
// The index, number and name of slot in the fields; empty for no slot.
void ShowEntryFields(const ProgramState& state, int slot);
// Moves number and name one position (direction -1 or +1), stepping over a
// pinned entry; returns the slot they now stand in, or slot when refused.
// Refused: a pinned or numberless entry, a target that is no row, a step over
// a pinned entry onto another pinned entry or out of the list.
int MoveEntry(ProgramState& state, int slot, int direction);
void ClearEntry(ProgramState& state);
// Copies both fields into the current slot when either differs; never a ';'.
void ApplyEntry(ProgramState& state);
// What Return does, when applying is available: typed changes are taken
// over before anything leaves the entry or reads the table, so none is lost.
void TakeOverTyping(ProgramState& state);
// The selection step after the typing on the entry it leaves is taken over.
void SelectWithTakeOver(ProgramState& state);
