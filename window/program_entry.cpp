// Placeholder entry point until the window and the program flow are built.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ExitProcess(0);
}
