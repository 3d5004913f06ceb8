// The operating-system seam: everything the core needs from the platform
// besides the window and the dialogs. One implementation per platform
// (system_win32.cpp, system_posix.cpp) and an in-memory stand-in for tests;
// the build links exactly one of them. No call throws.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include "text/date.h"

// An open file of the platform; kNoFile when nothing is open.
struct SysFile {
  intptr_t value = -1;
};
inline bool IsOpen(SysFile file) { return file.value != -1; }

// Opens an existing file; others may read it meanwhile but not write it.
bool SysOpenForReading(const std::string& path, SysFile& file);
// Creates the file or empties an existing one; others may read it meanwhile.
bool SysOpenForWriting(const std::string& path, SysFile& file);
// Bytes read into buffer: 0 at the end of the file, -1 on a read error.
int64_t SysRead(SysFile file, char* buffer, size_t size);
// True only when every byte was written.
bool SysWrite(SysFile file, const char* data, size_t size);
// True when the file was closed with all its data.
bool SysClose(SysFile file);

// Copies from onto to, replacing a file of that name.
bool SysCopyFile(const std::string& from, const std::string& to);
bool SysDeleteFile(const std::string& path);

// Creates a new, empty file for writing in folder (which ends in its
// separator) under a name that no file there has yet and that no other copy
// of the program picks; path receives its full path.
bool SysCreateTemporaryFile(const std::string& folder, std::string& path, SysFile& file);
// Forces the file's written data out to the disk.
bool SysFlush(SysFile file);
// Puts the closed file replacement in place of target, keeping target's
// attributes; a target that does not exist yet is created. Refused for a
// read-only target. On failure target is as it was and replacement is still
// there; true only when target now holds replacement's bytes.
bool SysReplaceFile(const std::string& target, const std::string& replacement);

// Size in bytes; -1 for an empty path or nothing of that name, -2 for a
// folder or a drive.
int64_t FileSizeOf(const std::string& path);

// The process's current directory with one separator at its end; the empty
// text when it cannot be read. Never cut, whatever its length.
std::string CurrentFolder();

// The local wall-clock reading (milliseconds dropped).
CivilTime SysLocalClock();
// The same as a date value.
inline DateValue CurrentDate() { return DateFromCivil(SysLocalClock()); }

// The folders where Windows keeps its own programs, each with one separator
// at its end; the empty text where there is none.
std::string SysWindowsFolder();
std::string SysSystemFolder();
std::string SysProgramFilesFolder();
// The path registered for program (a file name such as "wordpad.exe") under
// the machine's App Paths, environment strings expanded; empty when none.
std::string SysRegisteredAppPath(const std::string& program);

// Starts the program file application (a full path) with a command line in
// folder (empty: inherited). Handles are closed at once; the process is not
// waited for.
bool SysCreateProcess(const std::string& application, const std::string& commandLine,
                      const std::string& folder);
// Opens file with the shell's "Open" verb, without any error box of its own.
bool SysShellOpen(const std::string& file, const std::string& parameters,
                  const std::string& folder);
