#include "window/event_wait.h"

#include <deque>
#include <commctrl.h>
#include <shellapi.h>
#include "directory/dialogs.h"
#include "system/system_library.h"
#include "system/wide_text.h"
#include "window/display_scale.h"
#include "window/find_dialog.h"
#include "window/layout.h"
#include "window/main_window.h"

namespace {

// Events recorded while a message is handled: close requests and window
// notifications wait in pending; a control's or command's event is answered
// by the same wait that dispatched its message.
struct EventQueues {
  std::deque<Event> pending;
  std::deque<Event> recorded;
};

EventQueues& Queues() {
  static EventQueues queues;
  return queues;
}

void Record(Event event) { Queues().recorded.push_back(event); }
void RecordControl(int id, int type) { Record({kControlEvent, id, type, 0}); }
void RecordCommand(int id) { Record({kCommandEvent, 0, 0, id}); }
void RecordPending(int kind) { Queues().pending.push_back({kind, 0, 0, 0}); }

// Ctrl+Z in the number or name field with typing of its own undoes that
// typing, as in any edit control; showing an entry empties its undo buffer.
bool UndoFieldTyping() {
  HWND focus = GetFocus();
  const MainWindow& w = TheMainWindow();
  if (!focus || (focus != w.numberField && focus != w.nameField)) return false;
  if (!SendMessageW(focus, EM_CANUNDO, 0, 0)) return false;
  SendMessageW(focus, WM_UNDO, 0, 0);
  return true;
}

void OnCommand(WPARAM wParam, LPARAM lParam) {
  int low = LOWORD(wParam);
  int high = HIWORD(wParam);
  if (lParam) {
    int id = GetWindowLongW(reinterpret_cast<HWND>(lParam), GWL_ID);
    if (id == kToolbarId)
      RecordCommand(low);
    else
      RecordControl(id, high);
    return;
  }
  if (high == 1 && low == kKeyTab) return MoveFocus(FocusStep::Next);
  if (high == 1 && low == kKeyShiftTab) return MoveFocus(FocusStep::Previous);
  if (high == 1 && low == kKeyUndo && UndoFieldTyping()) return;
  RecordCommand(high == 1 ? low : static_cast<int>(wParam));
}

// The first file of a drop, for the core to open; a path Windows-1252
// cannot hold is refused here, where its characters are still known.
void OnDropFiles(HDROP drop) {
  auto* queryFile = SystemFunction<decltype(DragQueryFileW)>(SystemLibrary::Shell, "DragQueryFileW");
  auto* finish = SystemFunction<decltype(DragFinish)>(SystemLibrary::Shell, "DragFinish");
  if (!queryFile || !finish) return;
  std::wstring path(queryFile(drop, 0, nullptr, 0), L'\0');
  queryFile(drop, 0, path.data(), static_cast<UINT>(path.size() + 1));
  finish(drop);
  std::string bytes;
  if (path.empty()) return;
  if (!Narrow(path, bytes)) {
    ShowMessage(kWindowTitle, kUnrepresentablePath, kMbIconError);
    return;
  }
  TheMainWindow().droppedFile = bytes;
  RecordCommand(kDroppedFile);
}

bool& SelectingByProgram() {
  static bool selecting = false;
  return selecting;
}

// A row that became selected, however the user did it (keys, a typed
// letter, a click of either button); the list has updated its selection by
// the time the loop takes the event.
bool UserSelectedRow(const NMHDR& header) {
  if (header.code != LVN_ITEMCHANGED || SelectingByProgram()) return false;
  const NMLISTVIEW& change = reinterpret_cast<const NMLISTVIEW&>(header);
  return (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) &&
         !(change.uOldState & LVIS_SELECTED);
}

// The list updates its selection before NM_CLICK; posting lets the loop
// read the selection that the click made.
void OnListNotify(HWND window, const NMHDR& header) {
  if (UserSelectedRow(header))
    RecordControl(kEntryList, kListSelectEvent);
  else if (header.code == NM_CLICK)
    PostMessageW(window, layout::kControlEventMessage, kEntryList, kListClickEvent);
  else if (header.code != NM_CUSTOMDRAW && header.code != LVN_INSERTITEM)
    // Drawing and rows the program adds itself are not events: no turn per
    // painted row, and no 200 turns after a load.
    RecordControl(kEntryList, static_cast<int>(header.code));
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == FindDialogMessage()) {
    if (OnFindDialogMessage(lParam) == FindReport::FindNext) RecordCommand(kKeyFindNext);
    return 0;
  }
  switch (message) {
    case WM_CLOSE:
      RecordPending(kCloseEvent);
      return 0;  // the window stays until the program ends
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return 0;
    case WM_NOTIFY: {
      const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (header.idFrom == static_cast<UINT_PTR>(kEntryList) && header.hwndFrom == TheMainWindow().list) {
        OnListNotify(window, header);
        return 0;
      }
      break;
    }
    case WM_SETCURSOR:
      // A child passes this on to its parent as the pointer moves over it,
      // before its own mouse message: over any button, enabled or not.
      if (reinterpret_cast<HWND>(wParam) == TheMainWindow().toolbar && HIWORD(lParam) == WM_MOUSEMOVE)
        EnsureButtonTips();
      break;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case kDpiChangedMessage:
      // Moved to a monitor of another scale: the system suggests the rectangle.
      RescaleMainWindow(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case layout::kControlEventMessage:
      RecordControl(static_cast<int>(wParam), static_cast<int>(lParam));
      return 0;
    case WM_MOVE:
    case WM_SIZE:
    case WM_ACTIVATE:
    case WM_ERASEBKGND:
      RecordPending(static_cast<int>(message));
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

Event WaitEvent() {
  EventQueues& q = Queues();
  if (!q.pending.empty()) {
    Event oldest = q.pending.front();
    q.pending.pop_front();
    return oldest;
  }
  MSG msg;
  // A quit message or a failed wait can only end the run.
  if (GetMessageW(&msg, nullptr, 0, 0) <= 0) return {kCloseEvent, 0, 0, 0};
  const MainWindow& w = TheMainWindow();
  // Return, Escape and Tab in the modeless find dialog work as in any dialog.
  bool translated = HandledByFindDialog(msg) ||
                    (GetActiveWindow() == w.window && w.accelerators &&
                     TranslateAcceleratorW(w.window, w.accelerators, &msg));
  if (!translated) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (!q.recorded.empty()) {
    Event event = q.recorded.front();
    q.recorded.pop_front();
    q.pending.insert(q.pending.end(), q.recorded.begin(), q.recorded.end());
    q.recorded.clear();
    return event;
  }
  return {static_cast<int>(msg.message), 0, 0, 0};
}

void SelectListRowQuietly(HWND list, int row, UINT state) {
  LVITEMW item = {};
  item.stateMask = state;
  item.state = state;
  SelectingByProgram() = true;
  SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
  SelectingByProgram() = false;
}

void ClearPendingEvents() {
  Queues().pending.clear();
  Queues().recorded.clear();
}

bool HasPendingEvents() { return !Queues().pending.empty(); }
