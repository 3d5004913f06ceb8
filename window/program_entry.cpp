// The program: start-up, the event loop, the closing step and the end.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <string>
#include "directory/dialogs.h"
#include "directory/editing.h"
#include "directory/event_loop.h"
#include "directory/opening.h"
#include "directory/program_flow.h"
#include "directory/settings.h"
#include "window/event_wait.h"
#include "window/library_search.h"
#include "window/main_window.h"
#include "system/system_library.h"
#include "system/wide_text.h"
#include "window/command_line.h"
#include "window/startup_trace.h"

namespace {

// Every path ends here, with exit code 0. The system takes the window, its
// controls and their images down with the process; destroying them one by
// one first only kept the user waiting for the end.
[[noreturn]] void EndProgram() {
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

// The file named on the command line ("Open with", a file dropped on the
// exe), as a full path in Windows-1252; a path that code page cannot hold
// is refused with the same message as in the open-file dialog.
enum class CommandLineFile { None, Named, Unusable };
CommandLineFile FileOnCommandLine(std::string& path) {
  const wchar_t* line = GetCommandLineW();
  // The usual start names no file: the shell's library is then not needed.
  if (!CommandLineHasArguments(line)) return CommandLineFile::None;
  auto* split = SystemFunction<decltype(CommandLineToArgvW)>(SystemLibrary::Shell, "CommandLineToArgvW");
  int count = 0;
  LPWSTR* arguments = split ? split(line, &count) : nullptr;
  if (!arguments) return CommandLineFile::None;
  std::wstring named = count > 1 ? arguments[1] : L"";
  LocalFree(arguments);
  if (named.empty()) return CommandLineFile::None;
  std::wstring full(32768, L'\0');
  const DWORD length = GetFullPathNameW(named.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length > 0 && length < full.size()) named = full.substr(0, length);
  if (Narrow(named, path)) return CommandLineFile::Named;
  ShowMessage(kWindowTitle, kUnrepresentablePath, kMbIconError);
  return CommandLineFile::Unusable;
}

// With a file on the command line that one, for this run only; without,
// the settings file or the first start.
bool OpenStartFile(ProgramState& state, TextFile& file) {
  std::string path;
  switch (FileOnCommandLine(path)) {
    case CommandLineFile::Named: return StartWithFile(state, path, file);
    case CommandLineFile::Unusable: return false;
    case CommandLineFile::None: break;
  }
  return StartUp(state, file);
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
  if (!OpenStartFile(state, file)) EndProgram();
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
  ShowMainWindow();  // before the load's warning, which belongs on it
  WarnAboutLoad(state, report);
  TraceStep("load_warning_check");

  RunUntilClosed(state, StartupTraceOn() ? TracedWait : WaitEvent);
  EndProgram();
}
