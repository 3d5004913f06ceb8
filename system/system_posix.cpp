// The seam on POSIX, for the native builds and tests. Share modes do not
// exist here; everything else answers as the Win32 side does.
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include "system/system.h"

extern char** environ;

bool SysOpenForReading(const std::string& path, SysFile& file) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    return false;
  }
  file.value = fd;
  return true;
}

bool SysOpenForWriting(const std::string& path, SysFile& file) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  file.value = fd;
  return true;
}

int64_t SysRead(SysFile file, char* buffer, size_t size) {
  for (;;) {
    ssize_t got = ::read(static_cast<int>(file.value), buffer, size);
    if (got >= 0) return got;
    if (errno != EINTR) return -1;
  }
}

bool SysWrite(SysFile file, const char* data, size_t size) {
  while (size > 0) {
    ssize_t put = ::write(static_cast<int>(file.value), data, size);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    data += put;
    size -= static_cast<size_t>(put);
  }
  return true;
}

bool SysClose(SysFile file) { return ::close(static_cast<int>(file.value)) == 0; }

bool SysCopyFile(const std::string& from, const std::string& to) {
  SysFile source, target;
  if (!SysOpenForReading(from, source)) return false;
  if (!SysOpenForWriting(to, target)) {
    SysClose(source);
    return false;
  }
  std::vector<char> buffer(64 * 1024);
  bool ok = true;
  for (;;) {
    int64_t got = SysRead(source, buffer.data(), buffer.size());
    if (got == 0) break;
    if (got < 0 || !SysWrite(target, buffer.data(), static_cast<size_t>(got))) {
      ok = false;
      break;
    }
  }
  SysClose(source);
  return SysClose(target) && ok;
}

bool SysDeleteFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

int64_t FileSizeOf(const std::string& path) {
  std::string name = path.substr(0, 260);
  if (name.empty()) return -1;
  if (name.size() > 1 && (name.back() == '\\' || name.back() == '/')) name.pop_back();
  struct stat info {};
  if (::stat(name.c_str(), &info) != 0) return -1;
  if (S_ISDIR(info.st_mode)) return -2;
  return static_cast<int64_t>(info.st_size);
}

std::string CurrentFolder() {
  std::vector<char> buffer(256);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
  std::string folder(buffer.data());
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

CivilTime SysLocalClock() {
  std::time_t now = std::time(nullptr);
  std::tm local {};
  ::localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour, local.tm_min, local.tm_sec};
}

static bool Spawn(const std::string& command, const std::string& folder) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  const char* argv[] = {"/bin/sh", "-c", command.c_str(), nullptr};
  pid_t pid = 0;
  int rc = posix_spawn(&pid, "/bin/sh", &actions, nullptr, const_cast<char**>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  return rc == 0;
}

// There are no Windows folders and no App Paths here, so no program is
// ever found by name: the native tests see what an unfound program does.
std::string SysWindowsFolder() { return {}; }
std::string SysSystemFolder() { return {}; }
std::string SysProgramFilesFolder() { return {}; }
std::string SysRegisteredAppPath(const std::string&) { return {}; }

// The shell gets the application's path in place of the command line's
// first word, which names the program as the user knows it.
bool SysCreateProcess(const std::string& application, const std::string& commandLine,
                      const std::string& folder) {
  size_t end = commandLine.starts_with('"') ? commandLine.find('"', 1) : commandLine.find(' ');
  std::string rest = end == std::string::npos ? "" : commandLine.substr(end + 1);
  if (!rest.empty() && rest.front() != ' ') rest.insert(0, 1, ' ');
  return Spawn("'" + application + "'" + rest, folder);
}

bool SysShellOpen(const std::string& file, const std::string& parameters,
                  const std::string& folder) {
  return Spawn("'" + file + "' " + parameters, folder);
}

// Writing a file safely: a fresh file beside the target, then a rename.

// The name carries the process id, so two running copies never pick the same
// one, and O_EXCL never takes over a file that is there already.
bool SysCreateTemporaryFile(const std::string& folder, std::string& path, SysFile& file) {
  constexpr int kAttempts = 100;
  const std::string stem = folder + "~Rufdepot-" + std::to_string(::getpid()) + "-";
  static unsigned counter = 0;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    std::string name = stem + std::to_string(counter++) + ".tmp";
    int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
      file.value = fd;
      path = name;
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

bool SysFlush(SysFile file) { return ::fsync(static_cast<int>(file.value)) == 0; }

static std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

bool SysReplaceFile(const std::string& target, const std::string& replacement) {
  struct stat info {};
  const bool exists = ::stat(target.c_str(), &info) == 0;
  // A file without any write permission counts as read-only, also for root.
  if (exists && (S_ISDIR(info.st_mode) || (info.st_mode & 0222) == 0)) return false;
  if (exists) ::chmod(replacement.c_str(), info.st_mode & 07777);
  if (::rename(replacement.c_str(), target.c_str()) != 0) return false;
  // The new name is on the disk only once the folder is.
  int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return true;
}
