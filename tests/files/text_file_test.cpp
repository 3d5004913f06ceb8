// The line conventions and the open modes on the real file system: natively
// through the POSIX seam and, in the Windows build under Wine, through Win32.
#include <doctest/doctest.h>

#include <filesystem>
#include <string>
#include <vector>
#include "directory/speed_dial_file.h"
#include "directory/text_file.h"
#include "tests/files/scratch_folder.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {
std::vector<std::string> ReadAllLines(const std::string& path) {
  std::vector<std::string> lines;
  TextFile file;
  REQUIRE(OpenForReading(path, file));
  while (!AtEndOfFile(file)) lines.push_back(ReadTextLine(file));
  CHECK(ReadTextLine(file).empty());  // reading past the end yields the empty text
  CHECK(CloseTextFile(file));
  return lines;
}

bool WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  TextFile file;
  if (!OpenForWriting(path, file)) return false;
  bool ok = true;
  for (const std::string& line : lines) ok = WriteTextLine(file, line) && ok;
  return CloseTextFile(file) && ok;
}

std::string Bytes(const char* data, size_t size) { return std::string(data, size); }
}  // namespace

TEST_CASE("Lines end at CR, LF, CR LF, NUL or the end of the file") {
  ScratchFolder temp("rufdepot-files");
  struct Case {
    const char* what;
    std::string bytes;
    std::vector<std::string> lines;
  };
  const std::string big(70000, 'x');  // longer than one read block
  const Case cases[] = {
      {"CR LF", "a\r\nb\r\n", {"a", "b"}},
      {"LF", "a\nb\n", {"a", "b"}},
      {"CR", "a\rb\r", {"a", "b"}},
      {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}},
      {"CR CR is two line ends", "a\r\rb", {"a", "", "b"}},
      {"NUL ends a line", Bytes("a\0b", 3), {"a", "b"}},
      {"NUL then CR LF is two line ends", Bytes("a\0\r\nb", 5), {"a", "", "b"}},
      {"CR as the last byte", "a\r", {"a"}},
      {"no final line end", "a\r\nb", {"a", "b"}},
      {"empty lines are lines", "\r\n\r\n", {"", ""}},
      {"empty file", "", {}},
      {"Windows-1252 bytes pass unchanged", "\x85\xE4\xFF;\x80\r\n", {"\x85\xE4\xFF;\x80"}},
      {"a line longer than a read block", big + "\r\n" + big, {big, big}},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    const std::string path = temp.Path("lines.txt");
    WriteBytes(path, c.bytes);
    CHECK(ReadAllLines(path) == c.lines);
  }
}

TEST_CASE("A CR LF split between two read blocks is one line end") {
  ScratchFolder temp("rufdepot-files");
  const std::string path = temp.Path("split.txt");
  // The CR falls on the last byte of a block for any block size of 4 KiB,
  // 64 KiB or 128 KiB.
  for (size_t prefix : {4095u, 4096u, 65535u, 65536u, 131071u}) {
    CAPTURE(prefix);
    const std::string line(prefix, 'y');
    WriteBytes(path, line + "\r\nz\r");
    CHECK(ReadAllLines(path) == std::vector<std::string>{line, "z"});
    WriteBytes(path, line + "\r\rz");
    CHECK(ReadAllLines(path) == std::vector<std::string>{line, "", "z"});
  }
}

TEST_CASE("Written lines end in CR LF and read back unchanged") {
  ScratchFolder temp("rufdepot-files");
  const std::string path = temp.Path("round.txt");
  std::string huge(1 << 20, '\0');
  for (size_t i = 0; i < huge.size(); ++i) huge[i] = static_cast<char>('a' + i % 26);
  huge[4095] = '\xE4';
  const std::vector<std::string> lines = {"105;0123 45;Nord", "", "\xC4rzte;\x85", huge, ";;"};
  REQUIRE(WriteLines(path, lines));
  std::string expected;
  for (const std::string& line : lines) expected += line + "\r\n";
  CHECK(ReadBytes(path) == expected);
  CHECK(ReadAllLines(path) == lines);
}

TEST_CASE("Opening for writing creates or empties the file; opening for reading creates nothing") {
  ScratchFolder temp("rufdepot-files");
  const std::string path = temp.Path("speed.kw");

  SUBCASE("a missing file is created") {
    REQUIRE(WriteLines(path, {"a"}));
    CHECK(ReadBytes(path) == "a\r\n");
  }
  SUBCASE("an existing longer file is cut to what was written") {
    WriteBytes(path, std::string(10000, 'o'));
    REQUIRE(WriteLines(path, {"kurz"}));
    CHECK(ReadBytes(path) == "kurz\r\n");
  }
  SUBCASE("nothing written leaves an empty file") {
    WriteBytes(path, "alt\r\n");
    REQUIRE(WriteLines(path, {}));
    CHECK(fs::file_size(path) == 0);
  }
  SUBCASE("a missing file cannot be opened for reading and is not created") {
    TextFile file;
    CHECK_FALSE(OpenForReading(path, file));
    CHECK_FALSE(fs::exists(path));
  }
  SUBCASE("a folder is not a file") {
    TextFile file;
    CHECK_FALSE(OpenForReading(temp.folder.string(), file));
  }
  SUBCASE("a file in a missing folder cannot be written") {
    TextFile file;
    CHECK_FALSE(OpenForWriting(temp.Path("fehlt/speed.kw"), file));
    CHECK_FALSE(fs::exists(temp.Path("fehlt")));
  }
}

TEST_CASE("The speed-dial file round-trips through the real file system") {
  ScratchFolder temp("rufdepot-files");
  const std::string path = temp.Path("ets.kw");
  std::string bytes;
  for (int slot = 0; slot < 200; ++slot)
    bytes += std::to_string((slot % 9 == 0 ? 1100 : 100) + slot) + ";0" + std::to_string(slot) +
             ";Name \xE4 " + std::to_string(slot) + "\r\n";
  WriteBytes(path, bytes);
  ProgramState state;
  TextFile file;
  REQUIRE(OpenForReading(path, file));
  int rows = 0;
  LoadReport report = LoadDirectory(state, file, [&rows](auto&, auto&, auto&) { ++rows; });
  CHECK(rows == 200);
  CHECK(report.droppedCount == 0);
  CHECK_FALSE(report.readFailed);

  const std::string saved = temp.Path("saved.kw");
  REQUIRE(OpenForWriting(saved, file));
  CHECK(WriteDirectory(state, file));
  CHECK(CloseTextFile(file));
  CHECK(ReadBytes(saved) == bytes);
}

#ifdef _WIN32
namespace {
HANDLE OpenOther(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  return CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE;
}  // namespace

TEST_CASE("While we read a file, others may read it but not write it") {
  ScratchFolder temp("rufdepot-files");
  const std::string path = temp.Path("speed.kw");
  WriteBytes(path, "100;a;b\r\n");
  TextFile file;
  REQUIRE(OpenForReading(path, file));

  HANDLE writer = OpenOther(path, GENERIC_WRITE, kShareAll, OPEN_EXISTING);
  CHECK(writer == INVALID_HANDLE_VALUE);
  CHECK(GetLastError() == ERROR_SHARING_VIOLATION);
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);

  HANDLE reader = OpenOther(path, GENERIC_READ, kShareAll, OPEN_EXISTING);
  CHECK(reader != INVALID_HANDLE_VALUE);
  if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);

  // A second reader of our own kind is fine too.
  TextFile second;
  CHECK(OpenForReading(path, second));
  CloseTextFile(second);

  CHECK(ReadTextLine(file) == "100;a;b");
  CHECK(CloseTextFile(file));
  CHECK(ReadBytes(path) == "100;a;b\r\n");
}

TEST_CASE("While we write a file, others may read it but not write it") {
  ScratchFolder temp("rufdepot-files");
  const std::string path = temp.Path("speed.kw");
  TextFile file;
  REQUIRE(OpenForWriting(path, file));
  WriteTextLine(file, "100;a;b");
  REQUIRE(FlushTextFile(file));

  HANDLE reader = OpenOther(path, GENERIC_READ, kShareAll, OPEN_EXISTING);
  REQUIRE(reader != INVALID_HANDLE_VALUE);
  char buffer[32] = {};
  DWORD got = 0;
  CHECK(ReadFile(reader, buffer, sizeof(buffer), &got, nullptr));
  CHECK(std::string(buffer, got) == "100;a;b\r\n");
  CloseHandle(reader);

  HANDLE writer = OpenOther(path, GENERIC_WRITE, kShareAll, OPEN_EXISTING);
  CHECK(writer == INVALID_HANDLE_VALUE);
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);

  // Our own reader does not let a writer share, so it is refused while we write.
  TextFile ourReader;
  CHECK_FALSE(OpenForReading(path, ourReader));

  CHECK(CloseTextFile(file));
}

TEST_CASE("A file held open without write sharing is not touched by opening for writing") {
  ScratchFolder temp("rufdepot-files");
  const std::string path = temp.Path("speed.kw");
  WriteBytes(path, "alt\r\n");
  HANDLE other = OpenOther(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  REQUIRE(other != INVALID_HANDLE_VALUE);
  TextFile file;
  CHECK_FALSE(OpenForWriting(path, file));
  CHECK_FALSE(IsOpen(file.handle));
  CHECK(ReadBytes(path) == "alt\r\n");
  // Reading alongside the other reader works.
  CHECK(ReadAllLines(path) == std::vector<std::string>{"alt"});
  CloseHandle(other);
}

TEST_CASE("A hidden file is rewritten and stays hidden") {
  // Windows refuses CREATE_ALWAYS on a hidden file; the second way of
  // opening, TRUNCATE_EXISTING, then empties it. (Wine accepts the first.)
  ScratchFolder temp("rufdepot-files");
  const std::string path = temp.Path("speed.kw");
  WriteBytes(path, "alt und lang\r\n");
  REQUIRE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
  REQUIRE(WriteLines(path, {"neu"}));
  CHECK(ReadBytes(path) == "neu\r\n");
  CHECK((GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN) != 0);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}
#endif
