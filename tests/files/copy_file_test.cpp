// Copying onto an existing name, as the daily backup copy does.
#include <doctest/doctest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include "system/system.h"
#ifdef _WIN32
#include <windows.h>
#endif

namespace {
namespace fs = std::filesystem;

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void Put(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}
}  // namespace

TEST_CASE("A copy replaces the file of that name and keeps the bytes") {
  const fs::path folder = fs::temp_directory_path() / "rufdepot-copy-test";
  fs::remove_all(folder);
  fs::create_directories(folder);
  Put(folder / "a.kw", std::string("100;1;A\r\n\0x", 11));
  Put(folder / "b.kw", "older and longer content");
  CHECK(SysCopyFile((folder / "a.kw").string(), (folder / "b.kw").string()));
  CHECK(Bytes(folder / "b.kw") == std::string("100;1;A\r\n\0x", 11));
  CHECK_FALSE(SysCopyFile((folder / "missing.kw").string(), (folder / "c.kw").string()));
  CHECK_FALSE(fs::exists(folder / "c.kw"));
  fs::remove_all(folder);
}

#ifdef _WIN32
TEST_CASE("A copy of a read-only file can itself be replaced by the next copy") {
  const fs::path folder = fs::temp_directory_path() / "rufdepot-copy-readonly";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const std::string source = (folder / "a.kw").string(), copy = (folder / "b.kw").string();
  Put(source, "first");
  SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY);
  REQUIRE(SysCopyFile(source, copy));
  CHECK((GetFileAttributesA(copy.c_str()) & FILE_ATTRIBUTE_READONLY) == 0);
  CHECK(SysCopyFile(source, copy));
  SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_NORMAL);
  fs::remove_all(folder);
}
#endif
