// The note shown once after loading when lines of the speed-dial file could
// not be taken over, so that nothing is dropped without the user knowing.
#pragma once
#include <string>
#include "directory/speed_dial_file.h"

// Empty when every line was taken over.
std::string UntakenLinesMessage(const std::string& speedDialPath, const LoadReport& report);

// Empty when no line taken over had text after a third ";", which a save
// would drop.
std::string CutLinesMessage(const std::string& speedDialPath, const LoadReport& report);

// Empty unless a read error ended the load early: the rest of the file is
// not in the table, and a save would drop it.
std::string UnreadRestMessage(const std::string& speedDialPath, const LoadReport& report);

// Empty unless the file's bytes are UTF-8 (another editor saved it so): its
// umlauts then are not what the telephone maker's software reads. Nothing
// is converted.
std::string Utf8TextMessage(const std::string& speedDialPath, const LoadReport& report);
