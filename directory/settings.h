// The settings file "Rufdepot.ini", the first start and opening the
// speed-dial file.
#pragma once
#include <string>
#include <string_view>
#include "directory/program_state.h"
#include "directory/text_file.h"

// Relative on purpose: it lives in the working folder of the start.
inline const char kSettingsFileName[] = "Rufdepot.ini";

// Folder and file name from the settings file; false when it cannot be
// opened (nothing changed then).
bool ReadSettings(ProgramState& state);
// Explains itself, lets the user choose the speed-dial file and remembers
// it; false when no file was accepted (nothing set, nothing written).
bool FirstStart(ProgramState& state);
void WriteSettings(const ProgramState& state);
// The open-file dialog of the first start; the chosen path, or empty.
std::string AskForSpeedDialFile();
// Smaller files cannot hold a speed-dial directory worth managing.
bool IsLargeEnough(const std::string& path);
// Folder and file name of the speed-dial file from its full path.
void SetSpeedDialPath(ProgramState& state, const std::string& path);
std::string NotFoundMessage(const std::string& path);
// The speed-dial file open for reading; on failure the not-found message has
// been shown, the settings file deleted, and false is returned.
bool OpenSpeedDialFile(const ProgramState& state, TextFile& file);
// Finds the settings or runs the first start, then opens the speed-dial
// file; false when the program must end.
bool StartUp(ProgramState& state, TextFile& file);

// Up to and including the last "\" or "/", looking no further than the
// first "|"; a leading double quote is left out.
std::string FolderPart(std::string_view path);
// text with every occurrence of part taken out; empty when either is empty.
std::string RemoveText(std::string_view text, std::string_view part);
