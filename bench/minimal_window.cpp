// The yardstick for start-up: a window with a list of 200 rows and nothing
// else, built like Rufdepot.exe, closed from outside the same way.
#include <windows.h>
#include <commctrl.h>
#include <string>

static LRESULT CALLBACK MinimalProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, w, l);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  InitCommonControls();
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = MinimalProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "MinimalList";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "MinimalList", "Minimal list", WS_CAPTION | WS_SYSMENU, 0, 0,
                                410, 500, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT,
                              6, 50, 390, 392, window, reinterpret_cast<HMENU>(6), instance, nullptr);
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = 100;
  column.pszText = const_cast<char*>("Index");
  SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
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
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  DestroyWindow(window);
  ExitProcess(0);
}
