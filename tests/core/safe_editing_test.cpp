// Commands act on the highlighted entry, and typed changes are never dropped:
// the selection step follows every selection the user makes, and typing is
// taken over (as Return would) before anything leaves the entry or reads the
// table.
#include <doctest/doctest.h>

#include <string>
#include <vector>
#include "directory/commands.h"
#include "directory/dialogs.h"
#include "directory/event_loop.h"
#include "directory/saving.h"
#include "tests/core/editing_fixture.h"
#include "tests/core/expected_file.h"
#include "tests/fakes/fake_dialogs.h"
#include "tests/fakes/fake_system.h"

namespace {
const std::string kPath = "C:\\Daten\\Default.kw";
const std::string kBackup = "C:\\Daten\\20070309_Default.kw";
const std::string kPrompt = "\xC4nderungen speichern";

const Event kClick = {kControlEvent, kEntryList, kListClickEvent, 0};
const Event kSelect = {kControlEvent, kEntryList, kListSelectEvent, 0};
const Event kClose = {kCloseEvent, 0, 0, 0};
Event Command(int id) { return {kCommandEvent, 0, 0, id}; }

// Five entries on disk and in the list; slot 2 is pinned, slot 3 empty.
struct SafeFixture : EditFixture {
  std::string onDisk;
  SafeFixture() : EditFixture({"A", "B", "*P", "", "C"}) {
    ResetFakeSystem();
    ResetFakeDialogs();
    state.speedDialFolder = "C:\\Daten\\";
    state.speedDialFileName = "Default.kw";
    state.listingPath = "C:\\Arbeit\\_Rufdepot.tmp";
    onDisk = ExpectedFile(state);
    TheFakeSystem().files[kPath] = onDisk;
  }
  // One turn of the loop, as the window would deliver the event.
  void Turn(const Event& event) { RunTurn(state, event); }
  // The user picks a row and the selection step runs.
  void Pick(int row) {
    ClickRow(row);
    Turn(kClick);
  }
  void CheckFieldsShow(int slot) {
    CHECK(window().fields[kIndexField] == state.table.slots[slot].index);
    CHECK(window().fields[kNumberField] == state.table.slots[slot].number);
    CHECK(window().fields[kNameField] == state.table.slots[slot].name);
  }
};

std::vector<Event> gScript;
Event Scripted() {
  REQUIRE_FALSE(gScript.empty());
  Event next = gScript.front();
  gScript.erase(gScript.begin());
  return next;
}
}  // namespace

TEST_CASE_FIXTURE(SafeFixture, "Every selection the user makes runs the selection step") {
  // The window reports a click with its own event and every other selection
  // (Home, End, Page keys, a typed letter, a right click) as a selection event.
  struct Case {
    const char* how;
    Event event;
    int selectedRow;
    int currentSlot;  // afterwards; -1: unchanged
  };
  const Case cases[] = {
      {"left click", kClick, 4, 4},
      {"End key", kSelect, 4, 4},
      {"Home key", kSelect, 0, 0},
      {"right click", kSelect, 3, 3},
      {"typed letter onto a pinned row", kSelect, 2, 2},
      {"left click below the last row", kClick, -1, 5},
      {"selection event that left no row selected", kSelect, -1, -1},
      {"another notification of the list", {kControlEvent, kEntryList, -5, 0}, 4, -1},
  };
  for (const Case& c : cases) {
    CAPTURE(c.how);
    Pick(1);
    REQUIRE(state.currentSlot == 1);
    window().selectedRow = c.selectedRow;
    Turn(c.event);
    const int expected = c.currentSlot < 0 ? 1 : c.currentSlot;
    CHECK(state.currentSlot == expected);
    CheckFieldsShow(expected);
  }
}

TEST_CASE_FIXTURE(SafeFixture, "End then Delete clears the highlighted entry, not the one clicked before") {
  Pick(1);
  window().selectedRow = 4;  // End
  Turn(kSelect);
  Turn(Command(kKeyDelete));
  CHECK(slot(4).number.empty());
  CHECK(slot(1).number == "0711 B");
  CheckRowsShowSlots(state);
}

TEST_CASE("Typing is taken over before it is left or read") {
  struct Case {
    const char* what;
    Event event;  // after typing into the fields of slot 1
    int selectedRow;
  };
  const Case cases[] = {
      {"a click on another row", kClick, 4},
      {"a key that selects another row", kSelect, 4},
      {"a click on the same row", kClick, 1},
      {"button 5", Command(kCmdSave), 1},
      {"Ctrl+S", Command(kKeySave), 1},
      {"button 4", Command(kCmdListing), 1},
      {"Ctrl+P", Command(kKeyPrint), 1},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    SafeFixture fresh;
    fresh.Pick(1);
    fresh.Type("0711 999", "Name B");
    fresh.window().selectedRow = c.selectedRow;
    fresh.Turn(c.event);

    CHECK(fresh.slot(1).number == "0711 999");
    CHECK(fresh.slot(1).name == "Name B");
    CheckRowsShowSlots(fresh.state);
    const bool command = c.event.kind == kCommandEvent;
    const bool saved = command && (c.event.commandId == kCmdSave || c.event.commandId == kKeySave);
    if (saved) {
      CHECK_FALSE(fresh.state.modified);
      CHECK(TheFakeSystem().files.at(kPath) == ExpectedFile(fresh.state));
      CHECK(TheFakeSystem().files.at(kPath).find("101;0711 999;Name B\r\n") != std::string::npos);
      CHECK(TheFakeSystem().files.at(kBackup) == fresh.onDisk);
    } else {
      CHECK(fresh.state.modified);  // so saving and closing know of it
    }
    if (command && !saved) {
      bool listed = false;
      for (const std::string& line : fresh.state.listingLines)
        listed = listed || line.find("0711 999") != std::string::npos;
      CHECK(listed);
    }
  }
}

TEST_CASE("Nothing is taken over while applying is unavailable") {
  struct Case {
    const char* typing;
    std::string number, name;
  };
  const Case cases[] = {
      {"empty number", "", "Name neu"},
      {"empty name", "0711 999", ""},
      {"a ';' in the number", "0711;999", "Name neu"},
      {"a ';' in the name", "0711 999", "Neu;er"},
  };
  const Event leaving[] = {kClick, kSelect, Command(kKeySave), Command(kCmdListing)};
  for (const Case& c : cases) {
    for (const Event& event : leaving) {
      CAPTURE(c.typing);
      CAPTURE(event.kind);
      SafeFixture fresh;
      fresh.Pick(1);
      fresh.Type(c.number, c.name);
      fresh.window().selectedRow = 4;
      fresh.Turn(event);
      CheckTable(fresh.state, {"A", "B", "*P", "", "C"});
      CheckRowsShowSlots(fresh.state);
      if (event.kind == kCommandEvent && event.commandId == kKeySave)
        CHECK(TheFakeSystem().files.at(kPath) == fresh.onDisk);  // rewritten as it was
    }
  }
}

TEST_CASE_FIXTURE(SafeFixture, "Typing before the first click or with no row selected goes nowhere") {
  // Before the first click the fields are empty; below the last row the
  // current slot has no row: applying is unavailable in both.
  Turn(Command(kKeySave));
  CHECK(TheFakeSystem().files.at(kPath) == onDisk);
  Pick(-1);
  Type("0711 999", "Niemand");
  window().selectedRow = 0;
  Turn(kSelect);
  CheckTable(state, {"A", "B", "*P", "", "C"});
  CheckFieldsShow(0);
}

TEST_CASE_FIXTURE(SafeFixture, "Closing takes typing over first, then asks") {
  SUBCASE("typing that applies: the question comes, Ja saves it") {
    Pick(4);
    Type("0711 4444", "Name C");
    gScript = {kClose};
    TheFakeDialogs().answers = {kIdYes, kIdOk};
    RunUntilClosed(state, Scripted);
    CHECK_FALSE(state.modified);
    REQUIRE(TheFakeDialogs().messages.size() == 2);
    CHECK(TheFakeDialogs().messages[0].text == kPrompt);
    CHECK(TheFakeSystem().files.at(kPath).find("104;0711 4444;Name C\r\n") != std::string::npos);
  }
  SUBCASE("typing that cannot apply: no question, nothing written") {
    Pick(4);
    Type("0711 4444", "");
    gScript = {kClose};
    RunUntilClosed(state, Scripted);
    CHECK(TheFakeDialogs().messages.empty());
    CHECK(TheFakeSystem().files.at(kPath) == onDisk);
    CHECK(TheFakeSystem().files.count(kBackup) == 0);
  }
  SUBCASE("saved already: no question") {
    Pick(4);
    Type("0711 4444", "Name C");
    gScript = {Command(kKeySave), kClose};
    TheFakeDialogs().answers = {kIdOk};
    RunUntilClosed(state, Scripted);
    REQUIRE(TheFakeDialogs().messages.size() == 1);  // the saved message only
    CHECK(TheFakeSystem().files.at(kPath).find("104;0711 4444;Name C\r\n") != std::string::npos);
  }
}

TEST_CASE_FIXTURE(SafeFixture, "The closing question offers Ja, Nein and Abbrechen") {
  Pick(0);
  Turn(Command(kKeyDelete));
  REQUIRE(state.modified);
  const std::string cleared = ExpectedFile(state);

  SUBCASE("Abbrechen, Escape or a box that failed return to the window with everything kept") {
    for (int answer : {static_cast<int>(kIdCancel), 0}) {
      CAPTURE(answer);
      ResetFakeDialogs();
      const Snapshot before(state);
      TheFakeDialogs().answers = {answer};
      CHECK(AskToSave(state) == ClosingOutcome::Stay);
      before.CheckUnchanged(state);
      REQUIRE(TheFakeDialogs().messages.size() == 1);
      CHECK(TheFakeDialogs().messages[0].style == (kMbIconQuestion | kMbYesNoCancel));
      CHECK(TheFakeSystem().files.at(kPath) == onDisk);
      CHECK(TheFakeSystem().files.count(kBackup) == 0);
    }
  }
  SUBCASE("after Abbrechen the loop goes on; the next close can save") {
    // Cancel, then the user saves by the toolbar and closes: no second question.
    gScript = {kClose, Command(kCmdSave), kClose};
    TheFakeDialogs().answers = {kIdCancel, kIdOk};
    RunUntilClosed(state, Scripted);
    CHECK(gScript.empty());
    CHECK_FALSE(state.modified);
    CHECK(TheFakeSystem().files.at(kPath) == cleared);
    CHECK(TheFakeSystem().files.at(kBackup) == onDisk);
    REQUIRE(TheFakeDialogs().messages.size() == 2);
    CHECK(TheFakeDialogs().messages[0].text == kPrompt);
  }
  SUBCASE("Nein ends without writing") {
    TheFakeDialogs().answers = {kIdNo};
    CHECK(AskToSave(state) == ClosingOutcome::End);
    CHECK_FALSE(state.modified);
    CHECK(TheFakeSystem().files.at(kPath) == onDisk);
    CHECK(TheFakeSystem().files.count(kBackup) == 0);
  }
  SUBCASE("Ja saves and ends") {
    TheFakeDialogs().answers = {kIdYes, kIdOk};
    CHECK(AskToSave(state) == ClosingOutcome::End);
    CHECK_FALSE(state.modified);
    CHECK(TheFakeSystem().files.at(kPath) == cleared);
    CHECK(TheFakeSystem().files.at(kBackup) == onDisk);
  }
  SUBCASE("Ja with a failing save asks again; Abbrechen then keeps the changes") {
    TheFakeSystem().failingCall["create temporary"] = 1;  // the backup copy's fresh file
    TheFakeDialogs().answers = {kIdYes, kIdOk, kIdCancel};
    CHECK(AskToSave(state) == ClosingOutcome::Stay);
    CHECK(state.modified);
    CHECK(slot(0).number.empty());
    CHECK(TheFakeSystem().files.at(kPath) == onDisk);
  }
}
