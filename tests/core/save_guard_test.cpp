// What keeps a save from costing the user a file: the day's backup copy
// keeps the morning's file, and another program's changes are not replaced
// without asking. Bytes of the speed-dial file and the backup copy are
// checked after every step.
#include <doctest/doctest.h>

#include <string>
#include "directory/commands.h"
#include "directory/dialogs.h"
#include "directory/program_flow.h"
#include "directory/disk_stamp.h"
#include "directory/save_guard.h"
#include "directory/saving.h"
#include "tests/core/expected_file.h"
#include "tests/fakes/fake_dialogs.h"
#include "tests/fakes/fake_system.h"
#include "tests/fakes/fake_window.h"

namespace {
const std::string kPath = "C:\\Daten\\Default.kw";
const std::string kBackup = "C:\\Daten\\20070309_Default.kw";
const std::string kTitle = "Tarvo's ETS2106 Kurzwahlnummern verwalten";
const std::string kSaved =
    "Kurzwahldatei C:\\Daten\\Default.kw neu angelegt\n"
    "Sicherungskopie in : C:\\Daten\\20070309_Default.kw\n";
const std::string kBackupFailed = "Kann keine Sicherungskopie anlegen von C:\\Daten\\Default.kw";
const std::string kChanged =
    "Die Kurzwahldatei C:\\Daten\\Default.kw wurde seit dem \xD6" "ffnen von einem anderen "
    "Programm ge\xE4ndert.\nSoll sie trotzdem \xFC" "berschrieben werden?";
const std::string kMorning = "100;0711 1;Morgen\r\n101;0711 2;Fr\xFCh\r\n";
// Another program's save: the same size as the morning's file.
const std::string kOther = "100;0711 1;Morgen\r\n101;0711 3;Fr\xFCh\r\n";

// The file as loaded at start-up, then an edit in memory.
struct LoadedFixture {
  ProgramState state;
  LoadedFixture() {
    ResetFakeSystem();
    ResetFakeDialogs();
    ResetFakeWindow();
    state.speedDialFolder = "C:\\Daten\\";
    state.speedDialFileName = "Default.kw";
    TheFakeSystem().files[kPath] = kMorning;
    TextFile file;
    REQUIRE(OpenForReading(kPath, file));
    ShowDirectory(state, file);
    Edit("Erste \xC4nderung");
  }
  void Edit(const std::string& name) {
    state.table.slots[0].name = name;
    state.modified = true;
  }
  const std::string& Disk(const std::string& path) { return TheFakeSystem().files.at(path); }
  bool Exists(const std::string& path) { return TheFakeSystem().files.count(path) > 0; }
  const ShownMessage& LastMessage() { return TheFakeDialogs().messages.back(); }
};
}  // namespace

TEST_CASE_FIXTURE(LoadedFixture, "A failed first copy of the day is made by the next save") {
  enum class Leftover { None, PartialCopy };
  for (Leftover leftover : {Leftover::None, Leftover::PartialCopy}) {
    CAPTURE(static_cast<int>(leftover));
    LoadedFixture fresh;
    TheFakeSystem().failingCall["create temporary"] = 1;  // the backup copy's fresh file
    if (leftover == Leftover::PartialCopy)
      TheFakeDialogs().onMessage = [](const ShownMessage& shown) {
        // A copy that broke off halfway, left behind under the day's name.
        if (shown.text == kBackupFailed) TheFakeSystem().files[kBackup] = "100;07";
      };
    RunCommand(fresh.state, kKeySave);
    CHECK(fresh.state.modified);
    CHECK(fresh.LastMessage().text == kBackupFailed);
    CHECK(fresh.Disk(kPath) == kMorning);

    TheFakeSystem().failingCall.clear();
    RunCommand(fresh.state, kKeySave);
    CHECK_FALSE(fresh.state.modified);
    CHECK(fresh.LastMessage().text == kSaved);
    CHECK(fresh.Disk(kBackup) == kMorning);
    CHECK(fresh.Disk(kPath) == ExpectedFile(fresh.state));

    // From now on the day's copy stays.
    fresh.Edit("Zweite \xC4nderung");
    RunCommand(fresh.state, kCmdSave);
    CHECK(fresh.Disk(kBackup) == kMorning);
    CHECK(fresh.Disk(kPath) == ExpectedFile(fresh.state));
    CHECK(fresh.LastMessage().text == kSaved);
  }
}

TEST_CASE_FIXTURE(LoadedFixture, "A folder under the day's backup name is no backup copy") {
  TheFakeSystem().folders.insert(kBackup);
  TheFakeSystem().unwritable.insert(kBackup);
  RunCommand(state, kKeySave);
  CHECK(state.modified);
  CHECK(LastMessage().text == kBackupFailed);
  CHECK(Disk(kPath) == kMorning);
}

TEST_CASE_FIXTURE(LoadedFixture, "A file unchanged since loading or saving is saved without a question") {
  RunCommand(state, kKeySave);
  Edit("Zweite \xC4nderung");
  RunCommand(state, kKeySave);
  REQUIRE(TheFakeDialogs().messages.size() == 2);
  CHECK(TheFakeDialogs().messages[0].text == kSaved);
  CHECK(TheFakeDialogs().messages[1].text == kSaved);
  CHECK(Disk(kPath) == ExpectedFile(state));
}

TEST_CASE_FIXTURE(LoadedFixture, "A file another program wrote is replaced only after Yes") {
  // Changed after loading, or after this program's own first save.
  enum class When { AfterLoad, AfterSave };
  for (When when : {When::AfterLoad, When::AfterSave}) {
    CAPTURE(static_cast<int>(when));
    LoadedFixture f;
    std::string backupBefore = "-";
    if (when == When::AfterSave) {
      RunCommand(f.state, kKeySave);
      f.Edit("Zweite \xC4nderung");
      backupBefore = kMorning;
    }
    TheFakeSystem().files[kPath] = kOther;
    const DialTable table = f.state.table;
    TheFakeDialogs().messages.clear();

    // No, twice: nothing written or copied, the changes kept for later.
    for (int attempt = 0; attempt < 2; ++attempt) {
      TheFakeDialogs().answers = {kIdNo};
      RunCommand(f.state, kKeySave);
      CHECK(f.state.modified);
      REQUIRE(TheFakeDialogs().messages.size() == static_cast<size_t>(attempt + 1));
      const ShownMessage& asked = TheFakeDialogs().messages.back();
      CHECK(asked.title == kTitle);
      CHECK(asked.text == kChanged);
      CHECK(asked.style == (kMbIconWarning | kMbYesNo));
      CHECK(f.Disk(kPath) == kOther);
      CHECK((f.Exists(kBackup) ? f.Disk(kBackup) : "-") == backupBefore);
      CHECK(f.state.table.slots[0].name == table.slots[0].name);
    }

    // Yes: the save goes through; the backup is the day's first, so the
    // other program's file lands there only when there was none yet.
    TheFakeDialogs().answers = {kIdYes, kIdOk};
    RunCommand(f.state, kKeySave);
    CHECK_FALSE(f.state.modified);
    CHECK(f.LastMessage().text == kSaved);
    CHECK(f.Disk(kPath) == ExpectedFile(f.state));
    CHECK(f.Disk(kBackup) == (when == When::AfterLoad ? kOther : kMorning));
  }
}

TEST_CASE_FIXTURE(LoadedFixture, "After Yes to a changed file a failed save is retried without asking again") {
  TheFakeSystem().files[kPath] = kOther;
  TheFakeSystem().unwritable.insert(kPath);
  TheFakeDialogs().answers = {kIdYes, kIdOk};
  RunCommand(state, kKeySave);
  CHECK(state.modified);
  CHECK(Disk(kPath) == kOther);
  CHECK(Disk(kBackup) == kOther);

  TheFakeSystem().unwritable.clear();
  TheFakeDialogs().messages.clear();
  RunCommand(state, kKeySave);
  REQUIRE(TheFakeDialogs().messages.size() == 1);
  CHECK(LastMessage().text == kSaved);
  CHECK(Disk(kPath) == ExpectedFile(state));
}

TEST_CASE("A file that cannot be read at saving is reported by the backup step, not asked about") {
  struct Case {
    const char* what;
    void (*inject)();
    const char* disk;  // the speed-dial file afterwards; null when gone
  };
  const Case cases[] = {
      {"deleted", [] { TheFakeSystem().files.erase(kPath); }, nullptr},
      {"locked by another program", [] { TheFakeSystem().unreadable.insert(kPath); }, kOther.c_str()},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    LoadedFixture f;
    TheFakeSystem().files[kPath] = kOther;
    c.inject();
    for (int attempt = 0; attempt < 2; ++attempt) {  // the same after a retry
      TheFakeDialogs().messages.clear();
      RunCommand(f.state, kKeySave);
      REQUIRE(TheFakeDialogs().messages.size() == 1);
      CHECK(f.LastMessage().text == kBackupFailed);
      CHECK(f.state.modified);
      CHECK(f.state.table.slots[0].name == "Erste \xC4nderung");
      if (c.disk)
        CHECK(f.Disk(kPath) == c.disk);
      else
        CHECK_FALSE(f.Exists(kPath));
      CHECK_FALSE(f.Exists(kBackup));
    }
  }
}

TEST_CASE_FIXTURE(LoadedFixture, "Closing with Ja on a changed file: No to overwriting asks the closing question again") {
  TheFakeSystem().files[kPath] = kOther;
  TheFakeDialogs().answers = {kIdYes, kIdNo, kIdCancel};
  CHECK(AskToSave(state) == ClosingOutcome::Stay);
  const auto& shown = TheFakeDialogs().messages;
  REQUIRE(shown.size() == 3);
  CHECK(shown[1].text == kChanged);
  CHECK(shown[2].text == "\xC4nderungen speichern");
  CHECK(state.modified);
  CHECK(Disk(kPath) == kOther);
  CHECK_FALSE(Exists(kBackup));
}

TEST_CASE("The stamp of a file: size and a hash of every byte") {
  ResetFakeSystem();
  TheFakeSystem().files["a"] = kMorning;
  TheFakeSystem().files["b"] = kOther;
  TheFakeSystem().files["c"] = kMorning;
  TheFakeSystem().readChunk = 7;  // pieces split everywhere
  const DiskStamp a = ReadDisk("a").stamp;
  CHECK(a.known);
  CHECK(a.size == static_cast<int64_t>(kMorning.size()));
  CHECK(a.hash != ReadDisk("b").stamp.hash);
  CHECK(a.hash == ReadDisk("c").stamp.hash);
  CHECK_FALSE(ReadDisk("missing").stamp.known);
  TheFakeSystem().readFailsAfter = 10;
  CHECK_FALSE(ReadDisk("a").stamp.known);
  CHECK(TheFakeSystem().openFiles == 0);
}
