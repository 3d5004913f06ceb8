// Functions of system libraries that the exe does not import, loaded by full
// path from the system folder the first time one is wanted: the shell's and
// the common dialogs' (showing the directory needs neither, and importing
// them made every start load both and all they bring with them before the
// window), and the display-scale calls of user32 that older Windows lack.
#pragma once
#include <windows.h>

enum class SystemLibrary { Shell, CommonDialogs, User };

// The named function of library; null when the library or the function
// cannot be loaded, which callers take as the call failing.
FARPROC SystemLibraryFunction(SystemLibrary library, const char* name);

// The same, typed as the function's own declaration:
//   SystemFunction<decltype(DragFinish)>(SystemLibrary::Shell, "DragFinish")
template <typename Function>
Function* SystemFunction(SystemLibrary library, const char* name) {
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(SystemLibraryFunction(library, name)));
}
