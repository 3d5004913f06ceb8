// Finding an entry by a piece of its number or name (Ctrl+F, F3).
#pragma once
#include <string>
#include "directory/program_state.h"

// The row of the next entry whose number or name holds text (A-Z and
// umlauts in either case): from the row after the current slot on,
// wrapping around to the current slot itself; -1 when none does.
int FindRow(const ProgramState& state, const std::string& text);
// The message of a search without a hit.
std::string NotFoundText(const std::string& text);
// Ctrl+F: the find dialog.
void OpenFind(ProgramState& state);
// F3 and the dialog's "Find Next": the next hit is selected, shown and
// taken as a click would take it; without a text yet, the dialog opens.
void FindNext(ProgramState& state);
