#include "window/main_window.h"

#include <commctrl.h>
#include "directory/program_state.h"
#include "system/wide_text.h"
#include "window/display_scale.h"
#include "window/find_dialog.h"
#include "window/layout.h"
#include "window/startup_trace.h"

MainWindow& TheMainWindow() {
  static MainWindow mainWindow;
  return mainWindow;
}

HWND ControlWindow(int id) {
  const MainWindow& w = TheMainWindow();
  switch (id) {
    case kIndexField: return w.indexField;
    case kNumberField: return w.numberField;
    case kNameField: return w.nameField;
    case kEntryList: return w.list;
    case kToolbarId: return w.toolbar;
    default: return nullptr;
  }
}

namespace {

// IDC_ARROW and IDI_APPLICATION in their wide form.
const LPCWSTR kArrowCursor = MAKEINTRESOURCEW(32512);
const LPCWSTR kApplicationIcon = MAKEINTRESOURCEW(32512);

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

ATOM RegisterMainClass(WNDPROC procedure) {
  WNDCLASSW windowClass = {};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = Instance();
  windowClass.hIcon = LoadIconW(Instance(), MAKEINTRESOURCEW(IDI_APPLICATION_ICON));
  windowClass.hCursor = LoadCursorW(nullptr, kArrowCursor);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = layout::kClassName;
  return RegisterClassW(&windowClass);
}

// The outer rectangle, centred on the screen, of a client area of the
// design's size at dpi.
RECT CentredRect(int dpi) {
  RECT client = {0, 0, Scaled(layout::kClientWidth, dpi), Scaled(layout::kClientHeight, dpi)};
  RECT outer = OuterRect(client, layout::kWindowStyle, dpi);
  int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  int width = outer.right - outer.left;
  int height = outer.bottom - outer.top;
  if (width > screenWidth) width = screenWidth;
  if (height > screenHeight) height = screenHeight;
  int left = (screenWidth - width) / 2;
  int top = (screenHeight - height) / 2;
  return {left, top, left + width, top + height};
}

// Made at the system's scale; a window that lands on a monitor of another
// scale takes that one's size at once.
HWND CreateCentredWindow(int& dpi) {
  dpi = SystemDpi();
  RECT r = CentredRect(dpi);
  HWND window = CreateWindowExW(layout::kWindowExStyle, layout::kClassName, Widen(kWindowTitle).c_str(),
                                layout::kWindowStyle, r.left, r.top, r.right - r.left,
                                r.bottom - r.top, nullptr, nullptr, Instance(), nullptr);
  if (!window) return nullptr;
  int actual = WindowDpi(window);
  if (actual != dpi) {
    dpi = actual;
    r = CentredRect(dpi);
    SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return window;
}

void CreateStatusBar(MainWindow& w) {
  w.statusBar = CreateStatusWindowW(WS_CHILD | WS_VISIBLE, L"", w.window, layout::kStatusBarId);
  if (!w.statusBar) return;
  int partRight = layout::kStatusPartRight;
  SendMessageW(w.statusBar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&partRight));
}

// An image of .ico data: the one drawn at width pixels, or the first one
// (32 x 32) for kFirstImage; its size comes from its own header.
constexpr int kFirstImage = 0;
HICON DecodeIcon(WORD resourceId, int width = kFirstImage) {
  HRSRC found = FindResourceW(Instance(), MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10));
  if (!found) return nullptr;
  const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(Instance(), found)));
  DWORD size = SizeofResource(Instance(), found);
  if (!data || size < 6 + 16) return nullptr;
  WORD count = 0;
  CopyMemory(&count, data + 4, 2);
  if (size < 6 + 16u * count) return nullptr;
  int entry = 0;
  if (width != kFirstImage) {
    // The directory's width byte holds 0 for 256.
    while (entry < count && data[6 + 16 * entry] != (width & 0xFF)) ++entry;
    if (entry == count) return nullptr;
  }
  DWORD bytes, offset;
  CopyMemory(&bytes, data + 6 + 16 * entry + 8, 4);
  CopyMemory(&offset, data + 6 + 16 * entry + 12, 4);
  if (offset > size || bytes > size - offset || bytes < sizeof(BITMAPINFOHEADER)) return nullptr;
  BITMAPINFOHEADER header;
  CopyMemory(&header, data + offset, sizeof header);
  return CreateIconFromResourceEx(const_cast<BYTE*>(data + offset), bytes, TRUE, 0x30000,
                                  header.biWidth, header.biHeight / 2, LR_DEFAULTCOLOR);
}

HIMAGELIST ToolbarImages(HWND toolbar) {
  return reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
}

void AddTooltip(const MainWindow& w, int commandId, const char* text) {
  if (!w.tooltip) return;
  LRESULT position = SendMessageW(w.toolbar, TB_COMMANDTOINDEX, commandId, 0);
  if (position == -1) return;
  std::wstring wide = Widen(text);
  TTTOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V1_SIZE;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = w.toolbar;
  tool.uId = position;
  SendMessageW(w.toolbar, TB_GETITEMRECT, position, reinterpret_cast<LPARAM>(&tool.rect));
  tool.lpszText = wide.data();
  SendMessageW(w.tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(w.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void AddButtonTips(const MainWindow& w) {
  for (const layout::ToolbarButton& button : layout::kToolbarButtons)
    if (button.tooltip) AddTooltip(w, button.commandId, button.tooltip);
}

// A button's picture is the index of its image in the toolbar's list; own
// icons are appended to that list as their buttons come.
TBBUTTON ButtonOf(MainWindow& w, HIMAGELIST images, const layout::ToolbarButton& button) {
  TBBUTTON added = {};
  added.idCommand = button.commandId;
  added.fsState = TBSTATE_ENABLED;
  switch (button.source) {
    case layout::ImageSource::OwnIcon:
      added.iBitmap = images ? ImageList_ReplaceIcon(images, -1, w.images[button.image]) : -1;
      w.imageIndexes[button.image] = added.iBitmap;
      added.fsStyle = TBSTYLE_BUTTON;
      break;
    case layout::ImageSource::Standard:
      added.iBitmap = button.image + layout::kStandardImageOffset;
      added.fsStyle = TBSTYLE_BUTTON;
      break;
    case layout::ImageSource::None:
      added.fsStyle = TBSTYLE_SEP;
      break;
  }
  return added;
}

void CreateToolbar(MainWindow& w) {
  w.toolbar = CreateToolbarEx(w.window, layout::kToolbarStyle, static_cast<UINT>(kToolbarId), 0,
                              nullptr, 0, nullptr, 0, 0, 0, 0, 0, sizeof(TBBUTTON));
  TraceStep("toolbar");
  if (!w.toolbar) return;

  // One image list, set once: the toolbar lays out its buttons again each
  // time a list is set, and each time buttons are added.
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 16, 8);
  // A placeholder first keeps STD_n at n + 1.
  if (images) ImageList_ReplaceIcon(images, -1, LoadIconW(nullptr, kApplicationIcon));
  SendMessageW(w.toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  TBADDBITMAP standard = {HINST_COMMCTRL, layout::kStandardSmallSet};
  SendMessageW(w.toolbar, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&standard));
  TraceStep("standard_images");
  TBBUTTON buttons[std::size(layout::kToolbarButtons)];
  for (size_t i = 0; i < std::size(buttons); ++i)
    buttons[i] = ButtonOf(w, images, layout::kToolbarButtons[i]);
  SendMessageW(w.toolbar, TB_ADDBUTTONSW, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
  TraceStep("buttons");
}

void CreateList(MainWindow& w, HFONT font) {
  const RECT& r = layout::kListRect;
  w.list = CreateWindowExW(layout::kListExStyle, WC_LISTVIEWW, nullptr, layout::kListStyle, r.left,
                           r.top, r.right - r.left, r.bottom - r.top, w.window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEntryList)), Instance(),
                           nullptr);
  if (!w.list) return;
  SendMessageW(w.list, LVM_SETEXTENDEDLISTVIEWSTYLE, layout::kListExtendedStyle,
               layout::kListExtendedStyle);
  SendMessageW(w.list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  int position = 0;
  for (const layout::Column& c : layout::kColumns) {
    std::wstring title = Widen(c.title);
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = c.width;
    column.pszText = title.data();
    column.iSubItem = position;
    SendMessageW(w.list, LVM_INSERTCOLUMNW, position, reinterpret_cast<LPARAM>(&column));
    ++position;
  }
}

// Numbers and names end up in a Windows-1252 file whose fields are
// separated by ';': neither a ';' nor a character the file cannot hold
// gets in. Control characters (Backspace, Ctrl+V) pass on.
bool RefusedCharacter(WPARAM unit) {
  if (unit == ';') return true;
  return unit >= 0x20 && !FitsWindows1252(static_cast<wchar_t>(unit));
}

LRESULT CALLBACK RefuseCharacters(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR, DWORD_PTR) {
  if (message == WM_CHAR && RefusedCharacter(wParam)) {
    MessageBeep(MB_OK);
    return 0;
  }
  return DefSubclassProc(field, message, wParam, lParam);
}

HWND CreateField(const MainWindow& w, const layout::Field& f, HFONT font) {
  HWND field = CreateWindowExW(layout::kFieldExStyle, L"Edit", L"", layout::kFieldStyle | f.extraStyle,
                               f.x, f.y, f.width, f.height, w.window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(f.id)), Instance(),
                               nullptr);
  if (!field) return nullptr;
  SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (f.id != kIndexField) SetWindowSubclass(field, RefuseCharacters, 0, 0);
  return field;
}

void CreateFields(MainWindow& w, HFONT font) {
  for (const layout::Field& f : layout::kFields) {
    HWND field = CreateField(w, f, font);
    if (f.id == kIndexField) w.indexField = field;
    if (f.id == kNumberField) w.numberField = field;
    if (f.id == kNameField) w.nameField = field;
  }
}

// A picture of source, centred on a transparent square of size pixels.
constexpr COLORREF kTransparentKey = RGB(255, 0, 255);
void AddCentred(HIMAGELIST target, HIMAGELIST source, int index, int size) {
  int cx = 0, cy = 0;
  ImageList_GetIconSize(source, &cx, &cy);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP picture = CreateCompatibleBitmap(screen, size, size);
  HGDIOBJ old = SelectObject(dc, picture);
  HBRUSH key = CreateSolidBrush(kTransparentKey);
  RECT all = {0, 0, size, size};
  FillRect(dc, &all, key);
  DeleteObject(key);
  ImageList_Draw(source, index, dc, (size - cx) / 2, (size - cy) / 2, ILD_NORMAL);
  SelectObject(dc, old);
  ImageList_AddMasked(target, picture, kTransparentKey);
  DeleteObject(picture);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

// The platform's standard pictures of one set, as a toolbar loads them.
HIMAGELIST StandardImages(HWND parent, int set, int size) {
  HWND loader = CreateToolbarEx(parent, WS_CHILD, 0, 0, nullptr, 0, nullptr, 0, 0, 0, size, size,
                                sizeof(TBBUTTON));
  if (!loader) return nullptr;
  TBADDBITMAP standard = {HINST_COMMCTRL, static_cast<UINT_PTR>(set)};
  SendMessageW(loader, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&standard));
  HIMAGELIST copy = ImageList_Duplicate(ToolbarImages(loader));
  DestroyWindow(loader);
  return copy;
}

int OwnImageAt(const MainWindow& w, int index) {
  for (int i = 0; i < layout::kOwnIconCount; ++i)
    if (w.imageIndexes[i] == index) return i;
  return -1;
}

// The toolbar's pictures for a scale other than the design's, at the same
// indexes: the own ones drawn at that size, the standard ones of the
// nearest set centred; none is stretched.
HIMAGELIST ImagesForDpi(const MainWindow& w, int dpi) {
  const int size = Scaled(layout::kToolbarImageSize, dpi);
  const bool large = size >= layout::kLargeStandardSize;
  HIMAGELIST standard = StandardImages(w.window, large ? layout::kStandardLargeSet : layout::kStandardSmallSet,
                                       large ? layout::kLargeStandardSize : layout::kToolbarImageSize);
  const int standardCount = standard ? ImageList_GetImageCount(standard) : 0;
  const int count = ImageList_GetImageCount(w.designImages);
  HIMAGELIST scaled = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, count, 4);
  for (int i = 0; i < count; ++i) {
    const int own = OwnImageAt(w, i);
    const int standardIndex = i - layout::kStandardImageOffset;
    HICON drawn = own >= 0 ? DecodeIcon(layout::kOwnIconResources[own], size) : nullptr;
    if (drawn) {
      ImageList_ReplaceIcon(scaled, -1, drawn);
      DestroyIcon(drawn);
    } else if (own < 0 && standardIndex >= 0 && standardIndex < standardCount) {
      AddCentred(scaled, standard, standardIndex, size);
    } else {
      AddCentred(scaled, w.designImages, i, size);  // the placeholder, or a size not drawn
    }
  }
  if (standard) ImageList_Destroy(standard);
  return scaled;
}

// The system's dialog font, at dpi; the stock object itself at the
// system's own scale.
HFONT FontForDpi(int dpi) {
  HFONT stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const int systemDpi = SystemDpi();
  if (dpi == systemDpi) return stock;
  LOGFONTW font = {};
  if (!GetObjectW(stock, sizeof font, &font)) return stock;
  font.lfHeight = MulDiv(font.lfHeight, dpi, systemDpi);
  HFONT scaled = CreateFontIndirectW(&font);
  return scaled ? scaled : stock;
}

void PlaceControl(HWND control, int x, int y, int width, int height, int dpi) {
  if (!control) return;
  SetWindowPos(control, nullptr, Scaled(x, dpi), Scaled(y, dpi), Scaled(width, dpi),
               Scaled(height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

void ScaleFonts(MainWindow& w) {
  HFONT font = FontForDpi(w.dpi);
  for (HWND control : {w.list, w.indexField, w.numberField, w.nameField})
    if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  if (w.scaledFont) DeleteObject(w.scaledFont);
  w.scaledFont = font == GetStockObject(DEFAULT_GUI_FONT) ? nullptr : font;
}

void ScaleControls(const MainWindow& w) {
  const RECT& r = layout::kListRect;
  PlaceControl(w.list, r.left, r.top, r.right - r.left, r.bottom - r.top, w.dpi);
  for (const layout::Field& f : layout::kFields)
    PlaceControl(ControlWindow(f.id), f.x, f.y, f.width, f.height, w.dpi);
  int column = 0;
  for (const layout::Column& c : layout::kColumns)
    SendMessageW(w.list, LVM_SETCOLUMNWIDTH, column++, Scaled(c.width, w.dpi));
  if (w.statusBar) {
    int partRight = Scaled(layout::kStatusPartRight, w.dpi);
    SendMessageW(w.statusBar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&partRight));
    SendMessageW(w.statusBar, WM_SIZE, 0, 0);  // follows the window's new width
  }
}

void ScaleToolbar(MainWindow& w) {
  if (!w.toolbar) return;
  HIMAGELIST current = ToolbarImages(w.toolbar);
  if (!w.designImages) w.designImages = current;
  HIMAGELIST wanted = w.dpi == kDesignDpi ? w.designImages : ImagesForDpi(w, w.dpi);
  SendMessageW(w.toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(wanted));
  if (current && current != w.designImages) ImageList_Destroy(current);
  SendMessageW(w.toolbar, TB_AUTOSIZE, 0, 0);
  AddButtonTips(w);  // the tips, where there are any, cover the buttons' new places
}

void ScaleWindowIcon(MainWindow& w) {
  const int size = Scaled(layout::kSmallIconSize, w.dpi);
  HICON icon = static_cast<HICON>(
      LoadImageW(Instance(), MAKEINTRESOURCEW(IDI_APPLICATION_ICON), IMAGE_ICON, size, size, 0));
  if (!icon) return;
  SendMessageW(w.window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  if (w.smallIcon) DestroyIcon(w.smallIcon);
  w.smallIcon = icon;
}

// Everything the layout table sizes, at the window's scale.
void ApplyDpi(MainWindow& w) {
  ScaleFonts(w);
  ScaleControls(w);
  ScaleToolbar(w);
  ScaleWindowIcon(w);
}

bool IsTabStop(HWND child) {
  return IsWindowEnabled(child) && IsWindowVisible(child) &&
         (GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP);
}

}  // namespace

void BuildMainWindow(WNDPROC procedure) {
  MainWindow& w = TheMainWindow();
  w.windowClass = RegisterMainClass(procedure);
  TraceStep("window_class");
  w.window = CreateCentredWindow(w.dpi);
  TraceStep("window");
  if (!w.window) return;
  CreateStatusBar(w);
  TraceStep("status_bar");
  for (int i = 0; i < layout::kOwnIconCount; ++i) w.images[i] = DecodeIcon(layout::kOwnIconResources[i]);
  TraceStep("decode_icons");
  CreateToolbar(w);
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  CreateList(w, font);
  TraceStep("list_and_columns");
  CreateFields(w, font);
  TraceStep("fields");
  // Built as the 96-DPI design, so that this scale keeps every pixel of it.
  // There the caption shows the class's small icon, which the system takes
  // from the resource's 16-pixel drawing: nothing to load or set again.
  if (w.dpi != kDesignDpi) ApplyDpi(w);
  w.accelerators = CreateAcceleratorTableW(const_cast<ACCEL*>(layout::kAccelerators),
                                           static_cast<int>(std::size(layout::kAccelerators)));
  TraceStep("accelerators");
}

void ShowMainWindow() {
  HWND window = TheMainWindow().window;
  if (!window) return;
  ShowWindow(window, SW_SHOWNORMAL);
  TraceStep("show_window");
}

void RescaleMainWindow(int dpi, const RECT& suggested) {
  MainWindow& w = TheMainWindow();
  if (!w.window || dpi <= 0) return;
  w.dpi = dpi;
  SetWindowPos(w.window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyDpi(w);
}

void EnsureButtonTips() {
  MainWindow& w = TheMainWindow();
  if (w.tooltip || !w.toolbar) return;
  w.tooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, layout::kTooltipStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, w.toolbar, nullptr,
                              Instance(), nullptr);
  if (!w.tooltip) return;
  SetWindowPos(w.tooltip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  AddButtonTips(w);
}

void DestroyMainWindow() {
  MainWindow& w = TheMainWindow();
  // A toolbar does not destroy an image list that was set on it.
  HIMAGELIST images = w.toolbar ? ToolbarImages(w.toolbar) : nullptr;
  CloseFindDialog();
  if (w.window) DestroyWindow(w.window);
  if (images) ImageList_Destroy(images);
  if (w.designImages && w.designImages != images) ImageList_Destroy(w.designImages);
  if (w.scaledFont) DeleteObject(w.scaledFont);
  if (w.smallIcon) DestroyIcon(w.smallIcon);
  if (w.accelerators) DestroyAcceleratorTable(w.accelerators);
  for (HICON image : w.images)
    if (image) DestroyIcon(image);
  if (w.windowClass) UnregisterClassW(layout::kClassName, GetModuleHandleW(nullptr));
  w = MainWindow{};
}

void MoveFocus(FocusStep step) {
  HWND window = TheMainWindow().window;
  HWND focus = GetFocus();
  if (focus && GetParent(focus) != window) focus = nullptr;
  UINT onward = step == FocusStep::Next ? GW_HWNDNEXT : GW_HWNDPREV;
  UINT wrapTo = step == FocusStep::Next ? GW_HWNDFIRST : GW_HWNDLAST;
  HWND first = GetWindow(GetWindow(window, GW_CHILD), wrapTo);
  HWND candidate = focus ? GetWindow(focus, onward) : first;
  // Each child is visited at most once, so a window without tab stops ends too.
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!candidate) candidate = first;
    if (IsTabStop(candidate)) {
      SetFocus(candidate);
      return;
    }
    candidate = GetWindow(candidate, onward);
  }
}

void SetListDrawing(ListDrawing drawing) {
  const MainWindow& w = TheMainWindow();
  // The status bar paints at once when its text is set, and then again in
  // the window's first paint: held too, it paints only there.
  for (HWND control : {w.list, w.statusBar}) {
    if (!control) continue;
    SendMessageW(control, WM_SETREDRAW, drawing == ListDrawing::Resumed, 0);
    if (drawing == ListDrawing::Resumed) InvalidateRect(control, nullptr, TRUE);
  }
}
