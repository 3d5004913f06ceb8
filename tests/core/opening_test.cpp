// Opening another speed-dial file: unsaved changes are settled first, a
// cancelled or refused opening leaves everything as it was, and an opened
// file replaces everything of the previous one as a fresh start would.
#include <doctest/doctest.h>

#include <string>
#include "directory/commands.h"
#include "directory/dialogs.h"
#include "directory/event_loop.h"
#include "directory/opening.h"
#include "directory/program_flow.h"
#include "directory/settings.h"
#include "tests/core/editing_fixture.h"
#include "tests/core/expected_file.h"
#include "tests/fakes/fake_dialogs.h"
#include "tests/fakes/fake_system.h"

namespace {
const std::string kFirst = "C:\\Daten\\Default.kw";
const std::string kFirstBackup = "C:\\Daten\\20070309_Default.kw";
const std::string kSecond = "D:\\Filiale\\Zweite.kw";
const std::string kIni = "Rufdepot.ini";
const std::string kFirstIni = "C:\\Daten\\\r\nDefault.kw\r\n";
const std::string kSecondIni = "D:\\Filiale\\\r\nZweite.kw\r\n";
const std::string kPrompt = "\xC4nderungen speichern";
const Event kClick = {kControlEvent, kEntryList, kListClickEvent, 0};
Event Command(int id) { return {kCommandEvent, 0, 0, id}; }

std::string FileOf(const std::string& number, const std::string& name) {
  std::string bytes;
  for (int k = 0; k < kFileSlotCount; ++k)
    bytes += std::to_string(100 + k) + ";" + number + std::to_string(k) + ";" + name + std::to_string(k) + "\r\n";
  return bytes;
}
const std::string kFirstBytes = FileOf("0711 ", "Teilnehmer ");
const std::string kSecondBytes = FileOf("0800 ", "Filiale ");

// The first file loaded as at start-up; the second one beside it on disk.
struct OpenFixture {
  ProgramState state;
  OpenFixture() {
    ResetFakeWindow();
    ResetFakeSystem();
    ResetFakeDialogs();
    FakeSystem& s = TheFakeSystem();
    s.files[kFirst] = kFirstBytes;
    s.files[kSecond] = kSecondBytes;
    s.files[kIni] = kFirstIni;
    state.listingPath = "C:\\Arbeit\\_Rufdepot.tmp";
    REQUIRE(ReadSettings(state));
    TextFile file;
    REQUIRE(OpenSpeedDialFile(state, file));
    ShowDirectory(state, file);
  }
  FakeWindow& window() { return TheFakeWindow(); }
  FakeDialogs& dialogs() { return TheFakeDialogs(); }
  std::string onDisk(const std::string& path) { return TheFakeSystem().files.at(path); }
  void Turn(const Event& event) { RunTurn(state, event); }
  void Pick(int row) {
    window().selectedRow = row;
    Turn(kClick);
  }
  // A change: row 3 cleared.
  void ClearRow3() {
    Pick(3);
    Turn(Command(kKeyDelete));
    REQUIRE(state.modified);
  }
  // Everything shows the second file, as after a fresh start with it.
  void CheckShowsSecond() {
    CHECK(SpeedDialPath(state) == kSecond);
    CHECK(window().statusText == kSecond);
    REQUIRE(window().rows.size() == 200u);
    CHECK(window().rows[7][kNumberColumn] == "0800 7");
    CHECK(state.table.slots[7].name == "Filiale 7");
    CheckRowsShowSlots(state);
    CHECK(state.currentSlot == 199);  // as a load leaves it: the last line's slot
    CHECK(window().selectedRow == -1);
    CHECK(window().fields[kNumberField].empty());
    CHECK_FALSE(state.modified);
    CHECK(state.diskStamp.known);
    CHECK(state.diskStamp.size == static_cast<int64_t>(kSecondBytes.size()));
    CHECK(state.undo.steps.empty());
    CHECK(onDisk(kIni) == kSecondIni);
    CHECK(onDisk(kSecond) == kSecondBytes);
  }
  void CheckStillFirst(bool modified) {
    CHECK(SpeedDialPath(state) == kFirst);
    CHECK(window().statusText == kFirst);
    CHECK(window().rows[7][kNumberColumn] == "0711 7");
    CHECK(state.modified == modified);
    CHECK(onDisk(kIni) == kFirstIni);
    CHECK(onDisk(kSecond) == kSecondBytes);
  }
};
}  // namespace

TEST_CASE("Ctrl+O settles unsaved changes with the closing question first") {
  struct Case {
    const char* what;
    bool changed;
    std::deque<int> answers;  // the question, then the save's messages
    bool opens;
    bool firstSaved;
  };
  const Case cases[] = {
      {"nothing unsaved: no question", false, {}, true, false},
      {"Ja saves, then opens", true, {kIdYes, kIdOk}, true, true},
      {"Nein drops the changes and opens", true, {kIdNo}, true, false},
      {"Abbrechen keeps everything", true, {kIdCancel}, false, false},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    OpenFixture f;
    if (c.changed) f.ClearRow3();
    f.dialogs().answers = c.answers;
    f.dialogs().openAnswers = {kSecond};
    f.Turn(Command(kKeyOpen));
    const bool asked = !f.dialogs().messages.empty() && f.dialogs().messages[0].text == kPrompt;
    CHECK(asked == c.changed);
    CHECK(f.dialogs().openCalls.size() == (c.answers.empty() || c.answers[0] != kIdCancel ? 1u : 0u));
    if (c.opens) {
      f.CheckShowsSecond();
    } else {
      f.CheckStillFirst(c.changed);
      CHECK(f.state.table.slots[3].number.empty());
    }
    if (c.firstSaved) {
      CHECK(f.onDisk(kFirst).find("103;;\r\n") != std::string::npos);
      CHECK(f.onDisk(kFirstBackup) == kFirstBytes);
    } else {
      CHECK(f.onDisk(kFirst) == kFirstBytes);
      CHECK_FALSE(TheFakeSystem().files.count(kFirstBackup));
    }
  }
}

TEST_CASE_FIXTURE(OpenFixture, "A failed save at Ctrl+O cancels the opening; the retry saves and opens") {
  ClearRow3();
  TheFakeSystem().unwritable.insert(kFirst);
  dialogs().answers = {kIdYes, kIdOk};
  dialogs().openAnswers = {kSecond};
  Turn(Command(kKeyOpen));
  REQUIRE(dialogs().messages.size() == 2);
  CHECK(dialogs().messages[1].text == "Kann Kurzwahldatei " + kFirst + " nicht schreiben");
  CHECK(dialogs().openCalls.empty());
  CheckStillFirst(true);
  CHECK(onDisk(kFirst) == kFirstBytes);
  CHECK(state.table.slots[3].number.empty());

  TheFakeSystem().unwritable.clear();
  dialogs().answers = {kIdYes, kIdOk};
  Turn(Command(kKeyOpen));
  CheckShowsSecond();
  CHECK(onDisk(kFirstBackup) == kFirstBytes);
  CHECK(onDisk(kFirst).find("103;;\r\n") != std::string::npos);
}

TEST_CASE("Ctrl+O cancelled or refused leaves table, changes and files as they were") {
  struct Case {
    const char* what;
    std::string chosen;  // empty: Cancel
    std::string shown;   // the message that explains, if any
  };
  const Case cases[] = {
      {"Cancel", "", ""},
      {"a file of 10 bytes", "D:\\Filiale\\Klein.kw", TooSmallMessage("D:\\Filiale\\Klein.kw")},
      {"an empty file", "D:\\Filiale\\Leer.kw", TooSmallMessage("D:\\Filiale\\Leer.kw")},
      {"a file that cannot be read", "D:\\Filiale\\Gesperrt.kw", "Kurzwahldatei D:\\Filiale\\Gesperrt.kw nicht gefunden"},
      {"a file that is gone", "D:\\Filiale\\Weg.kw", "Kurzwahldatei D:\\Filiale\\Weg.kw nicht gefunden"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    OpenFixture f;
    TheFakeSystem().files["D:\\Filiale\\Klein.kw"] = "100;1;A\r\n.";
    TheFakeSystem().files["D:\\Filiale\\Leer.kw"] = "";
    TheFakeSystem().files["D:\\Filiale\\Gesperrt.kw"] = kSecondBytes;
    TheFakeSystem().unreadable.insert("D:\\Filiale\\Gesperrt.kw");
    f.ClearRow3();
    // Nein first: the changes are dropped only when another file replaces them.
    f.dialogs().answers = {kIdNo};
    if (!c.chosen.empty()) f.dialogs().openAnswers = {c.chosen};
    Snapshot before(f.state);
    f.Turn(Command(kKeyOpen));
    before.CheckUnchanged(f.state);
    f.CheckStillFirst(true);
    CHECK(f.onDisk(kFirst) == kFirstBytes);
    REQUIRE(f.dialogs().messages.size() == (c.shown.empty() ? 1u : 2u));
    if (!c.shown.empty()) {
      CHECK(f.dialogs().messages[1].text == c.shown);
      CHECK(f.dialogs().messages[1].title == kWindowTitle);
    }
    // The undo steps stay too.
    f.Turn(Command(kKeyUndo));
    CHECK(f.state.table.slots[3].number == "0711 3");
    CHECK_FALSE(f.state.modified);
  }
}

TEST_CASE_FIXTURE(OpenFixture, "Ctrl+O shows the dialog of the first start and the new file's load warning") {
  TheFakeSystem().files[kSecond] = "Kopfzeile\r\n" + kSecondBytes;
  dialogs().openAnswers = {kSecond};
  Turn(Command(kKeyOpen));
  REQUIRE(dialogs().openCalls.size() == 1);
  CHECK(dialogs().openCalls[0].title == kWindowTitle);
  CHECK(dialogs().openCalls[0].defaultName == "Default.kw");
  CHECK(dialogs().openCalls[0].pattern == "Kurzwahldatei (*.kw)|*.kw");
  CHECK(dialogs().openCalls[0].patternPosition == 0);
  REQUIRE(dialogs().messages.size() == 1);
  CHECK(dialogs().messages[0].text.find(kSecond) != std::string::npos);
  CHECK(dialogs().messages[0].style == kMbIconWarning);
  CHECK(onDisk(kIni) == kSecondIni);
  // A save now goes to the second file, with its own backup copy.
  Pick(3);
  Turn(Command(kKeyDelete));
  Turn(Command(kKeySave));
  CHECK(onDisk(kFirst) == kFirstBytes);
  CHECK(onDisk("D:\\Filiale\\20070309_Zweite.kw") == "Kopfzeile\r\n" + kSecondBytes);
  CHECK(onDisk(kSecond).find("103;;\r\n") != std::string::npos);
}

TEST_CASE_FIXTURE(OpenFixture, "Typing not taken over yet is part of the changes Ctrl+O asks about") {
  Pick(5);
  window().fields[kNumberField] = "0711 5555";
  dialogs().answers = {kIdYes, kIdOk};
  dialogs().openAnswers = {kSecond};
  Turn(Command(kKeyOpen));
  CHECK(onDisk(kFirst).find("105;0711 5555;Teilnehmer 5\r\n") != std::string::npos);
  CheckShowsSecond();
}

TEST_CASE("A file dropped on the window opens as with Ctrl+O, without the dialog") {
  struct Case {
    const char* what;
    std::string dropped;
    bool opens;
  };
  const Case cases[] = {
      {"a .kw file", kSecond, true},
      {"upper-case extension", "D:\\Filiale\\GROSS.KW", true},
      {"another kind of file", "D:\\Filiale\\Liste.txt", false},
      {"nothing readable was dropped", "", false},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    OpenFixture f;
    TheFakeSystem().files["D:\\Filiale\\GROSS.KW"] = kSecondBytes;
    TheFakeSystem().files["D:\\Filiale\\Liste.txt"] = kSecondBytes;
    f.ClearRow3();
    f.window().droppedFile = c.dropped;
    f.dialogs().answers = {kIdNo};
    f.Turn(Command(kDroppedFile));
    CHECK(f.dialogs().openCalls.empty());
    if (c.opens) {
      CHECK(SpeedDialPath(f.state) == c.dropped);
      CHECK_FALSE(f.state.modified);
      CHECK(f.state.table.slots[7].name == "Filiale 7");
    } else {
      f.CheckStillFirst(true);
      const bool explained = !c.dropped.empty();
      REQUIRE(f.dialogs().messages.size() == (explained ? 1u : 0u));
      if (explained) CHECK(f.dialogs().messages[0].text == kOnlySpeedDialFiles);
    }
    CHECK(f.onDisk(kFirst) == kFirstBytes);
  }
}

TEST_CASE("A path on the command line opens that file for this run only") {
  struct Case {
    const char* what;
    std::string path;
    bool opens;
    std::string shown;
  };
  const Case cases[] = {
      {"a speed-dial file", kSecond, true, ""},
      {"a missing file", "D:\\Weg.kw", false, "Kurzwahldatei D:\\Weg.kw nicht gefunden"},
      {"a file too small", "D:\\Klein.kw", false, TooSmallMessage("D:\\Klein.kw")},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    ResetFakeSystem();
    ResetFakeDialogs();
    TheFakeSystem().files[kSecond] = kSecondBytes;
    TheFakeSystem().files["D:\\Klein.kw"] = "1234567890";
    TheFakeSystem().files[kIni] = kFirstIni;
    ProgramState state;
    TextFile file;
    CHECK(StartWithFile(state, c.path, file) == c.opens);
    if (c.opens) {
      CHECK(SpeedDialPath(state) == kSecond);
      CHECK(ReadTextLine(file) == "100;0800 0;Filiale 0");
      CloseTextFile(file);
      CHECK(TheFakeDialogs().messages.empty());
    } else {
      REQUIRE(TheFakeDialogs().messages.size() == 1);
      CHECK(TheFakeDialogs().messages[0].text == c.shown);
    }
    // The settings file is neither rewritten nor deleted.
    CHECK(TheFakeSystem().files.at(kIni) == kFirstIni);
    CHECK(TheFakeDialogs().openCalls.empty());
  }
}
