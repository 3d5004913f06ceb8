// The 200 lines a table must turn into on disk, built independently of the
// writer, for the saving tests on the stand-in and on the real file system.
#pragma once
#include <string>

#include "directory/program_state.h"

inline std::string ExpectedFile(const ProgramState& state) {
  std::string bytes;
  for (int slot = 0; slot < kFileSlotCount; ++slot) {
    const DialEntry& e = state.table.slots[slot];
    bytes += e.index + ";" + e.number + ";" + e.name + "\r\n";
  }
  return bytes;
}
