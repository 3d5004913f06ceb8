// The real main window in the test process, and helpers that drive it with
// the platform's own messages.
#pragma once
#include <doctest/doctest.h>
#include <functional>
#include <string>
#include <vector>
#include <windows.h>
#include <commctrl.h>
#include "window/event_wait.h"
#include "window/main_window.h"

// Takes every event the queue holds right now, as the loop would; observe
// runs as each event is returned, before the next message is taken.
inline std::vector<Event> Pump(const std::function<void(const Event&)>& observe = {}) {
  std::vector<Event> events;
  MSG msg;
  // Bounded: a control's timer must not keep the test waiting.
  for (int i = 0; i < 2000 && (HasPendingEvents() || PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)); ++i) {
    events.push_back(WaitEvent());
    if (observe) observe(events.back());
  }
  return events;
}

inline std::vector<int> Commands(const std::vector<Event>& events) {
  std::vector<int> ids;
  for (const Event& e : events)
    if (e.kind == kCommandEvent) ids.push_back(e.commandId);
  return ids;
}

inline int CountControlEvents(const std::vector<Event>& events, int controlId, int type) {
  int count = 0;
  for (const Event& e : events)
    if (e.kind == kControlEvent && e.controlId == controlId && e.eventType == type) ++count;
  return count;
}

enum Modifiers { kNoModifier = 0, kShift = 1, kCtrl = 2 };

// Holds the modifier keys in the thread's key state, as a user would.
inline void SetModifiers(int modifiers) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = (modifiers & kShift) ? 0x80 : 0;
  keys[VK_CONTROL] = (modifiers & kCtrl) ? 0x80 : 0;
  SetKeyboardState(keys);
}

// A key press posted to the control that has the focus; observe runs for
// each event taken, as in Pump.
inline std::vector<Event> PressKey(UINT vk, int modifiers = kNoModifier,
                                   const std::function<void(const Event&)>& observe = {}) {
  SetModifiers(modifiers);
  HWND target = GetFocus();
  LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16;
  PostMessageA(target, WM_KEYDOWN, vk, scan | 1);
  std::vector<Event> events = Pump(observe);
  PostMessageA(target, WM_KEYUP, vk, scan | 1 | (1u << 30) | (1u << 31));
  std::vector<Event> more = Pump(observe);
  SetModifiers(kNoModifier);
  events.insert(events.end(), more.begin(), more.end());
  return events;
}

struct WindowFixture {
  WindowFixture() {
    InitCommonControls();
    ClearPendingEvents();
    BuildMainWindow(MainWindowProc);
    REQUIRE(TheMainWindow().window != nullptr);
    ShowMainWindow();
    SetForegroundWindow(TheMainWindow().window);
    Pump();
  }
  ~WindowFixture() {
    DestroyMainWindow();
    Pump();
    ClearPendingEvents();
  }
  const MainWindow& w = TheMainWindow();
};

// A control's rectangle in the main window's client coordinates.
inline RECT ClientRectOf(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, TheMainWindow().window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// A control's text and a list cell's, in the system's code page.
inline std::string TextOf(HWND control) {
  char text[256] = {};
  GetWindowTextA(control, text, sizeof text);
  return text;
}

inline std::string CellOf(HWND list, int row, int column) {
  char text[256] = {};
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

inline std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}
