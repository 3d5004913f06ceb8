// The program's state: the entry table and everything that lives from
// start-up to exit. One instance per run; tests create fresh ones.
#pragma once
#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

struct DialEntry {
  std::string index;   // exactly as read, the slot's position in the file
  std::string number;
  std::string name;
};

constexpr int kFileSlotCount = 200;  // positions of the speed-dial file
constexpr int kSpareSlot = 200;      // keeps the current slot inside the table
constexpr int kSlotCount = 201;

struct DialTable {
  std::array<DialEntry, kSlotCount> slots;
};

inline bool IsTableSlot(int slot) { return slot >= 0 && slot < kSlotCount; }

// What the speed-dial file on disk held when it was loaded or last saved,
// so a save can tell that another program has written it meanwhile.
struct DiskStamp {
  bool known = false;  // false: the file could not be read at that moment
  int64_t size = 0;
  uint64_t hash = 0;   // of every byte
};

// One change to the table, as the table and the current slot were before it.
struct UndoStep {
  DialTable table;
  int currentSlot = 0;
};

// The changes since loading, oldest first; savedDepth is how many of them
// the file on disk holds (-1: a state no undo can reach any more).
struct UndoHistory {
  std::deque<UndoStep> steps;  // the oldest leaves at the front once the depth is reached
  int savedDepth = 0;
};

struct ProgramState {
  DialTable table;
  int currentSlot = 0;
  bool modified = false;
  UndoHistory undo;

  // Both end in nothing between them: the path is folder + fileName.
  std::string speedDialFolder;
  std::string speedDialFileName;

  DiskStamp diskStamp;
  // The day's backup copy that a copy into failed in this run; a partial
  // copy left behind there must not pass for the day's backup.
  std::string unfinishedBackupPath;

  std::string listingPath;
  std::vector<std::string> listingLines;

  // Availability, held in the disabling sense; recomputed every turn.
  bool moveBlocked = false;
  bool editIncomplete = false;
  // Applying also refuses a field holding a ";"; clearing reads no field.
  bool applyBlocked = false;
};

inline std::string SpeedDialPath(const ProgramState& state) {
  return state.speedDialFolder + state.speedDialFileName;
}

inline const char kWindowTitle[] = "Tarvo's ETS2106 Kurzwahlnummern verwalten";
