// The start-up trace: how long each step of the start-up takes, measured
// with the high-resolution counter. It is on only when the environment
// variable RUFDEPOT_STARTUP_TRACE names a file, and then appends one line
// "step<TAB>milliseconds" per step to that file when the program ends;
// otherwise each call returns after testing one flag.
#pragma once
#include <cstdint>

constexpr wchar_t kStartupTraceVariable[] = L"RUFDEPOT_STARTUP_TRACE";

// Reads the variable; the first step then runs from the process's creation.
void StartStartupTrace();
bool StartupTraceOn();
// The time since the previous step counts for step (a literal: it is kept).
void TraceStep(const char* step);
// Time spent inside a step of its own while another step runs; counted
// for part and also left in the surrounding step.
int64_t TraceClock();
void TraceAddSince(const char* part, int64_t begin);
// Appends the steps to the file and turns the trace off.
void WriteStartupTrace();
