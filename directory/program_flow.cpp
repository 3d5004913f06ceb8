#include "directory/program_flow.h"

#include "directory/dialogs.h"
#include "directory/load_warning.h"
#include "directory/speed_dial_file.h"
#include "directory/window_ops.h"
#include "system/system.h"

void SettleListingPath(ProgramState& state) {
  state.listingPath = CurrentFolder() + kListingFileName;
  SysDeleteFile(state.listingPath);
}

static void AddRow(const std::string& index, const std::string& number, const std::string& name) {
  AddListRow(index + '\n' + number + '\n' + name);
}

void ShowDirectory(ProgramState& state, TextFile& file) {
  const std::string path = SpeedDialPath(state);
  SetStatusText(path);
  LoadReport report = LoadDirectory(state, file, AddRow);
  // What is not in the table would be missing after the next save.
  for (const std::string& warning :
       {UntakenLinesMessage(path, report), UnreadRestMessage(path, report)})
    if (!warning.empty()) ShowMessage(kWindowTitle, warning, kMbIconWarning);
}
