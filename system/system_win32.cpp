// The seam on Win32, with the ANSI forms of every call.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <cstring>
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

// A folder as a Win32 call fills it in, with one separator at its end.
static std::string AsFolder(const char* text, UINT length) {
  if (length == 0 || length >= MAX_PATH) return {};
  std::string folder(text, length);
  if (folder.back() != '\\') folder += '\\';
  return folder;
}

// The shared Windows folder: a program that is not marked as aware of
// Terminal Services would get the user's private one from GetWindowsDirectory.
std::string SysWindowsFolder() {
  char buffer[MAX_PATH];
  return AsFolder(buffer, GetSystemWindowsDirectoryA(buffer, MAX_PATH));
}

std::string SysSystemFolder() {
  char buffer[MAX_PATH];
  return AsFolder(buffer, GetSystemDirectoryA(buffer, MAX_PATH));
}

std::string SysProgramFilesFolder() {
  char buffer[MAX_PATH];
  if (SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, buffer) != S_OK) return {};
  return AsFolder(buffer, static_cast<UINT>(strnlen(buffer, MAX_PATH)));
}

std::string SysRegisteredAppPath(const std::string& program) {
  const std::string keyName = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + program;
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyName.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
  DWORD type = 0, size = 0;
  std::vector<char> value;
  LONG result = RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size);
  if (result == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
    value.resize(size + 1);
    result = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size);
  }
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || value.empty() || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
  // A value may be stored with or without its terminating zero.
  std::string path(value.data(), strnlen(value.data(), size));
  if (type == REG_SZ) return path;
  DWORD needed = ExpandEnvironmentStringsA(path.c_str(), nullptr, 0);
  if (needed == 0) return {};
  std::vector<char> expanded(needed + 1);
  if (ExpandEnvironmentStringsA(path.c_str(), expanded.data(), needed + 1) == 0) return {};
  return expanded.data();
}

bool SysCreateProcess(const std::string& application, const std::string& commandLine,
                      const std::string& folder) {
  STARTUPINFOA startup {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process {};
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  if (!CreateProcessA(application.c_str(), line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
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
