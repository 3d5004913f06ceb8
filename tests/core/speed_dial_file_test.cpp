#include <doctest/doctest.h>

#include <string>
#include <vector>
#include "directory/load_warning.h"
#include "directory/speed_dial_file.h"
#include "tests/fakes/fake_system.h"

namespace {
const std::string kPath = "C:\\Tel\\ets.kw";
const std::string kSavedPath = "C:\\Tel\\saved.kw";

struct Loaded {
  ProgramState state;
  std::vector<std::string> rows;  // "index;number;name" per addRow call, in order
  LoadReport report;
};

Loaded Load(const std::string& bytes) {
  ResetFakeSystem();
  TheFakeSystem().files[kPath] = bytes;
  Loaded loaded;
  TextFile file;
  REQUIRE(OpenForReading(kPath, file));
  loaded.report = LoadDirectory(loaded.state, file, [&loaded](const std::string& index,
                                                              const std::string& number,
                                                              const std::string& name) {
    loaded.rows.push_back(index + ";" + number + ";" + name);
  });
  CHECK(TheFakeSystem().openFiles == 0);  // the load closes the file
  return loaded;
}

std::string Save(const ProgramState& state) {
  TextFile file;
  REQUIRE(OpenForWriting(kSavedPath, file));
  CHECK(WriteDirectory(state, file));
  CHECK(CloseTextFile(file));
  return TheFakeSystem().files[kSavedPath];
}

// A file as the telephone software writes it: 200 lines in slot order, some
// pinned, some empty, with blanks and umlauts kept as they are.
std::string ExpectedForm() {
  std::string bytes;
  for (int slot = 0; slot < 200; ++slot) {
    const bool pinned = slot % 7 == 3;
    std::string line = std::to_string((pinned ? 1100 : 100) + slot) + ";";
    if (slot % 5 != 4)
      line.append("0").append(std::to_string(4711 + slot)).append(" 2;M\xFCller, B\xE4ren Nr ").append(std::to_string(slot));
    else
      line += ";";
    bytes += line + "\r\n";
  }
  return bytes;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}
}  // namespace

TEST_CASE("A file of the expected form gives 200 rows in order and is saved byte for byte") {
  const std::string bytes = ExpectedForm();
  Loaded loaded = Load(bytes);
  REQUIRE(loaded.rows.size() == 200);
  size_t start = 0;
  for (int row = 0; row < 200; ++row) {
    const size_t end = bytes.find("\r\n", start);
    CHECK(loaded.rows[row] == bytes.substr(start, end - start));
    start = end + 2;
  }
  CHECK(loaded.state.table.slots[3].index == "1103");  // pinned keeps its four digits
  CHECK(loaded.state.currentSlot == 199);
  CHECK(loaded.report.droppedCount == 0);
  CHECK(loaded.report.lineNumbers.empty());
  CHECK_FALSE(loaded.state.modified);
  CHECK(Save(loaded.state) == bytes);
}

TEST_CASE("Every list row shows the slot a save writes at its position") {
  struct Case {
    const char* what;
    std::string bytes;
    std::vector<std::string> rows;
    std::vector<int64_t> reported;
    int currentSlot;
  };
  const std::string nul("100;a\0b;c\r\n", 11);
  const Case cases[] = {
      {"empty file", "", {}, {}, 0},
      {"out of order", "101;b;B\r\n100;a;A\r\n", {"100;a;A", "101;b;B"}, {}, 0},
      {"105 then 1105: the later wins, the earlier is reported",
       "105;x;X\r\n1105;y;Y\r\n",
       {"100;;", "101;;", "102;;", "103;;", "104;;", "1105;y;Y"}, {1}, 5},
      {"1105 then 105", "1105;y;Y\r\n105;x;X\r\n",
       {"100;;", "101;;", "102;;", "103;;", "104;;", "105;x;X"}, {1}, 5},
      {"holes get the index of their position", "102;c;C\r\n100;a;A\r\n",
       {"100;a;A", "101;;", "102;c;C"}, {}, 0},
      {"105 alone", "105", {"100;;", "101;;", "102;;", "103;;", "104;;", "105;;"}, {}, 5},
      {"a name with ; keeps the text before it", "100;0 1;Nord;S\xFC" "d;x\r\n",
       {"100;0 1;Nord"}, {}, 0},
      {"blanks and signs of the index are kept", " 101;a;b\r\n+100;c;d\r\n",
       {"+100;c;d", " 101;a;b"}, {}, 0},
      {"LF line ends", "100;a;A\n101;b;B\n", {"100;a;A", "101;b;B"}, {}, 1},
      {"CR line ends", "100;a;A\r101;b;B\r", {"100;a;A", "101;b;B"}, {}, 1},
      {"no final line end", "100;a;A\r\n101;b;B", {"100;a;A", "101;b;B"}, {}, 1},
      {"LF CR is two line ends, the empty line is not reported", "100;a;A\n\r101;b;B\r\n",
       {"100;a;A", "101;b;B"}, {}, 1},
      {"a NUL ends the line, the rest is a line of its own", nul, {"100;a;"}, {2}, 0},
      {"unplaceable lines are reported, empty and ;; lines are not",
       Lines({"Index;Rufnummer;Name", "", ";;", "99;a;b", "100;a;A", "300;spare", "1300;spare",
              "1000;x", "1099;x", "1001;x", "1400;x", ";;x", "-100;x", "2147483748;x", "101;b;B"}),
       {"100;a;A", "101;b;B"}, {1, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14}, 1},
      {"the current slot is the last placeable line, not the last line",
       "150;a\r\nKopfzeile\r\n\r\n",
       [] {
         std::vector<std::string> rows;
         for (int slot = 0; slot < 50; ++slot) rows.push_back(std::to_string(100 + slot) + ";;");
         rows.push_back("150;a;");
         return rows;
       }(),
       {2}, 50},
      {"the highest slot 199 alone gives 200 rows", "1299;z;Z",
       [] {
         std::vector<std::string> rows;
         for (int slot = 0; slot < 199; ++slot) rows.push_back(std::to_string(100 + slot) + ";;");
         rows.push_back("1299;z;Z");
         return rows;
       }(),
       {}, 199},
      {"replaced lines are reported in line order", "105;a\r\n106;b\r\n106;c\r\n105;d\r\n",
       {"100;;", "101;;", "102;;", "103;;", "104;;", "105;d;", "106;c;"}, {1, 2}, 5},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    Loaded loaded = Load(c.bytes);
    CHECK(loaded.rows == c.rows);
    CHECK(loaded.report.lineNumbers == c.reported);
    CHECK(loaded.report.droppedCount == static_cast<int64_t>(c.reported.size()));
    CHECK(loaded.state.currentSlot == c.currentSlot);
    CHECK(loaded.state.table.slots[kSpareSlot].index.empty());  // nothing lands in the spare slot
    // The save writes the rows, then ";;" for the slots above them.
    std::vector<std::string> saved = c.rows;
    saved.resize(200, ";;");
    CHECK(Save(loaded.state) == Lines(saved));
  }
}

TEST_CASE("A saved file loads back to the same rows") {
  Loaded first = Load("1105;y;Y\r\nKopf\r\n102;c;C\n");
  const std::string saved = Save(first.state);
  Loaded second = Load(saved);
  CHECK(second.rows == first.rows);
  CHECK(second.report.droppedCount == 0);
}

TEST_CASE("The report keeps the first 20 line numbers and counts all") {
  SUBCASE("many unplaceable lines") {
    std::vector<std::string> lines(1000, "Kopf");
    lines[500] = "100;a;A";
    Loaded loaded = Load(Lines(lines));
    CHECK(loaded.report.droppedCount == 999);
    std::vector<int64_t> first20;
    for (int64_t n = 1; n <= 20; ++n) first20.push_back(n);
    CHECK(loaded.report.lineNumbers == first20);
    CHECK(loaded.rows == std::vector<std::string>{"100;a;A"});
  }
  SUBCASE("an early replaced line found late still comes first") {
    std::vector<std::string> lines(40, "x");
    lines[0] = "100;old";
    lines[39] = "100;new";
    Loaded loaded = Load(Lines(lines));
    CHECK(loaded.report.droppedCount == 39);
    REQUIRE(loaded.report.lineNumbers.size() == 20);
    CHECK(loaded.report.lineNumbers.front() == 1);
    CHECK(loaded.report.lineNumbers.back() == 20);
  }
}

TEST_CASE("A load starts from an empty table") {
  Loaded loaded = Load("100;a;A\r\n");
  // A second load into the same state must not keep slots of the first.
  ResetFakeSystem();
  loaded.state.table.slots[50].name = "alt";
  loaded.state.table.slots[kSpareSlot].name = "alt";
  TheFakeSystem().files[kPath] = "101;b;B\r\n";
  TextFile file;
  REQUIRE(OpenForReading(kPath, file));
  LoadDirectory(loaded.state, file, [](const std::string&, const std::string&, const std::string&) {});
  CHECK(loaded.state.table.slots[50].name.empty());
  CHECK(loaded.state.table.slots[kSpareSlot].name.empty());
  CHECK(loaded.state.table.slots[0].index == "100");
  CHECK(loaded.state.table.slots[0].number.empty());
}

TEST_CASE("A read error ends the load and is reported") {
  ResetFakeSystem();
  TheFakeSystem().files[kPath] = ExpectedForm();
  TheFakeSystem().readFailsAfter = 0;
  ProgramState state;
  TextFile file;
  REQUIRE(OpenForReading(kPath, file));
  int rows = 0;
  LoadReport report = LoadDirectory(state, file, [&rows](auto&, auto&, auto&) { ++rows; });
  CHECK(rows == 0);
  CHECK(report.readFailed);
  CHECK(TheFakeSystem().openFiles == 0);
  CHECK(UnreadRestMessage(kPath, report) ==
        "Die Kurzwahldatei C:\\Tel\\ets.kw konnte nicht vollst\xE4ndig gelesen werden.\n"
        "Beim Speichern fehlt der nicht gelesene Rest der Datei.\n");
  CHECK_FALSE(Load(ExpectedForm()).report.readFailed);
  CHECK(UnreadRestMessage(kPath, LoadReport{}).empty());
}

TEST_CASE("WriteDirectory writes 200 lines with CR LF from slots 0..199 only") {
  ResetFakeSystem();
  ProgramState state;
  state.table.slots[0] = {"100", "0 1", "A;B"};  // a typed ";" is written unchanged
  state.table.slots[199] = {"1299", "", "Z"};
  state.table.slots[kSpareSlot] = {"300", "never", "written"};
  std::vector<std::string> lines(200, ";;");
  lines[0] = "100;0 1;A;B";
  lines[199] = "1299;;Z";
  CHECK(Save(state) == Lines(lines));
}

TEST_CASE("WriteDirectory reports a failed write") {
  ResetFakeSystem();
  TheFakeSystem().writeLimit = 10;
  ProgramState state;
  TextFile file;
  REQUIRE(OpenForWriting(kSavedPath, file));
  CHECK_FALSE(WriteDirectory(state, file));
  CHECK_FALSE(CloseTextFile(file));
  CHECK(TheFakeSystem().openFiles == 0);
}

TEST_CASE("Loading and saving 200 lines take only a few calls of the system") {
  const std::string bytes = ExpectedForm();
  Loaded loaded = Load(bytes);
  CHECK(TheFakeSystem().readCalls <= 3);
  TheFakeSystem().writeCalls = 0;
  CHECK(Save(loaded.state) == bytes);
  // 200 lines of about 30 bytes through a 4096-byte buffer.
  CHECK(TheFakeSystem().writeCalls <= static_cast<int>(bytes.size() / 4096 + 2));
}

TEST_CASE("The untaken-lines message names the lines") {
  const std::string head =
      "Die Kurzwahldatei C:\\Tel\\ets.kw enth\xE4lt Zeilen, die nicht \xFC" "bernommen werden "
      "konnten (keine g\xFCltige Position, oder die Position wird sp\xE4ter in der Datei noch "
      "einmal belegt):\nZeile ";
  const std::string tail = "\nBeim Speichern fehlen diese Zeilen in der Datei.\n";
  CHECK(UntakenLinesMessage(kPath, LoadReport{}).empty());

  LoadReport few;
  few.lineNumbers = {3, 17, 250};
  few.droppedCount = 3;
  CHECK(UntakenLinesMessage(kPath, few) == head + "3, 17, 250" + tail);

  LoadReport many;
  std::string numbers;
  for (int64_t n = 1; n <= 20; ++n) {
    many.lineNumbers.push_back(n);
    numbers += (n > 1 ? ", " : "") + std::to_string(n);
  }
  many.droppedCount = 21;
  CHECK(UntakenLinesMessage(kPath, many) == head + numbers + ", \x85" + tail);
  many.droppedCount = 20;
  CHECK(UntakenLinesMessage(kPath, many) == head + numbers + tail);

  // From a real load: the message lists what the load dropped.
  Loaded loaded = Load("105;a\r\nKopf\r\n105;b\r\n");
  CHECK(UntakenLinesMessage(kPath, loaded.report) == head + "1, 2" + tail);
}

TEST_CASE("Lines with text after a third \";\" load as before and are named in the warning") {
  const std::string head =
      "Die Kurzwahldatei C:\\Tel\\ets.kw enth\xE4lt Zeilen mit Text nach dem dritten \";\":\nZeile ";
  const std::string tail = "\nBeim Speichern fehlt dieser Text in der Datei.\n";
  struct Case {
    const char* what;
    std::string bytes;
    std::string cutLines;  // empty: no such warning
  };
  const Case cases[] = {
      {"text after the third field", "100;0711;Nord;S\xFC" "d\r\n101;1;b\r\n", "1"},
      {"a bare fourth separator carries nothing", "100;0711;Nord;\r\n101;;;\r\n", ""},
      {"a separator typed into a name, among others",
       "100;1;a\r\n101;2;b;c;d\r\n102;3;c\r\n103;4;d;e\r\n", "2, 4"},
      // Only lines that stay in the table: the others are named as untaken.
      {"replaced later in the file", "100;1;a;x\r\n100;2;b\r\n", ""},
      {"no place in the table", "Kopf;a;b;c\r\n999;a;b;c\r\n", ""},
      {"the later of two lines for one slot", "100;1;a\r\n105;2;b\r\n100;3;c;x\r\n", "3"},
  };
  for (const Case& c : cases) {
    const std::string what = c.what;
    CAPTURE(what);
    const Loaded loaded = Load(c.bytes);
    const std::string message = CutLinesMessage(kPath, loaded.report);
    if (c.cutLines.empty())
      CHECK(message.empty());
    else
      CHECK(message == head + c.cutLines + tail);
  }
  // The entry is loaded as today: the name ends at the third ";".
  CHECK(Load("100;0711;Nord;S\xFC" "d\r\n").state.table.slots[0].name == "Nord");

  // More than the report keeps: the first ones, then an ellipsis.
  std::string many;
  std::string numbers;
  for (int k = 0; k < 25; ++k) {
    many += std::to_string(100 + k) + ";1;a;b\r\n";
    if (k < 20) numbers += (k > 0 ? ", " : "") + std::to_string(k + 1);
  }
  CHECK(CutLinesMessage(kPath, Load(many).report) == head + numbers + ", \x85" + tail);
}
