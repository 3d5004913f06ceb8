// Paths are Windows-1252 bytes inside the program; on Windows they reach the
// file system as their own characters whatever the system's code page
// (ctest runs these cases again with UTF-8 as the code page).
#include <doctest/doctest.h>

#ifdef _WIN32
#include <windows.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include "system/system.h"
#include "tests/files/scratch_folder.h"

namespace fs = std::filesystem;

TEST_CASE("code page: the run has the system code page it was started for") {
  // Without this the runs could pass on a Western system by accident.
  const char* wanted = std::getenv("RUFDEPOT_CODE_PAGE");
  if (!wanted) return;
  CHECK(GetACP() == static_cast<UINT>(std::atoi(wanted)));
}

TEST_CASE("code page: paths with umlauts reach the file system as their own characters") {
  ScratchFolder scratch("rufdepot-wide-paths");
  const std::string folder = scratch.folder.string() + "\\";  // the temporary folder is plain ASCII
  const std::string name = folder + "B\xFC" "cher \x80.kw";
  const fs::path wide = scratch.folder / L"B\u00FCcher \u20AC.kw";

  SysFile file;
  REQUIRE(SysOpenForWriting(name, file));
  CHECK(SysWrite(file, "100;1;A\r\n", 9));
  CHECK(SysClose(file));
  CHECK(ReadBytes(wide) == "100;1;A\r\n");
  CHECK(FileSizeOf(name) == 9);

  const std::string copy = folder + "Kopie \xE4\xDF.kw";
  CHECK(SysCopyFile(name, copy));
  CHECK(ReadBytes(scratch.folder / L"Kopie \u00E4\u00DF.kw") == "100;1;A\r\n");
  REQUIRE(SysOpenForReading(copy, file));
  char buffer[16] = {};
  CHECK(SysRead(file, buffer, sizeof buffer) == 9);
  CHECK(SysClose(file));

  CHECK(SysDeleteFile(name));
  CHECK_FALSE(fs::exists(wide));
  CHECK(fs::exists(scratch.folder / L"Kopie \u00E4\u00DF.kw"));
}

TEST_CASE("code page: the working folder reads as Windows-1252, or as none when it cannot") {
  ScratchFolder scratch("rufdepot-wide-folder");
  const fs::path before = fs::current_path();
  fs::create_directories(scratch.folder / L"Ordner \u00F6");
  fs::create_directories(scratch.folder / L"\u0141\u00F3d\u017A");

  fs::current_path(scratch.folder / L"Ordner \u00F6");
  CHECK(CurrentFolder() == scratch.folder.string() + "\\Ordner \xF6\\");
  // No mangled name: paths relative to the working folder still reach it.
  fs::current_path(scratch.folder / L"\u0141\u00F3d\u017A");
  CHECK(CurrentFolder() == "");
  fs::current_path(before);
}
#endif
