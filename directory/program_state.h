// The program's state: the entry table and everything that lives from
// start-up to exit. One instance per run; tests create fresh ones.
#pragma once
#include <array>
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

struct ProgramState {
  DialTable table;
  int currentSlot = 0;
  bool modified = false;

  // Both end in nothing between them: the path is folder + fileName.
  std::string speedDialFolder;
  std::string speedDialFileName;

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
