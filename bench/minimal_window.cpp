// The yardstick for start-up: a window with a list of 200 rows and nothing
// else, built as well as Rufdepot.exe is (filled while hidden, shown once,
// left to the system at the end), closed from outside the same way. It keeps
// the same start-up trace, so the two can be compared step by step.
#include <windows.h>
#include <commctrl.h>
#include <string>
#include "window/startup_trace.h"

static LRESULT CALLBACK MinimalProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, w, l);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  StartStartupTrace();
  InitCommonControls();
  TraceStep("common_controls");
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = MinimalProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "MinimalList";
  RegisterClassA(&windowClass);
  TraceStep("window_class");
  HWND window = CreateWindowExA(0, "MinimalList", "Minimal list", WS_CAPTION | WS_SYSMENU, 0, 0,
                                410, 500, nullptr, nullptr, instance, nullptr);
  TraceStep("window");
  HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT,
                              6, 50, 390, 392, window, reinterpret_cast<HMENU>(6), instance, nullptr);
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = 100;
  column.pszText = const_cast<char*>("Index");
  SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  TraceStep("list_and_columns");
  // Drawn once after the rows are in, as any list filled in one go should be.
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  for (int row = 0; row < 200; ++row) {
    std::string text = std::to_string(100 + row);
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = text.data();
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
  TraceStep("load_and_rows");
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  TraceStep("resume_drawing");
  ShowWindow(window, SW_SHOWNORMAL);
  TraceStep("show_window");
  MSG message;
  bool painted = false;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
    if (!painted && message.message == WM_PAINT && !(HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT)) {
      painted = true;
      TraceStep("first_paint");
    }
  }
  TraceStep("idle_until_close_request");
  TraceStep("closing");
  WriteStartupTrace();
  ExitProcess(0);
}
