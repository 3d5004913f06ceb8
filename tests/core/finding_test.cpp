// Finding entries: which texts match, in which order the rows are searched,
// and what a hit or no hit does to the window.
#include <doctest/doctest.h>

#include <string>
#include "directory/commands.h"
#include "directory/dialogs.h"
#include "directory/event_loop.h"
#include "directory/finding.h"
#include "tests/core/editing_fixture.h"
#include "tests/fakes/fake_dialogs.h"
#include "text/find_match.h"

TEST_CASE("find matching: A-Z and the umlauts without regard to case") {
  struct Case {
    const char* text;
    const char* part;
    bool found;
  };
  const Case cases[] = {
      {"M\xFCller", "m\xFCller", true},         {"M\xDCLLER", "m\xFCller", true},
      {"m\xFCller", "M\xDCLLER", true},         {"\xC4rztehaus", "\xE4rzte", true},
      {"B\xD6HM", "b\xF6hm", true},             {"b\xF6hm", "B\xD6HM", true},
      {"Gr\xFC\xDF" "e", "GR\xDC\xDF" "E", true}, {"Zentrale Ost", "ale o", true},
      {"0711 1234", "11 12", true},             {"Mueller", "m\xFCller", false},
      {"M\xFCller", "Muller", false},           {"Caf\xE9", "CAF\xC9", false},
      {"Nord", "", false},                      {"", "a", false},
      {"ab", "abc", false},                     {"Anna", "nna", true},
  };
  for (const Case& c : cases) {
    CAPTURE(c.text);
    CAPTURE(c.part);
    CHECK(ContainsFolded(c.text, c.part) == c.found);
  }
}

namespace {
Event Command(int id) { return {kCommandEvent, 0, 0, id}; }

// Names and numbers in codes of the editing fixture: "0711 X" and "Name X".
struct FindFixture : EditFixture {
  FindFixture() : EditFixture({"Mayer", "Meier", "*Zentrale", "", "MAIER", "m\xFCller", "Meier"}) {
    ResetFakeDialogs();
  }
  void Find(const std::string& text) {
    window().findText = text;
    RunTurn(state, Command(kKeyFindNext));
  }
  void Pick(int row) {
    window().selectedRow = row;
    RunTurn(state, {kControlEvent, kEntryList, kListClickEvent, 0});
  }
};
}  // namespace

TEST_CASE_FIXTURE(FindFixture, "find order: from the row after the current slot, wrapping around") {
  struct Case {
    int current;  // the row picked before the search
    const char* text;
    int row;      // -1: not found
  };
  const Case cases[] = {
      {0, "meier", 1},        {1, "meier", 6},       {6, "meier", 1},
      {4, "name m", 5},       {5, "ZENTRALE", 2},    {3, "0711 M", 4},
      {1, "M\xDCLLER", 5},    {5, "m\xFCller", 5},   {0, "Schmidt", -1},
      {2, "name", 4},         {6, "0711 mayer", 0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.current);
    CAPTURE(c.text);
    state.currentSlot = c.current;
    CHECK(FindRow(state, c.text) == c.row);
  }
  // With no row selected the current slot is the row count: the search
  // starts at the top.
  state.currentSlot = 7;
  CHECK(FindRow(state, "meier") == 1);
}

TEST_CASE_FIXTURE(FindFixture, "a hit selects, shows and takes the row as a click would") {
  Pick(1);
  Find("meier");
  CHECK(window().selectedRow == 6);
  CHECK(window().shownRow == 6);
  CHECK(state.currentSlot == 6);
  CHECK(window().fields[kNumberField] == "0711 Meier");
  CHECK(window().fields[kNameField] == "Name Meier");
  CHECK(TheFakeDialogs().messages.empty());
  // F3 again wraps around to the first.
  Find("meier");
  CHECK(state.currentSlot == 1);
  CHECK_FALSE(state.modified);
}

TEST_CASE_FIXTURE(FindFixture, "typing is taken over before the search leaves the entry") {
  Pick(0);
  Type("0711 1", "Meier neu");
  Find("meier");
  CHECK(slot(0).name == "Meier neu");
  CHECK(state.currentSlot == 1);  // the search started after the entry typed into
  CheckRowsShowSlots(state);
}

TEST_CASE_FIXTURE(FindFixture, "no hit: a message with the window title, nothing else changes") {
  Pick(4);
  Snapshot before(state);
  Find("Schmidt");
  before.CheckUnchanged(state);
  REQUIRE(TheFakeDialogs().messages.size() == 1);
  CHECK(TheFakeDialogs().messages[0].title == kWindowTitle);
  CHECK(TheFakeDialogs().messages[0].text == "\x84Schmidt\x93 wurde nicht gefunden.");
}

TEST_CASE_FIXTURE(FindFixture, "Ctrl+F opens the dialog; F3 before any text opens it too") {
  RunTurn(state, Command(kKeyFind));
  CHECK(window().findDialogOpened == 1);
  Find("");
  CHECK(window().findDialogOpened == 2);
  CHECK(TheFakeDialogs().messages.empty());
}
