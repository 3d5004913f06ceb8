// In-memory stand-in for the operating-system seam: files, folders, a fixed
// clock, recorded program starts, and switches that make each call fail.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>
#include "text/date.h"

struct ProgramStart {
  std::string how;          // "CreateProcess" or "ShellOpen"
  std::string application;  // CreateProcess only: the program file started
  std::string commandLine;  // CreateProcess: the command line; ShellOpen: the file
  std::string parameters;   // ShellOpen only
  std::string folder;
};

struct FakeSystem {
  std::map<std::string, std::string> files;  // path -> bytes
  std::set<std::string> folders;
  std::string currentFolder = "C:\\Arbeit\\";
  CivilTime clock{2007, 3, 9, 14, 5, 7};

  // Where Windows keeps its programs (empty: none), and App Paths by program.
  std::string windowsFolder = "C:\\Windows\\";
  std::string systemFolder = "C:\\Windows\\system32\\";
  std::string programFilesFolder = "C:\\Program Files\\";
  std::map<std::string, std::string> appPaths;

  // Failure switches.
  std::set<std::string> unreadable;     // open for reading fails
  std::set<std::string> unwritable;     // open for writing fails; read-only for a replace
  bool copyFails = false;
  int64_t writeLimit = -1;              // a write beyond this many bytes of a file fails
  bool closeFails = false;              // closing a file opened for writing fails
  int64_t readFailsAfter = -1;          // a read beyond this many bytes fails
  int64_t readChunk = -1;               // each read returns at most this many bytes
  // Makes the n-th call (1-based, counted from the reset) of an operation
  // fail: "create temporary", "write" (after half its bytes), "flush",
  // "close" (of a file opened for writing), "replace".
  std::map<std::string, int> failingCall;
  std::map<std::string, int> calls;

  // Program starts: each is recorded; the answer comes from these.
  std::vector<ProgramStart> starts;
  std::function<bool(const ProgramStart&)> startSucceeds = [](const ProgramStart&) { return false; };

  // Counters of the platform calls, to prove buffering.
  int readCalls = 0;
  int writeCalls = 0;
  int openFiles = 0;
};

FakeSystem& TheFakeSystem();
// Paths of the files made by SysCreateTemporaryFile that are still there.
std::vector<std::string> FakeTemporaryFiles();
void ResetFakeSystem();
