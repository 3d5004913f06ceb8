// The platform-free start-up steps and the loop's turn, against the stand-ins.
#include <doctest/doctest.h>
#include "directory/commands.h"
#include "directory/dialogs.h"
#include "directory/event_loop.h"
#include "directory/program_flow.h"
#include "directory/window_ops.h"
#include "tests/fakes/fake_dialogs.h"
#include "tests/fakes/fake_system.h"
#include "tests/fakes/fake_window.h"

namespace {
struct Fresh {
  Fresh() {
    ResetFakeSystem();
    ResetFakeWindow();
    ResetFakeDialogs();
    state.speedDialFolder = "C:\\Daten\\";
    state.speedDialFileName = "Default.kw";
  }
  // Table and list of a small loaded file.
  void Rows(const std::vector<std::array<std::string, 3>>& rows) {
    FakeWindowRows(rows);
    for (size_t i = 0; i < rows.size(); ++i) state.table.slots[i] = {rows[i][0], rows[i][1], rows[i][2]};
  }
  // Opens the speed-dial file with the given bytes and shows it.
  void Show(const std::string& bytes) {
    TheFakeSystem().files["C:\\Daten\\Default.kw"] = bytes;
    TextFile file;
    REQUIRE(OpenForReading(SpeedDialPath(state), file));
    WarnAboutLoad(state, ShowDirectory(state, file));
  }
  ProgramState state;
};
}  // namespace

TEST_CASE_FIXTURE(Fresh, "the listing file of an earlier run is removed at start; none is no error") {
  TheFakeSystem().currentFolder = "D:\\Arbeit\\";
  TheFakeSystem().files["D:\\Arbeit\\_Rufdepot.tmp"] = "alt";
  SettleListingPath(state);
  CHECK(state.listingPath == "D:\\Arbeit\\_Rufdepot.tmp");
  CHECK(TheFakeSystem().files.count("D:\\Arbeit\\_Rufdepot.tmp") == 0);
  SettleListingPath(state);
  CHECK(state.listingPath == "D:\\Arbeit\\_Rufdepot.tmp");
}

TEST_CASE_FIXTURE(Fresh, "a file of the expected form: path in the status bar, one row per line, no warning") {
  std::string bytes;
  for (int k = 0; k < 200; ++k) bytes += std::to_string(k == 7 ? 1107 : 100 + k) + ";0711" + std::to_string(k) + ";Name " + std::to_string(k) + "\r\n";
  Show(bytes);
  CHECK(TheFakeWindow().statusText == "C:\\Daten\\Default.kw");
  REQUIRE(TheFakeWindow().rows.size() == 200);
  CHECK(TheFakeWindow().rows[7] == std::array<std::string, 3>{"1107", "07117", "Name 7"});
  CHECK(TheFakeWindow().rows[199] == std::array<std::string, 3>{"299", "0711199", "Name 199"});
  CHECK(TheFakeDialogs().messages.empty());
  CHECK(TheFakeWindow().selectedRow == -1);
  CHECK(TheFakeWindow().fields[kNumberField].empty());
}

TEST_CASE_FIXTURE(Fresh, "lines that a save would drop are named once, as a warning with the window title") {
  Show("100;1;a\r\nKopfzeile\r\n101;2;b\r\n100;3;c\r\n");
  REQUIRE(TheFakeDialogs().messages.size() == 1);
  const ShownMessage& m = TheFakeDialogs().messages[0];
  CHECK(m.title == kWindowTitle);
  CHECK(m.style == kMbIconWarning);
  CHECK(m.text.find("C:\\Daten\\Default.kw") != std::string::npos);
  CHECK(m.text.find("Zeile 1, 2\n") != std::string::npos);
}

TEST_CASE_FIXTURE(Fresh, "text a save would drop after a third \";\" is named in its own warning") {
  Show("100;1;a;Rest\r\nKopfzeile\r\n101;2;b\r\n");
  REQUIRE(TheFakeDialogs().messages.size() == 2);
  CHECK(TheFakeDialogs().messages[0].text.find("Zeile 2\n") != std::string::npos);
  const ShownMessage& m = TheFakeDialogs().messages[1];
  CHECK(m.title == kWindowTitle);
  CHECK(m.style == kMbIconWarning);
  CHECK(m.text.find("nach dem dritten \";\":\nZeile 1\n") != std::string::npos);
  CHECK(state.table.slots[0].name == "a");
}

TEST_CASE_FIXTURE(Fresh, "every event makes a turn: availability first, then the event's own handling") {
  Rows({{"100", "1", "a"}, {"101", "2", "b"}, {"102", "3", "c"}});
  TheFakeWindow().selectedRow = 1;
  state.modified = true;
  TheFakeWindow().buttonEnabled[5] = false;

  const int kPaint = 15;  // any message the loop does not know
  CHECK(RunTurn(state, {kPaint, 0, 0, 0}) == TurnOutcome::Continue);
  CHECK(TheFakeWindow().buttonEnabled[5]);  // the save button follows the flag
  CHECK(state.currentSlot == 0);

  struct Case {
    Event event;
    bool selects;
  };
  const Case cases[] = {
      {{kControlEvent, kEntryList, -5, 0}, false},       // right click
      {{kControlEvent, kNumberField, 0, 0}, false},      // a field's notification
      {{kControlEvent, kEntryList, kListClickEvent, 0}, true},
  };
  for (const Case& c : cases) {
    CAPTURE(c.event.controlId);
    state.currentSlot = 0;
    TheFakeWindow().fields[kNameField] = "";
    CHECK(RunTurn(state, c.event) == TurnOutcome::Continue);
    CHECK((state.currentSlot == 1) == c.selects);
    CHECK((TheFakeWindow().fields[kNameField] == "b") == c.selects);
  }
  CHECK(RunTurn(state, {kCloseEvent, 0, 0, 0}) == TurnOutcome::Quit);
}

namespace {
std::vector<Event> gScript;
Event Scripted() {
  Event next = gScript.front();
  gScript.erase(gScript.begin());
  return next;
}
}  // namespace

TEST_CASE_FIXTURE(Fresh, "the loop ends at a close request and then asks about unsaved changes") {
  Rows({{"100", "1", "a"}, {"101", "2", "b"}});
  TheFakeWindow().selectedRow = 0;
  gScript = {{kControlEvent, kEntryList, kListClickEvent, 0},
             {kCommandEvent, 0, 0, kCmdMoveDown},
             {kCloseEvent, 0, 0, 0},
             {kCommandEvent, 0, 0, kCmdMoveUp}};  // never taken
  TheFakeDialogs().answers = {kIdNo};
  RunUntilClosed(state, Scripted);
  CHECK(gScript.size() == 1);
  CHECK(TheFakeWindow().rows[1][2] == "a");
  REQUIRE(TheFakeDialogs().messages.size() == 1);
  CHECK(TheFakeDialogs().messages[0].text == "\xC4nderungen speichern");
  CHECK_FALSE(state.modified);
}
