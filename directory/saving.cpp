#include "directory/saving.h"

#include "directory/dialogs.h"
#include "directory/speed_dial_file.h"
#include "directory/text_file.h"
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

// True only when the file was opened and every line, the flush and the close
// went through; a half-written file must not pass for a save.
bool RewriteSpeedDialFile(const ProgramState& state, const std::string& path) {
  TextFile file;
  if (!OpenForWriting(path, file)) return false;
  const bool written = WriteDirectory(state, file);
  const bool closed = CloseTextFile(file);  // always, so the handle is not left open
  return written && closed;
}
}  // namespace

bool SaveDirectory(ProgramState& state) {
  const std::string path = SpeedDialPath(state);
  const std::string backupPath =
      state.speedDialFolder + FormatDateMask(kBackupPrefixMask, CurrentDate()) +
      state.speedDialFileName;

  // The copy comes first, so the day's backup holds what was on disk before
  // this save, and a later save that day replaces it.
  if (!SysCopyFile(path, backupPath)) {
    ShowMessage(kWindowTitle, BackupFailedText(path), kMbIconError);
    return true;
  }
  if (!RewriteSpeedDialFile(state, path)) {
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
