#include <doctest/doctest.h>

#include "directory/commands.h"
#include "directory/editing.h"
#include "tests/core/editing_fixture.h"

namespace {
using Codes = std::vector<std::string>;

// One turn of the event loop for a command: availability first, then the row.
void CommandTurn(EditFixture& f, int commandId) {
  RefreshAvailability(f.state);
  RunCommand(f.state, commandId);
}

// One turn for a left click on a row (-1: below the last row).
void ClickTurn(EditFixture& f, int row) {
  f.ClickRow(row);
  RefreshAvailability(f.state);
  SelectCurrentSlot(f.state);
}
}  // namespace

TEST_CASE("Guarded shortcuts act as their buttons only while their command is available") {
  enum Effect { kNothing, kMovedUp, kMovedDown, kCleared, kApplied };
  struct Case {
    int id;
    bool moveBlocked;
    bool editIncomplete;
    Effect effect;
    bool separatorInField = false;  // applying alone is unavailable
  };
  const Case cases[] = {
      {kKeyUp, false, false, kMovedUp},       {kKeyUp, true, false, kNothing},
      {kKeyUp, false, true, kMovedUp},        {kKeyDown, false, false, kMovedDown},
      {kKeyDown, true, false, kNothing},      {kKeyDown, false, true, kMovedDown},
      {kKeyDelete, false, false, kCleared},   {kKeyDelete, false, true, kNothing},
      {kKeyDelete, true, false, kCleared},    {kKeyReturn, false, false, kApplied},
      {kKeyReturn, false, true, kNothing},    {kKeyReturn, true, false, kApplied},
      {kKeyReturn, false, false, kNothing, true}, {kKeyDelete, false, false, kCleared, true},
      // Toolbar buttons are not tested again: a disabled one sends nothing.
      {kCmdMoveUp, true, true, kMovedUp},     {kCmdMoveDown, true, true, kMovedDown},
      {kCmdClear, true, true, kCleared},      {kCmdApply, true, true, kApplied},
      // Ids without a row, the focus keys among them, do nothing.
      {kKeyTab, false, false, kNothing},      {kKeyShiftTab, false, false, kNothing},
      {kEntryList, false, false, kNothing},   {-1, false, false, kNothing},
      {99, false, false, kNothing},
  };
  for (const Case& c : cases) {
    CAPTURE(c.id);
    CAPTURE(c.moveBlocked);
    CAPTURE(c.editIncomplete);
    EditFixture f({"A", "B", "C"});
    f.state.currentSlot = 1;
    f.Type("0800 X", "Name X");
    // The flags as a turn step left them; the rows must read, not recompute.
    f.state.moveBlocked = c.moveBlocked;
    f.state.editIncomplete = c.editIncomplete;
    f.state.applyBlocked = c.editIncomplete || c.separatorInField;
    Snapshot before(f.state);

    RunCommand(f.state, c.id);

    switch (c.effect) {
      case kNothing: before.CheckUnchanged(f.state); break;
      case kMovedUp:
        CheckTable(f.state, {"B", "A", "C"});
        CHECK(f.state.currentSlot == 0);
        CHECK(f.state.modified);
        break;
      case kMovedDown:
        CheckTable(f.state, {"A", "C", "B"});
        CHECK(f.state.currentSlot == 2);
        CHECK(f.state.modified);
        break;
      case kCleared:
        CheckTable(f.state, {"A", "", "C"});
        CHECK(f.state.modified);
        break;
      case kApplied:
        CHECK(f.slot(1).number == "0800 X");
        CHECK(f.slot(1).name == "Name X");
        CHECK(f.state.modified);
        break;
    }
    CheckRowsShowSlots(f.state);
  }
}

TEST_CASE("A refused move by button or key keeps the current slot and the modified flag") {
  for (bool modified : {false, true}) {
    for (int id : {kCmdMoveUp, kKeyUp}) {
      CAPTURE(modified);
      CAPTURE(id);
      EditFixture f({"A", "B"});
      f.state.currentSlot = 0;
      f.state.modified = modified;
      f.window().selectedRow = 1;
      Snapshot before(f.state);
      RunCommand(f.state, id);
      before.CheckUnchanged(f.state);
    }
  }
}

TEST_CASE("Turns of the loop: the keys follow what the buttons show") {
  SUBCASE("click, move down past a pinned entry, rename, Return: saving becomes available") {
    EditFixture f({"A", "B", "*P", "C"});
    f.state.currentSlot = 3;  // the last line loaded
    ClickTurn(f, 1);
    CHECK(f.window().fields[kNumberField] == "0711 B");
    CommandTurn(f, kKeyDown);
    CheckTable(f.state, {"A", "C", "*P", "B"});
    CHECK(f.state.currentSlot == 3);
    CHECK(f.window().selectedRow == 3);
    CHECK(f.window().fields[kIndexField] == "103");
    f.window().fields[kNameField] = "Neuer Name";
    CommandTurn(f, kKeyReturn);
    CHECK(f.slot(3).number == "0711 B");
    CHECK(f.slot(3).name == "Neuer Name");
    CHECK(f.window().rows[3][kNameColumn] == "Neuer Name");
    CheckRowsShowSlots(f.state);
    RefreshAvailability(f.state);
    CHECK(f.window().buttonEnabled[5]);
  }

  SUBCASE("before the first click: Up moves the last entry loaded, Return and Delete do nothing") {
    EditFixture f({"A", "B", "C"});
    f.state.currentSlot = 2;
    Snapshot before(f.state);
    CommandTurn(f, kKeyReturn);
    CommandTurn(f, kKeyDelete);
    before.CheckUnchanged(f.state);
    CHECK_FALSE(f.window().buttonEnabled[2]);
    CHECK_FALSE(f.window().buttonEnabled[3]);
    CommandTurn(f, kKeyUp);
    CheckTable(f.state, {"A", "C", "B"});
    CHECK(f.window().selectedRow == 1);
    CHECK(f.state.currentSlot == 1);
  }

  SUBCASE("text typed before a move goes to the entry's new slot with the next apply") {
    EditFixture f({"A", "B", "C"});
    ClickTurn(f, 0);
    f.window().fields[kNameField] = "Getippt";
    CommandTurn(f, kKeyDown);
    CommandTurn(f, kKeyReturn);
    CHECK(f.slot(1).name == "Getippt");
    CHECK(f.slot(0).name == "Name B");
    CheckRowsShowSlots(f.state);
  }

  SUBCASE("a move reversed keeps the flag set") {
    EditFixture f({"A", "B"});
    ClickTurn(f, 0);
    CommandTurn(f, kKeyDown);
    CommandTurn(f, kKeyUp);
    CheckTable(f.state, {"A", "B"});
    CHECK(f.state.modified);
  }

  SUBCASE("a pinned entry: Up and Down are swallowed") {
    EditFixture f({"A", "*P", "B"});
    ClickTurn(f, 1);
    Snapshot before(f.state);
    CommandTurn(f, kKeyUp);
    CommandTurn(f, kKeyDown);
    before.CheckUnchanged(f.state);
  }

  SUBCASE("a click below the last row of a full list: typed text goes nowhere") {
    EditFixture f(Letters(kFileSlotCount));
    ClickTurn(f, -1);
    CHECK(f.state.currentSlot == kSpareSlot);
    f.Type("0800 1", "Unsichtbar");
    Snapshot before(f.state);
    for (int id : {kKeyReturn, kKeyDelete, kKeyUp, kKeyDown}) CommandTurn(f, id);
    before.CheckUnchanged(f.state);
    CHECK(f.slot(kSpareSlot).number.empty());
    RefreshAvailability(f.state);
    for (int id : {0, 1, 2, 3, 5}) CHECK_FALSE(f.window().buttonEnabled[id]);
  }

  SUBCASE("a click below 201 rows names no slot: nothing reads or writes past the table") {
    EditFixture f(Letters(kSlotCount));
    ClickTurn(f, -1);
    CHECK(f.state.currentSlot == kSlotCount);
    f.Type("0800 1", "Neu");
    Snapshot before(f.state);
    for (int id : {kKeyReturn, kKeyDelete, kKeyUp, kKeyDown, kCmdApply, kCmdClear, kCmdMoveUp,
                   kCmdMoveDown})
      CommandTurn(f, id);
    before.CheckUnchanged(f.state);
    for (int id : {0, 1, 2, 3}) CHECK_FALSE(f.window().buttonEnabled[id]);
  }

  SUBCASE("a ';' pasted into the name: Return does nothing until it is gone") {
    EditFixture f({"A", "B"});
    ClickTurn(f, 1);
    f.window().fields[kNameField] = "Nord;S\xFC" "d";
    Snapshot before(f.state);
    CommandTurn(f, kKeyReturn);
    before.CheckUnchanged(f.state);
    CHECK_FALSE(f.window().buttonEnabled[3]);
    f.window().fields[kNameField] = "Nord S\xFC" "d";
    CommandTurn(f, kKeyReturn);
    CHECK(f.slot(1).name == "Nord S\xFC" "d");
  }

  SUBCASE("a ';' pasted into a field: Delete and button 2 still clear the entry") {
    for (int command : {kKeyDelete, kCmdClear}) {
      CAPTURE(command);
      EditFixture f({"A", "B"});
      ClickTurn(f, 1);
      f.window().fields[kNumberField] = "0711;1";
      CommandTurn(f, command);
      CHECK(f.slot(1).number.empty());
      CHECK(f.slot(1).name.empty());
      CHECK(f.state.modified);
    }
    EditFixture f({"A", "B"});
    ClickTurn(f, 1);
    f.window().fields[kNameField] = "Nord;S\xFC" "d";
    RefreshAvailability(f.state);
    CHECK(f.window().buttonEnabled[2]);
    CHECK_FALSE(f.window().buttonEnabled[3]);
  }
}
