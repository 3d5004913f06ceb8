#include "directory/key_overview.h"

#include <cstring>
#include "directory/dialogs.h"

namespace {
struct KeyRow {
  const char* keys;
  const char* action;
};

// In the order of the toolbar, then the added commands, then the fields.
constexpr KeyRow kKeyRows[] = {
    {"Pfeil oben", "Eintrag nach oben schieben"},
    {"Pfeil unten", "Eintrag nach unten schieben"},
    {"Entf", "Eintrag leeren"},
    {"Enter", "ge\xE4nderte Rufnummer und Namen \xFC" "bernehmen"},
    {"Strg+P", "sortierte Liste an Editor \xFC" "bergeben (zum Drucken)"},
    {"Strg+S", "speichern"},
    {"Strg+Z", "letzte \xC4nderung r\xFC" "ckg\xE4ngig machen"},
    {"Strg+O", "andere Kurzwahldatei \xF6" "ffnen"},
    {"Strg+F", "Rufnummer oder Namen suchen"},
    {"F3", "weitersuchen"},
    {"F1", "diese \xDC" "bersicht"},
    {"Tab", "zum n\xE4" "chsten Feld"},
    {"Umschalt+Tab", "zum vorigen Feld"},
};

// The message box expands tabs to stops eight average characters apart:
// short keys take two, so every action starts at the second stop.
constexpr size_t kShortKey = 8;
}  // namespace

std::string KeyOverviewText() {
  std::string text = "Tasten:\n\n";
  for (const KeyRow& row : kKeyRows) {
    text += row.keys;
    text += std::strlen(row.keys) < kShortKey ? "\t\t" : "\t";
    text += row.action;
    text += '\n';
  }
  return text;
}

void ShowKeyOverview(ProgramState&) {
  ShowMessage(kWindowTitle, KeyOverviewText(), kMbIconInformation);
}
