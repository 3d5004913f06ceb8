// Replacing a file only by a complete one. The new bytes go into a fresh
// file of a name of its own in the same folder, which is put on the disk,
// closed and only then takes the file's place. On any failure the file is
// left as it was and the fresh file is removed again.
#pragma once
#include <functional>
#include <string>
#include "directory/text_file.h"

// Writes the lines; false when any of them could not be written.
using WriteLinesFn = std::function<bool(TextFile&)>;

// Gives path the lines that write produces. folder is path's folder, ending
// in its separator (empty for the working folder).
bool WriteFileSafely(const std::string& folder, const std::string& path, const WriteLinesFn& write);
// Gives to the bytes of from, the same way; folder is to's folder.
bool CopyFileSafely(const std::string& from, const std::string& folder, const std::string& to);
