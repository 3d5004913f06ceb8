// The platform-free steps of the start-up: the listing file's path, and
// bringing the opened speed-dial file into the table and the window.
#pragma once
#include "directory/program_state.h"
#include "directory/speed_dial_file.h"
#include "directory/text_file.h"

inline const char kListingFileName[] = "_Rufdepot.tmp";

// Fixes the listing path in the working folder and removes the listing file
// of an earlier run; a file that cannot be removed is no error.
void SettleListingPath(ProgramState& state);
// Shows the file's path in the status bar and loads the file into the
// table and the entry list.
LoadReport ShowDirectory(ProgramState& state, TextFile& file);
// Warns once about lines that were not taken over or not read: a save
// would drop them.
void WarnAboutLoad(const ProgramState& state, const LoadReport& report);
