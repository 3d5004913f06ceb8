#pragma once
#include <string_view>

// Slot named by an index text: 100..299 and 1100..1299 give 0..199; 300 and
// 1300 the spare slot; everything else lies outside the table.
int SlotOfIndex(std::string_view indexText);
// Slots of the speed-dial file that a line may fill (0..199).
bool IsFileSlot(int slot);
