#include <doctest/doctest.h>

#include <string>
#include "directory/commands.h"
#include "directory/dialogs.h"
#include "directory/program_state.h"
#include "directory/saving.h"
#include "tests/core/expected_file.h"
#include "tests/fakes/fake_dialogs.h"
#include "tests/fakes/fake_system.h"
#include "tests/fakes/fake_window.h"

namespace {
const std::string kFolder = "C:\\Daten\\";
const std::string kPath = "C:\\Daten\\Default.kw";
const std::string kBackup = "C:\\Daten\\20070309_Default.kw";
const std::string kTitle = "Tarvo's ETS2106 Kurzwahlnummern verwalten";
const std::string kSaved =
    "Kurzwahldatei C:\\Daten\\Default.kw neu angelegt\n"
    "Sicherungskopie in : C:\\Daten\\20070309_Default.kw\n";
const std::string kBackupFailed = "Kann keine Sicherungskopie anlegen von C:\\Daten\\Default.kw";
const std::string kWriteFailed = "Kann Kurzwahldatei C:\\Daten\\Default.kw nicht schreiben";
const std::string kPrompt = "\xC4nderungen speichern";
// What was on disk before the save: no final line end, so a copy that
// "normalised" it would show.
const std::string kOnDisk = "100;0711 1;Alt\r\n1101;112;Notruf";

bool SameTable(const DialTable& a, const DialTable& b) {
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const DialEntry& x = a.slots[slot];
    const DialEntry& y = b.slots[slot];
    if (x.index != y.index || x.number != y.number || x.name != y.name) return false;
  }
  return true;
}

int BackupCount() {
  int count = 0;
  for (const auto& [path, bytes] : TheFakeSystem().files)
    if (path.size() > kPath.size() && path.rfind("_Default.kw") == path.size() - 11) ++count;
  return count;
}

// A loaded file with edits in memory: long names, so the 200 lines need
// several buffer writes and a write can fail in the middle of the file.
struct SaveFixture {
  ProgramState state;
  SaveFixture() {
    ResetFakeSystem();
    ResetFakeDialogs();
    ResetFakeWindow();
    state.speedDialFolder = kFolder;
    state.speedDialFileName = "Default.kw";
    TheFakeSystem().files[kPath] = kOnDisk;
    for (int slot = 0; slot < kFileSlotCount; ++slot) {
      DialEntry& e = state.table.slots[slot];
      e.index = std::to_string(100 + slot);
      e.number = "0711 " + std::to_string(4000 + slot);
      e.name = "M\xFCller-L\xFC" "denscheid, Stra\xDF" "e " + std::to_string(slot) + std::string(30, '.');
    }
    state.table.slots[1].index = "1101";
    state.table.slots[1].number = "112";
    state.table.slots[7] = DialEntry{"107", "", ""};
    state.modified = true;
    FakeWindowRows({{"100", "0711 4000", "x"}});
  }
  const std::string& Disk(const std::string& path) { return TheFakeSystem().files.at(path); }
  bool Exists(const std::string& path) { return TheFakeSystem().files.count(path) > 0; }
};
}  // namespace

TEST_CASE_FIXTURE(SaveFixture, "A save copies the file on disk, rewrites it and says so") {
  const DialTable before = state.table;
  const std::string expected = ExpectedFile(state);
  REQUIRE(expected.size() > 3 * 4096);  // the writes below really are several

  for (int command : {kCmdSave, kKeySave}) {
    CAPTURE(command);
    TheFakeSystem().files[kPath] = kOnDisk;
    TheFakeSystem().files.erase(kBackup);
    TheFakeDialogs().messages.clear();
    state.diskStamp = DiskStamp{};  // the file put back is the one this run starts from
    state.modified = true;
    RunCommand(state, command);

    CHECK_FALSE(state.modified);
    CHECK(Disk(kPath) == expected);
    CHECK(Disk(kBackup) == kOnDisk);  // the state before the save, byte for byte
    REQUIRE(TheFakeDialogs().messages.size() == 1);
    const ShownMessage& shown = TheFakeDialogs().messages[0];
    CHECK(shown.title == kTitle);
    CHECK(shown.text == kSaved);
    CHECK(shown.style == kMbIconInformation);
    CHECK(SameTable(state.table, before));
    CHECK(TheFakeWindow().rows.size() == 1);
    CHECK(TheFakeSystem().openFiles == 0);
  }
}

TEST_CASE_FIXTURE(SaveFixture, "Ctrl+S without changes still runs a full save") {
  state.modified = false;
  RunCommand(state, kKeySave);
  CHECK_FALSE(state.modified);
  CHECK(Disk(kBackup) == kOnDisk);
  CHECK(Disk(kPath) == ExpectedFile(state));
  REQUIRE(TheFakeDialogs().messages.size() == 1);
  CHECK(TheFakeDialogs().messages[0].text == kSaved);
}

TEST_CASE_FIXTURE(SaveFixture, "A save that fails anywhere leaves both files as they were, and a retry saves") {
  // Either no copy of the day yet, or one that this run could not finish
  // earlier (so the save makes it again): a copy that fails must not touch it.
  const std::string kEarlier = "100;0711 0;Morgens\r\n";
  enum class Backup { Earlier, OnDisk };
  struct Case {
    const char* failure;
    void (*inject)();
    const std::string* text;
    Backup backup;
  };
  const Case cases[] = {
      // The backup copy is the first fresh file, the rewrite the second.
      {"backup: fresh file not creatable", [] { TheFakeSystem().failingCall["create temporary"] = 1; },
       &kBackupFailed, Backup::Earlier},
      {"backup: a write fails part-way", [] { TheFakeSystem().failingCall["write"] = 1; },
       &kBackupFailed, Backup::Earlier},
      {"backup: the flush fails", [] { TheFakeSystem().failingCall["flush"] = 1; }, &kBackupFailed,
       Backup::Earlier},
      {"backup: the close fails", [] { TheFakeSystem().failingCall["close"] = 1; }, &kBackupFailed,
       Backup::Earlier},
      {"backup: the replace fails", [] { TheFakeSystem().failingCall["replace"] = 1; },
       &kBackupFailed, Backup::Earlier},
      {"backup: the day's copy is read-only", [] { TheFakeSystem().unwritable.insert(kBackup); },
       &kBackupFailed, Backup::Earlier},
      {"speed-dial file unreadable", [] { TheFakeSystem().unreadable.insert(kPath); },
       &kBackupFailed, Backup::Earlier},
      {"rewrite: fresh file not creatable", [] { TheFakeSystem().failingCall["create temporary"] = 2; },
       &kWriteFailed, Backup::OnDisk},
      {"rewrite: a write fails part-way", [] { TheFakeSystem().failingCall["write"] = 3; },
       &kWriteFailed, Backup::OnDisk},
      {"rewrite: disk full in the middle", [] { TheFakeSystem().writeLimit = 5000; }, &kWriteFailed,
       Backup::OnDisk},
      {"rewrite: the flush fails", [] { TheFakeSystem().failingCall["flush"] = 2; }, &kWriteFailed,
       Backup::OnDisk},
      {"rewrite: the close fails", [] { TheFakeSystem().failingCall["close"] = 2; }, &kWriteFailed,
       Backup::OnDisk},
      {"rewrite: the replace fails", [] { TheFakeSystem().failingCall["replace"] = 2; },
       &kWriteFailed, Backup::OnDisk},
      {"speed-dial file read-only", [] { TheFakeSystem().unwritable.insert(kPath); }, &kWriteFailed,
       Backup::OnDisk},
  };
  const DialTable before = state.table;
  const std::string expected = ExpectedFile(state);
  for (const Case& c : cases)
  for (bool earlierCopy : {false, true}) {
    const std::string failure = c.failure;
    CAPTURE(failure);
    CAPTURE(earlierCopy);
    ResetFakeSystem();
    ResetFakeDialogs();
    TheFakeSystem().files[kPath] = kOnDisk;
    state.unfinishedBackupPath.clear();
    state.diskStamp = {};  // each case starts as if freshly loaded
    if (earlierCopy) {
      TheFakeSystem().files[kBackup] = kEarlier;
      state.unfinishedBackupPath = kBackup;
    }
    c.inject();
    state.modified = true;
    RunCommand(state, kCmdSave);

    CHECK(state.modified);  // so closing asks again
    REQUIRE(TheFakeDialogs().messages.size() == 1);
    const ShownMessage& shown = TheFakeDialogs().messages[0];
    CHECK(shown.title == kTitle);
    CHECK(shown.text == *c.text);
    CHECK(shown.style == kMbIconError);
    CHECK(Disk(kPath) == kOnDisk);
    if (c.backup == Backup::OnDisk) {
      CHECK(Disk(kBackup) == kOnDisk);
    } else if (earlierCopy) {
      CHECK(Disk(kBackup) == kEarlier);
    } else {
      CHECK(TheFakeSystem().files.count(kBackup) == 0);  // no half copy under its name
    }
    CHECK(FakeTemporaryFiles().empty());
    CHECK(SameTable(state.table, before));
    CHECK(TheFakeSystem().openFiles == 0);

    // The cause gone, the same changes are saved in full.
    TheFakeSystem().failingCall.clear();
    TheFakeSystem().unwritable.clear();
    TheFakeSystem().unreadable.clear();
    TheFakeSystem().writeLimit = -1;
    RunCommand(state, kCmdSave);
    CHECK_FALSE(state.modified);
    CHECK(TheFakeDialogs().messages.back().text == kSaved);
    CHECK(Disk(kPath) == expected);
    CHECK(Disk(kBackup) == kOnDisk);
    CHECK(FakeTemporaryFiles().empty());
  }
}

TEST_CASE_FIXTURE(SaveFixture, "A full disk at every save: Yes, Yes, No ends with both files as before") {
  // A file of about 8,000 bytes with LF ends: its copy fits into what is
  // free, the same 200 lines with CR LF do not.
  std::string onDisk;
  for (int slot = 0; slot < kFileSlotCount; ++slot) {
    DialEntry& entry = state.table.slots[slot];
    entry = {std::to_string(100 + slot), "0711 " + std::to_string(4000 + slot),
             "Name " + std::to_string(slot) + std::string(20 - std::to_string(slot).size(), '.')};
    onDisk += entry.index + ";" + entry.number + ";" + entry.name + "\n";
  }
  REQUIRE(onDisk.size() < 8192);
  REQUIRE(ExpectedFile(state).size() > 8192);
  TheFakeSystem().files[kPath] = onDisk;
  TheFakeSystem().writeLimit = 8192;  // what a 16 KiB file system has left for a file

  RunCommand(state, kKeySave);
  TheFakeDialogs().answers = {kIdYes, kIdOk, kIdNo};
  AskToSave(state);

  const auto& shown = TheFakeDialogs().messages;
  REQUIRE(shown.size() == 4);
  CHECK(shown[0].text == kWriteFailed);
  CHECK(shown[1].text == kPrompt);
  CHECK(shown[2].text == kWriteFailed);
  CHECK(shown[3].text == kPrompt);
  CHECK_FALSE(state.modified);
  CHECK(Disk(kPath) == onDisk);
  CHECK(Disk(kBackup) == onDisk);
  CHECK(FakeTemporaryFiles().empty());
  CHECK(TheFakeSystem().files.size() == 2);
}

TEST_CASE_FIXTURE(SaveFixture, "A save with the flag clear that fails sets the flag") {
  // The command row assigns the result: an unsaved table must not pass for saved.
  state.modified = false;
  TheFakeSystem().unwritable.insert(kPath);
  RunCommand(state, kKeySave);
  CHECK(state.modified);
}

TEST_CASE_FIXTURE(SaveFixture, "The day's backup copy keeps the file as it was before the day's first save") {
  RunCommand(state, kCmdSave);
  const std::string first = Disk(kPath);
  CHECK(Disk(kBackup) == kOnDisk);
  state.table.slots[3].name = "Zweiter Stand";
  RunCommand(state, kCmdSave);

  CHECK(BackupCount() == 1);
  CHECK(Disk(kBackup) == kOnDisk);  // not the file of the first save
  CHECK(Disk(kPath) == ExpectedFile(state));
  // The saved message still names the day's copy.
  CHECK(TheFakeDialogs().messages.back().text == kSaved);

  SUBCASE("a third save that day, with nothing changed, leaves it too") {
    RunCommand(state, kKeySave);
    CHECK(Disk(kBackup) == kOnDisk);
  }
  SUBCASE("the next day adds a second copy and keeps the first") {
    const std::string second = Disk(kPath);
    TheFakeSystem().clock = {2007, 3, 10, 8, 0, 0};
    state.table.slots[4].name = "Dritter Stand";
    RunCommand(state, kCmdSave);
    CHECK(BackupCount() == 2);
    CHECK(Disk(kBackup) == kOnDisk);
    CHECK(Disk("C:\\Daten\\20070310_Default.kw") == second);
    CHECK(TheFakeDialogs().messages.back().text ==
          "Kurzwahldatei C:\\Daten\\Default.kw neu angelegt\n"
          "Sicherungskopie in : C:\\Daten\\20070310_Default.kw\n");
    state.table.slots[5].name = "Vierter Stand";
    RunCommand(state, kCmdSave);
    CHECK(Disk("C:\\Daten\\20070310_Default.kw") == second);
  }
  SUBCASE("a copy of that day from an earlier run is kept as well") {
    ProgramState later = state;
    later.unfinishedBackupPath.clear();
    later.table.slots[6].name = "Nachmittag";
    RunCommand(later, kCmdSave);
    CHECK(Disk(kBackup) == kOnDisk);
    CHECK(Disk(kPath) == ExpectedFile(later));
  }
}

TEST_CASE_FIXTURE(SaveFixture, "Saves around midnight give copies with consecutive dates") {
  TheFakeSystem().clock = {2007, 12, 31, 23, 59, 59};
  RunCommand(state, kCmdSave);
  const std::string afterFirst = Disk(kPath);
  TheFakeSystem().clock = {2008, 1, 1, 0, 0, 0};
  state.table.slots[0].name = "Neujahr";
  RunCommand(state, kCmdSave);

  CHECK(Disk("C:\\Daten\\20071231_Default.kw") == kOnDisk);
  CHECK(Disk("C:\\Daten\\20080101_Default.kw") == afterFirst);
  CHECK(BackupCount() == 2);
}

TEST_CASE_FIXTURE(SaveFixture, "Closing asks only while changes are unsaved") {
  SUBCASE("nothing changed: no question, nothing written") {
    state.modified = false;
    AskToSave(state);
    CHECK(TheFakeDialogs().messages.empty());
    CHECK(Disk(kPath) == kOnDisk);
    CHECK(BackupCount() == 0);
  }
  SUBCASE("No ends without writing") {
    TheFakeDialogs().answers = {kIdNo};
    AskToSave(state);
    CHECK_FALSE(state.modified);
    REQUIRE(TheFakeDialogs().messages.size() == 1);
    const ShownMessage& shown = TheFakeDialogs().messages[0];
    CHECK(shown.title == kTitle);
    CHECK(shown.text == kPrompt);
    CHECK(shown.style == (kMbIconQuestion | kMbYesNoCancel));
    CHECK(Disk(kPath) == kOnDisk);
    CHECK(BackupCount() == 0);
  }
  SUBCASE("Yes saves once and ends") {
    TheFakeDialogs().answers = {kIdYes, kIdOk};
    AskToSave(state);
    CHECK_FALSE(state.modified);
    REQUIRE(TheFakeDialogs().messages.size() == 2);
    CHECK(TheFakeDialogs().messages[0].text == kPrompt);
    CHECK(TheFakeDialogs().messages[1].text == kSaved);
    CHECK(Disk(kPath) == ExpectedFile(state));
    CHECK(Disk(kBackup) == kOnDisk);
  }
}

TEST_CASE_FIXTURE(SaveFixture, "A failing save at closing asks again after its message, until No") {
  struct Case {
    const char* failure;
    void (*inject)();
    const std::string* text;
  };
  const Case cases[] = {
      {"file unreadable", [] { TheFakeSystem().unreadable.insert(kPath); }, &kBackupFailed},
      {"file deleted after the start", [] { TheFakeSystem().files.erase(kPath); }, &kBackupFailed},
      {"open for writing fails", [] { TheFakeSystem().unwritable.insert(kPath); }, &kWriteFailed},
      {"disk full", [] { TheFakeSystem().writeLimit = 100; }, &kWriteFailed},
      // Every close of a written file fails, so the backup copy is the first to fail.
      {"close fails", [] { TheFakeSystem().closeFails = true; }, &kBackupFailed},
  };
  for (const Case& c : cases) {
    const std::string failure = c.failure;
    CAPTURE(failure);
    ResetFakeSystem();
    ResetFakeDialogs();
    TheFakeSystem().files[kPath] = kOnDisk;
    c.inject();
    state.modified = true;
    TheFakeDialogs().answers = {kIdYes, kIdOk, kIdYes, kIdOk, kIdNo};
    AskToSave(state);

    CHECK_FALSE(state.modified);
    const auto& shown = TheFakeDialogs().messages;
    REQUIRE(shown.size() == 5);
    for (size_t i : {0u, 2u, 4u}) CHECK(shown[i].text == kPrompt);
    for (size_t i : {1u, 3u}) {
      CHECK(shown[i].text == *c.text);
      CHECK(shown[i].style == kMbIconError);
    }
    CHECK(TheFakeDialogs().answers.empty());
  }
}

TEST_CASE_FIXTURE(SaveFixture, "Closing saves once the cause of a failure is gone") {
  TheFakeSystem().unwritable.insert(kPath);
  // The user frees the file while the error is on screen, then answers Yes again.
  TheFakeDialogs().onMessage = [](const ShownMessage& shown) {
    if (shown.text == kWriteFailed) TheFakeSystem().unwritable.clear();
  };
  TheFakeDialogs().answers = {kIdYes, kIdOk, kIdYes, kIdOk};
  AskToSave(state);

  CHECK_FALSE(state.modified);
  const auto& shown = TheFakeDialogs().messages;
  REQUIRE(shown.size() == 4);
  CHECK(shown[1].text == kWriteFailed);
  CHECK(shown[3].text == kSaved);
  CHECK(Disk(kPath) == ExpectedFile(state));
  CHECK(Disk(kBackup) == kOnDisk);
}
