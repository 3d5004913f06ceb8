#include <doctest/doctest.h>

#include <string>
#include "directory/dialogs.h"
#include "directory/settings.h"
#include "product.h"
#include "tests/fakes/fake_dialogs.h"
#include "tests/fakes/fake_system.h"

namespace {
const std::string kTitle = "Tarvo's ETS2106 Kurzwahlnummern verwalten";
const std::string kIni = "Rufdepot.ini";
const std::string kChosen = "C:\\Daten\\Default.kw";
const std::string kEleven = "105;;\r\n106;;\r";  // 11 bytes

const std::string kFirstStartText =
    "Erster Start des Programmes:\n"
    "Sie werden nach dem Speicherort der zu verwaltenden Kurzwahldatei gefragt.\n"
    "Bitte w\xE4hlen Sie die Datei aus und best\xE4tigen Sie mit OK.\n"
    "\n"
    "Pfad und Dateinamen werden in der Datei Rufdepot.ini\n"
    "gespeichert und beim n\xE4" "chsten Start automatisch benutzt.\n"
    "\n"
    "M\xF6" "chten Sie eine andere Datei verwalten, dann l\xF6schen Sie bitte\n"
    "die Datei Rufdepot.ini und starten das Programm erneut\n"
    "\n"
    "Bei jedem Speichern wird eine Sicherungskopie mit dem vorherigen Stand der\n"
    "Kurzwahl-Datei angelegt, aus deren Namen ersichtlich ist, wann die Datei\n"
    "angelegt worden ist.\n"
    "\n"
    "Das Programm erlaubt das Verwalten und Drucken (\xFC" "ber WordPad) der Kurzwahlliste.\n"
    "Zum Laden der Kurzwahlnummern in die Anlage ETS2106 benutzen Sie bitte wie bisher\n"
    "die Original-Software von Auerswald.\n"
    "\n"
    "Sie nutzen das Programm Rufdepot.exe kostenlos und auf eigenes Risiko.\n"
    "\n"
    "Probleme und Anregungen an " RUFDEPOT_CONTACT "\n";

// One start-up against the fake file system and dialogs.
struct StartUpRun {
  FakeSystem& system;
  FakeDialogs& dialogs;
  ProgramState state;
  TextFile file;
  bool started = false;

  StartUpRun() : system(TheFakeSystem()), dialogs(TheFakeDialogs()) {
    ResetFakeSystem();
    ResetFakeDialogs();
  }
  bool Run() {
    started = StartUp(state, file);
    return started;
  }
  bool HasIni() const { return system.files.count(kIni) > 0; }
  std::string Ini() const { return system.files.at(kIni); }
  // The first line of the opened speed-dial file, to prove it is readable.
  std::string FirstLine() { return ReadTextLine(file); }
  ~StartUpRun() {
    if (started) CloseTextFile(file);
  }
};

void CheckFirstStartShown(const StartUpRun& run) {
  REQUIRE(!run.dialogs.messages.empty());
  const ShownMessage& first = run.dialogs.messages[0];
  CHECK(first.title == kTitle);
  CHECK(first.text == kFirstStartText);
  CHECK(first.style == kMbIconInformation);
  REQUIRE(run.dialogs.openCalls.size() == 1);
  const OpenDialogCall& call = run.dialogs.openCalls[0];
  CHECK(call.title == kTitle);
  CHECK(call.defaultName == "Default.kw");
  CHECK(call.pattern == "Kurzwahldatei (*.kw)|*.kw");
  CHECK(call.patternPosition == 0);
}

void CheckNotFoundShown(const ShownMessage& shown, const std::string& path) {
  CHECK(shown.title == kTitle);
  CHECK(shown.text == "Kurzwahldatei " + path + " nicht gefunden");
  CHECK(shown.style == kMbIconError);
}
}  // namespace

TEST_CASE("The first-start message has 21 pieces: 15 lines in seven groups, ending in a line feed") {
  StartUpRun run;
  run.Run();
  REQUIRE(run.dialogs.messages.size() == 1);
  const std::string& text = run.dialogs.messages[0].text;
  CHECK(text == kFirstStartText);
  int lineFeeds = 0, blankLines = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n') continue;
    ++lineFeeds;
    if (i > 0 && text[i - 1] == '\n') ++blankLines;
  }
  CHECK(lineFeeds == 21);
  CHECK(blankLines == 6);
  CHECK(text.back() == '\n');
  CHECK(text.find("\xC3") == std::string::npos);  // Windows-1252, not UTF-8
}

TEST_CASE("Start-up with a readable settings file") {
  StartUpRun run;
  const std::string ini = "C:\\Daten\\\r\nDefault.kw\r\n";
  run.system.files[kIni] = ini;

  SUBCASE("its two lines name a file that opens: no message, no dialog, file unchanged") {
    run.system.files[kChosen] = "105;0815;Nord\r\n";
    CHECK(run.Run());
    CHECK(run.dialogs.messages.empty());
    CHECK(run.dialogs.openCalls.empty());
    CHECK(run.state.speedDialFolder == "C:\\Daten\\");
    CHECK(run.state.speedDialFileName == "Default.kw");
    CHECK(run.FirstLine() == "105;0815;Nord");
    CHECK(run.Ini() == ini);
  }
  SUBCASE("a speed-dial file of 0 bytes is opened: the size test is for the first start only") {
    run.system.files[kChosen] = "";
    CHECK(run.Run());
    CHECK(run.dialogs.messages.empty());
    CHECK(run.Ini() == ini);
  }
  SUBCASE("the named file cannot be opened: not-found message, settings deleted") {
    CHECK_FALSE(run.Run());
    CHECK(run.dialogs.openCalls.empty());
    REQUIRE(run.dialogs.messages.size() == 1);
    CheckNotFoundShown(run.dialogs.messages[0], kChosen);
    CHECK_FALSE(run.HasIni());
  }
  SUBCASE("the named file is held by another program: the same") {
    run.system.files[kChosen] = "105;;\r\n";
    run.system.unreadable.insert(kChosen);
    CHECK_FALSE(run.Run());
    REQUIRE(run.dialogs.messages.size() == 1);
    CheckNotFoundShown(run.dialogs.messages[0], kChosen);
    CHECK_FALSE(run.HasIni());
    CHECK(run.system.files.at(kChosen) == "105;;\r\n");  // the speed-dial file itself stays
  }
}

TEST_CASE("Settings lines are taken unchanged") {
  StartUpRun run;
  SUBCASE("a folder without its trailing backslash is joined directly to the name") {
    run.system.files[kIni] = "C:\\Daten\r\nDefault.kw\r\n";
    run.system.files[kChosen] = "105;;\r\n";
    CHECK_FALSE(run.Run());
    REQUIRE(run.dialogs.messages.size() == 1);
    CheckNotFoundShown(run.dialogs.messages[0], "C:\\DatenDefault.kw");
    CHECK_FALSE(run.HasIni());
  }
  SUBCASE("an empty settings file: nothing between the words, two blanks") {
    run.system.files[kIni] = "";
    CHECK_FALSE(run.Run());
    REQUIRE(run.dialogs.messages.size() == 1);
    CHECK(run.dialogs.messages[0].text == "Kurzwahldatei  nicht gefunden");
    CHECK(run.dialogs.openCalls.empty());
    CHECK_FALSE(run.HasIni());
  }
  SUBCASE("one line only: the file name is empty") {
    run.system.files[kIni] = "C:\\Daten\\";
    CHECK_FALSE(run.Run());
    REQUIRE(run.dialogs.messages.size() == 1);
    CHECK(run.dialogs.messages[0].text == "Kurzwahldatei C:\\Daten\\ nicht gefunden");
  }
  SUBCASE("LF line ends, blanks kept, lines after the second not read") {
    run.system.files[kIni] = " C:\\D \\\n Default.kw \nX:\\other\\\nmore";
    run.system.files[" C:\\D \\ Default.kw "] = "105;;\r\n";
    CHECK(run.Run());
    CHECK(run.state.speedDialFolder == " C:\\D \\");
    CHECK(run.state.speedDialFileName == " Default.kw ");
    CHECK(run.dialogs.messages.empty());
  }
}

TEST_CASE("First start when the settings file cannot be read") {
  StartUpRun run;
  SUBCASE("absent") {}
  SUBCASE("present but held by another program") {
    run.system.files[kIni] = "X:\\\r\nalt.kw\r\n";
    run.system.unreadable.insert(kIni);
  }
  run.system.files[kChosen] = kEleven;
  run.dialogs.openAnswers.push_back(kChosen);
  CHECK(run.Run());
  REQUIRE(run.dialogs.messages.size() == 1);
  CheckFirstStartShown(run);
  CHECK(run.state.speedDialFolder == "C:\\Daten\\");
  CHECK(run.state.speedDialFileName == "Default.kw");
  CHECK(run.Ini() == "C:\\Daten\\\r\nDefault.kw\r\n");
  CHECK(run.FirstLine() == "105;;");
}

TEST_CASE("First start without an accepted file ends silently and writes nothing") {
  struct Case {
    const char* what;
    const char* answer;   // nullptr: the dialog is cancelled
    int fileSize;         // -1: no such file; -2: a folder of that name
  };
  const Case cases[] = {
      {"cancelled", nullptr, -1},
      {"empty path returned", "", -1},
      {"typed name of a missing file", "C:\\Daten\\Neu.kw", -1},
      {"a folder", "C:\\Daten\\Ordner.kw", -2},
      {"an empty file", "C:\\Daten\\Leer.kw", 0},
      {"exactly 10 bytes", "C:\\Daten\\Zehn.kw", 10},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    StartUpRun run;
    if (c.answer) {
      run.dialogs.openAnswers.push_back(c.answer);
      if (c.fileSize == -2) run.system.folders.insert(c.answer);
      if (c.fileSize >= 0) run.system.files[c.answer] = std::string(c.fileSize, 'x');
    }
    CHECK_FALSE(run.Run());
    CheckFirstStartShown(run);
    CHECK(run.dialogs.messages.size() == 1);  // no message of its own
    CHECK_FALSE(run.HasIni());
    CHECK(run.state.speedDialFolder.empty());
    CHECK(run.state.speedDialFileName.empty());
  }
}

TEST_CASE("First start with an accepted file") {
  StartUpRun run;
  SUBCASE("11 bytes are enough; the settings file holds the two lines with CR LF") {
    run.system.files[kChosen] = kEleven;
    run.dialogs.openAnswers.push_back(kChosen);
    CHECK(run.Run());
    CHECK(run.dialogs.messages.size() == 1);
    CHECK(run.Ini() == "C:\\Daten\\\r\nDefault.kw\r\n");
  }
  SUBCASE("a file in a drive's root") {
    run.system.files["C:\\Default.kw"] = kEleven;
    run.dialogs.openAnswers.push_back("C:\\Default.kw");
    CHECK(run.Run());
    CHECK(run.state.speedDialFolder == "C:\\");
    CHECK(run.state.speedDialFileName == "Default.kw");
    CHECK(run.Ini() == "C:\\\r\nDefault.kw\r\n");
  }
  SUBCASE("the settings file cannot be created: nothing reported, the file is used") {
    run.system.files[kChosen] = kEleven;
    run.system.unwritable.insert(kIni);
    run.dialogs.openAnswers.push_back(kChosen);
    CHECK(run.Run());
    CHECK(run.dialogs.messages.size() == 1);
    CHECK_FALSE(run.HasIni());
    CHECK(run.FirstLine() == "105;;");
  }
  SUBCASE("the settings file cannot be written out: no half file is left") {
    run.system.files[kChosen] = kEleven;
    run.system.writeLimit = 5;
    run.dialogs.openAnswers.push_back(kChosen);
    CHECK(run.Run());
    CHECK(run.dialogs.messages.size() == 1);
    CHECK_FALSE(run.HasIni());
  }
  SUBCASE("the file is accepted but cannot then be opened: not-found message, settings deleted again") {
    run.system.files[kChosen] = kEleven;
    run.system.unreadable.insert(kChosen);
    run.dialogs.openAnswers.push_back(kChosen);
    std::string iniWhenShown = "(none)";
    run.dialogs.onMessage = [&](const ShownMessage&) {
      if (run.HasIni()) iniWhenShown = run.Ini();
    };
    CHECK_FALSE(run.Run());
    REQUIRE(run.dialogs.messages.size() == 2);
    CheckFirstStartShown(run);
    CheckNotFoundShown(run.dialogs.messages[1], kChosen);
    CHECK(iniWhenShown == "C:\\Daten\\\r\nDefault.kw\r\n");  // it had been written
    CHECK_FALSE(run.HasIni());
  }
  SUBCASE("a path without any separator leaves folder and name empty and fails visibly") {
    run.system.files["Default.kw"] = kEleven;
    run.dialogs.openAnswers.push_back("Default.kw");
    CHECK_FALSE(run.Run());
    REQUIRE(run.dialogs.messages.size() == 2);
    CHECK(run.dialogs.messages[1].text == "Kurzwahldatei  nicht gefunden");
    CHECK_FALSE(run.HasIni());
  }
}

TEST_CASE("FolderPart keeps everything up to the last separator") {
  struct Case {
    const char* path;
    const char* folder;
  };
  const Case cases[] = {
      {"C:\\Daten\\Default.kw", "C:\\Daten\\"},
      {"C:\\Default.kw", "C:\\"},
      {"C:/Daten/x.kw", "C:/Daten/"},
      {"C:\\a/b\\c.kw", "C:\\a/b\\"},
      {"\\\\server\\share\\x.kw", "\\\\server\\share\\"},
      {"Default.kw", ""},
      {"", ""},
      {"C:\\Daten\\", "C:\\Daten\\"},
      {"\"C:\\Daten\\x.kw\"", "C:\\Daten\\"},
      {"\"Default.kw", ""},
      {"C:\\a\\b|c\\d.kw", "C:\\a\\"},
      {"|C:\\a\\", ""},
      {"a\"\\b", "a\"\\"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.path);
    CHECK(FolderPart(c.path) == c.folder);
  }
}

TEST_CASE("RemoveText removes every occurrence, scanning from the left") {
  struct Case {
    const char* text;
    const char* part;
    const char* result;
  };
  const Case cases[] = {
      {"C:\\Daten\\Default.kw", "C:\\Daten\\", "Default.kw"},
      {"abcabc", "abc", ""},
      {"aXbXc", "X", "abc"},
      {"aaa", "aa", "a"},
      {"Default.kw", "default", "Default.kw"},
      {"abc", "", ""},
      {"", "abc", ""},
      {"ab", "abc", "ab"},
      {"xabcabcy", "abc", "xy"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.text);
    CAPTURE(c.part);
    CHECK(RemoveText(c.text, c.part) == c.result);
  }
}
