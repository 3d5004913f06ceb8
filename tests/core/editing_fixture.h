// A small directory for the editing tests: entries written as short codes,
// loaded into the table and shown in the stand-in list as a load would.
//   "A"  number "0711 A", name "Name A"     "*A" the same, pinned (index 11xx)
//   "~A" name only, no number               "A~" number only, no name
//   ""   an empty slot
// Slot r gets the index text 100 + r, or 1100 + r when pinned.
#pragma once
#include <doctest/doctest.h>

#include <array>
#include <string>
#include <vector>

#include "directory/program_state.h"
#include "directory/window_ops.h"
#include "tests/fakes/fake_window.h"

inline DialEntry EntryOf(const std::string& code, int slot) {
  std::string letter = code;
  bool pinned = !letter.empty() && letter.front() == '*';
  bool nameOnly = !letter.empty() && letter.front() == '~';
  if (pinned || nameOnly) letter.erase(0, 1);
  bool numberOnly = !letter.empty() && letter.back() == '~';
  if (numberOnly) letter.pop_back();
  DialEntry entry;
  entry.index = std::to_string((pinned ? 1100 : 100) + slot);
  if (letter.empty()) return entry;
  if (!nameOnly) entry.number = "0711 " + letter;
  if (!numberOnly) entry.name = "Name " + letter;
  return entry;
}

inline std::vector<std::string> Letters(int count) {
  std::vector<std::string> codes;
  for (int i = 0; i < count; ++i) codes.push_back("E" + std::to_string(i));
  return codes;
}

struct EditFixture {
  ProgramState state;

  // The table holds every code; the list shows the first rowCount of them
  // (all when rowCount is negative).
  explicit EditFixture(const std::vector<std::string>& codes, int rowCount = -1) {
    ResetFakeWindow();
    if (rowCount < 0) rowCount = static_cast<int>(codes.size());
    std::vector<std::array<std::string, 3>> rows;
    for (int slot = 0; slot < static_cast<int>(codes.size()); ++slot) {
      DialEntry entry = EntryOf(codes[slot], slot);
      state.table.slots[slot] = entry;
      if (slot < rowCount) rows.push_back({entry.index, entry.number, entry.name});
    }
    FakeWindowRows(rows);
    // Present from the start, so that reading a field changes no map.
    for (int id : {kIndexField, kNumberField, kNameField}) window().fields[id] = "";
  }

  FakeWindow& window() { return TheFakeWindow(); }
  const DialEntry& slot(int s) const { return state.table.slots[s]; }

  void Type(const std::string& number, const std::string& name) {
    window().fields[kNumberField] = number;
    window().fields[kNameField] = name;
  }
  // What a left click leaves behind before the selection step runs.
  void ClickRow(int row) { window().selectedRow = row; }
};

// Every row r shows slot r, cell by cell.
inline void CheckRowsShowSlots(const ProgramState& state) {
  const FakeWindow& w = TheFakeWindow();
  for (int r = 0; r < static_cast<int>(w.rows.size()) && r < kSlotCount; ++r) {
    CAPTURE(r);
    const DialEntry& entry = state.table.slots[r];
    CHECK(w.rows[r][kIndexColumn] == entry.index);
    CHECK(w.rows[r][kNumberColumn] == entry.number);
    CHECK(w.rows[r][kNameColumn] == entry.name);
  }
}

// The table holds exactly the entries the codes describe, index texts included.
inline void CheckTable(const ProgramState& state, const std::vector<std::string>& codes) {
  for (int slot = 0; slot < static_cast<int>(codes.size()); ++slot) {
    CAPTURE(slot);
    DialEntry expected = EntryOf(codes[slot], slot);
    CHECK(state.table.slots[slot].index == expected.index);
    CHECK(state.table.slots[slot].number == expected.number);
    CHECK(state.table.slots[slot].name == expected.name);
  }
}

// Everything an editing command could touch, to show that it touched nothing.
struct Snapshot {
  DialTable table;
  FakeWindow window;
  int currentSlot;
  bool modified;

  explicit Snapshot(const ProgramState& state)
      : table(state.table), window(TheFakeWindow()), currentSlot(state.currentSlot),
        modified(state.modified) {}

  void CheckUnchanged(const ProgramState& state) const {
    for (int slot = 0; slot < kSlotCount; ++slot) {
      CAPTURE(slot);
      CHECK(state.table.slots[slot].index == table.slots[slot].index);
      CHECK(state.table.slots[slot].number == table.slots[slot].number);
      CHECK(state.table.slots[slot].name == table.slots[slot].name);
    }
    const FakeWindow& now = TheFakeWindow();
    CHECK(now.rows == window.rows);
    CHECK(now.selectedRow == window.selectedRow);
    CHECK(now.fields == window.fields);
    CHECK(state.currentSlot == currentSlot);
    CHECK(state.modified == modified);
  }
};
