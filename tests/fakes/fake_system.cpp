#include "tests/fakes/fake_system.h"

#include <algorithm>
#include <cstring>
#include "system/system.h"

namespace {
struct OpenFile {
  std::string path;
  bool writing = false;
  size_t position = 0;  // read position, or bytes written so far
};

std::map<intptr_t, OpenFile>& OpenFiles() {
  static std::map<intptr_t, OpenFile> files;
  return files;
}

SysFile Remember(const std::string& path, bool writing) {
  static intptr_t next = 100;
  OpenFiles()[next] = {path, writing, 0};
  ++TheFakeSystem().openFiles;
  return SysFile{next++};
}
}  // namespace

// Counts the call of an operation; true when this one is to fail.
static bool CallFails(const std::string& operation) {
  FakeSystem& s = TheFakeSystem();
  const int call = ++s.calls[operation];
  auto failing = s.failingCall.find(operation);
  return failing != s.failingCall.end() && failing->second == call;
}

static constexpr char kTemporaryMark[] = "~fake-temporary-";

FakeSystem& TheFakeSystem() {
  static FakeSystem system;
  return system;
}

void ResetFakeSystem() {
  TheFakeSystem() = FakeSystem{};
  OpenFiles().clear();
}

bool SysOpenForReading(const std::string& path, SysFile& file) {
  FakeSystem& s = TheFakeSystem();
  if (!s.files.count(path) || s.unreadable.count(path)) return false;
  file = Remember(path, false);
  return true;
}

bool SysOpenForWriting(const std::string& path, SysFile& file) {
  FakeSystem& s = TheFakeSystem();
  if (s.unwritable.count(path) || s.folders.count(path)) return false;
  s.files[path].clear();
  file = Remember(path, true);
  return true;
}

int64_t SysRead(SysFile file, char* buffer, size_t size) {
  FakeSystem& s = TheFakeSystem();
  ++s.readCalls;
  OpenFile& open = OpenFiles().at(file.value);
  const std::string& bytes = s.files[open.path];
  if (s.readFailsAfter >= 0 && open.position >= static_cast<size_t>(s.readFailsAfter)) return -1;
  size_t count = std::min(size, bytes.size() - std::min(open.position, bytes.size()));
  if (s.readFailsAfter >= 0)
    count = std::min(count, static_cast<size_t>(s.readFailsAfter) - open.position);
  if (s.readChunk > 0) count = std::min(count, static_cast<size_t>(s.readChunk));
  std::memcpy(buffer, bytes.data() + open.position, count);
  open.position += count;
  return static_cast<int64_t>(count);
}

bool SysWrite(SysFile file, const char* data, size_t size) {
  FakeSystem& s = TheFakeSystem();
  ++s.writeCalls;
  OpenFile& open = OpenFiles().at(file.value);
  size_t allowed = size;
  if (CallFails("write")) allowed = size / 2;
  if (s.writeLimit >= 0)
    allowed = std::min(size, static_cast<size_t>(std::max<int64_t>(0, s.writeLimit - static_cast<int64_t>(open.position))));
  s.files[open.path].append(data, allowed);
  open.position += allowed;
  return allowed == size;
}

bool SysClose(SysFile file) {
  FakeSystem& s = TheFakeSystem();
  auto found = OpenFiles().find(file.value);
  if (found == OpenFiles().end()) return false;
  bool writing = found->second.writing;
  OpenFiles().erase(found);
  --s.openFiles;
  return !(writing && (s.closeFails || CallFails("close")));
}

bool SysCopyFile(const std::string& from, const std::string& to) {
  FakeSystem& s = TheFakeSystem();
  if (s.copyFails || !s.files.count(from) || s.unreadable.count(from) || s.unwritable.count(to))
    return false;
  s.files[to] = s.files[from];
  return true;
}

bool SysDeleteFile(const std::string& path) { return TheFakeSystem().files.erase(path) > 0; }

int64_t FileSizeOf(const std::string& path) {
  FakeSystem& s = TheFakeSystem();
  if (path.empty()) return -1;
  if (s.folders.count(path)) return -2;
  auto found = s.files.find(path);
  return found == s.files.end() ? -1 : static_cast<int64_t>(found->second.size());
}

std::string CurrentFolder() { return TheFakeSystem().currentFolder; }

CivilTime SysLocalClock() { return TheFakeSystem().clock; }

std::string SysWindowsFolder() { return TheFakeSystem().windowsFolder; }

std::string SysSystemFolder() { return TheFakeSystem().systemFolder; }

std::string SysProgramFilesFolder() { return TheFakeSystem().programFilesFolder; }

std::string SysRegisteredAppPath(const std::string& program) {
  const FakeSystem& s = TheFakeSystem();
  auto found = s.appPaths.find(program);
  return found == s.appPaths.end() ? std::string() : found->second;
}

bool SysCreateProcess(const std::string& application, const std::string& commandLine,
                      const std::string& folder) {
  FakeSystem& s = TheFakeSystem();
  s.starts.push_back({"CreateProcess", application, commandLine, "", folder});
  return s.startSucceeds(s.starts.back());
}

bool SysShellOpen(const std::string& file, const std::string& parameters,
                  const std::string& folder) {
  FakeSystem& s = TheFakeSystem();
  s.starts.push_back({"ShellOpen", "", file, parameters, folder});
  return s.startSucceeds(s.starts.back());
}

bool SysCreateTemporaryFile(const std::string& folder, std::string& path, SysFile& file) {
  FakeSystem& s = TheFakeSystem();
  if (CallFails("create temporary")) return false;
  for (int n = 0;; ++n) {
    std::string name = folder + kTemporaryMark + std::to_string(n);
    if (s.files.count(name)) continue;
    s.files[name];
    path = name;
    file = Remember(name, true);
    return true;
  }
}

bool SysFlush(SysFile file) {
  if (!OpenFiles().count(file.value)) return false;
  return !CallFails("flush");
}

bool SysReplaceFile(const std::string& target, const std::string& replacement) {
  FakeSystem& s = TheFakeSystem();
  if (CallFails("replace") || s.unwritable.count(target) || !s.files.count(replacement))
    return false;
  s.files[target] = s.files[replacement];
  s.files.erase(replacement);
  return true;
}

std::vector<std::string> FakeTemporaryFiles() {
  std::vector<std::string> found;
  for (const auto& [path, bytes] : TheFakeSystem().files)
    if (path.find(kTemporaryMark) != std::string::npos) found.push_back(path);
  return found;
}
