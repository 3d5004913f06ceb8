// Ctrl+Z takes back changes to the table one at a time: each step brings
// back the entries, their rows, the current slot with its selection and
// fields, and the modified flag as the file on disk stands to the table.
#include <doctest/doctest.h>

#include <sstream>
#include <string>
#include <vector>
#include "directory/commands.h"
#include "directory/event_loop.h"
#include "directory/saving.h"
#include "directory/undo.h"
#include "tests/core/editing_fixture.h"
#include "tests/core/expected_file.h"
#include "tests/fakes/fake_dialogs.h"
#include "tests/fakes/fake_system.h"

namespace {
const std::string kPath = "C:\\Daten\\Default.kw";
const Event kClick = {kControlEvent, kEntryList, kListClickEvent, 0};
Event Command(int id) { return {kCommandEvent, 0, 0, id}; }

// What a user sees of one moment: table, rows, current slot and selection.
struct Scene {
  DialTable table;
  std::vector<std::array<std::string, 3>> rows;
  int currentSlot;
  int selectedRow;

  explicit Scene(const ProgramState& state)
      : table(state.table), rows(TheFakeWindow().rows), currentSlot(state.currentSlot),
        selectedRow(TheFakeWindow().selectedRow) {}
};

bool SameTable(const DialTable& a, const DialTable& b) {
  for (int s = 0; s < kSlotCount; ++s)
    if (a.slots[s].index != b.slots[s].index || a.slots[s].number != b.slots[s].number ||
        a.slots[s].name != b.slots[s].name)
      return false;
  return true;
}

// Slot 2 and 6, 7 are pinned, slot 3 is empty.
struct UndoFixture : EditFixture {
  UndoFixture() : EditFixture({"A", "B", "*P", "", "C", "D", "*Q", "*R", "E"}) {
    ResetFakeSystem();
    ResetFakeDialogs();
    state.speedDialFolder = "C:\\Daten\\";
    state.speedDialFileName = "Default.kw";
    state.listingPath = "C:\\Arbeit\\_Rufdepot.tmp";
    TheFakeSystem().files[kPath] = ExpectedFile(state);
  }
  void Turn(const Event& event) { RunTurn(state, event); }

  // One word of a script: "pick N", "type NUMBER/NAME", "up", "down", "del",
  // "ret", "save", "undo".
  void Act(const std::string& action) {
    std::istringstream words(action);
    std::string verb, rest;
    words >> verb;
    std::getline(words >> std::ws, rest);
    if (verb == "pick") {
      ClickRow(std::stoi(rest));
      Turn(kClick);
    } else if (verb == "type") {
      const size_t slash = rest.find('/');
      Type(rest.substr(0, slash), rest.substr(slash + 1));
    } else {
      const int id = verb == "up" ? kKeyUp : verb == "down" ? kKeyDown : verb == "del" ? kKeyDelete
                   : verb == "ret" ? kKeyReturn : verb == "save" ? kKeySave : kKeyUndo;
      Turn(Command(id));
    }
  }

  void CheckScene(const Scene& expected, bool modified) {
    CHECK(SameTable(state.table, expected.table));
    CHECK(window().rows == expected.rows);
    CHECK(state.currentSlot == expected.currentSlot);
    CHECK(window().selectedRow == expected.selectedRow);
    CHECK(window().shownRow == expected.currentSlot);
    const DialEntry& shown = state.table.slots[state.currentSlot];
    CHECK(window().fields[kIndexField] == shown.index);
    CHECK(window().fields[kNumberField] == shown.number);
    CHECK(window().fields[kNameField] == shown.name);
    CHECK(state.modified == modified);
    CheckRowsShowSlots(state);
  }
};
}  // namespace

TEST_CASE("Undo takes back each change, back to the state after loading") {
  struct Case {
    const char* what;
    std::vector<std::string> script;
  };
  const Case cases[] = {
      {"one move down past a pinned entry", {"pick 1", "down"}},
      {"a chain of moves down past pinned entries to the refusal",
       {"pick 0", "down", "down", "down", "down", "down", "down"}},
      {"moves up and down across a pinned entry", {"pick 4", "up", "up", "down", "up"}},
      {"clearing", {"pick 4", "del", "pick 8", "del"}},
      {"applying with Return", {"pick 1", "type 0711 99/Neu", "ret", "pick 5", "type 0711 5/D", "ret"}},
      {"typing taken over by clicks",
       {"pick 1", "type 0711 99/Neu", "pick 4", "type 0711 44/Vier", "pick 0"}},
      {"every kind, with saves between",
       {"pick 0", "down", "save", "pick 4", "del", "pick 5", "type 1/X", "ret", "save", "up"}},
      {"a change after undoing past a save", {"pick 0", "down", "down", "save", "undo", "pick 4", "del"}},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    UndoFixture f;
    // The test's own account: the scene before each change, and how many
    // changes the file on disk holds (-1: none that undo can reach).
    std::vector<Scene> before;
    int saved = 0;
    for (const std::string& action : c.script) {
      CAPTURE(action);
      Scene scene(f.state);
      f.Act(action);
      if (action == "undo") {
        before.pop_back();
      } else if (action == "save") {
        saved = static_cast<int>(before.size());
      } else if (!SameTable(scene.table, f.state.table)) {
        if (static_cast<int>(before.size()) < saved) saved = -1;
        before.push_back(scene);
      }
    }
    REQUIRE_FALSE(before.empty());
    const std::string onDisk = TheFakeSystem().files.at(kPath);
    const size_t messages = TheFakeDialogs().messages.size();
    while (!before.empty()) {
      CAPTURE(before.size());
      f.Act("undo");
      const Scene expected = before.back();
      before.pop_back();
      f.CheckScene(expected, static_cast<int>(before.size()) != saved);
    }
    // Nothing left to undo: a further Ctrl+Z changes nothing.
    Snapshot last(f.state);
    f.Act("undo");
    last.CheckUnchanged(f.state);
    // Undoing writes nothing and asks nothing.
    CHECK(TheFakeSystem().files.at(kPath) == onDisk);
    CHECK(TheFakeDialogs().messages.size() == messages);
  }
}

TEST_CASE_FIXTURE(UndoFixture, "Undoing every change since the save leaves nothing to ask at closing") {
  Act("pick 4");
  Act("del");
  REQUIRE(state.modified);
  Act("undo");
  CHECK_FALSE(state.modified);
  CHECK(AskToSave(state) == ClosingOutcome::End);
  CHECK(TheFakeDialogs().messages.empty());
  CHECK(TheFakeSystem().files.at(kPath) == ExpectedFile(state));
}

TEST_CASE_FIXTURE(UndoFixture, "Ctrl+Z with typing in the fields drops the typing, the table stays") {
  // The typing is the last change: taken over, then taken back.
  Act("pick 0");
  Act("down");
  Act("type 0711 99/Neu");
  Act("undo");
  CHECK(slot(1).number == "0711 A");
  CHECK(slot(0).number == "0711 B");
  CHECK(window().fields[kNumberField] == "0711 A");
  CHECK(state.modified);
  Act("undo");
  CheckTable(state, {"A", "B", "*P", "", "C"});
  CHECK_FALSE(state.modified);
}

TEST_CASE_FIXTURE(UndoFixture, "A failed save keeps the steps and the flag") {
  Act("pick 4");
  Act("del");
  TheFakeSystem().unwritable.insert(kPath);  // a read-only file: the save is refused
  Act("save");
  CHECK(state.modified);
  Act("undo");
  // The file on disk still holds the loaded table.
  CHECK_FALSE(state.modified);
  CHECK(slot(4).number == "0711 C");
}

TEST_CASE_FIXTURE(UndoFixture, "Beyond the kept depth the oldest changes stay, and so does the flag") {
  // Row 4 and 5 swap back and forth: every move is a change of its own.
  Act("pick 4");
  for (int i = 0; i < kUndoDepth + 10; ++i) Act(i % 2 == 0 ? "down" : "up");
  int undone = 0;
  for (; undone < kUndoDepth + 10 && state.undo.steps.size() > 0; ++undone) Act("undo");
  CHECK(undone == kUndoDepth);
  // The loaded state is out of reach: the table differs from the file only
  // by an even number of swaps, yet the flag cannot know, so it stays set.
  CHECK(state.modified);
  AskToSave(state);
  REQUIRE(TheFakeDialogs().messages.size() == 1);  // closing asks
  CHECK(TheFakeDialogs().messages[0].text == "\xC4nderungen speichern");
  CheckRowsShowSlots(state);
}
