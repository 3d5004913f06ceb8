// What keeps a save from costing the user a file: the day's backup copy is
// made only once a day, and a file that another program wrote since it was
// loaded or saved here is not replaced without asking.
#pragma once
#include <string>
#include "directory/program_state.h"

// Notes what the speed-dial file holds now: after loading, after a save.
void RecordDiskStamp(ProgramState& state);

// True when the save may replace the file: it is unchanged since it was
// loaded or last saved, cannot be read (the backup copy then reports it),
// or the user chose to overwrite another program's changes.
bool ConfirmReplacingFile(ProgramState& state);

// Makes the day's backup copy unless a save has made it already: the copy
// keeps the file as it was before the day's first save. False when a copy
// was needed and failed.
bool KeepDayBackup(ProgramState& state, const std::string& path, const std::string& backupPath);
