// Fresh files for a safe save, on the real file system: natively and under Wine.
#include <doctest/doctest.h>

#include <filesystem>
#include <string>
#include "system/system.h"
#include "tests/files/scratch_folder.h"

namespace {
// The number at the end of a fresh file's name, before ".tmp".
int NumberOf(const std::string& path) {
  const size_t dash = path.rfind('-');
  return std::stoi(path.substr(dash + 1, path.size() - dash - 1 - 4));
}
std::string WithNumber(const std::string& path, int number) {
  return path.substr(0, path.rfind('-') + 1) + std::to_string(number) + ".tmp";
}
}  // namespace

TEST_CASE("A fresh file gets a name of its own and never takes over a file that is there") {
  ScratchFolder scratch("rufdepot-fresh");
  const std::string folder = scratch.folder.string() + kSeparator;
  std::string first;
  SysFile file;
  REQUIRE(SysCreateTemporaryFile(folder, first, file));
  REQUIRE(SysClose(file));
  CHECK(first.rfind(folder, 0) == 0);  // beside the file it will replace

  // Files of the names that come next, as another copy of the program or the
  // user may have left them.
  const int n = NumberOf(first);
  for (int k = 1; k <= 3; ++k) WriteBytes(WithNumber(first, n + k), "fremd " + std::to_string(k));

  std::string second;
  REQUIRE(SysCreateTemporaryFile(folder, second, file));
  CHECK(SysWrite(file, "neu", 3));
  CHECK(SysFlush(file));
  CHECK(SysClose(file));
  CHECK(second != first);
  for (int k = 1; k <= 3; ++k) {
    CHECK(second != WithNumber(first, n + k));
    CHECK(ReadBytes(WithNumber(first, n + k)) == "fremd " + std::to_string(k));
  }
  CHECK(ReadBytes(second) == "neu");
  CHECK(ReadBytes(first).empty());
}

TEST_CASE("A fresh file cannot be made in a folder that is not there") {
  ScratchFolder scratch("rufdepot-fresh-missing");
  std::string path;
  SysFile file;
  CHECK_FALSE(SysCreateTemporaryFile(scratch.Path("fehlt") + kSeparator, path, file));
  CHECK(std::filesystem::is_empty(scratch.folder));
}

TEST_CASE("A replace puts the new bytes in place and creates a target that is not there yet") {
  ScratchFolder scratch("rufdepot-replace");
  const std::string target = scratch.Write("Default.kw", "alt");
  const std::string fresh = scratch.Write("neu.tmp", "neu");
  CHECK(SysReplaceFile(target, fresh));
  CHECK(scratch.Read("Default.kw") == "neu");
  CHECK_FALSE(std::filesystem::exists(fresh));

  const std::string other = scratch.Write("zwei.tmp", "zwei");
  CHECK(SysReplaceFile(scratch.Path("Neu.kw"), other));
  CHECK(scratch.Read("Neu.kw") == "zwei");
  CHECK_FALSE(std::filesystem::exists(other));
}
