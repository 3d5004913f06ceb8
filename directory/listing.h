// The printable listing sorted by name, written to the listing file and
// handed to an editor (WordPad, or Notepad when WordPad cannot be started).
#pragma once
#include <string>
#include "directory/program_state.h"

// Name, the last three characters of the index and number in columns of
// 36, 6 and 20 characters: always 62 characters.
std::string ListingLine(const DialEntry& entry);
// Rebuilds the listing lines, writes the listing file and starts an editor;
// when the file cannot be written in full, an error message says so and
// nothing is started.
void PrintListing(ProgramState& state);
// Tries a direct process start, then the shell's "Open", both of the
// program's installed full path; nothing is tried when the program is not
// installed. The command line names the program as given. True when a
// process was started.
bool LaunchProgram(const std::string& program, const std::string& parameter,
                   const std::string& folder);
