#include "directory/opening.h"

#include "directory/dialogs.h"
#include "directory/editing.h"
#include "directory/program_flow.h"
#include "directory/saving.h"
#include "directory/settings.h"
#include "directory/undo.h"
#include "directory/window_ops.h"
#include "system/system.h"

std::string TooSmallMessage(const std::string& path) {
  return "Die Datei " + path + " ist zu klein f\xFC" "r eine Kurzwahldatei und wird nicht ge\xF6" "ffnet.";
}

namespace {
bool HasSpeedDialExtension(const std::string& path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.size() - dot != 3) return false;
  return (path[dot + 1] == 'k' || path[dot + 1] == 'K') && (path[dot + 2] == 'w' || path[dot + 2] == 'W');
}

// The file open for reading, or false with the reason shown.
bool OpenUsable(const std::string& path, TextFile& file) {
  // A missing file has no size (-1) and is reported as not found.
  if (!IsLargeEnough(path) && FileSizeOf(path) >= 0) {
    ShowMessage(kWindowTitle, TooSmallMessage(path), kMbIconError);
    return false;
  }
  if (OpenForReading(path, file)) return true;
  ShowMessage(kWindowTitle, NotFoundMessage(path), kMbIconError);
  return false;
}

// As a fresh start, and named in the settings file: nothing of the previous
// file's table, rows, current slot, flag, undo steps or disk stamp stays.
void ReplaceTable(ProgramState& state, const std::string& path) {
  TextFile file;
  if (!OpenUsable(path, file)) return;
  SetSpeedDialPath(state, path);
  state.table = DialTable{};
  state.currentSlot = 0;
  state.modified = false;
  state.unfinishedBackupPath.clear();
  ForgetUndoSteps(state);
  ClearList();
  for (int id : {kIndexField, kNumberField, kNameField}) SetFieldText(id, "");
  const LoadReport report = ShowDirectory(state, file);
  WriteSettings(state);
  WarnAboutLoad(state, report);
}
}  // namespace

void OpenAnotherFile(ProgramState& state) {
  TakeOverTyping(state);
  if (!MayReplaceTable(state)) return;
  const std::string chosen = AskForSpeedDialFile();
  if (chosen.empty()) return;
  ReplaceTable(state, chosen);
}

void OpenDroppedFile(ProgramState& state) {
  const std::string dropped = DroppedFilePath();
  if (dropped.empty()) return;
  if (!HasSpeedDialExtension(dropped)) {
    ShowMessage(kWindowTitle, kOnlySpeedDialFiles, kMbIconError);
    return;
  }
  TakeOverTyping(state);
  if (!MayReplaceTable(state)) return;
  ReplaceTable(state, dropped);
}

bool StartWithFile(ProgramState& state, const std::string& path, TextFile& file) {
  if (!OpenUsable(path, file)) return false;
  SetSpeedDialPath(state, path);
  return true;
}
