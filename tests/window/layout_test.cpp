// The main window as built, read back through the controls' own messages.
#include <cstring>
#include "tests/window/window_fixture.h"
#include "directory/commands.h"
#include "directory/program_state.h"
#include "directory/window_ops.h"

namespace {
bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
std::string RectText(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}
LONG StyleOf(HWND window) { return GetWindowLongA(window, GWL_STYLE); }
LONG ExStyleOf(HWND window) { return GetWindowLongA(window, GWL_EXSTYLE); }
}  // namespace

TEST_CASE_FIXTURE(WindowFixture, "the window: fixed caption window, 402 x 474 client, centred") {
  char title[128] = {};
  GetWindowTextA(w.window, title, sizeof title);
  CHECK(std::string(title) == kWindowTitle);
  // The system adds WS_VISIBLE and WS_CLIPSIBLINGS to every shown top-level window.
  CHECK((StyleOf(w.window) & ~(WS_VISIBLE | WS_CLIPSIBLINGS)) == (WS_CAPTION | WS_SYSMENU));
  CHECK(GetMenu(w.window) == nullptr);
  CHECK(GetClassLongA(w.window, GCL_STYLE) == CS_DBLCLKS);
  CHECK(GetClassLongPtrA(w.window, GCLP_HICON) != 0);
  CHECK((ExStyleOf(w.window) & WS_EX_ACCEPTFILES) != 0);  // dropped files are opened

  RECT client;
  GetClientRect(w.window, &client);
  CHECK(client.right == 402);
  CHECK(client.bottom == 474);

  RECT outer;
  GetWindowRect(w.window, &outer);
  CHECK(outer.left == (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
  CHECK(outer.top == (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);
}

TEST_CASE_FIXTURE(WindowFixture, "the controls: ids, classes, styles and places") {
  struct Expected {
    int id;
    const char* className;
    RECT rect;
    LONG style;
  };
  const LONG field = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL;
  const Expected table[] = {
      {6, "SysListView32", {6, 50, 396, 442},
       WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS},
      {1, "Edit", {6, 30, 66, 50}, field | ES_READONLY},
      {3, "Edit", {66, 30, 178, 50}, field},  // two pixels into field 5
      {5, "Edit", {176, 30, 396, 50}, field},
  };
  for (const Expected& e : table) {
    CAPTURE(e.id);
    HWND control = GetDlgItem(w.window, e.id);
    REQUIRE(control != nullptr);
    CHECK(ClassOf(control) == e.className);
    CHECK(RectText(ClientRectOf(control)) == RectText(e.rect));
    CHECK((StyleOf(control) & 0xFFFF0000) == (e.style & 0xFFFF0000));
    CHECK((StyleOf(control) & e.style) == e.style);
    CHECK((ExStyleOf(control) & WS_EX_CLIENTEDGE) != 0);
    CHECK(reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)) ==
          GetStockObject(DEFAULT_GUI_FONT));
  }
  CHECK(GetWindowLongA(w.toolbar, GWL_ID) == -10000);
  CHECK(ClientRectOf(w.toolbar).top == 0);
  CHECK(ClientRectOf(w.statusBar).bottom == 474);
}

TEST_CASE_FIXTURE(WindowFixture, "the entry list: three columns, grid lines, full-row selection, no rows") {
  const LRESULT ex = SendMessageA(w.list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
  CHECK(ex == (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
  CHECK(SendMessageA(w.list, LVM_GETITEMCOUNT, 0, 0) == 0);
  struct Col {
    const char* title;
    int width;
  };
  const Col columns[] = {{"Index", 60}, {"Rufnummer", 110}, {"Name, Ort", 200}};
  for (int i = 0; i < 3; ++i) {
    CAPTURE(i);
    char text[64] = {};
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    REQUIRE(SendMessageA(w.list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)));
    CHECK(std::string(text) == columns[i].title);
    CHECK(column.cx == columns[i].width);
    CHECK((column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_LEFT);
    CHECK(column.iSubItem == i);
  }
  LVCOLUMNA none = {};
  none.mask = LVCF_WIDTH;
  CHECK(SendMessageA(w.list, LVM_GETCOLUMNA, 3, reinterpret_cast<LPARAM>(&none)) == 0);
}

namespace {
// The pixels of one image of an image list, drawn on white.
std::vector<COLORREF> ImagePixels(HIMAGELIST list, int index) {
  int cx = 0, cy = 0;
  ImageList_GetIconSize(list, &cx, &cy);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, cx, cy);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all = {0, 0, cx, cy};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ImageList_Draw(list, index, dc, 0, 0, ILD_NORMAL);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < cy; ++y)
    for (int x = 0; x < cx; ++x) pixels.push_back(GetPixel(dc, x, y));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// The pointer comes onto a button as the system tells the control under it:
// first which cursor to show, then the move itself.
void PointAt(HWND control, POINT at) {
  SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
}
void PointAtButton(HWND toolbar, int position) {
  RECT item;
  SendMessageW(toolbar, TB_GETITEMRECT, position, reinterpret_cast<LPARAM>(&item));
  PointAt(toolbar, {(item.left + item.right) / 2, (item.top + item.bottom) / 2});
}

// The standard images as a fresh toolbar of the same kind holds them.
struct ReferenceToolbar {
  HWND toolbar;
  HIMAGELIST ownImages = nullptr;
  ReferenceToolbar() {
    toolbar = CreateToolbarEx(TheMainWindow().window, WS_CHILD | TBSTYLE_FLAT, 1, 0, nullptr, 0,
                              nullptr, 0, 0, 0, 0, 0, sizeof(TBBUTTON));
    TBADDBITMAP standard = {HINST_COMMCTRL, 2};
    SendMessageA(toolbar, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&standard));
  }
  ~ReferenceToolbar() { DestroyWindow(toolbar); }
  HIMAGELIST Images() const {
    return reinterpret_cast<HIMAGELIST>(SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0));
  }
};
}  // namespace

TEST_CASE_FIXTURE(WindowFixture, "the toolbar: seven places with their ids, images and tooltips") {
  struct Place {
    int id;
    BYTE style;
    int standardImage;  // STD_ number, or -1 for an own image, -2 for none
    int ownImage;
    const char* tooltip;
  };
  const Place places[] = {
      {0, TBSTYLE_BUTTON, -1, 0, "Eintrag nach oben schieben (Pfeil oben)"},
      {1, TBSTYLE_BUTTON, -1, 1, "Eintrag nach unten schieben (Pfeil unten)"},
      {2, TBSTYLE_BUTTON, STD_DELETE, -1, "Eintrag leeren (Entf)"},
      {3, TBSTYLE_BUTTON, -1, 2, "Ge\xE4nderten Eintrag \xFC" "bernehmen (Enter)"},
      {-1, TBSTYLE_SEP, -2, -1, nullptr},
      {4, TBSTYLE_BUTTON, STD_PRINTPRE, -1, "Sortierte Liste an Editor \xFC" "bergeben (Strg p)"},
      {5, TBSTYLE_BUTTON, STD_FILESAVE, -1, "Speichern und Beenden (Strg s)"},
  };
  REQUIRE(SendMessageA(w.toolbar, TB_BUTTONCOUNT, 0, 0) == 7);
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(w.toolbar, TB_GETIMAGELIST, 0, 0));
  REQUIRE(images != nullptr);
  ReferenceToolbar reference;
  REQUIRE(reference.Images() != nullptr);

  PointAtButton(w.toolbar, 0);
  HWND tips = w.tooltip;
  REQUIRE(tips != nullptr);
  CHECK(ClassOf(tips) == "tooltips_class32");
  // Owned by the toolbar, which the system records as its top-level window.
  CHECK(GetWindow(tips, GW_OWNER) == GetAncestor(w.toolbar, GA_ROOT));
  CHECK(tips != reinterpret_cast<HWND>(SendMessageA(w.toolbar, TB_GETTOOLTIPS, 0, 0)));
  CHECK((StyleOf(tips) & (WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP)) == (WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP));
  CHECK((ExStyleOf(tips) & WS_EX_TOPMOST) != 0);
  CHECK(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0) == 6);

  for (int position = 0; position < 7; ++position) {
    const Place& p = places[position];
    CAPTURE(position);
    TBBUTTON button = {};
    REQUIRE(SendMessageA(w.toolbar, TB_GETBUTTON, position, reinterpret_cast<LPARAM>(&button)));
    CHECK(button.idCommand == p.id);
    CHECK(button.fsStyle == p.style);
    if (p.style == TBSTYLE_SEP) continue;
    CHECK(button.fsState == TBSTATE_ENABLED);
    if (p.standardImage >= 0) {
      CHECK(button.iBitmap == p.standardImage + 1);
      CHECK(ImagePixels(images, button.iBitmap) == ImagePixels(reference.Images(), p.standardImage));
    } else {
      // The own image at the button's index is the decoded icon itself.
      HIMAGELIST alone = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
      int cx = 0, cy = 0;
      ImageList_GetIconSize(images, &cx, &cy);
      ImageList_SetIconSize(alone, cx, cy);
      ImageList_ReplaceIcon(alone, -1, w.images[p.ownImage]);
      CHECK(ImagePixels(images, button.iBitmap) == ImagePixels(alone, 0));
      ImageList_Destroy(alone);
    }

    char text[128] = {};
    TTTOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = w.toolbar;
    tool.uId = position;
    tool.lpszText = text;
    SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    CHECK(std::string(text) == p.tooltip);
    TTTOOLINFOA found = {};
    found.cbSize = TTTOOLINFOA_V1_SIZE;
    found.hwnd = w.toolbar;
    found.uId = position;
    REQUIRE(SendMessageA(tips, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&found)));
    CHECK((found.uFlags & TTF_SUBCLASS) != 0);
    RECT item;
    SendMessageA(w.toolbar, TB_GETITEMRECT, position, reinterpret_cast<LPARAM>(&item));
    CHECK(SameRect(found.rect, item));
  }
}

TEST_CASE_FIXTURE(WindowFixture, "the buttons' tips are made once, when the pointer first comes onto the toolbar") {
  CHECK(w.tooltip == nullptr);
  CHECK(SendMessageW(w.toolbar, TB_GETTOOLTIPS, 0, 0) == 0);  // nor does the toolbar make its own
  PointAt(w.list, {20, 40});
  PointAt(w.nameField, {5, 5});
  Pump();
  CHECK(w.tooltip == nullptr);

  // At start-up most buttons are unavailable; the first one pointed at may be one.
  for (int id = kCmdMoveUp; id <= kCmdSave; ++id) EnableButton(id, false);
  PointAtButton(w.toolbar, 1);
  HWND tips = w.tooltip;
  REQUIRE(tips != nullptr);
  CHECK(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0) == 6);
  PointAtButton(w.toolbar, 5);
  PointAtButton(w.toolbar, 0);
  CHECK(w.tooltip == tips);
  CHECK(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0) == 6);
  // Hovering stays free of events: no loop turn runs a command for it.
  CHECK(Commands(Pump()).empty());
}

TEST_CASE_FIXTURE(WindowFixture, "the own images are 32 x 32 icons decoded from the resources") {
  for (HICON image : w.images) {
    REQUIRE(image != nullptr);
    ICONINFO info = {};
    REQUIRE(GetIconInfo(image, &info));
    BITMAP mask = {};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    CHECK(info.fIcon);
    CHECK(mask.bmWidth == 32);
    CHECK(mask.bmHeight == (info.hbmColor ? 32 : 64));
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
  }
  CHECK(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, 16, 16, 0) != nullptr);
}

TEST_CASE_FIXTURE(WindowFixture, "the status bar: one part to 386") {
  int edges[4] = {};
  CHECK(SendMessageA(w.statusBar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)) == 1);
  CHECK(edges[0] == 386);
}

TEST_CASE_FIXTURE(WindowFixture, "the keyboard shortcuts: the eight of the design in order, then the added ones") {
  const ACCEL expected[] = {
      {FVIRTKEY | FNOINVERT, VK_TAB, 1212},
      {FVIRTKEY | FNOINVERT | FSHIFT, VK_TAB, 1213},
      {FVIRTKEY | FNOINVERT, VK_UP, 1037},
      {FVIRTKEY | FNOINVERT, VK_DOWN, 1039},
      {FVIRTKEY | FNOINVERT, VK_RETURN, 1012},
      {FVIRTKEY | FNOINVERT, VK_DELETE, 1045},
      {FVIRTKEY | FNOINVERT | FCONTROL, 'P', 1079},
      {FVIRTKEY | FNOINVERT | FCONTROL, 'S', 1082},
      {FVIRTKEY | FNOINVERT | FCONTROL, 'Z', 1089},
      {FVIRTKEY | FNOINVERT | FCONTROL, 'O', 1078},
      {FVIRTKEY | FNOINVERT | FCONTROL, 'F', 1069},
      {FVIRTKEY | FNOINVERT, VK_F3, 1113},
      {FVIRTKEY | FNOINVERT, VK_F1, 1111},
  };
  constexpr int kCount = static_cast<int>(std::size(expected));
  REQUIRE(CopyAcceleratorTableA(w.accelerators, nullptr, 0) == kCount);
  ACCEL entries[kCount] = {};
  CopyAcceleratorTableA(w.accelerators, entries, kCount);
  for (int i = 0; i < kCount; ++i) {
    CAPTURE(i);
    CHECK((entries[i].fVirt & 0x7F) == expected[i].fVirt);
    CHECK(entries[i].key == expected[i].key);
    CHECK(entries[i].cmd == expected[i].cmd);
  }
}

TEST_CASE("the common controls of version 6 are loaded, from the side-by-side store") {
  WindowFixture fixture;
  char path[MAX_PATH] = {};
  GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), path, sizeof path);
  std::string lower(path);
  for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  CAPTURE(lower);
  CHECK(lower.find("winsxs") != std::string::npos);
}
