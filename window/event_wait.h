// How Win32 messages become the loop's events.
#pragma once
#include <windows.h>
#include "directory/event_loop.h"

// The main window's procedure: records events for WaitEvent.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The next event; blocks while there is none.
Event WaitEvent();
// True while WaitEvent would answer without taking a message.
bool HasPendingEvents();
// Sets a row's state without a selection event: a row the program selects
// itself (a move selects its target) is no choice of the user's.
void SelectListRowQuietly(HWND list, int row, UINT state);
// Forgets recorded events (a fresh window in the tests).
void ClearPendingEvents();
