// The printable listing sorted by name, handed to an editor.
#pragma once
#include <string>
#include "directory/program_state.h"

std::string ListingLine(const DialEntry& entry);
void PrintListing(ProgramState& state);
// True when a process was started.
bool LaunchProgram(const std::string& program, const std::string& parameter,
                   const std::string& folder);
