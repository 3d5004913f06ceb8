// The settings file "Rufdepot.ini", the first start and opening the
// speed-dial file.
#pragma once
#include <string>
#include <string_view>
#include "directory/program_state.h"
#include "directory/text_file.h"

inline const char kSettingsFileName[] = "Rufdepot.ini";

bool ReadSettings(ProgramState& state);
bool FirstStart(ProgramState& state);
void WriteSettings(const ProgramState& state);
// The speed-dial file open for reading; on failure the not-found message has
// been shown, the settings file deleted, and false is returned.
bool OpenSpeedDialFile(const ProgramState& state, TextFile& file);
// Finds the settings or runs the first start, then opens the speed-dial
// file; false when the program must end.
bool StartUp(ProgramState& state, TextFile& file);

std::string FolderPart(std::string_view path);
std::string RemoveText(std::string_view text, std::string_view part);
