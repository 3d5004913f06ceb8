// The seam on Win32, with the ANSI forms of every call.
#include <windows.h>
#include <shellapi.h>
#include <vector>
#include "system/system.h"

static HANDLE AsHandle(SysFile file) { return reinterpret_cast<HANDLE>(file.value); }

static bool Accept(HANDLE handle, SysFile& file) {
  if (handle == INVALID_HANDLE_VALUE) return false;
  file.value = reinterpret_cast<intptr_t>(handle);
  return true;
}

bool SysOpenForReading(const std::string& path, SysFile& file) {
  return Accept(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr),
                file);
}

bool SysOpenForWriting(const std::string& path, SysFile& file) {
  for (DWORD disposition : {CREATE_ALWAYS, TRUNCATE_EXISTING})
    if (Accept(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL, nullptr),
               file))
      return true;
  return false;
}

int64_t SysRead(SysFile file, char* buffer, size_t size) {
  DWORD got = 0;
  DWORD wanted = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
  if (!ReadFile(AsHandle(file), buffer, wanted, &got, nullptr)) return -1;
  return got;
}

bool SysWrite(SysFile file, const char* data, size_t size) {
  while (size > 0) {
    DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD put = 0;
    if (!WriteFile(AsHandle(file), data, chunk, &put, nullptr) || put == 0) return false;
    data += put;
    size -= put;
  }
  return true;
}

bool SysClose(SysFile file) { return CloseHandle(AsHandle(file)) != 0; }

bool SysCopyFile(const std::string& from, const std::string& to) {
  if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) return false;
  // The copy takes over a read-only flag, and a read-only copy could not be
  // replaced by the next copy of the same name: a read-only speed-dial file
  // would then block every further save of that day.
  DWORD attributes = GetFileAttributesA(to.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesA(to.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  return true;
}

bool SysDeleteFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

int64_t FileSizeOf(const std::string& path) {
  std::string name = path.substr(0, 260);
  if (name.empty()) return -1;
  if ((name.size() == 2 || name.size() == 3) && name[1] == ':') {
    std::string root = name.substr(0, 2) + "\\";
    return GetDriveTypeA(root.c_str()) > DRIVE_NO_ROOT_DIR ? -2 : -1;
  }
  if (name.back() == '\\') name.pop_back();
  // A pattern would answer with the size of whichever file matched first.
  if (name.find_first_of("*?") != std::string::npos) return -1;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(name.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return -1;
  FindClose(search);
  if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -2;
  return (static_cast<int64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
}

std::string CurrentFolder() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0) return {};
    if (length < buffer.size()) {
      std::string folder(buffer.data(), length);
      if (folder.back() != '\\') folder += '\\';
      return folder;
    }
    buffer.resize(length + 1);  // too small: length is the size it needs
  }
}

CivilTime SysLocalClock() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

bool SysCreateProcess(const std::string& commandLine, const std::string& folder) {
  STARTUPINFOA startup {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process {};
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool SysShellOpen(const std::string& file, const std::string& parameters,
                  const std::string& folder) {
  SHELLEXECUTEINFOA info {};
  info.cbSize = sizeof(info);
  // No error box of the shell's own: a failed start is reported to the caller only.
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = "Open";
  info.lpFile = file.c_str();
  info.lpParameters = parameters.c_str();
  info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExA(&info)) return false;
  if (info.hProcess) CloseHandle(info.hProcess);
  return true;
}

// Writing a file safely: a fresh file beside the target, then a replace.

// The name carries the process id, so two running copies never pick the same
// one, and CREATE_NEW never takes over a file that is there already.
bool SysCreateTemporaryFile(const std::string& folder, std::string& path, SysFile& file) {
  constexpr int kAttempts = 100;
  const std::string stem = folder + "~Rufdepot-" + std::to_string(GetCurrentProcessId()) + "-";
  static unsigned counter = 0;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    std::string name = stem + std::to_string(counter++) + ".tmp";
    HANDLE handle = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (Accept(handle, file)) {
      path = name;
      return true;
    }
    DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return false;
  }
  return false;
}

bool SysFlush(SysFile file) { return FlushFileBuffers(AsHandle(file)) != 0; }

namespace {
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Errors after which ReplaceFileA has left the target untouched because it is
// in use or protected; a plain rename would meet the same refusal.
bool TargetRefused(DWORD error) {
  return error == ERROR_UNABLE_TO_REMOVE_REPLACED || error == ERROR_ACCESS_DENIED ||
         error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// Whether another program holds the target open without letting it be
// renamed or deleted. Asked first, because Wine's ReplaceFile finds that out
// only after it has made a file of its own beside the target, and leaves it.
bool TargetInUse(const std::string& target) {
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  HANDLE handle = CreateFileA(target.c_str(), DELETE, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return true;
  CloseHandle(handle);
  return false;
}
}  // namespace

bool SysReplaceFile(const std::string& target, const std::string& replacement) {
  const DWORD attributes = GetFileAttributesA(target.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) return false;
  if (exists && TargetInUse(target)) return false;
  // Given to the new file before it takes the target's place, so the plain
  // rename below keeps them too (a hidden file stays hidden).
  if (exists && (attributes & kKeptAttributes))
    SetFileAttributesA(replacement.c_str(), attributes & kKeptAttributes);
  if (exists) {
    if (ReplaceFileA(target.c_str(), replacement.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr))
      return true;
    if (TargetRefused(GetLastError())) return false;
  }
  // No target yet, or a file system on which ReplaceFile cannot work.
  return MoveFileExA(replacement.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
