// Placeholder until the settings file is built.
#include "directory/settings.h"

bool ReadSettings(ProgramState&) { return false; }
bool FirstStart(ProgramState&) { return false; }
void WriteSettings(const ProgramState&) {}
bool OpenSpeedDialFile(const ProgramState&, TextFile&) { return false; }
bool StartUp(ProgramState&, TextFile&) { return false; }
std::string FolderPart(std::string_view) { return {}; }
std::string RemoveText(std::string_view, std::string_view) { return {}; }
