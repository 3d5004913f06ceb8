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
// Forgets recorded events (a fresh window in the tests).
void ClearPendingEvents();
