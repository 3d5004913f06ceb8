// Stands in for an editor in the launch tests. Copied under an editor's name
// (wordpad.exe, notepad.exe) where the platform's search finds it first, it
// writes the command line it was given and its working folder into
// "<its own path>.record", then ends at once.
#ifdef _WIN32
#include <windows.h>
#else
#include <climits>
#include <unistd.h>
#endif
#include <cstdio>
#include <string>

namespace {
#ifdef _WIN32
std::string OwnPath() {
  char buffer[MAX_PATH * 4];
  DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  return std::string(buffer, length);
}
std::string CommandLineOf(int, char**) { return GetCommandLineA(); }
std::string WorkingFolder() {
  char buffer[MAX_PATH * 4];
  DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
  return std::string(buffer, length < sizeof buffer ? length : 0);
}
#else
std::string OwnPath() {
  char buffer[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}
// The shell has split the line at blanks; joined again it is the line.
std::string CommandLineOf(int argc, char** argv) {
  std::string line;
  for (int i = 0; i < argc; ++i) line += (i ? " " : "") + std::string(argv[i]);
  return line;
}
std::string WorkingFolder() {
  char buffer[PATH_MAX];
  return getcwd(buffer, sizeof buffer) ? buffer : "";
}
#endif
}  // namespace

int main(int argc, char** argv) {
  const std::string record = OwnPath() + ".record";
  const std::string partial = record + ".partial";
  const std::string text = CommandLineOf(argc, argv) + "\n" + WorkingFolder() + "\n";
  // Written aside and renamed, so a reader never sees half a record.
  FILE* out = std::fopen(partial.c_str(), "wb");
  if (!out) return 1;
  bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  if (std::fclose(out) != 0 || !written) return 1;
  return std::rename(partial.c_str(), record.c_str()) == 0 ? 0 : 1;
}
