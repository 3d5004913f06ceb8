#include "window/main_window.h"

#include <commctrl.h>
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

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

ATOM RegisterMainClass(WNDPROC procedure) {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = Instance();
  windowClass.hIcon = LoadIconA(Instance(), MAKEINTRESOURCEA(IDI_APPLICATION_ICON));
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = layout::kClassName;
  return RegisterClassA(&windowClass);
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
  return CreateWindowExA(0, layout::kClassName, kWindowTitle, layout::kWindowStyle,
                         (screenWidth - width) / 2, (screenHeight - height) / 2, width, height,
                         nullptr, nullptr, Instance(), nullptr);
}

void CreateStatusBar(MainWindow& w) {
  w.statusBar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "", w.window, layout::kStatusBarId);
  if (!w.statusBar) return;
  int partRight = layout::kStatusPartRight;
  SendMessageA(w.statusBar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&partRight));
}

// The first image of .ico data, 32 x 32; its size comes from its own header.
HICON DecodeIcon(WORD resourceId) {
  HRSRC found = FindResourceA(Instance(), MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(10));
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
  return reinterpret_cast<HIMAGELIST>(SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0));
}

void AddTooltip(const MainWindow& w, int commandId, const char* text) {
  LRESULT position = SendMessageA(w.toolbar, TB_COMMANDTOINDEX, commandId, 0);
  if (position == -1) return;
  TTTOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = w.toolbar;
  tool.uId = position;
  SendMessageA(w.toolbar, TB_GETITEMRECT, position, reinterpret_cast<LPARAM>(&tool.rect));
  tool.lpszText = const_cast<char*>(text);
  SendMessageA(w.tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageA(w.tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

// A button's picture is the index of its image in the toolbar's list; own
// icons are appended to that list as their buttons come.
TBBUTTON ButtonOf(const MainWindow& w, HIMAGELIST images, const layout::ToolbarButton& button) {
  TBBUTTON added = {};
  added.idCommand = button.commandId;
  added.fsState = TBSTATE_ENABLED;
  switch (button.source) {
    case layout::ImageSource::OwnIcon:
      added.iBitmap = images ? ImageList_ReplaceIcon(images, -1, w.images[button.image]) : -1;
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
  w.tooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, layout::kTooltipStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, w.toolbar, nullptr,
                              Instance(), nullptr);
  SetWindowPos(w.tooltip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  TraceStep("tooltip_window");

  // One image list, set once: the toolbar lays out its buttons again each
  // time a list is set, and each time buttons are added.
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 16, 8);
  // A placeholder first keeps STD_n at n + 1.
  if (images) ImageList_ReplaceIcon(images, -1, LoadIconA(nullptr, IDI_APPLICATION));
  SendMessageA(w.toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  TBADDBITMAP standard = {HINST_COMMCTRL, 2};
  SendMessageA(w.toolbar, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&standard));
  TraceStep("standard_images");
  TBBUTTON buttons[std::size(layout::kToolbarButtons)];
  for (size_t i = 0; i < std::size(buttons); ++i)
    buttons[i] = ButtonOf(w, images, layout::kToolbarButtons[i]);
  SendMessageA(w.toolbar, TB_ADDBUTTONSA, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
  for (const layout::ToolbarButton& button : layout::kToolbarButtons)
    if (button.tooltip) AddTooltip(w, button.commandId, button.tooltip);
  TraceStep("buttons_and_tips");
}

void CreateList(MainWindow& w, HFONT font) {
  const RECT& r = layout::kListRect;
  w.list = CreateWindowExA(layout::kListExStyle, WC_LISTVIEWA, nullptr, layout::kListStyle, r.left,
                           r.top, r.right - r.left, r.bottom - r.top, w.window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEntryList)), Instance(),
                           nullptr);
  if (!w.list) return;
  SendMessageA(w.list, LVM_SETEXTENDEDLISTVIEWSTYLE, layout::kListExtendedStyle,
               layout::kListExtendedStyle);
  SendMessageA(w.list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  int position = 0;
  for (const layout::Column& c : layout::kColumns) {
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = c.width;
    column.pszText = const_cast<char*>(c.title);
    column.iSubItem = position;
    SendMessageA(w.list, LVM_INSERTCOLUMNA, position, reinterpret_cast<LPARAM>(&column));
    ++position;
  }
}

// Numbers and names end up in a file whose fields are separated by ';'.
LRESULT CALLBACK RefuseSemicolon(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR, DWORD_PTR) {
  if (message == WM_CHAR && wParam == ';') {
    MessageBeep(MB_OK);
    return 0;
  }
  return DefSubclassProc(field, message, wParam, lParam);
}

HWND CreateField(const MainWindow& w, const layout::Field& f, HFONT font) {
  HWND field = CreateWindowExA(layout::kFieldExStyle, "Edit", "", layout::kFieldStyle | f.extraStyle,
                               f.x, f.y, f.width, f.height, w.window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(f.id)), Instance(),
                               nullptr);
  if (!field) return nullptr;
  SendMessageA(field, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (f.id != kIndexField) SetWindowSubclass(field, RefuseSemicolon, 0, 0);
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
         (GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP);
}

}  // namespace

void BuildMainWindow(WNDPROC procedure) {
  MainWindow& w = TheMainWindow();
  w.windowClass = RegisterMainClass(procedure);
  TraceStep("window_class");
  w.window = CreateCentredWindow();
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
  w.accelerators = CreateAcceleratorTableA(const_cast<ACCEL*>(layout::kAccelerators),
                                           static_cast<int>(std::size(layout::kAccelerators)));
  TraceStep("accelerators");
  // Shown once complete: no frame is drawn and erased again as each
  // control comes onto a visible window. Not later than this: a window
  // shown only after the rows are in was seen under Wine to get its first
  // paint only with the next input event, up to a second later.
  ShowWindow(w.window, SW_SHOWNORMAL);
  TraceStep("show_window");
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
  if (w.windowClass) UnregisterClassA(layout::kClassName, GetModuleHandleA(nullptr));
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
    SendMessageA(control, WM_SETREDRAW, drawing == ListDrawing::Resumed, 0);
    if (drawing == ListDrawing::Resumed) InvalidateRect(control, nullptr, TRUE);
  }
}
