#include "window/library_search.h"

#include <windows.h>

namespace {
// SetDefaultDllDirectories came with Windows 8 (and an update of Windows 7):
// looked up at run time so that the exe still starts where it is missing.
using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD);
}  // namespace

void RestrictLibrarySearch() {
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  auto setDefault = kernel ? reinterpret_cast<SetDefaultDllDirectoriesCall>(
                                 reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
                           : nullptr;
  if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
  SetDllDirectoryW(L"");
}
