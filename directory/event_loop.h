// Events that the window hands to the loop, and the loop's turn: the
// availability refresh for every event, then the event's own handling.
#pragma once
#include "directory/program_state.h"

enum EventKind : int {
  kCloseEvent = 16,  // the number of the close request message
  kControlEvent = 13100,
  kCommandEvent = 13101,
};

// Event type of a left click on the entry list; the only type the loop uses.
constexpr int kListClickEvent = 0;

struct Event {
  int kind = 0;  // an EventKind, or the number of any other message taken
  int controlId = 0;
  int eventType = 0;
  int commandId = 0;
};

enum class TurnOutcome { Continue, Quit };

TurnOutcome RunTurn(ProgramState& state, const Event& event);
// Takes one event after the other from wait until a close request.
void RunEventLoop(ProgramState& state, Event (*wait)());
// The loop, then the closing step (the question whether to save).
void RunUntilClosed(ProgramState& state, Event (*wait)());
