// Buffered text files with the system's line conventions: a line ends at
// CR, LF, CR LF, NUL or the end of the file; every written line ends in CR LF.
#pragma once
#include <string>
#include <string_view>
#include <vector>
#include "system/system.h"

struct TextFile {
  SysFile handle;
  std::vector<char> buffer;
  size_t position = 0;     // next unread byte, or end of pending output
  size_t filled = 0;       // bytes of buffer holding read data
  bool writing = false;
  bool readEnded = false;  // end of file or a read error
  bool readFailed = false; // a read error ended the reading early
  bool writeFailed = false;
  // Where the next CR, LF and NUL lie in the filled buffer (SIZE_MAX before
  // the search), so a line end is found without going byte by byte.
  size_t nextStop[3] = {};
};

bool OpenForReading(const std::string& path, TextFile& file);
bool OpenForWriting(const std::string& path, TextFile& file);
// Creates a new file of a name of its own in folder for writing; path
// receives its full path.
bool OpenTemporaryForWriting(const std::string& folder, std::string& path, TextFile& file);
std::string ReadTextLine(TextFile& file);
// The same into line, reusing its room: reading many long lines then costs
// no allocation per line.
void ReadTextLineInto(TextFile& file, std::string& line);
bool AtEndOfFile(TextFile& file);
// False once any write to this file has failed.
bool WriteTextLine(TextFile& file, std::string_view text);
// Writes out pending output now; false when any write to this file failed.
bool FlushTextFile(TextFile& file);
// Writes out pending output and has the system put it on the disk; false
// when any write or that failed.
bool SyncTextFile(TextFile& file);
// Writes out pending output and closes; false when any write or the close
// failed, so the file on disk is not what was written.
bool CloseTextFile(TextFile& file);
