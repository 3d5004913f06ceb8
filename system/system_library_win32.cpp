#include "system/system_library.h"

#include <iterator>
#include <string>

namespace {
const wchar_t* const kLibraryFiles[] = {L"shell32.dll", L"comdlg32.dll", L"user32.dll"};

// By full path, so that no folder but the system's own is ever searched for it.
HMODULE Load(SystemLibrary library) {
  static HMODULE loaded[std::size(kLibraryFiles)] = {};
  const auto index = static_cast<size_t>(library);
  if (index >= std::size(kLibraryFiles)) return nullptr;
  if (loaded[index]) return loaded[index];
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  std::wstring path(folder, length);
  if (path.back() != L'\\') path += L'\\';
  path += kLibraryFiles[index];
  loaded[index] = LoadLibraryW(path.c_str());
  return loaded[index];
}
}  // namespace

FARPROC SystemLibraryFunction(SystemLibrary library, const char* name) {
  HMODULE module = Load(library);
  return module ? GetProcAddress(module, name) : nullptr;
}
