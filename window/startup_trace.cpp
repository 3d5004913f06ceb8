#include "window/startup_trace.h"

#include <windows.h>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kMaxSteps = 40;

struct Step {
  const char* name;
  int64_t ticks;
};

struct Trace {
  bool on = false;
  wchar_t path[MAX_PATH] = L"";
  int64_t frequency = 1;
  int64_t last = 0;
  int64_t beforeEntry100ns = -1;  // from the process's creation until the trace started
  Step steps[kMaxSteps] = {};
  int count = 0;
};

Trace& TheTrace() {
  static Trace trace;
  return trace;
}

int64_t Now() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return counter.QuadPart;
}

int64_t AsInteger(const FILETIME& time) {
  return (static_cast<int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

void Add(Trace& t, const char* name, int64_t ticks) {
  for (int i = 0; i < t.count; ++i)
    if (std::strcmp(t.steps[i].name, name) == 0) {
      t.steps[i].ticks += ticks;
      return;
    }
  if (t.count < kMaxSteps) t.steps[t.count++] = {name, ticks};
}

}  // namespace

void StartStartupTrace() {
  Trace& t = TheTrace();
  DWORD length = GetEnvironmentVariableW(kStartupTraceVariable, t.path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  t.on = true;
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  t.frequency = frequency.QuadPart;
  t.last = Now();
  FILETIME created, exited, kernel, user, now;
  GetSystemTimeAsFileTime(&now);
  if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
    t.beforeEntry100ns = AsInteger(now) - AsInteger(created);
}

bool StartupTraceOn() { return TheTrace().on; }

void TraceStep(const char* step) {
  Trace& t = TheTrace();
  if (!t.on) return;
  int64_t now = Now();
  Add(t, step, now - t.last);
  t.last = now;
}

int64_t TraceClock() { return TheTrace().on ? Now() : 0; }

void TraceAddSince(const char* part, int64_t begin) {
  Trace& t = TheTrace();
  if (t.on) Add(t, part, Now() - begin);
}

void WriteStartupTrace() {
  Trace& t = TheTrace();
  if (!t.on) return;
  t.on = false;
  HANDLE file = CreateFileW(t.path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  char line[128];
  auto write = [&](const char* name, double ms) {
    int length = std::snprintf(line, sizeof line, "%s\t%.3f\n", name, ms);
    DWORD written = 0;
    if (length > 0) WriteFile(file, line, static_cast<DWORD>(length), &written, nullptr);
  };
  if (t.beforeEntry100ns >= 0) write("before_entry", t.beforeEntry100ns / 1e4);
  for (int i = 0; i < t.count; ++i)
    write(t.steps[i].name, t.steps[i].ticks * 1000.0 / static_cast<double>(t.frequency));
  write("end_of_run", 0);
  CloseHandle(file);
}
