// The listing on the real file system and real process starts: natively
// through the POSIX seam and, in the Windows build under Wine, through
// CreateProcessA and ShellExecuteExA. A stand-in editor of ours, copied
// under an editor's name into the working folder, records how it was started.
#include <doctest/doctest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>
#include "directory/dialogs.h"
#include "directory/listing.h"
#include "system/system.h"
#include "tests/fakes/fake_dialogs.h"
#include "tests/files/scratch_folder.h"
#include "text/date.h"

#ifdef _WIN32
#include <windows.h>
#endif

#ifdef RUFDEPOT_EDITOR_STANDIN

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {
#ifdef _WIN32
const char kQuote[] = "\"";  // the command line reaches the editor as built
#else
const char kQuote[] = "";    // the shell takes the quotes off
#endif

fs::path OwnFolder() {
#ifdef _WIN32
  char buffer[MAX_PATH * 4];
  DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  return fs::path(std::string(buffer, length)).parent_path();
#else
  return fs::read_symlink("/proc/self/exe").parent_path();
#endif
}

std::string WithoutSeparator(std::string folder) {
  if (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return folder;
}

// A scratch folder with a blank in its name, made the current one for the
// test; the former current folder and search path come back before the
// folder is removed.
struct WorkingFolder : ScratchFolder {
  fs::path formerFolder = fs::current_path();
  std::string formerPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  ProgramState state;

  WorkingFolder() : ScratchFolder("rufdepot listing") {
    fs::current_path(folder);
#ifndef _WIN32
    // The shell looks for programs on the search path only.
    setenv("PATH", (folder.string() + ":" + formerPath).c_str(), 1);
#endif
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
  }

  void PlaceEditor(const char* name) const {
    fs::copy_file(OwnFolder() / RUFDEPOT_EDITOR_STANDIN, folder / name);
#ifndef _WIN32
    fs::permissions(folder / name, fs::perms::owner_exec, fs::perm_options::add);
#endif
  }
  fs::path RecordOf(const char* name) const { return folder / (std::string(name) + ".record"); }

  // The stand-in's record, once it has written it; empty when it never does.
  std::string AwaitRecord(const char* name, std::chrono::milliseconds patience) const {
    for (auto end = std::chrono::steady_clock::now() + patience; std::chrono::steady_clock::now() < end;) {
      if (fs::exists(RecordOf(name))) return ReadBytes(RecordOf(name));
      std::this_thread::sleep_for(50ms);
    }
    return {};
  }
};

#ifdef _WIN32
// Closes any message box the launch puts up in this process and remembers
// it: the shell's own "not found" box would otherwise stop the user.
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

// A WordPad registered for the shell (as on Windows) would be found then.
bool WordPadRegistered() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\wordpad.exe",
                    0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}
#endif
}  // namespace

TEST_CASE("The listing is written in the working folder and WordPad gets exactly its command line") {
  WorkingFolder w;
  w.PlaceEditor("wordpad.exe");
  w.PlaceEditor("notepad.exe");
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

  const std::string record = w.AwaitRecord("wordpad.exe", 20s);
  CHECK(record == std::string(kQuote) + "wordpad.exe" + kQuote + " " + w.state.listingPath + "\n" +
                      WithoutSeparator(CurrentFolder()) + "\n");
  // WordPad started, so Notepad was never tried.
  CHECK(w.AwaitRecord("notepad.exe", 500ms).empty());
}

TEST_CASE("When the listing file cannot be created, the user is told and no editor is started") {
  ResetFakeDialogs();
  WorkingFolder w;
  w.PlaceEditor("wordpad.exe");
  w.PlaceEditor("notepad.exe");
  fs::create_directory(w.folder / "_Rufdepot.tmp");  // a folder in the listing file's place
  w.state.table.slots[0] = {"100", "0911", "Ameise"};

  PrintListing(w.state);

  CHECK(fs::is_directory(w.folder / "_Rufdepot.tmp"));
  REQUIRE(TheFakeDialogs().messages.size() == 1);
  CHECK(TheFakeDialogs().messages[0].title == kWindowTitle);
  CHECK(TheFakeDialogs().messages[0].style == kMbIconError);
  CHECK(TheFakeDialogs().messages[0].text == "Kann Listendatei " + w.state.listingPath + " nicht schreiben");
  CHECK(w.AwaitRecord("wordpad.exe", 2s).empty());
  CHECK(w.AwaitRecord("notepad.exe", 100ms).empty());
}

#ifdef _WIN32
TEST_CASE("With no WordPad to be found, Notepad gets the listing and no error box appears") {
  if (WordPadRegistered()) {
    MESSAGE("App Paths\\wordpad.exe is registered in this prefix; the shell would start WordPad");
    return;
  }
  WorkingFolder w;
  w.PlaceEditor("notepad.exe");  // found before the system's own Notepad
  BoxWatcher watcher;

  PrintListing(w.state);

  const std::string record = w.AwaitRecord("notepad.exe", 20s);
  CHECK(record == "\"notepad.exe\" " + w.state.listingPath + "\n" + WithoutSeparator(CurrentFolder()) + "\n");
  CHECK_FALSE(watcher.sawBox);
  CHECK(ReadBytes(w.folder / "_Rufdepot.tmp").find("\r\nDatei : C:\\Telefon\\ets2106.kw\r\n\r\n") !=
        std::string::npos);
}
#endif

#endif  // RUFDEPOT_EDITOR_STANDIN
