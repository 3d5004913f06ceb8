#include "window/display_scale.h"

#include "system/system_library.h"

namespace {
// Newer than Windows 7: looked up by name, so the program still starts there.
using DpiForWindow = UINT WINAPI(HWND);
using AdjustForDpi = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);
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
  static const auto forWindow = SystemFunction<DpiForWindow>(SystemLibrary::User, "GetDpiForWindow");
  if (forWindow && window) {
    UINT dpi = forWindow(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

RECT OuterRect(const RECT& client, DWORD style, int dpi) {
  static const auto adjust = SystemFunction<AdjustForDpi>(SystemLibrary::User, "AdjustWindowRectExForDpi");
  RECT outer = client;
  if (!adjust || !adjust(&outer, style, FALSE, 0, static_cast<UINT>(dpi))) {
    outer = client;
    AdjustWindowRect(&outer, style, FALSE);
  }
  return outer;
}
