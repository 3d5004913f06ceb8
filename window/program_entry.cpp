// The program: start-up, the event loop, the closing step and the end.
#include <windows.h>
#include <commctrl.h>
#include "directory/event_loop.h"
#include "directory/program_flow.h"
#include "directory/settings.h"
#include "window/event_wait.h"
#include "window/library_search.h"
#include "window/main_window.h"

namespace {

// Every path ends here, with exit code 0.
[[noreturn]] void EndProgram() {
  DestroyMainWindow();
  ExitProcess(0);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RestrictLibrarySearch();
  InitCommonControls();
  ProgramState state;
  SettleListingPath(state);
  TextFile file;
  if (!StartUp(state, file)) EndProgram();

  BuildMainWindow(MainWindowProc);
  // Without a window no close request could ever arrive.
  if (!TheMainWindow().window) EndProgram();
  SetListDrawing(ListDrawing::Suspended);
  LoadReport report = ShowDirectory(state, file);
  SetListDrawing(ListDrawing::Resumed);
  WarnAboutLoad(state, report);

  RunUntilClosed(state, WaitEvent);
  EndProgram();
}
