#include "directory/saving.h"

#include "directory/dialogs.h"
#include "directory/safe_file.h"
#include "directory/speed_dial_file.h"
#include "system/system.h"
#include "text/date.h"

namespace {
constexpr char kBackupPrefixMask[] = "%yyyy%MM%DD_";
constexpr char kClosingPrompt[] = "\xC4nderungen speichern";

std::string SavedText(const std::string& path, const std::string& backupPath) {
  return "Kurzwahldatei " + path + " neu angelegt\n" + "Sicherungskopie in : " + backupPath + "\n";
}
std::string BackupFailedText(const std::string& path) {
  return "Kann keine Sicherungskopie anlegen von " + path;
}
std::string WriteFailedText(const std::string& path) {
  return "Kann Kurzwahldatei " + path + " nicht schreiben";
}

// The day's copy of the file as it is on disk; an earlier copy of that day
// stays as it was unless the new one is complete.
bool MakeBackupCopy(const ProgramState& state, const std::string& backupPath) {
  return CopyFileSafely(SpeedDialPath(state), state.speedDialFolder, backupPath);
}

// True only when the file now holds all 200 lines; otherwise it is as it was.
bool RewriteSpeedDialFile(const ProgramState& state) {
  return WriteFileSafely(state.speedDialFolder, SpeedDialPath(state),
                         [&state](TextFile& file) { return WriteDirectory(state, file); });
}
}  // namespace

bool SaveDirectory(ProgramState& state) {
  const std::string path = SpeedDialPath(state);
  const std::string backupPath =
      state.speedDialFolder + FormatDateMask(kBackupPrefixMask, CurrentDate()) +
      state.speedDialFileName;

  // The copy comes first, so the day's backup holds what was on disk before
  // this save, and a later save that day replaces it.
  if (!MakeBackupCopy(state, backupPath)) {
    ShowMessage(kWindowTitle, BackupFailedText(path), kMbIconError);
    return true;
  }
  if (!RewriteSpeedDialFile(state)) {
    // The changes are still in the table; the flag stays set so closing asks again.
    ShowMessage(kWindowTitle, WriteFailedText(path), kMbIconError);
    return true;
  }
  ShowMessage(kWindowTitle, SavedText(path, backupPath), kMbIconInformation);
  return false;
}

void AskToSave(ProgramState& state) {
  while (state.modified) {
    const int answer = ShowMessage(kWindowTitle, kClosingPrompt, kMbIconQuestion | kMbYesNo);
    // Only a Yes saves; any other answer ends like No, so a box that cannot be
    // shown does not keep the program from ending.
    state.modified = answer == kIdYes ? SaveDirectory(state) : false;
  }
}
