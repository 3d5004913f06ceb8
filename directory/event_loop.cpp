#include "directory/event_loop.h"

#include "directory/commands.h"
#include "directory/editing.h"
#include "directory/saving.h"
#include "directory/window_ops.h"

TurnOutcome RunTurn(ProgramState& state, const Event& event) {
  // Availability follows every message, so the buttons track each keystroke.
  RefreshAvailability(state);
  switch (event.kind) {
    case kCommandEvent:
      RunCommand(state, event.commandId);
      break;
    case kControlEvent:
      if (event.controlId == kEntryList && event.eventType == kListClickEvent)
        SelectCurrentSlot(state);
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
  RunEventLoop(state, wait);
  AskToSave(state);
}
