#include "directory/program_flow.h"

#include "directory/dialogs.h"
#include "directory/load_warning.h"
#include "directory/disk_stamp.h"
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
  // Read while the load's own handle keeps other writers out, so the stamp
  // is that of the bytes loaded.
  const DiskReading reading = ReadDisk(SpeedDialPath(state));
  state.diskStamp = reading.stamp;
  LoadReport report = LoadDirectory(state, file, AddRow);
  report.utf8Text = IsUtf8Text(reading.utf8);
  return report;
}

void WarnAboutLoad(const ProgramState& state, const LoadReport& report) {
  const std::string path = SpeedDialPath(state);
  for (const std::string& warning :
       {UntakenLinesMessage(path, report), CutLinesMessage(path, report),
        UnreadRestMessage(path, report), Utf8TextMessage(path, report)})
    if (!warning.empty()) ShowMessage(kWindowTitle, warning, kMbIconWarning);
}
