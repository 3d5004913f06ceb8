// The display scale: every number of the layout is the design at 96 DPI
// and is scaled to the DPI of the monitor the window is on.
#pragma once
#include <windows.h>

constexpr int kDesignDpi = 96;
// Sent on Windows 8.1 and later when the window moves to a monitor of
// another scale; the headers declare it only for newer targets.
constexpr UINT kDpiChangedMessage = 0x02E0;

// value at dpi, rounded as the system rounds its own metrics.
inline int Scaled(int value, int dpi) { return MulDiv(value, dpi, kDesignDpi); }
RECT ScaledRect(const RECT& design, int dpi);

// The DPI of the monitor a window is on (Windows 10 and later), or the
// system's on older Windows.
int WindowDpi(HWND window);
// The DPI the system draws its own fonts for.
int SystemDpi();
// The outer size of a window whose client area is client, at dpi.
RECT OuterRect(const RECT& client, DWORD style, int dpi);
