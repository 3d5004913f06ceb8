// Opening another speed-dial file while the program runs (Ctrl+O, a file
// dropped on the window) and a file named on the command line at start.
#pragma once
#include <string>
#include "directory/program_state.h"
#include "directory/text_file.h"

// Ctrl+O: unsaved changes settled first (the closing question), then the
// open-file dialog of the first start; the chosen file replaces the table
// as a fresh start would, and the settings file names it. Cancelled or
// refused, everything stays as it was.
void OpenAnotherFile(ProgramState& state);
// The same for the .kw file dropped on the window, without the dialog.
void OpenDroppedFile(ProgramState& state);
// At start with a path on the command line: that file for this run, the
// settings file left alone. False (the user told why) when it cannot be used.
bool StartWithFile(ProgramState& state, const std::string& path, TextFile& file);

// Texts the user sees when a file is refused.
std::string TooSmallMessage(const std::string& path);
inline const char kOnlySpeedDialFiles[] =
    "Es k\xF6nnen nur Kurzwahldateien (*.kw) ge\xF6" "ffnet werden.";
