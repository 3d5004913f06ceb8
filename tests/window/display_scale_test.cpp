// The window at the display scale of its monitor: every number of the
// 96-DPI design scaled, fonts for that scale, cells that show as much of
// their text as at 96 DPI. ctest runs these cases again in a prefix set to
// 120, 144 and 192 DPI; RUFDEPOT_DPI names the scale a run expects.
#include "tests/window/window_fixture.h"

#include <cstdlib>
#include <string>
#include "directory/window_ops.h"

namespace {
int ExpectedDpi() {
  const char* wanted = std::getenv("RUFDEPOT_DPI");
  return wanted ? std::atoi(wanted) : 96;
}

int S(int value, int dpi) { return MulDiv(value, dpi, 96); }

// Windows 10's call, looked up as the program does.
int DpiOf(HWND window) {
  using Function = UINT(WINAPI*)(HWND);
  auto found = reinterpret_cast<Function>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  REQUIRE(bool(found));
  return static_cast<int>(found(window));
}

std::string RectText(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

struct Design {
  int id;
  int x, y, width, height;
};
constexpr Design kControls[] = {
    {6, 6, 50, 390, 392},  // the list
    {1, 6, 30, 60, 20},
    {3, 66, 30, 112, 20},
    {5, 176, 30, 220, 20},
};
constexpr int kColumnWidths[] = {60, 110, 200};

// Everything the layout table sizes, checked at dpi.
void CheckLayoutAt(const MainWindow& w, int dpi) {
  CAPTURE(dpi);
  RECT client;
  GetClientRect(w.window, &client);
  CHECK(client.right == S(402, dpi));
  CHECK(client.bottom == S(474, dpi));
  for (const Design& d : kControls) {
    CAPTURE(d.id);
    RECT expected = {S(d.x, dpi), S(d.y, dpi), S(d.x, dpi) + S(d.width, dpi), S(d.y, dpi) + S(d.height, dpi)};
    CHECK(RectText(ClientRectOf(GetDlgItem(w.window, d.id))) == RectText(expected));
  }
  for (int column = 0; column < 3; ++column) {
    CAPTURE(column);
    CHECK(SendMessageW(w.list, LVM_GETCOLUMNWIDTH, column, 0) == S(kColumnWidths[column], dpi));
  }
  int edges[2] = {};
  CHECK(SendMessageW(w.statusBar, SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges)) == 1);
  CHECK(edges[0] == S(386, dpi));
  CHECK(ClientRectOf(w.statusBar).bottom == client.bottom);
  CHECK(ClientRectOf(w.statusBar).right == client.right);
  // The toolbar stays above the fields.
  CHECK(ClientRectOf(w.toolbar).bottom <= S(30, dpi));

  int cx = 0, cy = 0;
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(w.toolbar, TB_GETIMAGELIST, 0, 0));
  REQUIRE(images != nullptr);
  ImageList_GetIconSize(images, &cx, &cy);
  CHECK(cx == S(16, dpi));
  CHECK(cy == S(16, dpi));
  CHECK(ImageList_GetImageCount(images) >= 19);
}

// How many characters of text fit into width pixels of a list cell, with
// the font the cell is drawn with.
int FittingCharacters(HFONT font, const std::wstring& text, int width) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  int fit = 0;
  SIZE size;
  GetTextExtentExPointW(dc, text.c_str(), static_cast<int>(text.size()), width, &fit, nullptr, &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return fit;
}

// The system's dialog font as it is at 96 DPI.
HFONT DesignFont() {
  LOGFONTW font = {};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  HDC screen = GetDC(nullptr);
  const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  font.lfHeight = MulDiv(font.lfHeight, 96, systemDpi);
  return CreateFontIndirectW(&font);
}
}  // namespace

TEST_CASE_FIXTURE(WindowFixture, "display scale: the window has the scale the run was started for") {
  // Without this a run at 144 DPI could pass on a prefix left at 96.
  CHECK(DpiOf(w.window) == ExpectedDpi());
}

TEST_CASE_FIXTURE(WindowFixture, "display scale: window, list, fields, columns, status part and toolbar pictures scaled") {
  CheckLayoutAt(w, ExpectedDpi());
  // The window's own small icon where it has one, else the class's, which
  // the system took from the resource at its own scale.
  HICON small = reinterpret_cast<HICON>(SendMessageW(w.window, WM_GETICON, ICON_SMALL, 0));
  CHECK((small == nullptr) == (ExpectedDpi() == 96));
  if (!small) small = reinterpret_cast<HICON>(GetClassLongPtrW(w.window, GCLP_HICONSM));
  REQUIRE(small != nullptr);
  ICONINFO info = {};
  REQUIRE(GetIconInfo(small, &info));
  BITMAP mask = {};
  GetObjectW(info.hbmMask, sizeof mask, &mask);
  CHECK(mask.bmWidth == S(16, ExpectedDpi()));
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
}

TEST_CASE_FIXTURE(WindowFixture, "display scale: each cell shows as many characters as at 96 DPI") {
  const int dpi = ExpectedDpi();
  const std::wstring texts[] = {L"1100", L"04083 1573 99999 12", L"\u00D6zdemir Praxis, S\u00FCd \u2013 \u00E4rztlicher Notdienst K\u00F6ln"};
  HFONT listFont = reinterpret_cast<HFONT>(SendMessageW(w.list, WM_GETFONT, 0, 0));
  REQUIRE(listFont != nullptr);
  HFONT design = DesignFont();
  for (int column = 0; column < 3; ++column) {
    CAPTURE(column);
    const int margin = 12;  // the cell's padding, left and right
    int atDesign = FittingCharacters(design, texts[column], kColumnWidths[column] - margin);
    int atScale = FittingCharacters(listFont, texts[column],
                                    static_cast<int>(SendMessageW(w.list, LVM_GETCOLUMNWIDTH, column, 0)) - S(margin, dpi));
    // Nothing is cut; at 200 % the font's rounding may leave room for one more.
    CHECK(atScale >= atDesign);
    CHECK(atScale <= atDesign + 1);
  }
  for (int id : {kNumberField, kNameField}) {
    CAPTURE(id);
    HFONT fieldFont = reinterpret_cast<HFONT>(SendMessageW(ControlWindow(id), WM_GETFONT, 0, 0));
    CHECK(fieldFont == listFont);
  }
  DeleteObject(design);
}

TEST_CASE_FIXTURE(WindowFixture, "display scale: moved to a monitor of another scale, the window takes the suggested rectangle and scales again") {
  const int start = ExpectedDpi();
  const int other = start == 144 ? 96 : 144;
  for (int dpi : {other, start}) {
    RECT suggested = {30, 40, 30 + S(402, dpi) + 10, 40 + S(474, dpi) + 30};
    RECT client = {0, 0, S(402, dpi), S(474, dpi)};
    AdjustWindowRect(&client, WS_CAPTION | WS_SYSMENU, FALSE);
    suggested.right = suggested.left + client.right - client.left;
    suggested.bottom = suggested.top + client.bottom - client.top;
    SendMessageW(w.window, 0x02E0, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    Pump();
    RECT outer;
    GetWindowRect(w.window, &outer);
    CHECK(RectText(outer) == RectText(suggested));
    CheckLayoutAt(w, dpi);
  }
}
