#include "directory/speed_dial_file.h"

#include <algorithm>
#include <array>
#include "directory/entry_table.h"
#include "text/text.h"

namespace {
// Keeps the smallest kMaxReportedLines numbers in ascending order and counts
// all of them, so a file of millions of bad lines costs no more memory.
void NoteLine(std::vector<int64_t>& numbers, int64_t& count, int64_t lineNumber) {
  ++count;
  if (numbers.size() == kMaxReportedLines && lineNumber > numbers.back()) return;
  numbers.insert(std::upper_bound(numbers.begin(), numbers.end(), lineNumber), lineNumber);
  if (numbers.size() > kMaxReportedLines) numbers.pop_back();
}

void NoteUntaken(LoadReport& report, int64_t lineNumber) {
  NoteLine(report.lineNumbers, report.droppedCount, lineNumber);
}

// Text after a third ";" is not read, so the next save would drop it.
bool HasTextAfterThirdField(std::string_view line) {
  size_t at = 0;
  for (int separators = 0; separators < 3; ++separators) {
    at = line.find(';', at);
    if (at == std::string_view::npos) return false;
    ++at;
  }
  return at < line.size();
}

// Empty lines and the ";;" written for never-filled slots carry nothing,
// so losing them is not worth telling the user.
bool CarriesNothing(const std::string& line) { return line.empty() || line == ";;"; }
}  // namespace

LoadReport LoadDirectory(ProgramState& state, TextFile& file, const AddRowFn& addRow) {
  LoadReport report;
  state.table = DialTable{};
  std::array<int64_t, kFileSlotCount> lineOfSlot{};  // 0: no line filled the slot
  std::array<bool, kFileSlotCount> cutOfSlot{};      // that line had text after a third ";"
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
    cutOfSlot[slot] = HasTextAfterThirdField(line);
    DialEntry& entry = state.table.slots[slot];
    entry.index.assign(index);
    entry.number = FieldOf(line, 2, ';');
    entry.name = FieldOf(line, 3, ';');
    highestFilled = std::max(highestFilled, slot);
    lastSlot = slot;
  }
  report.readFailed = file.readFailed;
  CloseTextFile(file);

  // Only the lines that stayed in the table: a replaced one is untaken anyway.
  std::vector<int64_t> cutLines;
  for (int slot = 0; slot < kFileSlotCount; ++slot)
    if (cutOfSlot[slot]) cutLines.push_back(lineOfSlot[slot]);
  std::sort(cutLines.begin(), cutLines.end());
  for (int64_t cutLine : cutLines) NoteLine(report.cutLineNumbers, report.cutCount, cutLine);

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
