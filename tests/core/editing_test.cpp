#include <doctest/doctest.h>

#include "directory/editing.h"
#include "tests/core/editing_fixture.h"

namespace {
using Codes = std::vector<std::string>;
constexpr int kUp = -1;
constexpr int kDown = +1;
}  // namespace

TEST_CASE("A move exchanges number and name with the neighbour, stepping over one pinned entry") {
  struct Case {
    const char* what;
    Codes before;
    int slot;
    int direction;
    Codes after;
    int target;
  };
  const Case cases[] = {
      {"down", {"A", "B", "C"}, 0, kDown, {"B", "A", "C"}, 1},
      {"up into the first row", {"A", "B", "C"}, 1, kUp, {"B", "A", "C"}, 0},
      {"up from the last row", {"A", "B", "C"}, 2, kUp, {"A", "C", "B"}, 1},
      {"down past a pinned entry", {"X", "A", "*P", "B"}, 1, kDown, {"X", "B", "*P", "A"}, 3},
      {"up past a pinned entry", {"A", "*P", "B"}, 2, kUp, {"B", "*P", "A"}, 0},
      {"into an empty slot", {"A", ""}, 0, kDown, {"", "A"}, 1},
      {"up into an empty slot", {"", "A"}, 1, kUp, {"A", ""}, 0},
      {"past a pinned entry into an empty slot", {"A", "*P", ""}, 0, kDown, {"", "*P", "A"}, 2},
      {"a number without a name", {"A~", "B"}, 0, kDown, {"B", "A~"}, 1},
      {"onto an entry with a name only", {"A", "~B"}, 0, kDown, {"~B", "A"}, 1},
  };
  for (const Case& c : cases) {
    INFO(c.what);
    EditFixture f(c.before);
    f.state.currentSlot = c.slot;
    f.Type("typed number", "typed name");

    CHECK(MoveEntry(f.state, c.slot, c.direction) == c.target);

    CheckTable(f.state, c.after);
    CheckRowsShowSlots(f.state);
    CHECK(f.window().selectedRow == c.target);
    CHECK(f.window().fields[kIndexField] == f.slot(c.target).index);
    // The fields go on showing what they showed; the command row, not the
    // move, updates the current slot and the modified flag.
    CHECK(f.window().fields[kNumberField] == "typed number");
    CHECK(f.window().fields[kNameField] == "typed name");
    CHECK(f.state.currentSlot == c.slot);
    CHECK_FALSE(f.state.modified);
  }
}

TEST_CASE("A move stays within the rows of a full list") {
  Codes codes = Letters(kFileSlotCount);
  {
    EditFixture f(codes);
    CHECK(MoveEntry(f.state, 199, kUp) == 198);
    CHECK(f.slot(198).name == "Name E199");
    CHECK(f.slot(199).name == "Name E198");
    CheckRowsShowSlots(f.state);
  }
  for (int slot : {0, 199}) {
    CAPTURE(slot);
    EditFixture f(codes);
    Snapshot before(f.state);
    CHECK(MoveEntry(f.state, slot, slot == 0 ? kUp : kDown) == slot);
    before.CheckUnchanged(f.state);
  }
}

TEST_CASE("A refused move changes nothing at all") {
  struct Case {
    const char* what;
    Codes codes;
    int rowCount;  // -1: a row for every code
    int slot;
    int direction;
  };
  const Case cases[] = {
      {"up from the first row", {"A", "B"}, -1, 0, kUp},
      {"down from the last row", {"A", "B"}, -1, 1, kDown},
      {"a pinned entry", {"A", "*P", "B"}, -1, 1, kDown},
      {"a pinned entry upward", {"A", "*P", "B"}, -1, 1, kUp},
      {"a name without a number", {"~A", "B"}, -1, 0, kDown},
      {"an empty slot", {"", "B"}, -1, 0, kDown},
      {"over a pinned entry in the last row", {"A", "*P"}, -1, 0, kDown},
      {"over a pinned entry in the first row", {"*P", "A"}, -1, 1, kUp},
      {"down onto a second pinned entry", {"A", "*P", "*Q", "B"}, -1, 0, kDown},
      {"up onto a second pinned entry", {"B", "*P", "*Q", "A"}, -1, 3, kUp},
      {"over a pinned entry out of a shorter list", {"A", "*P", "B"}, 2, 0, kDown},
      {"down to a slot without a row", {"A", "B", "C"}, 2, 1, kDown},
      {"from a slot without a row", {"A", "B", "C"}, 2, 2, kUp},
      {"from outside the table", {"A", "B"}, -1, kSlotCount, kUp},
      {"from below the table", {"A", "B"}, -1, -1, kDown},
      {"a step of two", {"A", "B", "C"}, -1, 0, 2},
      {"no step", {"A", "B", "C"}, -1, 1, 0},
  };
  for (const Case& c : cases) {
    INFO(c.what);
    EditFixture f(c.codes, c.rowCount);
    f.state.currentSlot = c.slot;
    f.window().selectedRow = 0;
    f.Type("typed number", "typed name");
    f.window().fields[kIndexField] = "shown index";
    Snapshot before(f.state);

    CHECK(MoveEntry(f.state, c.slot, c.direction) == c.slot);

    before.CheckUnchanged(f.state);
  }
}

TEST_CASE("Clearing empties the current entry in the table, its row and the fields") {
  struct Case {
    const char* what;
    const char* code;
    bool modifiedBefore;
  };
  const Case cases[] = {
      {"a full entry", "B", false},
      {"an empty slot still counts as a change", "", false},
      {"a pinned entry", "*B", true},
  };
  for (const Case& c : cases) {
    INFO(c.what);
    EditFixture f({"A", c.code, "C"});
    f.state.currentSlot = 1;
    f.state.modified = c.modifiedBefore;
    f.window().selectedRow = 2;
    f.window().fields[kIndexField] = "shown index";
    f.Type("typed number", "typed name");

    ClearEntry(f.state);

    CHECK(f.slot(1).number.empty());
    CHECK(f.slot(1).name.empty());
    CHECK(f.slot(1).index == EntryOf(c.code, 1).index);
    CheckTable(f.state, {"A", c.code[0] == '*' ? "*" : "", "C"});
    // The index keeps its place in the row although number and name go.
    CHECK(f.window().rows[1][kIndexColumn] == f.slot(1).index);
    CheckRowsShowSlots(f.state);
    CHECK(f.window().fields[kNumberField] == "");
    CHECK(f.window().fields[kNameField] == "");
    CHECK(f.window().fields[kIndexField] == "shown index");
    CHECK(f.window().selectedRow == 2);
    CHECK(f.state.currentSlot == 1);
    CHECK(f.state.modified);
  }
}

TEST_CASE("Applying copies both fields into the current entry when either differs") {
  struct Case {
    const char* what;
    const char* number;
    const char* name;
    bool modifiedBefore;
    bool copies;
  };
  const Case cases[] = {
      {"both as stored", "0711 B", "Name B", false, false},
      {"both as stored keeps the flag set", "0711 B", "Name B", true, false},
      {"only the name changed", "0711 B", "Neuer Name", false, true},
      {"only the number changed", "0800 1", "Name B", false, true},
      {"both changed", "0800 1", "M\xFCller, K\xF6ln", false, true},
      {"blanks are kept as typed", " 0711 B", "Name B ", false, true},
      {"case counts", "0711 B", "name b", false, true},
  };
  for (const Case& c : cases) {
    INFO(c.what);
    EditFixture f({"A", "B", "C"});
    f.state.currentSlot = 1;
    f.state.modified = c.modifiedBefore;
    f.window().selectedRow = 0;
    f.Type(c.number, c.name);
    Snapshot before(f.state);

    ApplyEntry(f.state);

    if (!c.copies) {
      before.CheckUnchanged(f.state);
      continue;
    }
    CHECK(f.slot(1).number == c.number);
    CHECK(f.slot(1).name == c.name);
    CHECK(f.slot(1).index == "101");
    CheckRowsShowSlots(f.state);
    CHECK(f.window().selectedRow == 0);
    CHECK(f.state.currentSlot == 1);
    CHECK(f.state.modified);
  }
}

TEST_CASE("Clearing and applying leave alone a slot that no row shows, or a field with ';'") {
  struct Case {
    const char* what;
    int rowCount;
    int currentSlot;
    const char* number;
    const char* name;
  };
  // Slot 3 holds an entry in the table; with three rows no row shows it.
  const Case cases[] = {
      {"the slot after the last row", 3, 3, "0800 1", "Neu"},
      {"the spare slot of a full list", kFileSlotCount, kSpareSlot, "0800 1", "Neu"},
      {"past the spare slot", kSlotCount, kSlotCount, "0800 1", "Neu"},
      {"far outside the table", 4, 100000, "0800 1", "Neu"},
      {"below the table", 4, -1, "0800 1", "Neu"},
      {"an empty list", 0, 0, "0800 1", "Neu"},
  };
  for (const Case& c : cases) {
    INFO(c.what);
    Codes codes = Letters(c.rowCount > 4 ? c.rowCount : 4);
    EditFixture f(codes, c.rowCount);
    f.state.currentSlot = c.currentSlot;
    f.Type(c.number, c.name);
    Snapshot before(f.state);

    ApplyEntry(f.state);
    before.CheckUnchanged(f.state);
    ClearEntry(f.state);
    before.CheckUnchanged(f.state);
  }

  const char* const separators[][2] = {{"0711;1", "Name"}, {"0711", "M\xFCller;K\xF6ln"}, {";", ";"}};
  for (const auto& typed : separators) {
    INFO(typed[0]);
    INFO(typed[1]);
    EditFixture f({"A", "B"});
    f.state.currentSlot = 1;
    f.Type(typed[0], typed[1]);
    Snapshot before(f.state);
    ApplyEntry(f.state);
    before.CheckUnchanged(f.state);
  }
}

TEST_CASE("The selection step makes the selected row current and shows its entry") {
  struct Case {
    const char* what;
    int rowCount;
    int selectedRow;
    int currentSlot;
    DialEntry shown;
  };
  const Case cases[] = {
      {"the first row", 3, 0, 0, EntryOf("E0", 0)},
      {"a middle row", 3, 1, 1, EntryOf("E1", 1)},
      {"the last row", 3, 2, 2, EntryOf("E2", 2)},
      {"no row: the slot after the last row", 3, -1, 3, EntryOf("", 3)},
      {"an empty list", 0, -1, 0, EntryOf("", 0)},
      {"no row in a full list: the spare slot", kFileSlotCount, -1, kSpareSlot, {}},
      // A row for the spare slot as well: no selection names no slot at all.
      {"no row in a list of 201 rows", kSlotCount, -1, kSlotCount, {}},
      {"the spare slot's own row", kSlotCount, kSpareSlot, kSpareSlot, EntryOf("E200", 200)},
  };
  for (const Case& c : cases) {
    INFO(c.what);
    EditFixture f(Letters(c.rowCount), c.rowCount);
    if (c.rowCount < 4) {
      // Slots without a row hold an index only: the fields show that slot.
      for (int s = c.rowCount; s < 4; ++s) f.state.table.slots[s] = EntryOf("", s);
    }
    f.state.currentSlot = 7;
    f.state.modified = true;
    f.ClickRow(c.selectedRow);
    f.Type("typed number", "typed name");
    f.window().fields[kIndexField] = "old index";
    Snapshot before(f.state);

    SelectCurrentSlot(f.state);

    CHECK(f.state.currentSlot == c.currentSlot);
    CHECK(f.window().fields[kIndexField] == c.shown.index);
    CHECK(f.window().fields[kNumberField] == c.shown.number);
    CHECK(f.window().fields[kNameField] == c.shown.name);
    // Nothing else: table, rows, selection and flag stay as they were.
    for (int slot = 0; slot < kSlotCount; ++slot) {
      CHECK(f.slot(slot).number == before.table.slots[slot].number);
      CHECK(f.slot(slot).name == before.table.slots[slot].name);
    }
    CHECK(f.window().rows == before.window.rows);
    CHECK(f.window().selectedRow == c.selectedRow);
    CHECK(f.state.modified);
  }
}

TEST_CASE("Availability follows the current slot and what the fields show") {
  // Slot 4 holds an entry that no row shows.
  const Codes codes = {"A", "*P", "~C", "D~", "E"};
  const int rowCount = 4;
  struct Case {
    const char* what;
    int currentSlot;
    const char* number;
    const char* name;
    bool modified;
    bool canMove;
    bool canClear;
    bool canApply;
  };
  const Case cases[] = {
      {"a full entry, fields filled", 0, "0711 A", "Name A", false, true, true, true},
      {"modified: save enabled", 0, "0711 A", "Name A", true, true, true, true},
      {"number field empty", 0, "", "Name A", false, true, false, false},
      {"name field empty", 0, "0711 A", "", false, true, false, false},
      {"both fields empty", 0, "", "", true, true, false, false},
      {"a ';' in the number field", 0, "0711;1", "Name A", false, true, true, false},
      {"a ';' in the name field", 0, "0711 A", "Nord;S\xFC" "d", false, true, true, false},
      {"a pinned entry", 1, "0711 P", "Name P", false, false, true, true},
      {"a name without a number", 2, "", "Name C", false, false, false, false},
      {"a name without a number, number typed", 2, "0800", "Name C", false, false, true, true},
      {"a number without a name", 3, "0711 D", "", false, true, false, false},
      {"a number without a name, name typed", 3, "0711 D", "Neu", false, true, true, true},
      {"a slot without a row", 4, "0711 E", "Name E", true, false, false, false},
      {"past the spare slot", kSlotCount, "0711 E", "Name E", false, false, false, false},
      {"below the table", -1, "0711 E", "Name E", false, false, false, false},
  };
  for (const Case& c : cases) {
    INFO(c.what);
    EditFixture f(codes, rowCount);
    f.state.currentSlot = c.currentSlot;
    f.state.modified = c.modified;
    f.Type(c.number, c.name);
    // Every button is written every turn: start each from the wrong state.
    f.window().buttonEnabled[5] = !c.modified;
    for (int id : {0, 1}) f.window().buttonEnabled[id] = !c.canMove;
    f.window().buttonEnabled[2] = !c.canClear;
    f.window().buttonEnabled[3] = !c.canApply;
    Snapshot before(f.state);

    RefreshAvailability(f.state);

    CHECK(f.state.moveBlocked == !c.canMove);
    CHECK(f.state.editIncomplete == !c.canClear);
    CHECK(f.state.applyBlocked == !c.canApply);
    CHECK(f.window().buttonEnabled[0] == c.canMove);
    CHECK(f.window().buttonEnabled[1] == c.canMove);
    CHECK(f.window().buttonEnabled[2] == c.canClear);
    CHECK(f.window().buttonEnabled[3] == c.canApply);
    CHECK(f.window().buttonEnabled[4]);  // the listing is always available
    CHECK(f.window().buttonEnabled[5] == c.modified);
    before.CheckUnchanged(f.state);
  }
}
