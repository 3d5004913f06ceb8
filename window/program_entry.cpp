// The program: start-up, the event loop, the closing step and the end.
#include <windows.h>
#include <commctrl.h>
#include "directory/editing.h"
#include "directory/event_loop.h"
#include "directory/program_flow.h"
#include "directory/settings.h"
#include "window/event_wait.h"
#include "window/library_search.h"
#include "window/main_window.h"
#include "window/startup_trace.h"

namespace {

// Every path ends here, with exit code 0.
[[noreturn]] void EndProgram() {
  DestroyMainWindow();
  TraceStep("closing");
  WriteStartupTrace();
  ExitProcess(0);
}

// The loop's wait while the start-up is traced: marks the end of the first
// painting (no window of the thread waits for paint any more) and the close request.
Event TracedWait() {
  static bool painted = false;
  Event event = WaitEvent();
  if (!painted && event.kind == WM_PAINT && !(HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT)) {
    painted = true;
    TraceStep("first_paint");
  }
  if (event.kind == kCloseEvent) TraceStep("idle_until_close_request");
  return event;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RestrictLibrarySearch();
  StartStartupTrace();
  InitCommonControls();
  TraceStep("common_controls");
  ProgramState state;
  SettleListingPath(state);
  TraceStep("listing_path");
  TextFile file;
  if (!StartUp(state, file)) EndProgram();
  TraceStep("settings_and_open_file");

  BuildMainWindow(MainWindowProc);
  // Without a window no close request could ever arrive.
  if (!TheMainWindow().window) EndProgram();
  SetListDrawing(ListDrawing::Suspended);
  LoadReport report = ShowDirectory(state, file);
  TraceStep("load_and_rows");
  SetListDrawing(ListDrawing::Resumed);
  TraceStep("resume_drawing");
  // The buttons are drawn in their state from the first paint on, not
  // drawn enabled and then again after the loop's first turn.
  RefreshAvailability(state);
  TraceStep("button_availability");
  WarnAboutLoad(state, report);
  TraceStep("load_warning_check");

  RunUntilClosed(state, StartupTraceOn() ? TracedWait : WaitEvent);
  EndProgram();
}
