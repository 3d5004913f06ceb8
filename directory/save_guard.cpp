#include "directory/save_guard.h"

#include <vector>
#include "directory/dialogs.h"
#include "system/system.h"

namespace {
constexpr size_t kReadSize = 64 * 1024;
constexpr uint64_t kHashStart = 0xcbf29ce484222325ull;  // FNV-1a, 64 bits
constexpr uint64_t kHashFactor = 0x100000001b3ull;

std::string ChangedOnDiskText(const std::string& path) {
  return "Die Kurzwahldatei " + path +
         " wurde seit dem \xD6" "ffnen von einem anderen Programm ge\xE4ndert.\n"
         "Soll sie trotzdem \xFC" "berschrieben werden?";
}

bool SameStamp(const DiskStamp& a, const DiskStamp& b) {
  return a.known && b.known && a.size == b.size && a.hash == b.hash;
}
}  // namespace

DiskReading ReadDisk(const std::string& path) {
  DiskReading reading;
  SysFile file;
  if (!SysOpenForReading(path, file)) return reading;
  std::vector<char> buffer(kReadSize);
  uint64_t hash = kHashStart;
  int64_t size = 0;
  int64_t got;
  while ((got = SysRead(file, buffer.data(), buffer.size())) > 0) {
    for (int64_t i = 0; i < got; ++i) hash = (hash ^ static_cast<unsigned char>(buffer[i])) * kHashFactor;
    ScanUtf8(reading.utf8, std::string_view(buffer.data(), static_cast<size_t>(got)));
    size += got;
  }
  SysClose(file);
  if (got < 0) return DiskReading{};
  reading.stamp = {true, size, hash};
  return reading;
}

void RecordDiskStamp(ProgramState& state) { state.diskStamp = ReadDisk(SpeedDialPath(state)).stamp; }

bool ConfirmReplacingFile(ProgramState& state) {
  if (!state.diskStamp.known) return true;  // nothing to compare with
  const std::string path = SpeedDialPath(state);
  const DiskStamp now = ReadDisk(path).stamp;
  if (!now.known || SameStamp(now, state.diskStamp)) return true;
  if (ShowMessage(kWindowTitle, ChangedOnDiskText(path), kMbIconWarning | kMbYesNo) != kIdYes)
    return false;
  // The user has seen the other program's file; a retry after a failed save
  // need not ask about it again.
  state.diskStamp = now;
  return true;
}

bool KeepDayBackup(ProgramState& state, const std::string& path, const std::string& backupPath) {
  // A folder or nothing of that name (size -2, -1) is no backup copy.
  const bool dayCopyExists = FileSizeOf(backupPath) >= 0 && state.unfinishedBackupPath != backupPath;
  if (dayCopyExists) return true;
  if (!SysCopyFile(path, backupPath)) {
    state.unfinishedBackupPath = backupPath;
    return false;
  }
  state.unfinishedBackupPath.clear();
  return true;
}
