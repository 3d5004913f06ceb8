// The system's modeless find dialog over the main window.
#pragma once
#include <windows.h>

// The message the dialog sends its owner (FINDMSGSTRING).
UINT FindDialogMessage();
// True when msg was meant for the open find dialog and has been handled
// by it (Return, Escape, Tab inside it).
bool HandledByFindDialog(MSG& msg);
// What the dialog reports in a FindDialogMessage: a search, or its end.
enum class FindReport { FindNext, Closed, Other };
FindReport OnFindDialogMessage(LPARAM lParam);
// Closes the dialog with the main window.
void CloseFindDialog();
