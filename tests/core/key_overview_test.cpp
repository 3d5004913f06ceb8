// F1: the keys of the program, each with what it does, as a table of text.
#include <doctest/doctest.h>

#include <string>
#include "directory/commands.h"
#include "directory/dialogs.h"
#include "directory/event_loop.h"
#include "tests/core/editing_fixture.h"
#include "tests/fakes/fake_dialogs.h"

TEST_CASE("F1 shows every key of the program in one message, the table unchanged") {
  EditFixture f({"A", "B", "*P"});
  ProgramState& state = f.state;
  ResetFakeDialogs();
  f.ClickRow(1);
  RunTurn(state, {kControlEvent, kEntryList, kListClickEvent, 0});
  Snapshot before(state);
  RunTurn(state, {kCommandEvent, 0, 0, kKeyHelp});
  before.CheckUnchanged(state);
  REQUIRE(TheFakeDialogs().messages.size() == 1);
  const ShownMessage& shown = TheFakeDialogs().messages[0];
  CHECK(shown.title == kWindowTitle);
  CHECK(shown.style == kMbIconInformation);
  const char* rows[] = {
      "\nPfeil oben\tEintrag nach oben schieben\n",
      "\nPfeil unten\tEintrag nach unten schieben\n",
      "\nEntf\t\tEintrag leeren\n",
      "\nEnter\t\tge\xE4nderte Rufnummer und Namen \xFC" "bernehmen\n",
      "\nStrg+P\t\tsortierte Liste an Editor \xFC" "bergeben (zum Drucken)\n",
      "\nStrg+S\t\tspeichern\n",
      "\nStrg+Z\t\tletzte \xC4nderung r\xFC" "ckg\xE4ngig machen\n",
      "\nStrg+O\t\tandere Kurzwahldatei \xF6" "ffnen\n",
      "\nStrg+F\t\tRufnummer oder Namen suchen\n",
      "\nF3\t\tweitersuchen\n",
      "\nF1\t\tdiese \xDC" "bersicht\n",
      "\nTab\t\tzum n\xE4" "chsten Feld\n",
      "\nUmschalt+Tab\tzum vorigen Feld\n",
  };
  for (const char* row : rows) {
    CAPTURE(row);
    CHECK(shown.text.find(row) != std::string::npos);
  }
}
