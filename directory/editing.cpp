// Placeholder until entry editing is built.
#include "directory/editing.h"

void RefreshAvailability(ProgramState&) {}
void SelectCurrentSlot(ProgramState&) {}
int MoveEntry(ProgramState&, int slot, int) { return slot; }
void ClearEntry(ProgramState&) {}
void ApplyEntry(ProgramState&) {}
