// The core's window operations on the real controls.
#include "tests/window/window_fixture.h"
#include "directory/window_ops.h"

namespace {
std::string Cell(int row, int column) {
  char text[256] = {};
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(TheMainWindow().list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}
}  // namespace

TEST_CASE_FIXTURE(WindowFixture, "AddListRow splits its text at LF into the cells of a new last row") {
  struct Case {
    const char* text;
    const char* cells[3];
  };
  const Case cases[] = {
      {"105\n0711 12345\nM\xFCller, Stra\xDF" "e", {"105", "0711 12345", "M\xFCller, Stra\xDF" "e"}},
      {"106", {"106", "", ""}},
      {"107\n\nOhne Nummer", {"107", "", "Ohne Nummer"}},
      {"", {"", "", ""}},
  };
  int row = 0;
  for (const Case& c : cases) {
    CAPTURE(row);
    AddListRow(c.text);
    REQUIRE(ListRowCount() == row + 1);
    for (int column = 0; column < 3; ++column) CHECK(Cell(row, column) == c.cells[column]);
    ++row;
  }
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = 0;
  item.lParam = 99;
  SendMessageA(w.list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  CHECK(item.lParam == 0);
}

TEST_CASE_FIXTURE(WindowFixture, "SetListCell, SelectListRow and IsRowSelected act on one row") {
  for (int i = 0; i < 5; ++i) AddListRow(std::to_string(100 + i) + "\nn\nname");
  SetListCell(2, 2, "Neu \xC4rger");
  CHECK(Cell(2, 2) == "Neu \xC4rger");
  CHECK(Cell(2, 1) == "n");
  SetListCell(7, 1, "nirgends");  // no such row: nothing happens
  CHECK(ListRowCount() == 5);

  SelectListRow(3);
  CHECK(IsRowSelected(3));
  CHECK(SendMessageA(w.list, LVM_GETITEMSTATE, 3, LVIS_FOCUSED) == LVIS_FOCUSED);
  SelectListRow(1);  // a single-selection list drops the earlier one
  CHECK(IsRowSelected(1));
  CHECK_FALSE(IsRowSelected(3));
  SelectListRow(-1);  // no row: never every row
  CHECK_FALSE(IsRowSelected(0));
  CHECK(IsRowSelected(1));
}

TEST_CASE_FIXTURE(WindowFixture, "field texts pass through byte for byte") {
  const std::string texts[] = {"", "0049 (0)711 / 123-45", "Gr\xF6\xDF" "e \x80 \xFF", std::string(300, 'x')};
  for (int id : {1, 3, 5})
    for (const std::string& text : texts) {
      CAPTURE(id);
      SetFieldText(id, text);
      CHECK(GetFieldText(id) == text);
    }
}

TEST_CASE_FIXTURE(WindowFixture, "EnableButton switches the button of a command id") {
  for (int id = 0; id <= 5; ++id) {
    CAPTURE(id);
    EnableButton(id, false);
    CHECK(SendMessageA(w.toolbar, TB_ISBUTTONENABLED, id, 0) == 0);
    EnableButton(id, true);
    CHECK(SendMessageA(w.toolbar, TB_ISBUTTONENABLED, id, 0) != 0);
  }
}

TEST_CASE_FIXTURE(WindowFixture, "SetStatusText centres the text in the one part") {
  SetStatusText("C:\\Daten\\Default.kw");
  char text[128] = {};
  SendMessageA(w.statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  CHECK(std::string(text) == "\tC:\\Daten\\Default.kw");
  CHECK(HIWORD(SendMessageA(w.statusBar, SB_GETTEXTLENGTHA, 0, 0)) == 0);  // sunken border
}
