// Saving on the real file system: natively and under Wine.
#include <doctest/doctest.h>

#include <ctime>
#include <filesystem>
#include <set>
#include <string>
#include "directory/dialogs.h"
#include "directory/program_state.h"
#include "directory/saving.h"
#include "tests/core/expected_file.h"
#include "tests/fakes/fake_dialogs.h"
#include "tests/fakes/fake_window.h"
#include "tests/files/scratch_folder.h"
#include "text/date.h"
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace {
namespace fs = std::filesystem;

const std::string kOnDisk = "100;0711 1;Alt\r\n1101;112;Notruf";  // no final line end

// The day prefix of the local clock, read straight from the platform rather
// than through the seam under test.
std::string TodayPrefix() {
  CivilTime now;
#ifdef _WIN32
  SYSTEMTIME local;
  GetLocalTime(&local);
  now = {local.wYear, local.wMonth, local.wDay, 0, 0, 0};
#else
  std::time_t seconds = std::time(nullptr);
  std::tm local{};
  localtime_r(&seconds, &local);
  now = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, 0, 0, 0};
#endif
  return FormatDateMask("%yyyy%MM%DD_", DateFromCivil(now));
}

// A scratch folder holding the speed-dial file, and a table with edits in
// memory to be saved there.
struct SaveFolder : ScratchFolder {
  ProgramState state;

  SaveFolder() : ScratchFolder("rufdepot-save") {
    ResetFakeDialogs();
    ResetFakeWindow();
    state.speedDialFolder = folder.string() + kSeparator;
    state.speedDialFileName = "Default.kw";
    Write("Default.kw", kOnDisk);
    for (int slot = 0; slot < kFileSlotCount; ++slot)
      state.table.slots[slot] = {std::to_string(100 + slot), "", ""};
    state.table.slots[0] = {"100", "0711 2", "M\xFCller"};
    state.modified = true;
  }

  // Names of the backup copies in the folder.
  std::set<std::string> Backups() const {
    std::set<std::string> names;
    for (const auto& item : fs::directory_iterator(folder)) {
      std::string name = item.path().filename().string();
      if (name != "Default.kw") names.insert(name);
    }
    return names;
  }
  void Save() { state.modified = SaveDirectory(state); }
  // Marks a file read-only the platform's way, or takes the mark off again.
  void SetReadOnly(const std::string& name, bool readOnly) const {
#ifdef _WIN32
    SetFileAttributesA(Path(name).c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
#else
    ::chmod(Path(name).c_str(), readOnly ? 0444 : 0644);
#endif
  }
  const ShownMessage& OnlyMessage() const {
    REQUIRE(TheFakeDialogs().messages.size() == 1);
    return TheFakeDialogs().messages[0];
  }
};
}  // namespace

TEST_CASE_FIXTURE(SaveFolder, "The backup copy is named with the local date and kept by a later save that day") {
  const std::string before = TodayPrefix();
  Save();
  const std::string after = TodayPrefix();

  CHECK_FALSE(state.modified);
  const std::set<std::string> backups = Backups();
  REQUIRE(backups.size() == 1);
  const std::string backup = *backups.begin();
  CAPTURE(backup);
  CHECK((backup == before + "Default.kw" || backup == after + "Default.kw"));
  CHECK(Read(backup) == kOnDisk);
  CHECK(Read("Default.kw") == ExpectedFile(state));
  const ShownMessage& saved = OnlyMessage();
  CHECK(saved.title == kWindowTitle);
  CHECK(saved.style == kMbIconInformation);
  CHECK(saved.text == "Kurzwahldatei " + Path("Default.kw") + " neu angelegt\n" +
                          "Sicherungskopie in : " + Path(backup) + "\n");

  const std::string first = Read("Default.kw");
  state.table.slots[5] = {"105", "030 5", "Zweiter Stand"};
  state.modified = true;
  Save();
  CHECK_FALSE(state.modified);
  CHECK(Read("Default.kw") == ExpectedFile(state));
  if (TodayPrefix() + "Default.kw" == backup) {
    CHECK(Backups() == backups);     // still one copy for the day
    CHECK(Read(backup) == kOnDisk);  // still the state before the day's first save
  } else {
    // Midnight passed between the saves: the new day's copy holds that state.
    CHECK(Read(TodayPrefix() + "Default.kw") == first);
  }
}

TEST_CASE_FIXTURE(SaveFolder, "A missing speed-dial file gives the backup failure message") {
  fs::remove(folder / "Default.kw");
  Save();

  CHECK(state.modified);
  const ShownMessage& shown = OnlyMessage();
  CHECK(shown.title == kWindowTitle);
  CHECK(shown.style == kMbIconError);
  CHECK(shown.text == "Kann keine Sicherungskopie anlegen von " + Path("Default.kw"));
  CHECK(Backups().empty());
  CHECK_FALSE(fs::exists(folder / "Default.kw"));  // nothing was written in its place
}

TEST_CASE_FIXTURE(SaveFolder, "A read-only speed-dial file is refused with the write error and kept") {
  constexpr bool kReadOnly = true;
  SetReadOnly("Default.kw", kReadOnly);
  Save();

  CHECK(state.modified);
  const ShownMessage& shown = OnlyMessage();
  CHECK(shown.title == kWindowTitle);
  CHECK(shown.style == kMbIconError);
  CHECK(shown.text == "Kann Kurzwahldatei " + Path("Default.kw") + " nicht schreiben");
  CHECK(Read("Default.kw") == kOnDisk);
  REQUIRE(Backups().size() == 1);  // the day's copy, and no fresh file left behind
  CHECK(Read(*Backups().begin()) == kOnDisk);

  // Once the user has made it writable, the same changes are saved.
  SetReadOnly("Default.kw", !kReadOnly);
  ResetFakeDialogs();
  Save();
  CHECK_FALSE(state.modified);
  CHECK(Read("Default.kw") == ExpectedFile(state));
  CHECK(Backups().size() == 1);
}

#ifndef _WIN32
TEST_CASE_FIXTURE(SaveFolder, "A save keeps the speed-dial file's permissions") {
  ::chmod(Path("Default.kw").c_str(), 0640);
  Save();
  CHECK_FALSE(state.modified);
  struct stat info {};
  REQUIRE(::stat(Path("Default.kw").c_str(), &info) == 0);
  CHECK((info.st_mode & 07777) == 0640);
  CHECK(Read("Default.kw") == ExpectedFile(state));
}
#endif

#ifdef _WIN32
TEST_CASE_FIXTURE(SaveFolder, "A save keeps the speed-dial file hidden and its archive mark") {
  constexpr DWORD kMarks = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
  REQUIRE(SetFileAttributesA(Path("Default.kw").c_str(), kMarks));
  REQUIRE((GetFileAttributesA(Path("Default.kw").c_str()) & kMarks) == kMarks);
  Save();
  CHECK_FALSE(state.modified);
  CHECK(OnlyMessage().style == kMbIconInformation);
  CHECK(Read("Default.kw") == ExpectedFile(state));
  CHECK((GetFileAttributesA(Path("Default.kw").c_str()) & kMarks) == kMarks);
  CHECK(Backups().size() == 1);
}

namespace {
// Another program's handle on a file, held for the life of the object.
struct HeldFile {
  HANDLE handle;
  HeldFile(const std::string& path, DWORD share)
      : handle(CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr)) {
    REQUIRE(handle != INVALID_HANDLE_VALUE);
  }
  ~HeldFile() { CloseHandle(handle); }
};
}  // namespace

TEST_CASE_FIXTURE(SaveFolder, "A speed-dial file held open without delete sharing gives the write error and stays") {
  struct Case {
    const char* sharing;
    DWORD share;
  };
  const Case cases[] = {
      {"read", FILE_SHARE_READ},
      {"read and write", FILE_SHARE_READ | FILE_SHARE_WRITE},
  };
  for (const Case& c : cases) {
    const std::string sharing = c.sharing;
    CAPTURE(sharing);
    ResetFakeDialogs();
    Write("Default.kw", kOnDisk);
    state.diskStamp = {};  // as if freshly loaded
    state.modified = true;
    {
      HeldFile other(Path("Default.kw"), c.share);
      Save();
    }
    CHECK(state.modified);
    const ShownMessage& shown = OnlyMessage();
    CHECK(shown.title == kWindowTitle);
    CHECK(shown.style == kMbIconError);
    CHECK(shown.text == "Kann Kurzwahldatei " + Path("Default.kw") + " nicht schreiben");
    CHECK(Read("Default.kw") == kOnDisk);
    REQUIRE(Backups().size() == 1);  // the day's copy, and no fresh file left behind
    CHECK(Read(*Backups().begin()) == kOnDisk);

    // The other program has let go: the retry saves.
    ResetFakeDialogs();
    Save();
    CHECK_FALSE(state.modified);
    CHECK(Read("Default.kw") == ExpectedFile(state));
    CHECK(Backups().size() == 1);
  }
}

TEST_CASE_FIXTURE(SaveFolder, "A speed-dial file held open without any sharing cannot even be copied") {
  {
    HeldFile other(Path("Default.kw"), 0);
    Save();
  }
  CHECK(state.modified);
  CHECK(OnlyMessage().text == "Kann keine Sicherungskopie anlegen von " + Path("Default.kw"));
  CHECK(Read("Default.kw") == kOnDisk);
  CHECK(Backups().empty());
}

TEST_CASE_FIXTURE(SaveFolder, "A later save that day leaves the day's copy alone, even one another program holds") {
  Save();
  REQUIRE(Backups().size() == 1);
  const std::string backup = *Backups().begin();
  ResetFakeDialogs();
  state.table.slots[5] = {"105", "030 5", "Zweiter Stand"};
  state.modified = true;
  {
    HeldFile other(Path(backup), 0);
    Save();
  }
  if (TodayPrefix() + "Default.kw" != backup) return;  // midnight passed: a new copy was made
  CHECK_FALSE(state.modified);
  CHECK(OnlyMessage().text == "Kurzwahldatei " + Path("Default.kw") + " neu angelegt\n" +
                                  "Sicherungskopie in : " + Path(backup) + "\n");
  CHECK(Read("Default.kw") == ExpectedFile(state));
  CHECK(Read(backup) == kOnDisk);
  CHECK(Backups().size() == 1);  // no fresh file left behind
}
#endif
