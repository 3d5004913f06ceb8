#include "directory/event_loop.h"

#include "directory/commands.h"
#include "directory/editing.h"
#include "directory/saving.h"
#include "directory/window_ops.h"

namespace {
bool ListEventSelects(const Event& event) {
  if (event.controlId != kEntryList) return false;
  if (event.eventType == kListClickEvent) return true;
  if (event.eventType != kListSelectEvent) return false;
  // Only a change that leaves a row selected; a left click that selects
  // nothing comes as its own event.
  for (int row = 0, rows = ListRowCount(); row < rows; ++row)
    if (IsRowSelected(row)) return true;
  return false;
}
}  // namespace

TurnOutcome RunTurn(ProgramState& state, const Event& event) {
  // Availability follows every message, so the buttons track each keystroke.
  RefreshAvailability(state);
  switch (event.kind) {
    case kCommandEvent:
      RunCommand(state, event.commandId);
      break;
    case kControlEvent:
      if (ListEventSelects(event)) SelectWithTakeOver(state);
      break;
    case kCloseEvent:
      return TurnOutcome::Quit;
    default:
      break;
  }
  return TurnOutcome::Continue;
}

void RunEventLoop(ProgramState& state, Event (*wait)()) {
  while (RunTurn(state, wait()) == TurnOutcome::Continue) {
  }
}

void RunUntilClosed(ProgramState& state, Event (*wait)()) {
  do {
    RunEventLoop(state, wait);
    TakeOverTyping(state);
  } while (AskToSave(state) == ClosingOutcome::Stay);
}
