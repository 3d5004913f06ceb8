// Reading the speed-dial file's bytes once more, for what a save must know
// of the file on disk: whether it is still the one loaded or saved here,
// and whether another editor saved it as UTF-8.
#pragma once
#include <string>
#include "directory/program_state.h"
#include "text/utf8.h"

// Size and hash of the file's bytes, with a check whether they are UTF-8
// text; stamp.known is false when the file cannot be read in full.
struct DiskReading {
  DiskStamp stamp;
  Utf8Scan utf8;
};
DiskReading ReadDisk(const std::string& path);
