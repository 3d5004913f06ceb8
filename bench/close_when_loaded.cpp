// Waits until the top-level window with the given title shows a list view
// (control id 6) with at least the given number of rows, then asks it to
// close. Used to time a start from launch until the rows are there.
// Usage: close_when_loaded.exe "<title>" <rows> [timeout seconds]
#include <windows.h>
#include <commctrl.h>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const long wanted = std::atol(argv[2]);
  const DWORD timeout = (argc > 3 ? std::atol(argv[3]) : 60) * 1000;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeout) {
    HWND window = FindWindowA(nullptr, argv[1]);
    HWND list = window ? GetDlgItem(window, 6) : nullptr;
    if (list && SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) >= wanted) {
      PostMessageA(window, WM_CLOSE, 0, 0);
      return 0;
    }
    Sleep(5);
  }
  return 1;
}
