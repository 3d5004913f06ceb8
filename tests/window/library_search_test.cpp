// The library search that the program restricts first thing at start-up.
// Restricting it is for the whole process and cannot be undone, so this is
// the only test of its kind, and it first shows the search it takes away.
#include <doctest/doctest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include "tests/files/scratch_folder.h"
#include "window/library_search.h"

namespace fs = std::filesystem;

namespace {
fs::path OwnFolder() {
  char buffer[MAX_PATH * 4];
  DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  return fs::path(std::string(buffer, length)).parent_path();
}

// Loaded and at once let go, so that a later load by name searches afresh.
bool LoadsByName(const char* name) {
  HMODULE library = LoadLibraryA(name);
  if (!library) return false;
  FreeLibrary(library);
  return GetModuleHandleA(name) == nullptr;
}
}  // namespace

TEST_CASE("Once restricted, no library loads from the exe's folder or the working folder") {
  REQUIRE(fs::exists(OwnFolder() / "planted_library.dll"));
  ScratchFolder working("rufdepot libraries");
  fs::copy_file(OwnFolder() / "planted_library.dll", working.folder / "planted_here.dll");
  const fs::path former = fs::current_path();
  fs::current_path(working.folder);

  // Before: Windows finds a library beside the exe and in the working folder.
  CHECK(LoadsByName("planted_library.dll"));
  CHECK(LoadsByName("planted_here.dll"));

  RestrictLibrarySearch();

  CHECK(LoadLibraryA("planted_library.dll") == nullptr);
  CHECK(LoadLibraryA("planted_here.dll") == nullptr);
  // The system's own libraries still load by name.
  for (const char* system : {"version.dll", "uxtheme.dll"}) {
    CAPTURE(system);
    HMODULE library = LoadLibraryA(system);
    CHECK(library != nullptr);
    if (library) FreeLibrary(library);
  }
  // The planted files are sound libraries: only the search passes them over.
  HMODULE byPath = LoadLibraryA((working.folder / "planted_here.dll").string().c_str());
  CHECK(byPath != nullptr);
  if (byPath) FreeLibrary(byPath);

  fs::current_path(former);
}
