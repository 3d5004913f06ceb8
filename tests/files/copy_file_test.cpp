// Copying onto an existing name, as the daily backup copy does.
#include <doctest/doctest.h>

#include <filesystem>
#include <string>
#include "system/system.h"
#include "tests/files/scratch_folder.h"
#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

TEST_CASE("A copy replaces the file of that name and keeps the bytes") {
  ScratchFolder scratch("rufdepot-copy");
  const fs::path& folder = scratch.folder;
  WriteBytes(folder / "a.kw", std::string("100;1;A\r\n\0x", 11));
  WriteBytes(folder / "b.kw", "older and longer content");
  CHECK(SysCopyFile((folder / "a.kw").string(), (folder / "b.kw").string()));
  CHECK(ReadBytes(folder / "b.kw") == std::string("100;1;A\r\n\0x", 11));
  CHECK_FALSE(SysCopyFile((folder / "missing.kw").string(), (folder / "c.kw").string()));
  CHECK_FALSE(fs::exists(folder / "c.kw"));
}

#ifdef _WIN32
TEST_CASE("A copy of a read-only file can itself be replaced by the next copy") {
  ScratchFolder scratch("rufdepot-copy-readonly");
  const fs::path& folder = scratch.folder;
  const std::string source = (folder / "a.kw").string(), copy = (folder / "b.kw").string();
  WriteBytes(source, "first");
  SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY);
  REQUIRE(SysCopyFile(source, copy));
  CHECK((GetFileAttributesA(copy.c_str()) & FILE_ATTRIBUTE_READONLY) == 0);
  CHECK(SysCopyFile(source, copy));
  SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_NORMAL);
}
#endif
