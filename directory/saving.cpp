#include "directory/saving.h"

#include "directory/dialogs.h"
#include "directory/safe_file.h"
#include "directory/save_guard.h"
#include "directory/speed_dial_file.h"
#include "directory/undo.h"
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

  if (!ConfirmReplacingFile(state)) return true;  // nothing written, the changes stay
  // The copy comes first, so the day's backup holds what was on disk before
  // the day's first save; later saves that day leave it alone.
  if (!KeepDayBackup(state, path, backupPath)) {
    ShowMessage(kWindowTitle, BackupFailedText(path), kMbIconError);
    return true;
  }
  if (!RewriteSpeedDialFile(state)) {
    // The changes are still in the table; the flag stays set so closing asks again.
    ShowMessage(kWindowTitle, WriteFailedText(path), kMbIconError);
    return true;
  }
  RecordDiskStamp(state);
  ShowMessage(kWindowTitle, SavedText(path, backupPath), kMbIconInformation);
  return false;
}

ClosingOutcome AskToSave(ProgramState& state) {
  while (state.modified) {
    const int answer = ShowMessage(kWindowTitle, kClosingPrompt, kMbIconQuestion | kMbYesNoCancel);
    if (answer == kIdYes) {
      state.modified = SaveDirectory(state);
    } else if (answer == kIdNo) {
      state.modified = false;
    } else {
      // Abbrechen, Escape, or a box that could not be shown: back to the
      // window with the changes kept.
      return ClosingOutcome::Stay;
    }
  }
  return ClosingOutcome::End;
}

bool MayReplaceTable(ProgramState& state) {
  if (!state.modified) return true;
  const int answer = ShowMessage(kWindowTitle, kClosingPrompt, kMbIconQuestion | kMbYesNoCancel);
  if (answer == kIdNo) return true;
  if (answer != kIdYes) return false;
  state.modified = SaveDirectory(state);
  if (state.modified) return false;
  MarkSaved(state);
  return true;
}
