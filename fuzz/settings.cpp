// Properties of reading any bytes as the settings file, and of the path
// helpers of the first start.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include "directory/settings.h"
#include "tests/fakes/fake_dialogs.h"
#include "tests/fakes/fake_system.h"

#define REQUIRE(condition) \
  do {                     \
    if (!(condition)) std::abort(); \
  } while (0)

namespace {
// The n-th line (0-based) by the line conventions, read the plain way.
std::string ReferenceLine(std::string_view bytes, int n) {
  size_t at = 0;
  for (int line = 0;; ++line) {
    size_t end = at;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n' && bytes[end] != '\0') ++end;
    if (line == n) return std::string(bytes.substr(at, end - at));
    if (end >= bytes.size()) return {};
    at = end + 1;
    if (bytes[end] == '\r' && at < bytes.size() && bytes[at] == '\n') ++at;
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ResetFakeSystem();
  ResetFakeDialogs();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  TheFakeSystem().files[kSettingsFileName] = bytes;

  ProgramState state;
  REQUIRE(ReadSettings(state));
  REQUIRE(state.speedDialFolder == ReferenceLine(bytes, 0));
  REQUIRE(state.speedDialFileName == ReferenceLine(bytes, 1));

  // Written back and read again, the two lines come back unchanged.
  WriteSettings(state);
  REQUIRE(TheFakeSystem().files[kSettingsFileName] ==
          state.speedDialFolder + "\r\n" + state.speedDialFileName + "\r\n");
  ProgramState again;
  REQUIRE(ReadSettings(again));
  REQUIRE(again.speedDialFolder == state.speedDialFolder);
  REQUIRE(again.speedDialFileName == state.speedDialFileName);

  // The first start splits a chosen path into folder and name that join
  // back to the path, unless the path holds its folder twice or a "|".
  const std::string folder = FolderPart(bytes);
  const std::string name = RemoveText(bytes, folder);
  REQUIRE(folder.size() <= bytes.size());
  REQUIRE(folder.empty() || folder.back() == '\\' || folder.back() == '/');
  const bool plainPath = !folder.empty() && bytes.front() != '"' &&
                         bytes.find('|') == std::string::npos &&
                         bytes.find(folder, 1) == std::string::npos;
  if (plainPath) REQUIRE(folder + name == bytes);
  REQUIRE(TheFakeSystem().openFiles == 0);
  return 0;
}
