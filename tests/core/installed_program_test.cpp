#include <doctest/doctest.h>

#include <string>
#include <vector>
#include "directory/installed_program.h"
#include "tests/fakes/fake_system.h"

namespace {
const char kStandardWordPad[] = "C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe";
const char kRegisteredWordPad[] = "D:\\Programme\\WordPad\\wordpad.exe";
const char kWindowsNotepad[] = "C:\\Windows\\notepad.exe";
const char kSystemNotepad[] = "C:\\Windows\\system32\\notepad.exe";

// Programs of the editors' names where a search by name would find them
// first: the working folder (also the exe's) and the bare name itself.
void PlantEditors(FakeSystem& system) {
  for (const char* name : {"wordpad.exe", "notepad.exe"}) {
    system.files[system.currentFolder + name] = "planted";
    system.files[name] = "planted";
  }
}
}  // namespace

TEST_CASE("An editor is found only where Windows installs it, in a fixed order") {
  struct Case {
    const char* what;
    const char* program;
    const char* appPath;                // registered under App Paths; nullptr: nothing
    std::vector<std::string> existing;  // files besides the planted ones
    const char* expected;               // "" when the program is not found
    const char* windowsFolder = "C:\\Windows\\";
    const char* programFilesFolder = "C:\\Program Files\\";
  };
  const Case cases[] = {
      {"App Paths comes first", "wordpad.exe", kRegisteredWordPad, {kRegisteredWordPad, kStandardWordPad},
       kRegisteredWordPad},
      {"a quoted App Paths value", "wordpad.exe", "\"D:\\Programme\\WordPad\\wordpad.exe\"",
       {kRegisteredWordPad}, kRegisteredWordPad},
      {"App Paths naming a missing file", "wordpad.exe", kRegisteredWordPad, {kStandardWordPad},
       kStandardWordPad},
      {"App Paths with a bare name", "wordpad.exe", "wordpad.exe", {kStandardWordPad}, kStandardWordPad},
      {"App Paths relative to the working folder", "wordpad.exe", "Programme\\wordpad.exe",
       {"Programme\\wordpad.exe"}, ""},
      {"App Paths relative to a drive's current folder", "wordpad.exe", "D:wordpad.exe", {"D:wordpad.exe"}, ""},
      {"App Paths with a command line after the path", "wordpad.exe", "\"D:\\Programme\\WordPad\\wordpad.exe\" /p",
       {kRegisteredWordPad}, ""},
      {"the standard folder without App Paths", "wordpad.exe", nullptr, {kStandardWordPad}, kStandardWordPad},
      {"no WordPad installed", "wordpad.exe", nullptr, {kWindowsNotepad}, ""},
      {"no program files folder known", "wordpad.exe", nullptr,
       {"Windows NT\\Accessories\\wordpad.exe", "\\Windows NT\\Accessories\\wordpad.exe"}, "", "C:\\Windows\\", ""},
      {"Notepad in the Windows folder first", "notepad.exe", nullptr, {kWindowsNotepad, kSystemNotepad},
       kWindowsNotepad},
      {"Notepad in the system folder", "notepad.exe", nullptr, {kSystemNotepad}, kSystemNotepad},
      {"no Windows folder known", "notepad.exe", nullptr, {kWindowsNotepad, kSystemNotepad}, kSystemNotepad, ""},
      {"a Windows folder given without its separator", "notepad.exe", nullptr, {kWindowsNotepad},
       kWindowsNotepad, "C:\\Windows"},
      {"no Notepad installed", "notepad.exe", kRegisteredWordPad, {kRegisteredWordPad, kStandardWordPad}, ""},
      {"a full path given", "C:\\Tools\\ed.exe", nullptr, {"C:\\Tools\\ed.exe"}, "C:\\Tools\\ed.exe"},
      {"a quoted full path with arguments", "\"C:\\Tools\\ed.exe\" /p", nullptr, {"C:\\Tools\\ed.exe"},
       "C:\\Tools\\ed.exe"},
      {"a full path on a share", "\\\\server\\tools\\ed.exe", nullptr, {"\\\\server\\tools\\ed.exe"},
       "\\\\server\\tools\\ed.exe"},
      {"a full path to a missing file", "C:\\Tools\\ed.exe", nullptr, {}, ""},
      {"the root of the current drive", "\\ed.exe", nullptr, {"\\ed.exe"}, ""},
      {"a relative path", "Tools\\ed.exe", nullptr, {"Tools\\ed.exe", "C:\\Arbeit\\Tools\\ed.exe"}, ""},
      {"any other bare name", "ed.exe", nullptr, {"ed.exe", "C:\\Arbeit\\ed.exe", "C:\\Windows\\ed.exe"}, ""},
      {"an editor's name in other letters", "WordPad.exe", nullptr, {kStandardWordPad}, ""},
  };
  for (const Case& c : cases) {
    ResetFakeSystem();
    FakeSystem& system = TheFakeSystem();
    CAPTURE(c.what);
    PlantEditors(system);
    system.windowsFolder = c.windowsFolder;
    system.programFilesFolder = c.programFilesFolder;
    if (c.appPath) system.appPaths[c.program] = c.appPath;
    for (const std::string& file : c.existing) system.files[file] = "MZ";
    CHECK(InstalledProgramPath(c.program) == c.expected);
  }
}

TEST_CASE("App Paths naming a folder is passed over") {
  ResetFakeSystem();
  FakeSystem& system = TheFakeSystem();
  system.appPaths["wordpad.exe"] = "D:\\Programme\\WordPad";
  system.folders.insert("D:\\Programme\\WordPad");
  system.files[kStandardWordPad] = "MZ";
  CHECK(InstalledProgramPath("wordpad.exe") == kStandardWordPad);
}

TEST_CASE("With nothing installed and no folders known, a planted editor is still never chosen") {
  ResetFakeSystem();
  FakeSystem& system = TheFakeSystem();
  PlantEditors(system);
  for (const char* name : {"wordpad.exe", "notepad.exe"}) system.appPaths[name] = name;
  system.windowsFolder = system.systemFolder = system.programFilesFolder = "";
  CHECK(InstalledProgramPath("wordpad.exe") == "");
  CHECK(InstalledProgramPath("notepad.exe") == "");
}
