// The settings file "Rufdepot.ini", the first start and opening the
// speed-dial file at start-up.
#include "directory/settings.h"

#include <cstdint>
#include <iterator>
#include "directory/dialogs.h"
#include "product.h"
#include "system/system.h"

namespace {
// Shown once at first start; the six "\n" pieces make the blank lines.
// Umlauts are split off into their own literal so that no letter after
// them is taken into the hex escape.
constexpr const char* kFirstStartPieces[] = {
    "Erster Start des Programmes:\n",
    "Sie werden nach dem Speicherort der zu verwaltenden Kurzwahldatei gefragt.\n",
    "Bitte w\xE4" "hlen Sie die Datei aus und best\xE4" "tigen Sie mit OK.\n",
    "\n",
    "Pfad und Dateinamen werden in der Datei Rufdepot.ini\n",
    "gespeichert und beim n\xE4" "chsten Start automatisch benutzt.\n",
    "\n",
    "M\xF6" "chten Sie eine andere Datei verwalten, dann l\xF6" "schen Sie bitte\n",
    "die Datei Rufdepot.ini und starten das Programm erneut\n",
    "\n",
    "Bei jedem Speichern wird eine Sicherungskopie mit dem vorherigen Stand der\n",
    "Kurzwahl-Datei angelegt, aus deren Namen ersichtlich ist, wann die Datei\n",
    "angelegt worden ist.\n",
    "\n",
    "Das Programm erlaubt das Verwalten und Drucken (\xFC" "ber WordPad) der Kurzwahlliste.\n",
    "Zum Laden der Kurzwahlnummern in die Anlage ETS2106 benutzen Sie bitte wie bisher\n",
    "die Original-Software von Auerswald.\n",
    "\n",
    "Sie nutzen das Programm Rufdepot.exe kostenlos und auf eigenes Risiko.\n",
    "\n",
    "Probleme und Anregungen an " RUFDEPOT_CONTACT "\n",
};
static_assert(std::size(kFirstStartPieces) == 21);

constexpr char kDefaultName[] = "Default.kw";
constexpr char kSpeedDialPattern[] = "Kurzwahldatei (*.kw)|*.kw";
constexpr int kSpeedDialPatternPosition = 0;
constexpr int64_t kSmallestAcceptedSize = 11;

std::string FirstStartMessage() {
  std::string message;
  for (const char* piece : kFirstStartPieces) message += piece;
  return message;
}

}  // namespace

std::string NotFoundMessage(const std::string& path) {
  return "Kurzwahldatei " + path + " nicht gefunden";
}

std::string AskForSpeedDialFile() {
  return ShowOpenFileDialog(kWindowTitle, kDefaultName, kSpeedDialPattern, kSpeedDialPatternPosition);
}

bool IsLargeEnough(const std::string& path) { return FileSizeOf(path) >= kSmallestAcceptedSize; }

void SetSpeedDialPath(ProgramState& state, const std::string& path) {
  state.speedDialFolder = FolderPart(path);
  state.speedDialFileName = RemoveText(path, state.speedDialFolder);
}

bool ReadSettings(ProgramState& state) {
  TextFile file;
  if (!OpenForReading(kSettingsFileName, file)) return false;
  state.speedDialFolder = ReadTextLine(file);
  state.speedDialFileName = ReadTextLine(file);
  CloseTextFile(file);
  return true;
}

bool FirstStart(ProgramState& state) {
  ShowMessage(kWindowTitle, FirstStartMessage(), kMbIconInformation);
  const std::string chosen = AskForSpeedDialFile();
  if (chosen.empty() || !IsLargeEnough(chosen)) return false;
  SetSpeedDialPath(state, chosen);
  WriteSettings(state);
  return true;
}

void WriteSettings(const ProgramState& state) {
  TextFile file;
  if (!OpenForWriting(kSettingsFileName, file)) return;
  WriteTextLine(file, state.speedDialFolder);
  WriteTextLine(file, state.speedDialFileName);
  // A half-written file would name a wrong path at the next start; without
  // it the next start is simply a first start again.
  if (!CloseTextFile(file)) SysDeleteFile(kSettingsFileName);
}

bool OpenSpeedDialFile(const ProgramState& state, TextFile& file) {
  if (OpenForReading(SpeedDialPath(state), file)) return true;
  ShowMessage(kWindowTitle, NotFoundMessage(SpeedDialPath(state)), kMbIconError);
  SysDeleteFile(kSettingsFileName);  // the next start asks again
  return false;
}

bool StartUp(ProgramState& state, TextFile& file) {
  if (!ReadSettings(state) && !FirstStart(state)) return false;
  return OpenSpeedDialFile(state, file);
}

std::string FolderPart(std::string_view path) {
  const size_t start = !path.empty() && path.front() == '"' ? 1 : 0;
  size_t end = start;  // one past the last separator seen
  for (size_t i = start; i < path.size() && path[i] != '|'; ++i)
    if (path[i] == '\\' || path[i] == '/') end = i + 1;
  return std::string(path.substr(start, end - start));
}

std::string RemoveText(std::string_view text, std::string_view part) {
  if (text.empty() || part.empty()) return {};
  std::string result;
  result.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text.substr(i, part.size()) == part) {
      i += part.size();
    } else {
      result += text[i++];
    }
  }
  return result;
}
