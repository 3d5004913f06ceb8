#include "directory/speed_dial_file.h"

#include <algorithm>
#include <array>
#include "directory/entry_table.h"
#include "text/text.h"

namespace {
// Keeps the smallest kMaxReportedLines numbers in ascending order and counts
// all of them, so a file of millions of bad lines costs no more memory.
void NoteUntaken(LoadReport& report, int64_t lineNumber) {
  ++report.droppedCount;
  auto& numbers = report.lineNumbers;
  if (numbers.size() == kMaxReportedLines && lineNumber > numbers.back()) return;
  numbers.insert(std::upper_bound(numbers.begin(), numbers.end(), lineNumber), lineNumber);
  if (numbers.size() > kMaxReportedLines) numbers.pop_back();
}

// Empty lines and the ";;" written for never-filled slots carry nothing,
// so losing them is not worth telling the user.
bool CarriesNothing(const std::string& line) { return line.empty() || line == ";;"; }
}  // namespace

LoadReport LoadDirectory(ProgramState& state, TextFile& file, const AddRowFn& addRow) {
  LoadReport report;
  state.table = DialTable{};
  std::array<int64_t, kFileSlotCount> lineOfSlot{};  // 0: no line filled the slot
  int highestFilled = -1;
  int lastSlot = 0;
  int64_t lineNumber = 0;

  // One line buffer for the whole file, and the index looked at in place:
  // a file of long lines that have no place costs no copy per line.
  std::string line;
  while (!AtEndOfFile(file)) {
    ReadTextLineInto(file, line);
    ++lineNumber;
    const std::string_view index = std::string_view(line).substr(0, line.find(';'));
    const int slot = SlotOfIndex(index);
    if (!IsFileSlot(slot)) {
      if (!CarriesNothing(line)) NoteUntaken(report, lineNumber);
      continue;
    }
    if (lineOfSlot[slot] != 0) NoteUntaken(report, lineOfSlot[slot]);
    lineOfSlot[slot] = lineNumber;
    DialEntry& entry = state.table.slots[slot];
    entry.index.assign(index);
    entry.number = FieldOf(line, 2, ';');
    entry.name = FieldOf(line, 3, ';');
    highestFilled = std::max(highestFilled, slot);
    lastSlot = slot;
  }
  report.readFailed = file.readFailed;
  CloseTextFile(file);

  // A hole below the highest filled slot gets the index of its position, so
  // its row shows where it stands and a save writes a line a load can place.
  for (int slot = 0; slot <= highestFilled; ++slot) {
    DialEntry& entry = state.table.slots[slot];
    if (lineOfSlot[slot] == 0) entry.index = std::to_string(100 + slot);
    addRow(entry.index, entry.number, entry.name);
  }
  state.currentSlot = lastSlot;
  return report;
}

bool WriteDirectory(const ProgramState& state, TextFile& file) {
  bool written = true;
  std::string line;
  for (int slot = 0; slot < kFileSlotCount; ++slot) {
    const DialEntry& entry = state.table.slots[slot];
    line.assign(entry.index).append(1, ';').append(entry.number).append(1, ';').append(entry.name);
    written = WriteTextLine(file, line) && written;
  }
  return FlushTextFile(file) && written;
}
