#include "directory/listing.h"

#include <algorithm>
#include "directory/dialogs.h"
#include "directory/installed_program.h"
#include "directory/text_file.h"
#include "system/system.h"
#include "text/date.h"
#include "text/text.h"

namespace {
constexpr int kNameWidth = 36;
constexpr int kIndexDigits = 3;  // a pinned 1105 shows as 105
constexpr int kIndexWidth = 6;
constexpr int kNumberWidth = 20;

const char kTitle[] = "Kurzwahlnummern der ETS2106 - Stand : ";
const char kDateMask[] = "%dd.%mm.%yyyy";
const char kFileLabel[] = "Datei : ";
const char kWordPad[] = "wordpad.exe";
const char kNotepad[] = "notepad.exe";

std::string ListingFailedText(const std::string& path) {
  return "Kann Listendatei " + path + " nicht schreiben";
}

void BuildListingLines(ProgramState& state) {
  state.listingLines.clear();
  for (int slot = 0; slot < kFileSlotCount; ++slot) {
    const DialEntry& entry = state.table.slots[slot];
    if (SameText(entry.number, "")) continue;
    state.listingLines.push_back(ListingLine(entry));
  }
  // Stable, so lines that compare equal keep their slot order.
  std::stable_sort(state.listingLines.begin(), state.listingLines.end(),
                   [](const std::string& a, const std::string& b) { return CompareNoCase(a, b) < 0; });
}

// False when the file could not be created or does not hold every line.
bool WriteListingFile(const ProgramState& state) {
  TextFile file;
  if (!OpenForWriting(state.listingPath, file)) return false;
  WriteTextLine(file, kTitle + FormatDateMask(kDateMask, CurrentDate()));
  WriteTextLine(file, kFileLabel + SpeedDialPath(state));
  WriteTextLine(file, "");
  for (const std::string& line : state.listingLines) WriteTextLine(file, line);
  return CloseTextFile(file);
}

std::string CommandLineOf(const std::string& program, const std::string& parameter) {
  std::string line = program.starts_with('"') ? program : '"' + program + '"';
  if (!parameter.empty()) line += ' ' + parameter;
  return line;
}

// The shell gets the program's own folder to work in when none was given.
// An opening quote is not part of that folder.
std::string ShellFolderOf(const std::string& program) {
  size_t last = program.find_last_of('\\');
  if (last == std::string::npos || last == 0) return {};
  size_t first = program.starts_with('"') ? 1 : 0;
  return program.substr(first, last + 1 - first);
}
}  // namespace

std::string ListingLine(const DialEntry& entry) {
  return PadRight(entry.name, kNameWidth, ' ') +
         PadRight(RightPart(entry.index, kIndexDigits), kIndexWidth, ' ') +
         PadRight(entry.number, kNumberWidth, ' ');
}

void PrintListing(ProgramState& state) {
  BuildListingLines(state);
  // An incomplete listing is not handed on for printing: it would look like
  // the whole directory. The user is told why no editor comes up.
  if (!WriteListingFile(state)) {
    ShowMessage(kWindowTitle, ListingFailedText(state.listingPath), kMbIconError);
    return;
  }
  if (!LaunchProgram(kWordPad, state.listingPath, CurrentFolder()))
    LaunchProgram(kNotepad, state.listingPath, CurrentFolder());
}

bool LaunchProgram(const std::string& program, const std::string& parameter,
                   const std::string& folder) {
  // Started by name, Windows would look in the exe's folder and the working
  // folder first, where anyone may have put a program of that name.
  const std::string path = InstalledProgramPath(program);
  if (path.empty()) return false;
  if (SysCreateProcess(path, CommandLineOf(program, parameter), folder)) return true;
  std::string shellFolder = folder.empty() ? ShellFolderOf(program) : folder;
  return SysShellOpen(path, parameter, shellFolder);
}
