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

LoadReport ShowDirectory(ProgramState& state, TextFile& file) {
  SetStatusText(SpeedDialPath(state));
  return LoadDirectory(state, file, AddRow);
}

void WarnAboutLoad(const ProgramState& state, const LoadReport& report) {
  const std::string path = SpeedDialPath(state);
  for (const std::string& warning :
       {UntakenLinesMessage(path, report), CutLinesMessage(path, report),
        UnreadRestMessage(path, report)})
    if (!warning.empty()) ShowMessage(kWindowTitle, warning, kMbIconWarning);
}
