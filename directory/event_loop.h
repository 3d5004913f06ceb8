// Events that the window hands to the loop, and the loop's turn: the
// availability refresh for every event, then the event's own handling.
#pragma once
#include "directory/program_state.h"

enum EventKind : int {
  kCloseEvent = 16,  // the number of the close request message
  kControlEvent = 13100,
  kCommandEvent = 13101,
};

// Event types of the entry list that the loop uses: a left click (also one
// that leaves no row selected), and any other change of the selection that
// leaves a row selected (keys, a typed letter, a right click).
constexpr int kListClickEvent = 0;
constexpr int kListSelectEvent = 1;

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
// The loop, then the closing step (the question whether to save), typed
// changes taken over first; the loop goes on when the user goes back.
void RunUntilClosed(ProgramState& state, Event (*wait)());
