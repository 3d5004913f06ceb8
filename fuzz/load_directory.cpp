// Properties of loading any bytes as a speed-dial file and writing it back.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>
#include "directory/speed_dial_file.h"
#include "tests/fakes/fake_system.h"

#define REQUIRE(condition) \
  do {                     \
    if (!(condition)) std::abort(); \
  } while (0)

namespace {
struct Row {
  std::string index, number, name;
};

std::vector<Row> Load(ProgramState& state, const std::string& path, LoadReport& report) {
  std::vector<Row> rows;
  TextFile file;
  REQUIRE(OpenForReading(path, file));
  report = LoadDirectory(state, file, [&rows](const std::string& i, const std::string& n,
                                              const std::string& m) { rows.push_back({i, n, m}); });
  return rows;
}

std::string Write(const ProgramState& state, const std::string& path) {
  TextFile file;
  REQUIRE(OpenForWriting(path, file));
  REQUIRE(WriteDirectory(state, file));
  REQUIRE(CloseTextFile(file));
  return TheFakeSystem().files[path];
}

bool HoldsLineBreakOrSeparator(const std::string& text) {
  return text.find_first_of(std::string("\r\n;\0", 4)) != std::string::npos;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ResetFakeSystem();
  TheFakeSystem().files["in.kw"] = std::string(reinterpret_cast<const char*>(data), size);

  ProgramState state;
  LoadReport report;
  const std::vector<Row> rows = Load(state, "in.kw", report);

  // Row r shows slot r, and nothing lies beyond the file's 200 slots.
  REQUIRE(rows.size() <= kFileSlotCount);
  for (size_t r = 0; r < rows.size(); ++r) {
    const DialEntry& entry = state.table.slots[r];
    REQUIRE(rows[r].index == entry.index && rows[r].number == entry.number && rows[r].name == entry.name);
  }
  for (size_t slot = rows.size(); slot < kSlotCount; ++slot) {
    const DialEntry& entry = state.table.slots[slot];
    REQUIRE(entry.index.empty() && entry.number.empty() && entry.name.empty());
  }
  for (const DialEntry& entry : state.table.slots)
    REQUIRE(!HoldsLineBreakOrSeparator(entry.index) && !HoldsLineBreakOrSeparator(entry.number) &&
            !HoldsLineBreakOrSeparator(entry.name));
  REQUIRE(IsTableSlot(state.currentSlot));
  REQUIRE(report.lineNumbers.size() <= kMaxReportedLines);
  REQUIRE(report.droppedCount >= static_cast<int64_t>(report.lineNumbers.size()));
  for (size_t i = 1; i < report.lineNumbers.size(); ++i)
    REQUIRE(report.lineNumbers[i - 1] < report.lineNumbers[i]);
  REQUIRE(TheFakeSystem().openFiles == 0);

  // What a save writes loads back into the same table, and is written again
  // byte for byte, with nothing left to report.
  const std::string written = Write(state, "out.kw");
  ProgramState again;
  LoadReport secondReport;
  const std::vector<Row> secondRows = Load(again, "out.kw", secondReport);
  REQUIRE(secondRows.size() == rows.size());
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const DialEntry& a = state.table.slots[slot];
    const DialEntry& b = again.table.slots[slot];
    REQUIRE(a.index == b.index && a.number == b.number && a.name == b.name);
  }
  REQUIRE(secondReport.droppedCount == 0);
  REQUIRE(Write(again, "again.kw") == written);
  return 0;
}
