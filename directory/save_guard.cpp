#include "directory/save_guard.h"

#include "directory/dialogs.h"
#include "directory/disk_stamp.h"
#include "directory/safe_file.h"
#include "system/system.h"

namespace {
std::string ChangedOnDiskText(const std::string& path) {
  return "Die Kurzwahldatei " + path +
         " wurde seit dem \xD6" "ffnen von einem anderen Programm ge\xE4ndert.\n"
         "Soll sie trotzdem \xFC" "berschrieben werden?";
}

bool SameStamp(const DiskStamp& a, const DiskStamp& b) {
  return a.known && b.known && a.size == b.size && a.hash == b.hash;
}
}  // namespace

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
  // Made through a fresh file, so a copy that fails part-way leaves no half
  // copy under the backup name.
  if (!CopyFileSafely(path, state.speedDialFolder, backupPath)) {
    state.unfinishedBackupPath = backupPath;
    return false;
  }
  state.unfinishedBackupPath.clear();
  return true;
}
