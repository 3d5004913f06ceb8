// FileSizeOf on the real file system: natively and under Wine.
#include <doctest/doctest.h>

#include <filesystem>
#include <string>
#include "system/system.h"
#include "tests/files/scratch_folder.h"
#ifdef _WIN32
#include <windows.h>
#endif

namespace {
namespace fs = std::filesystem;

// A file of the given size in the scratch folder; gives its path.
std::string FileOf(const ScratchFolder& scratch, const std::string& name, size_t size) {
  return scratch.Write(name, std::string(size, 'x'));
}
}  // namespace

TEST_CASE("FileSizeOf tells files, folders and missing paths apart") {
  ScratchFolder scratch("rufdepot-size");
  const std::string eleven = FileOf(scratch, "Default.kw", 11);
  const std::string empty = FileOf(scratch, "Leer.kw", 0);
  const std::string big = FileOf(scratch, "Gross.kw", 70000);
  fs::create_directory(scratch.folder / "Ordner.kw");
  const std::string folder = scratch.Path("Ordner.kw");

  struct Case {
    std::string what;
    std::string path;
    int64_t size;
  };
  const Case cases[] = {
      {"file of 11 bytes", eleven, 11},
      {"empty file", empty, 0},
      {"file larger than one block", big, 70000},
      {"file with a trailing separator", eleven + kSeparator, 11},
      {"folder", folder, -2},
      {"folder with a trailing separator", folder + kSeparator, -2},
      {"the scratch folder itself", scratch.folder.string(), -2},
      {"missing file", scratch.Path("Fehlt.kw"), -1},
      {"missing file in a missing folder", scratch.Path("Fehlt") + kSeparator + "x.kw", -1},
      {"empty path", "", -1},
      {"path far beyond 260 characters", scratch.Path(std::string(400, 'a')), -1},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    CAPTURE(c.path);
    CHECK(FileSizeOf(c.path) == c.size);
  }
}

#ifdef _WIN32
TEST_CASE("FileSizeOf of a drive: -2 when the drive exists, else -1") {
  char unused = 0;
  const DWORD drives = GetLogicalDrives();
  for (int i = 25; i >= 3 && !unused; --i)
    if (!(drives & (1u << i))) unused = static_cast<char>('A' + i);
  REQUIRE(unused != 0);
  const std::string missing(1, unused);

  CHECK(FileSizeOf("C:") == -2);
  CHECK(FileSizeOf("C:\\") == -2);
  CHECK(FileSizeOf("c:") == -2);
  CHECK(FileSizeOf(missing + ":") == -1);
  CHECK(FileSizeOf(missing + ":\\") == -1);
}

TEST_CASE("FileSizeOf does not answer for a wildcard pattern") {
  ScratchFolder scratch("rufdepot-size");
  FileOf(scratch, "Default.kw", 11);
  CHECK(FileSizeOf(scratch.Path("*.kw")) == -1);
  CHECK(FileSizeOf(scratch.Path("Default.k?")) == -1);
}
#endif
