#include "directory/installed_program.h"

#include "system/system.h"

namespace {
enum class Place { AppPaths, ProgramFiles, WindowsFolder, SystemFolder };

struct InstalledPlace {
  const char* program;
  Place place;
  const char* within;  // the file below the place's folder
};

// Searched in this order, first match wins. WordPad is registered under
// App Paths where Windows has it; Notepad sits in the Windows folder.
const InstalledPlace kInstalledPlaces[] = {
    {"wordpad.exe", Place::AppPaths, ""},
    {"wordpad.exe", Place::ProgramFiles, "Windows NT\\Accessories\\wordpad.exe"},
    {"notepad.exe", Place::WindowsFolder, "notepad.exe"},
    {"notepad.exe", Place::SystemFolder, "notepad.exe"},
};

// A drive with its root ("C:\...") or a network share ("\\server\..."):
// anything else would be looked up relative to the working folder.
bool IsFullPath(const std::string& path) {
  if (path.size() >= 3 && path[1] == ':' && path[2] == '\\') {
    char drive = path[0];
    return (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
  }
  return path.size() >= 3 && path[0] == '\\' && path[1] == '\\' && path[2] != '\\';
}

// App Paths values are often written in quotes.
std::string Unquoted(const std::string& text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
  return text;
}

// An empty folder stays empty: the file alone would be a bare name.
std::string Below(std::string folder, const char* within) {
  if (folder.empty()) return {};
  if (folder.back() != '\\') folder += '\\';
  return folder + within;
}

std::string CandidateOf(const InstalledPlace& row) {
  switch (row.place) {
    case Place::AppPaths: return Unquoted(SysRegisteredAppPath(row.program));
    case Place::ProgramFiles: return Below(SysProgramFilesFolder(), row.within);
    case Place::WindowsFolder: return Below(SysWindowsFolder(), row.within);
    case Place::SystemFolder: return Below(SysSystemFolder(), row.within);
  }
  return {};
}

bool IsInstalledFile(const std::string& path) {
  return IsFullPath(path) && path.find('"') == std::string::npos && FileSizeOf(path) >= 0;
}

// The program's own name: a quoted program ends at its closing quote.
std::string NameOf(const std::string& program) {
  if (!program.starts_with('"')) return program;
  size_t close = program.find('"', 1);
  return program.substr(1, close == std::string::npos ? std::string::npos : close - 1);
}
}  // namespace

std::string InstalledProgramPath(const std::string& program) {
  const std::string name = NameOf(program);
  if (IsFullPath(name)) return IsInstalledFile(name) ? name : std::string();
  for (const InstalledPlace& row : kInstalledPlaces) {
    if (name != row.program) continue;
    std::string candidate = CandidateOf(row);
    if (IsInstalledFile(candidate)) return candidate;
  }
  return {};
}
