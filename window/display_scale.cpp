#include "window/display_scale.h"

namespace {
// Newer than Windows 7: looked up by name, so the program still starts there.
using DpiForWindow = UINT(WINAPI*)(HWND);
using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

template <typename Function>
Function User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  FARPROC found = user32 ? GetProcAddress(user32, name) : nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}
}  // namespace

RECT ScaledRect(const RECT& design, int dpi) {
  return {Scaled(design.left, dpi), Scaled(design.top, dpi), Scaled(design.right, dpi),
          Scaled(design.bottom, dpi)};
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

int WindowDpi(HWND window) {
  static const auto forWindow = User32Function<DpiForWindow>("GetDpiForWindow");
  if (forWindow && window) {
    UINT dpi = forWindow(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

RECT OuterRect(const RECT& client, DWORD style, int dpi) {
  static const auto adjust = User32Function<AdjustForDpi>("AdjustWindowRectExForDpi");
  RECT outer = client;
  if (!adjust || !adjust(&outer, style, FALSE, 0, static_cast<UINT>(dpi))) {
    outer = client;
    AdjustWindowRect(&outer, style, FALSE);
  }
  return outer;
}
