// Buffered text files against the stand-in system: the line conventions when
// the system hands out the bytes in pieces of any size, read and write errors.
#include <doctest/doctest.h>

#include <random>
#include <string>
#include <vector>
#include "directory/text_file.h"
#include "tests/fakes/fake_system.h"

namespace {
const std::string kPath = "C:\\Tel\\lines.txt";

std::vector<std::string> ReadAll(const std::string& bytes, int64_t chunk) {
  ResetFakeSystem();
  TheFakeSystem().files[kPath] = bytes;
  TheFakeSystem().readChunk = chunk;
  TextFile file;
  REQUIRE(OpenForReading(kPath, file));
  std::vector<std::string> lines;
  while (!AtEndOfFile(file)) lines.push_back(ReadTextLine(file));
  CHECK(ReadTextLine(file).empty());
  CHECK(CloseTextFile(file));
  return lines;
}

// The rules as stated, one byte at a time: a line ends at CR, LF or NUL; an
// LF right after a CR belongs to it.
std::vector<std::string> ByteByByte(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < bytes.size()) {
    std::string line;
    while (at < bytes.size() && bytes[at] != '\r' && bytes[at] != '\n' && bytes[at] != '\0')
      line += bytes[at++];
    if (at < bytes.size()) {
      const char end = bytes[at++];
      if (end == '\r' && at < bytes.size() && bytes[at] == '\n') ++at;
    }
    lines.push_back(line);
  }
  return lines;
}

const int64_t kChunks[] = {1, 2, 3, 7, 4096, -1};
}  // namespace

TEST_CASE("Line ends are found the same whatever pieces the system reads in") {
  const char raw[] = "a\r\nb\nc\rd\n\re\r\rf\0g\0\r\nh;x\r";
  const std::string mixed(raw, sizeof(raw) - 1);
  const std::vector<std::string> expected = {"a", "b", "c", "d", "", "e", "", "f", "g", "", "h;x"};
  REQUIRE(ByteByByte(mixed) == expected);
  for (int64_t chunk : kChunks) {
    CAPTURE(chunk);
    CHECK(ReadAll(mixed, chunk) == expected);
  }
}

TEST_CASE("Random mixes of line ends read as the byte-by-byte rules say") {
  std::mt19937 random(2106);
  const char alphabet[] = {'a', 'b', ';', '\r', '\n', '\0', '\xE4'};
  for (int round = 0; round < 40; ++round) {
    std::string bytes(static_cast<size_t>(random() % 3000), 'x');
    for (char& byte : bytes) {
      // Runs of text now and then, so lines of all lengths occur.
      byte = random() % 4 == 0 ? alphabet[random() % 7] : static_cast<char>('k' + random() % 5);
    }
    const std::vector<std::string> expected = ByteByByte(bytes);
    for (int64_t chunk : kChunks) {
      CAPTURE(round);
      CAPTURE(chunk);
      CHECK(ReadAll(bytes, chunk) == expected);
    }
  }
}

TEST_CASE("A read error ends the line and the file") {
  ResetFakeSystem();
  TheFakeSystem().files[kPath] = "abcdefgh\r\nzweite\r\n";
  TheFakeSystem().readFailsAfter = 5;
  TextFile file;
  REQUIRE(OpenForReading(kPath, file));
  CHECK_FALSE(AtEndOfFile(file));
  CHECK(ReadTextLine(file) == "abcde");
  CHECK(AtEndOfFile(file));
  CHECK(file.readFailed);
  CHECK(ReadTextLine(file).empty());
  CloseTextFile(file);
  CHECK(TheFakeSystem().openFiles == 0);
}

TEST_CASE("Written lines are buffered and a failed write is reported") {
  ResetFakeSystem();
  const std::string line(99, 'n');  // 101 bytes with CR LF
  SUBCASE("a few large writes, nothing lost") {
    TextFile file;
    REQUIRE(OpenForWriting(kPath, file));
    for (int i = 0; i < 100; ++i) CHECK(WriteTextLine(file, line));
    CHECK(AtEndOfFile(file));  // a file being written has nothing to read, and keeps its output
    CHECK(CloseTextFile(file));
    CHECK(TheFakeSystem().files[kPath].size() == 100 * 101);
    CHECK(TheFakeSystem().writeCalls <= 100 * 101 / 4096 + 1);
  }
  SUBCASE("a failed write makes later lines, the flush and the close report it") {
    TheFakeSystem().writeLimit = 5000;
    TextFile file;
    REQUIRE(OpenForWriting(kPath, file));
    bool allWritten = true;
    for (int i = 0; i < 100; ++i) allWritten = WriteTextLine(file, line) && allWritten;
    CHECK_FALSE(allWritten);
    CHECK_FALSE(WriteTextLine(file, "x"));
    CHECK_FALSE(FlushTextFile(file));
    CHECK_FALSE(CloseTextFile(file));
    CHECK(TheFakeSystem().openFiles == 0);
  }
  SUBCASE("a failure that shows only when closing") {
    TheFakeSystem().closeFails = true;
    TextFile file;
    REQUIRE(OpenForWriting(kPath, file));
    CHECK(WriteTextLine(file, line));
    CHECK_FALSE(CloseTextFile(file));
  }
}
