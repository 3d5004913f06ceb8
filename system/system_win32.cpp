// The seam on Win32. Paths and command lines are Windows-1252 bytes inside
// the program and go to the W forms of the calls, whatever the system's code
// page.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <cstring>
#include <vector>
#include "system/system.h"
#include "system/system_library.h"
#include "system/wide_text.h"

static HANDLE AsHandle(SysFile file) { return reinterpret_cast<HANDLE>(file.value); }

// A folder in Windows-1252 with one separator at its end; the empty text
// when it is empty or has a name Windows-1252 cannot hold, so that nothing
// is looked for in a mangled folder.
static std::string FolderText(const std::wstring& folder) {
  std::string bytes;
  if (folder.empty() || !Narrow(folder, bytes)) return {};
  if (bytes.back() != '\\') bytes += '\\';
  return bytes;
}

static bool Accept(HANDLE handle, SysFile& file) {
  if (handle == INVALID_HANDLE_VALUE) return false;
  file.value = reinterpret_cast<intptr_t>(handle);
  return true;
}

bool SysOpenForReading(const std::string& path, SysFile& file) {
  return Accept(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr),
                file);
}

bool SysOpenForWriting(const std::string& path, SysFile& file) {
  for (DWORD disposition : {CREATE_ALWAYS, TRUNCATE_EXISTING})
    if (Accept(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition,
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
  const std::wstring target = Widen(to);
  if (!CopyFileW(Widen(from).c_str(), target.c_str(), FALSE)) return false;
  // The copy takes over a read-only flag, and a read-only copy could not be
  // replaced by the next copy of the same name: a read-only speed-dial file
  // would then block every further save of that day.
  DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesW(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  return true;
}

bool SysDeleteFile(const std::string& path) { return DeleteFileW(Widen(path).c_str()) != 0; }

int64_t FileSizeOf(const std::string& path) {
  std::string name = path.substr(0, 260);
  if (name.empty()) return -1;
  if ((name.size() == 2 || name.size() == 3) && name[1] == ':') {
    std::string root = name.substr(0, 2) + "\\";
    return GetDriveTypeW(Widen(root).c_str()) > DRIVE_NO_ROOT_DIR ? -2 : -1;
  }
  if (name.back() == '\\') name.pop_back();
  // A pattern would answer with the size of whichever file matched first.
  if (name.find_first_of("*?") != std::string::npos) return -1;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Widen(name).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return -1;
  FindClose(search);
  if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -2;
  return (static_cast<int64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
}

std::string CurrentFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0) return {};
    // A folder that Windows-1252 cannot name reads as none: paths relative
    // to the working folder then still reach the same files.
    if (length < buffer.size()) return FolderText(std::wstring(buffer.data(), length));
    buffer.resize(length + 1);  // too small: length is the size it needs
  }
}

CivilTime SysLocalClock() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

// A folder as a Win32 call fills in a buffer of MAX_PATH; empty when the
// call failed.
static std::string AsFolder(const wchar_t* text, UINT length) {
  if (length == 0 || length >= MAX_PATH) return {};
  return FolderText(std::wstring(text, length));
}

// The shared Windows folder: a program that is not marked as aware of
// Terminal Services would get the user's private one from GetWindowsDirectory.
std::string SysWindowsFolder() {
  wchar_t buffer[MAX_PATH];
  return AsFolder(buffer, GetSystemWindowsDirectoryW(buffer, MAX_PATH));
}

std::string SysSystemFolder() {
  wchar_t buffer[MAX_PATH];
  return AsFolder(buffer, GetSystemDirectoryW(buffer, MAX_PATH));
}

std::string SysProgramFilesFolder() {
  wchar_t buffer[MAX_PATH];
  auto* folderPath = SystemFunction<decltype(SHGetFolderPathW)>(SystemLibrary::Shell, "SHGetFolderPathW");
  if (!folderPath || folderPath(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, buffer) != S_OK) return {};
  return AsFolder(buffer, static_cast<UINT>(wcsnlen(buffer, MAX_PATH)));
}

std::string SysRegisteredAppPath(const std::string& program) {
  const std::wstring keyName =
      Widen("Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + program);
  HKEY key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyName.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
  DWORD type = 0, size = 0;
  std::vector<wchar_t> value;
  LONG result = RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &size);
  if (result == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
    value.resize(size / sizeof(wchar_t) + 1);
    result = RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size);
  }
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || value.empty() || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
  // A value may be stored with or without its terminating zero.
  std::wstring path(value.data(), wcsnlen(value.data(), size / sizeof(wchar_t)));
  if (type == REG_EXPAND_SZ) {
    DWORD needed = ExpandEnvironmentStringsW(path.c_str(), nullptr, 0);
    if (needed == 0) return {};
    std::vector<wchar_t> expanded(needed + 1);
    if (ExpandEnvironmentStringsW(path.c_str(), expanded.data(), needed + 1) == 0) return {};
    path = expanded.data();
  }
  std::string bytes;
  return Narrow(path, bytes) ? bytes : std::string();
}

bool SysCreateProcess(const std::string& application, const std::string& commandLine,
                      const std::string& folder) {
  STARTUPINFOW startup {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process {};
  // CreateProcessW may write into the command line: a copy of its own.
  const std::wstring program = Widen(application);
  std::wstring line = Widen(commandLine);
  const std::wstring directory = Widen(folder);
  if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                      folder.empty() ? nullptr : directory.c_str(), &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool SysShellOpen(const std::string& file, const std::string& parameters,
                  const std::string& folder) {
  const std::wstring wideFile = Widen(file);
  const std::wstring wideParameters = Widen(parameters);
  const std::wstring wideFolder = Widen(folder);
  SHELLEXECUTEINFOW info {};
  info.cbSize = sizeof(info);
  // No error box of the shell's own: a failed start is reported to the caller only.
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"Open";
  info.lpFile = wideFile.c_str();
  info.lpParameters = wideParameters.c_str();
  info.lpDirectory = folder.empty() ? nullptr : wideFolder.c_str();
  info.nShow = SW_SHOWNORMAL;
  auto* execute = SystemFunction<decltype(ShellExecuteExW)>(SystemLibrary::Shell, "ShellExecuteExW");
  if (!execute || !execute(&info)) return false;
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
    HANDLE handle = CreateFileW(Widen(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
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

// Errors after which ReplaceFile has left the target untouched because it is
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
  HANDLE handle = CreateFileW(Widen(target).c_str(), DELETE, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return true;
  CloseHandle(handle);
  return false;
}
}  // namespace

bool SysReplaceFile(const std::string& target, const std::string& replacement) {
  const DWORD attributes = GetFileAttributesW(Widen(target).c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) return false;
  if (exists && TargetInUse(target)) return false;
  // Given to the new file before it takes the target's place, so the plain
  // rename below keeps them too (a hidden file stays hidden).
  if (exists && (attributes & kKeptAttributes))
    SetFileAttributesW(Widen(replacement).c_str(), attributes & kKeptAttributes);
  if (exists) {
    if (ReplaceFileW(Widen(target).c_str(), Widen(replacement).c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr))
      return true;
    if (TargetRefused(GetLastError())) return false;
  }
  // No target yet, or a file system on which ReplaceFile cannot work.
  return MoveFileExW(Widen(replacement).c_str(), Widen(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
