// Reading the speed-dial file into the table and writing it back.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>
#include "directory/program_state.h"
#include "directory/text_file.h"

using AddRowFn = std::function<void(const std::string& index, const std::string& number,
                                    const std::string& name)>;

constexpr size_t kMaxReportedLines = 20;

// Lines that were not taken over: not placeable in slots 0..199, or replaced
// by a later line for the same slot. Empty lines and bare ";;" are not counted.
struct LoadReport {
  std::vector<int64_t> lineNumbers;  // 1-based, the first kMaxReportedLines
  int64_t droppedCount = 0;          // all of them
  // Lines taken over whose text after a third ";" a save drops.
  std::vector<int64_t> cutLineNumbers;  // 1-based, the first kMaxReportedLines
  int64_t cutCount = 0;                 // all of them
  bool readFailed = false;           // a read error ended the file early
  bool utf8Text = false;             // the bytes are UTF-8 with umlauts or the like
};

// Fills the table, hands rows 0..highest filled slot to addRow in slot
// order, closes the file.
LoadReport LoadDirectory(ProgramState& state, TextFile& file, const AddRowFn& addRow);
// Writes slots 0..199 as 200 lines; false when a write failed.
bool WriteDirectory(const ProgramState& state, TextFile& file);
