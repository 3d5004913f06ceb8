#include "window/main_window.h"

#include <commctrl.h>
#include "directory/program_state.h"
#include "system/wide_text.h"
#include "window/layout.h"

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

HWND CreateCentredWindow() {
  RECT outer = {0, 0, layout::kClientWidth, layout::kClientHeight};
  AdjustWindowRect(&outer, layout::kWindowStyle, FALSE);
  int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  int width = outer.right - outer.left;
  int height = outer.bottom - outer.top;
  if (width > screenWidth) width = screenWidth;
  if (height > screenHeight) height = screenHeight;
  return CreateWindowExW(0, layout::kClassName, Widen(kWindowTitle).c_str(), layout::kWindowStyle,
                         (screenWidth - width) / 2, (screenHeight - height) / 2, width, height,
                         nullptr, nullptr, Instance(), nullptr);
}

void CreateStatusBar(MainWindow& w) {
  w.statusBar = CreateStatusWindowW(WS_CHILD | WS_VISIBLE, L"", w.window, layout::kStatusBarId);
  if (!w.statusBar) return;
  int partRight = layout::kStatusPartRight;
  SendMessageW(w.statusBar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&partRight));
}

// The first image of .ico data, 32 x 32; its size comes from its own header.
HICON DecodeIcon(WORD resourceId) {
  HRSRC found = FindResourceW(Instance(), MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10));
  if (!found) return nullptr;
  const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(Instance(), found)));
  DWORD size = SizeofResource(Instance(), found);
  if (!data || size < 6 + 16) return nullptr;
  DWORD bytes, offset;
  CopyMemory(&bytes, data + 6 + 8, 4);
  CopyMemory(&offset, data + 6 + 12, 4);
  if (offset > size || bytes > size - offset || bytes < sizeof(BITMAPINFOHEADER)) return nullptr;
  BITMAPINFOHEADER header;
  CopyMemory(&header, data + offset, sizeof header);
  return CreateIconFromResourceEx(const_cast<BYTE*>(data + offset), bytes, TRUE, 0x30000,
                                  header.biWidth, header.biHeight / 2, LR_DEFAULTCOLOR);
}

HIMAGELIST ToolbarImages(HWND toolbar) {
  return reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
}

// Appends an icon to the toolbar's image list; its index, or -1.
int AppendImage(HWND toolbar, HICON icon) {
  HIMAGELIST images = ToolbarImages(toolbar);
  if (!images) {
    // A toolbar made without bitmaps has no list yet: make one at its image size.
    images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 16, 8);
  }
  int index = ImageList_ReplaceIcon(images, -1, icon);
  SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  return index;
}

void AddTooltip(const MainWindow& w, int commandId, const char* text) {
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

void AddButton(const MainWindow& w, const layout::ToolbarButton& button) {
  TBBUTTON added = {};
  added.idCommand = button.commandId;
  added.fsState = TBSTATE_ENABLED;
  switch (button.source) {
    case layout::ImageSource::OwnIcon:
      added.iBitmap = AppendImage(w.toolbar, w.images[button.image]);
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
  SendMessageW(w.toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&added));
  if (button.tooltip) AddTooltip(w, button.commandId, button.tooltip);
}

void CreateToolbar(MainWindow& w) {
  w.toolbar = CreateToolbarEx(w.window, layout::kToolbarStyle, static_cast<UINT>(kToolbarId), 0,
                              nullptr, 0, nullptr, 0, 0, 0, 0, 0, sizeof(TBBUTTON));
  if (!w.toolbar) return;
  w.tooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, layout::kTooltipStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, w.toolbar, nullptr,
                              Instance(), nullptr);
  SetWindowPos(w.tooltip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);

  AppendImage(w.toolbar, LoadIconW(nullptr, kApplicationIcon));  // keeps STD_n at n + 1
  TBADDBITMAP standard = {HINST_COMMCTRL, 2};
  SendMessageW(w.toolbar, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&standard));
  for (const layout::ToolbarButton& button : layout::kToolbarButtons) AddButton(w, button);
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

bool IsTabStop(HWND child) {
  return IsWindowEnabled(child) && IsWindowVisible(child) &&
         (GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP);
}

}  // namespace

void BuildMainWindow(WNDPROC procedure) {
  MainWindow& w = TheMainWindow();
  w.windowClass = RegisterMainClass(procedure);
  w.window = CreateCentredWindow();
  if (!w.window) return;
  ShowWindow(w.window, SW_SHOWNORMAL);
  CreateStatusBar(w);
  for (int i = 0; i < layout::kOwnIconCount; ++i) w.images[i] = DecodeIcon(layout::kOwnIconResources[i]);
  CreateToolbar(w);
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  CreateList(w, font);
  CreateFields(w, font);
  w.accelerators = CreateAcceleratorTableW(const_cast<ACCEL*>(layout::kAccelerators),
                                           static_cast<int>(std::size(layout::kAccelerators)));
}

void DestroyMainWindow() {
  MainWindow& w = TheMainWindow();
  // A toolbar does not destroy an image list that was set on it.
  HIMAGELIST images = w.toolbar ? ToolbarImages(w.toolbar) : nullptr;
  if (w.window) DestroyWindow(w.window);
  if (images) ImageList_Destroy(images);
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
  HWND list = TheMainWindow().list;
  if (!list) return;
  SendMessageW(list, WM_SETREDRAW, drawing == ListDrawing::Resumed, 0);
  if (drawing == ListDrawing::Resumed) InvalidateRect(list, nullptr, TRUE);
}
