// The listing on the real file system and real process starts: natively
// through the POSIX seam and, in the Windows build under Wine, through
// CreateProcessA and ShellExecuteExA. A stand-in editor of ours records how
// it was started. Copies of it planted under the editors' names in the
// working folder and beside the test's exe must never run; under Wine the
// one registered under App Paths, as Windows registers WordPad, does.
#include <doctest/doctest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>
#include "directory/dialogs.h"
#include "directory/installed_program.h"
#include "directory/listing.h"
#include "system/system.h"
#include "tests/fakes/fake_dialogs.h"
#include "tests/files/app_paths.h"
#include "tests/files/scratch_folder.h"
#include "text/date.h"

#ifdef _WIN32
#include <windows.h>
#endif

#ifdef RUFDEPOT_EDITOR_STANDIN

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {
const char* const kEditors[] = {"wordpad.exe", "notepad.exe"};

fs::path OwnFolder() {
#ifdef _WIN32
  char buffer[MAX_PATH * 4];
  DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  return fs::path(std::string(buffer, length)).parent_path();
#else
  return fs::read_symlink("/proc/self/exe").parent_path();
#endif
}

void CopyStandIn(const fs::path& to) {
  fs::copy_file(OwnFolder() / RUFDEPOT_EDITOR_STANDIN, to, fs::copy_options::overwrite_existing);
#ifndef _WIN32
  fs::permissions(to, fs::perms::owner_exec, fs::perm_options::add);
#endif
}

fs::path RecordOf(const fs::path& program) { return program.string() + ".record"; }

// A scratch folder with a blank in its name, made the current one for the
// test, with recording stand-ins under the editors' names in it and beside
// the exe (natively also first on the search path). Everything comes back
// before the folder is removed.
struct WorkingFolder : ScratchFolder {
  fs::path formerFolder = fs::current_path();
  std::string formerPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  std::vector<fs::path> planted;
  ProgramState state;

  WorkingFolder() : ScratchFolder("rufdepot listing") {
    fs::current_path(folder);
#ifndef _WIN32
    setenv("PATH", (folder.string() + ":" + formerPath).c_str(), 1);
#endif
    for (const char* name : kEditors) {
      for (const fs::path& place : {folder, OwnFolder()}) {
        CopyStandIn(place / name);
        planted.push_back(place / name);
      }
    }
    state.listingPath = CurrentFolder() + "_Rufdepot.tmp";
    state.speedDialFolder = "C:\\Telefon\\";
    state.speedDialFileName = "ets2106.kw";
  }
  ~WorkingFolder() {
#ifndef _WIN32
    setenv("PATH", formerPath.c_str(), 1);
#endif
    std::error_code ignored;
    fs::current_path(formerFolder, ignored);
    for (const fs::path& program : planted) {
      fs::remove(program, ignored);
      fs::remove(RecordOf(program), ignored);
    }
  }

  // Every planted stand-in that recorded a start, after a moment's wait,
  // one path a line.
  std::string PlantedThatRan(std::chrono::milliseconds patience) const {
    std::this_thread::sleep_for(patience);
    std::string ran;
    for (const fs::path& program : planted)
      if (fs::exists(RecordOf(program))) ran += program.string() + "\n";
    return ran;
  }
};

#ifdef _WIN32
std::string WithoutSeparator(std::string folder) {
  if (folder.size() > 1 && folder.back() == '\\') folder.pop_back();
  return folder;
}

// The stand-in's record, once it has written it; empty when it never does.
std::string AwaitRecord(const fs::path& program, std::chrono::milliseconds patience) {
  for (auto end = std::chrono::steady_clock::now() + patience; std::chrono::steady_clock::now() < end;) {
    if (fs::exists(RecordOf(program))) return ReadBytes(RecordOf(program));
    std::this_thread::sleep_for(50ms);
  }
  return {};
}

// Closes any message box that appears in this process and remembers it: a
// box of the shell's own would stop the user.
struct BoxWatcher {
  std::atomic<bool> stop{false};
  std::atomic<bool> sawBox{false};
  std::thread thread{[this] {
    while (!stop) {
      EnumWindows(CloseOwnBox, reinterpret_cast<LPARAM>(this));
      std::this_thread::sleep_for(50ms);
    }
  }};
  ~BoxWatcher() {
    stop = true;
    thread.join();
  }
  static BOOL CALLBACK CloseOwnBox(HWND window, LPARAM self) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (process == GetCurrentProcessId() && std::string(className) == "#32770" && IsWindowVisible(window)) {
      reinterpret_cast<BoxWatcher*>(self)->sawBox = true;
      PostMessageA(window, WM_COMMAND, IDOK, 0);
    }
    return TRUE;
  }
};

// A recording stand-in installed outside the working folder and registered
// under App Paths as WordPad.
struct RegisteredWordPad {
  fs::path program;
  AppPathsRegistration registration;
  RegisteredWordPad(const fs::path& folder, const std::string& value, DWORD type)
      : program(Installed(folder)), registration("wordpad.exe", value, type) {}
  static fs::path Installed(const fs::path& folder) {
    fs::create_directories(folder / "Programme" / "WordPad");
    CopyStandIn(folder / "Programme" / "WordPad" / "wordpad.exe");
    return folder / "Programme" / "WordPad" / "wordpad.exe";
  }
};
#endif
}  // namespace

TEST_CASE("The listing is written in the working folder and no editor planted beside it runs") {
  WorkingFolder w;
#ifdef _WIN32
  RegisteredWordPad wordPad(w.folder, (w.folder / "Programme\\WordPad\\wordpad.exe").string(), REG_SZ);
#endif
  w.state.table.slots[1] = {"101", "0123 45", "Nord"};
  w.state.table.slots[0] = {"100", "0911", "Ameise"};
  const std::string today = FormatDateMask("%dd.%mm.%yyyy", CurrentDate());

  PrintListing(w.state);

  const std::string spaces30(30, ' '), spaces32(32, ' ');
  const std::string listing = ReadBytes(w.folder / "_Rufdepot.tmp");
  const std::string body = "\r\nDatei : C:\\Telefon\\ets2106.kw\r\n\r\n"
                           "Ameise" + spaces30 + "100   0911" + std::string(16, ' ') + "\r\n" +
                           "Nord" + spaces32 + "101   0123 45" + std::string(13, ' ') + "\r\n";
  const std::string title = "Kurzwahlnummern der ETS2106 - Stand : ";
  // Midnight may pass between the two readings of the clock.
  const std::string later = FormatDateMask("%dd.%mm.%yyyy", CurrentDate());
  CHECK((listing == title + today + body || listing == title + later + body));

#ifdef _WIN32
  // The registered WordPad gets exactly the command line and working folder
  // of a start by name; Notepad is then never tried.
  CHECK(AwaitRecord(wordPad.program, 20s) ==
        "\"wordpad.exe\" " + w.state.listingPath + "\n" + WithoutSeparator(CurrentFolder()) + "\n");
#endif
  // Natively there is no installed editor at all: nothing is started.
  CHECK(w.PlantedThatRan(1s) == "");
}

TEST_CASE("When the listing file cannot be created, the user is told and no editor is started") {
  ResetFakeDialogs();
  WorkingFolder w;
#ifdef _WIN32
  RegisteredWordPad wordPad(w.folder, (w.folder / "Programme\\WordPad\\wordpad.exe").string(), REG_SZ);
#endif
  fs::create_directory(w.folder / "_Rufdepot.tmp");  // a folder in the listing file's place
  w.state.table.slots[0] = {"100", "0911", "Ameise"};

  PrintListing(w.state);

  CHECK(fs::is_directory(w.folder / "_Rufdepot.tmp"));
  CHECK(fs::is_empty(w.folder / "_Rufdepot.tmp"));
#ifdef _WIN32
  CHECK(AwaitRecord(wordPad.program, 2s).empty());
#endif
  CHECK(w.PlantedThatRan(500ms) == "");
  REQUIRE(TheFakeDialogs().messages.size() == 1);
  CHECK(TheFakeDialogs().messages[0].title == kWindowTitle);
  CHECK(TheFakeDialogs().messages[0].style == kMbIconError);
  CHECK(TheFakeDialogs().messages[0].text == "Kann Listendatei " + w.state.listingPath + " nicht schreiben");
}

#ifdef _WIN32
TEST_CASE("App Paths is read as Windows writes it: quoted, with environment strings") {
  WorkingFolder w;
  SetEnvironmentVariableA("RUFDEPOT_EDITORS", w.folder.string().c_str());
  RegisteredWordPad wordPad(w.folder, "\"%RUFDEPOT_EDITORS%\\Programme\\WordPad\\wordpad.exe\"", REG_EXPAND_SZ);

  CHECK(SysRegisteredAppPath("wordpad.exe") == "\"" + wordPad.program.string() + "\"");
  CHECK(LaunchProgram("wordpad.exe", w.state.listingPath, CurrentFolder()));
  CHECK(AwaitRecord(wordPad.program, 20s) ==
        "\"wordpad.exe\" " + w.state.listingPath + "\n" + WithoutSeparator(CurrentFolder()) + "\n");
  CHECK(w.PlantedThatRan(500ms) == "");
  SetEnvironmentVariableA("RUFDEPOT_EDITORS", nullptr);
}

TEST_CASE("The shell opens an installed program by its full path, blanks and all, without a box") {
  WorkingFolder w;
  const fs::path program = RegisteredWordPad::Installed(w.folder);
  REQUIRE(program.string().find(' ') != std::string::npos);

  CHECK(SysShellOpen(program.string(), w.state.listingPath, CurrentFolder()));

  const std::string record = AwaitRecord(program, 20s);
  CAPTURE(record);
  // The shell writes the program's own path first, in its own way.
  CHECK(record.ends_with(" " + w.state.listingPath + "\n" + WithoutSeparator(CurrentFolder()) + "\n"));
  CHECK(w.PlantedThatRan(500ms) == "");
  // A program that is not there, or no program at all, fails quietly: the
  // shell shows no box of its own.
  BoxWatcher watcher;
  CHECK_FALSE(SysShellOpen((w.folder / "Fehlt\\wordpad.exe").string(), w.state.listingPath, CurrentFolder()));
  WriteBytes(w.folder / "kaputt.exe", "no program");
  CHECK_FALSE(SysShellOpen((w.folder / "kaputt.exe").string(), w.state.listingPath, CurrentFolder()));
  CHECK_FALSE(watcher.sawBox);
}

TEST_CASE("The system's own editors are found in the folders the system names") {
  WorkingFolder w;  // planted stand-ins around, which must not count
  auto noWordPad = AppPathsRegistration::None("wordpad.exe");
  for (const std::string& folder : {SysWindowsFolder(), SysSystemFolder(), SysProgramFilesFolder()}) {
    CAPTURE(folder);
    CHECK(folder.size() > 3);
    CHECK(folder[1] == ':');
    CHECK(folder.back() == '\\');
    CHECK(folder.find("\\\\") == std::string::npos);
  }
  CHECK(InstalledProgramPath("notepad.exe") == SysWindowsFolder() + "notepad.exe");
  // Wine installs WordPad in its standard folder without registering it.
  CHECK(InstalledProgramPath("wordpad.exe") == SysProgramFilesFolder() + "Windows NT\\Accessories\\wordpad.exe");
  CHECK(FileSizeOf(InstalledProgramPath("wordpad.exe")) > 0);
}
#endif

#endif  // RUFDEPOT_EDITOR_STANDIN
