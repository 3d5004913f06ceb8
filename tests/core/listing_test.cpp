#include <doctest/doctest.h>

#include <string>
#include <vector>
#include "directory/commands.h"
#include "directory/dialogs.h"
#include "directory/listing.h"
#include "tests/fakes/fake_dialogs.h"
#include "tests/fakes/fake_system.h"
#include "tests/fakes/fake_window.h"
#include "text/text.h"

namespace {
const char kListing[] = "C:\\Arbeit\\_Rufdepot.tmp";
const char kWordPadFile[] = "C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe";
const char kNotepadFile[] = "C:\\Windows\\notepad.exe";

struct ListingFixture {
  ProgramState state;
  FakeSystem& system = TheFakeSystem();

  ListingFixture() {
    ResetFakeSystem();
    ResetFakeDialogs();
    ResetFakeWindow();  // empty fields: a print command has no typing to take over
    state.speedDialFolder = "D:\\Telefon\\";
    state.speedDialFileName = "ets2106.kw";
    state.listingPath = kListing;
    // Both editors installed, and planted where a search by name would
    // find them first.
    system.files[kWordPadFile] = system.files[kNotepadFile] = "MZ";
    system.files["C:\\Arbeit\\wordpad.exe"] = system.files["C:\\Arbeit\\notepad.exe"] = "planted";
    for (int slot = 0; slot < kSlotCount; ++slot)
      state.table.slots[slot].index = std::to_string(slot < 100 ? 100 + slot : 1000 + slot);
  }

  void Put(int slot, const std::string& number, const std::string& name) {
    state.table.slots[slot].number = number;
    state.table.slots[slot].name = name;
  }

  // The listing file split at CR LF; a lone CR or LF stays inside a line.
  std::vector<std::string> FileLines() const {
    std::vector<std::string> lines;
    const std::string& bytes = system.files.at(kListing);
    size_t start = 0;
    for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
      lines.push_back(bytes.substr(start, end - start));
    CHECK(start == bytes.size());  // the last line is ended too
    return lines;
  }

  std::vector<std::string> ListedNames() const {
    std::vector<std::string> names;
    for (const std::string& line : state.listingLines) names.push_back(line.substr(0, 36));
    return names;
  }
};

std::string Blanks(size_t count) { return std::string(count, ' '); }

// Each attempt to start a program, as "how [application:] command line
// [parameters] in folder".
std::vector<std::string> Attempts(const FakeSystem& system) {
  std::vector<std::string> seen;
  for (const ProgramStart& s : system.starts)
    seen.push_back(s.how + " " + (s.application.empty() ? "" : s.application + ": ") + s.commandLine +
                   (s.parameters.empty() ? "" : " " + s.parameters) + " in " + s.folder);
  return seen;
}

bool WordPadOnly(const ProgramStart& start) { return start.commandLine.find("wordpad") != std::string::npos; }
}  // namespace

TEST_CASE("A listing line is the name, the index's last three characters and the number in 36, 6 and 20 columns") {
  struct Case {
    const char* index;
    const char* number;
    const char* name;
    std::string line;
  };
  const std::string name40 = "Stadtwerke Musterstadt Entst\xF6rungsdienst";  // 40 characters
  const std::string number25 = "0049 89 1234567 890123 45";               // 25 characters
  const Case cases[] = {
      {"105", "0123 45", "Nord", "Nord" + Blanks(32) + "105   " + "0123 45" + Blanks(13)},
      {"1105", "0911", "Zentrale", "Zentrale" + Blanks(28) + "105   " + "0911" + Blanks(16)},
      {"5", "1", "", Blanks(36) + "5     " + "1" + Blanks(19)},
      {"", "   ", "Leer", "Leer" + Blanks(32) + Blanks(6) + Blanks(20)},
      {"199", number25.c_str(), name40.c_str(), name40.substr(0, 36) + "199   " + number25.substr(0, 20)},
      {"12345", "0", "\xC4rzte", "\xC4rzte" + Blanks(31) + "345   " + "0" + Blanks(19)},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    std::string line = ListingLine({c.index, c.number, c.name});
    CHECK(line.size() == 62);
    CHECK(line == c.line);
  }
}

TEST_CASE("PrintListing lists every slot of the file whose number is not empty") {
  ListingFixture f;
  f.Put(0, "0123", "Erster");
  f.Put(3, " ", "Nur Leerzeichen");       // blanks are a number
  f.Put(4, "", "Ohne Nummer");            // left out although it has a name
  f.Put(199, "0999", "Letzter");
  f.Put(kSpareSlot, "0200", "Reserve");   // the spare slot is never listed
  PrintListing(f.state);
  CHECK(f.ListedNames() == std::vector<std::string>{"Erster" + Blanks(30), "Letzter" + Blanks(29),
                                                    "Nur Leerzeichen" + Blanks(21)});
  CHECK(f.state.listingLines[2] == ListingLine(f.state.table.slots[3]));

  // A second listing starts afresh rather than adding to the first.
  f.Put(0, "", "");
  PrintListing(f.state);
  CHECK(f.state.listingLines.size() == 2);
}

TEST_CASE("Listing lines sort with A to Z folded and every other byte unsigned") {
  ListingFixture f;
  // Slot order differs from the expected order on purpose.
  const char* names[] = {"\xE4nne", "zander", "Meier", "_unter", "\xC4gidius", "[klammer",
                         "meier", "Adam", "", "`gravis", "\xDF", "adam", "Zz", "1eins"};
  const int slots[] = {10, 11, 12, 13, 14, 15, 5, 16, 17, 18, 19, 20, 21, 22};
  for (size_t i = 0; i < std::size(names); ++i) f.Put(slots[i], "1", names[i]);
  PrintListing(f.state);

  std::vector<std::string> expected;
  for (const char* name : {"", "1eins", "[klammer", "_unter", "`gravis", "Adam", "adam", "meier",
                           "Meier", "zander", "Zz", "\xC4gidius", "\xDF", "\xE4nne"})
    expected.push_back(PadRight(name, 36, ' '));
  CHECK(f.ListedNames() == expected);
  // Equal names fall to the index column: meier in slot 5 (105) before Meier in slot 12 (112).
  CHECK(f.state.listingLines[7].substr(36, 3) == "105");
  CHECK(f.state.listingLines[8].substr(36, 3) == "112");
  // Adam (116) before adam (120) for the same reason.
  CHECK(f.state.listingLines[5].substr(36, 3) == "116");
}

TEST_CASE("Names equal in their first 36 characters are ordered by index, then by number") {
  ListingFixture f;
  const std::string common(36, 'x');
  f.Put(150, "2", common + "a");  // index 1150 shows as 150
  f.Put(20, "9", common + "b");   // 120
  f.Put(21, "1", common);         // 121
  f.Put(22, "0", common);
  f.state.table.slots[22].index = "121";
  PrintListing(f.state);
  REQUIRE(f.state.listingLines.size() == 4);
  CHECK(f.state.listingLines[0].substr(36) == "120   9" + Blanks(19));
  CHECK(f.state.listingLines[1].substr(36) == "121   0" + Blanks(19));
  CHECK(f.state.listingLines[2].substr(36) == "121   1" + Blanks(19));
  CHECK(f.state.listingLines[3].substr(36) == "150   2" + Blanks(19));
}

TEST_CASE("The listing file holds the title with the date, the speed-dial file, an empty line and the lines") {
  ListingFixture f;
  f.system.clock = {2025, 12, 9, 23, 59, 58};
  f.Put(1, "0123 45", "Nord");
  f.Put(0, "0911", "Ameise");
  PrintListing(f.state);

  const std::string expected =
      "Kurzwahlnummern der ETS2106 - Stand : 09.12.2025\r\n"
      "Datei : D:\\Telefon\\ets2106.kw\r\n"
      "\r\n"
      "Ameise" + Blanks(30) + "100   0911" + Blanks(16) + "\r\n" +
      "Nord" + Blanks(32) + "101   0123 45" + Blanks(13) + "\r\n";
  CHECK(f.system.files.at(kListing) == expected);
  CHECK(f.system.openFiles == 0);
}

TEST_CASE("An empty directory gives a listing of three lines and still starts the editor") {
  ListingFixture f;
  f.system.clock = {2007, 3, 9, 0, 0, 0};
  f.state.speedDialFolder = "C:\\Mit Leerzeichen\\";
  f.system.files[kListing] = "an old, longer listing that must not survive\r\n";
  PrintListing(f.state);
  CHECK(f.FileLines() == std::vector<std::string>{"Kurzwahlnummern der ETS2106 - Stand : 09.03.2007",
                                                  "Datei : C:\\Mit Leerzeichen\\ets2106.kw", ""});
  CHECK(f.system.starts.size() == 4);  // WordPad and Notepad both tried, each in both ways
}

TEST_CASE("PrintListing changes neither the table, the current slot nor the modified flag") {
  ListingFixture f;
  f.Put(7, "0123", "Sieben");
  f.state.currentSlot = 7;
  f.state.modified = false;
  const DialTable before = f.state.table;
  RunCommand(f.state, kKeyPrint);
  CHECK(f.state.currentSlot == 7);
  CHECK_FALSE(f.state.modified);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    CHECK(f.state.table.slots[slot].index == before.slots[slot].index);
    CHECK(f.state.table.slots[slot].number == before.slots[slot].number);
    CHECK(f.state.table.slots[slot].name == before.slots[slot].name);
  }
}

TEST_CASE("Button 4 and Ctrl+P both write the listing and start the editor, always available") {
  for (int command : {int(kCmdListing), int(kKeyPrint)}) {
    ListingFixture f;
    CAPTURE(command);
    f.state.moveBlocked = true;
    f.state.editIncomplete = true;
    f.Put(0, "1", "a");
    f.system.startSucceeds = WordPadOnly;
    RunCommand(f.state, command);
    CHECK(f.FileLines().size() == 4);
    CHECK(f.system.starts.size() == 1);
  }
}

TEST_CASE("LaunchProgram starts the installed file with the command line and working folder") {
  struct Case {
    const char* program;
    const char* parameter;
    const char* folder;
    const char* application;  // the installed file both ways start
    const char* commandLine;  // for the direct start
    const char* shellFolder;  // for the shell's "Open"
  };
  const Case cases[] = {
      // The editor start: the command line names the program as given; the
      // parameter is never quoted, even with blanks.
      {"wordpad.exe", "C:\\Mit Leerzeichen\\_Rufdepot.tmp", "C:\\Mit Leerzeichen\\", kWordPadFile,
       "\"wordpad.exe\" C:\\Mit Leerzeichen\\_Rufdepot.tmp", "C:\\Mit Leerzeichen\\"},
      // No parameter: no blank after the program.
      {"notepad.exe", "", "C:\\Arbeit\\", kNotepadFile, "\"notepad.exe\"", "C:\\Arbeit\\"},
      // A program that already begins with a quote is taken as it is.
      {"\"C:\\Programme\\Ed\\ed.exe\" /p", "x.txt", "C:\\Arbeit\\", "C:\\Programme\\Ed\\ed.exe",
       "\"C:\\Programme\\Ed\\ed.exe\" /p x.txt", "C:\\Arbeit\\"},
      // No folder: the direct start inherits the current one, the shell gets
      // the program's folder up to its last backslash.
      {"C:\\Program Files\\Ed\\ed.exe", "a b", "", "C:\\Program Files\\Ed\\ed.exe",
       "\"C:\\Program Files\\Ed\\ed.exe\" a b", "C:\\Program Files\\Ed\\"},
      {"\"C:\\Programme\\Ed\\ed.exe\"", "", "", "C:\\Programme\\Ed\\ed.exe", "\"C:\\Programme\\Ed\\ed.exe\"",
       "C:\\Programme\\Ed\\"},
      // A bare name has no folder of its own.
      {"wordpad.exe", "x", "", kWordPadFile, "\"wordpad.exe\" x", ""},
  };
  for (const Case& c : cases) {
    ResetFakeSystem();
    FakeSystem& system = TheFakeSystem();
    system.files[kWordPadFile] = system.files[kNotepadFile] = "MZ";
    system.files["C:\\Programme\\Ed\\ed.exe"] = system.files["C:\\Program Files\\Ed\\ed.exe"] = "MZ";
    CAPTURE(c.program);
    CHECK_FALSE(LaunchProgram(c.program, c.parameter, c.folder));
    const std::vector<ProgramStart>& starts = system.starts;
    REQUIRE(starts.size() == 2);
    CHECK(starts[0].how == "CreateProcess");
    CHECK(starts[0].application == c.application);
    CHECK(starts[0].commandLine == c.commandLine);
    CHECK(starts[0].folder == c.folder);
    CHECK(starts[1].how == "ShellOpen");
    CHECK(starts[1].commandLine == c.application);  // the installed file, no quotes added
    CHECK(starts[1].parameters == c.parameter);
    CHECK(starts[1].folder == c.shellFolder);
  }
}

TEST_CASE("LaunchProgram tries nothing for a program that is not installed") {
  for (const char* program : {"wordpad.exe", "ed.exe", "\\ed.exe", "Ed\\ed.exe", "\"C:\\Fehlt\\ed.exe\""}) {
    ResetFakeSystem();
    FakeSystem& system = TheFakeSystem();
    CAPTURE(program);
    // Planted under every name a search might try.
    for (const char* file : {"wordpad.exe", "ed.exe", "\\ed.exe", "Ed\\ed.exe", "C:\\Arbeit\\wordpad.exe",
                             "C:\\Arbeit\\ed.exe", "C:\\Arbeit\\Ed\\ed.exe"})
      system.files[file] = "planted";
    system.startSucceeds = [](const ProgramStart&) { return true; };
    CHECK_FALSE(LaunchProgram(program, "x", "C:\\Arbeit\\"));
    CHECK(system.starts.empty());
  }
}

TEST_CASE("LaunchProgram is true when either way starts a process, and stops at the first") {
  ResetFakeSystem();
  TheFakeSystem().files[kNotepadFile] = "MZ";
  TheFakeSystem().startSucceeds = [](const ProgramStart&) { return true; };
  CHECK(LaunchProgram("notepad.exe", "x", ""));
  CHECK(TheFakeSystem().starts.size() == 1);

  ResetFakeSystem();
  TheFakeSystem().files[kNotepadFile] = "MZ";
  TheFakeSystem().startSucceeds = [](const ProgramStart& s) { return s.how == "ShellOpen"; };
  CHECK(LaunchProgram("notepad.exe", "x", ""));
  CHECK(TheFakeSystem().starts.size() == 2);
}

TEST_CASE("PrintListing tries WordPad, then Notepad, each directly and then through the shell") {
  const std::vector<std::string> order = {
      "CreateProcess C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe: \"wordpad.exe\" "
      "C:\\Arbeit\\_Rufdepot.tmp in C:\\Arbeit\\",
      "ShellOpen C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe C:\\Arbeit\\_Rufdepot.tmp in C:\\Arbeit\\",
      "CreateProcess C:\\Windows\\notepad.exe: \"notepad.exe\" C:\\Arbeit\\_Rufdepot.tmp in C:\\Arbeit\\",
      "ShellOpen C:\\Windows\\notepad.exe C:\\Arbeit\\_Rufdepot.tmp in C:\\Arbeit\\",
  };
  // The attempt that succeeds (4: none does); every later one is never made.
  for (size_t succeeding = 0; succeeding <= order.size(); ++succeeding) {
    ListingFixture f;
    CAPTURE(succeeding);
    f.system.startSucceeds = [&f, succeeding](const ProgramStart&) {
      return f.system.starts.size() == succeeding + 1;
    };
    PrintListing(f.state);
    std::vector<std::string> seen = Attempts(f.system);
    size_t made = succeeding < order.size() ? succeeding + 1 : order.size();
    CHECK(seen == std::vector<std::string>(order.begin(), order.begin() + made));
  }
}

TEST_CASE("PrintListing skips the attempts of an editor that is not installed") {
  const std::string wordPad[] = {
      "CreateProcess C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe: \"wordpad.exe\" "
      "C:\\Arbeit\\_Rufdepot.tmp in C:\\Arbeit\\",
      "ShellOpen C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe C:\\Arbeit\\_Rufdepot.tmp in C:\\Arbeit\\"};
  const std::string notepad[] = {
      "CreateProcess C:\\Windows\\system32\\notepad.exe: \"notepad.exe\" C:\\Arbeit\\_Rufdepot.tmp in C:\\Arbeit\\",
      "ShellOpen C:\\Windows\\system32\\notepad.exe C:\\Arbeit\\_Rufdepot.tmp in C:\\Arbeit\\"};
  struct Case {
    bool wordPadInstalled;
    bool notepadInstalled;
  };
  for (Case c : {Case{true, true}, Case{false, true}, Case{true, false}, Case{false, false}}) {
    ListingFixture f;
    CAPTURE(c.wordPadInstalled);
    CAPTURE(c.notepadInstalled);
    f.Put(0, "0911", "Ameise");
    f.system.files.erase(kWordPadFile);
    f.system.files.erase(kNotepadFile);
    if (c.wordPadInstalled) f.system.files[kWordPadFile] = "MZ";
    if (c.notepadInstalled) f.system.files["C:\\Windows\\system32\\notepad.exe"] = "MZ";
    PrintListing(f.state);
    std::vector<std::string> expected;
    if (c.wordPadInstalled) expected.insert(expected.end(), std::begin(wordPad), std::end(wordPad));
    if (c.notepadInstalled) expected.insert(expected.end(), std::begin(notepad), std::end(notepad));
    CHECK(Attempts(f.system) == expected);
    // The listing is written whether or not an editor can show it.
    CHECK(f.FileLines().size() == 4);
  }
}

TEST_CASE("When the listing file cannot be written in full, the user is told and no editor is started") {
  enum class Failure { Unwritable, IsFolder, WriteFails, CloseFails };
  for (Failure failure : {Failure::Unwritable, Failure::IsFolder, Failure::WriteFails, Failure::CloseFails}) {
    ListingFixture f;
    CAPTURE(static_cast<int>(failure));
    for (int slot = 0; slot < kFileSlotCount; ++slot) f.Put(slot, "0123", "Name");
    f.state.modified = true;
    f.system.startSucceeds = [](const ProgramStart&) { return true; };
    switch (failure) {
      case Failure::Unwritable: f.system.unwritable.insert(kListing); break;
      case Failure::IsFolder: f.system.folders.insert(kListing); break;
      case Failure::WriteFails: f.system.writeLimit = 5000; break;
      case Failure::CloseFails: f.system.closeFails = true; break;
    }
    const DialTable before = f.state.table;
    RunCommand(f.state, kKeyPrint);
    CHECK(f.system.starts.empty());
    CHECK(f.system.openFiles == 0);
    REQUIRE(TheFakeDialogs().messages.size() == 1);
    const ShownMessage& shown = TheFakeDialogs().messages[0];
    CHECK(shown.title == kWindowTitle);
    CHECK(shown.style == kMbIconError);
    CHECK(shown.text == std::string("Kann Listendatei ") + kListing + " nicht schreiben");
    CHECK(f.state.modified);  // nothing else is touched
    for (int slot = 0; slot < kSlotCount; ++slot) CHECK(f.state.table.slots[slot].name == before.slots[slot].name);
    if (failure == Failure::Unwritable || failure == Failure::IsFolder)
      CHECK(f.system.files.count(kListing) == 0);

    // The cause gone, the next try writes the whole listing and starts the editor.
    f.system.unwritable.clear();
    f.system.folders.clear();
    f.system.writeLimit = -1;
    f.system.closeFails = false;
    RunCommand(f.state, kCmdListing);
    CHECK(f.FileLines().size() == 3 + kFileSlotCount);
    CHECK(f.system.starts.size() == 1);
    CHECK(TheFakeDialogs().messages.size() == 1);
  }
}
