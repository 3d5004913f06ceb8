#include "directory/entry_table.h"

#include "directory/program_state.h"
#include "text/text.h"

int SlotOfIndex(std::string_view indexText) {
  // Unsigned steps keep the wrap-around of the 32-bit arithmetic defined.
  uint32_t value = static_cast<uint32_t>(ParseNumber(indexText));
  if (static_cast<int32_t>(value) > 1000) value -= 1000;
  return static_cast<int32_t>(value - 100u);
}

bool IsFileSlot(int slot) { return slot >= 0 && slot < kFileSlotCount; }
