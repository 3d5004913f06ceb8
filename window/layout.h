// The main window in one table: ids, geometry, styles, texts, the toolbar's
// buttons and the keyboard shortcuts.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "directory/commands.h"
#include "directory/window_ops.h"
#include "resources/resource_ids.h"

namespace layout {

inline const wchar_t kClassName[] = L"RufdepotHauptfenster";
constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU;
// Files dropped on the window are opened. The style is what DragAcceptFiles
// would set; given at creation, the start-up needs no shell library.
constexpr DWORD kWindowExStyle = WS_EX_ACCEPTFILES;
constexpr int kClientWidth = 402;
constexpr int kClientHeight = 474;

// The status bar has one part; the rest of the bar belongs to none.
constexpr int kStatusPartRight = 386;
constexpr int kStatusBarId = 100;  // no one addresses the status bar by its id

// The tips come from a tooltip window of the program's own (EnsureButtonTips),
// not from one the toolbar would make at once and never use.
constexpr DWORD kToolbarStyle = WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT;
constexpr DWORD kTooltipStyle = WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP;

// Where a button's picture comes from.
enum class ImageSource { OwnIcon, Standard, None };

struct ToolbarButton {
  int commandId;  // -1 for the separator
  ImageSource source;
  int image;  // own icon 0..2, or the STD_ number of a standard image
  const char* tooltip;
};

constexpr int kOwnIconCount = 3;
constexpr WORD kOwnIconResources[kOwnIconCount] = {IDR_ARROW_UP_ICON, IDR_ARROW_DOWN_ICON,
                                                   IDR_TICK_ICON};

// Left to right.
constexpr ToolbarButton kToolbarButtons[] = {
    {kCmdMoveUp, ImageSource::OwnIcon, 0, "Eintrag nach oben schieben (Pfeil oben)"},
    {kCmdMoveDown, ImageSource::OwnIcon, 1, "Eintrag nach unten schieben (Pfeil unten)"},
    {kCmdClear, ImageSource::Standard, STD_DELETE, "Eintrag leeren (Entf)"},
    {kCmdApply, ImageSource::OwnIcon, 2, "Ge\xE4nderten Eintrag \xFC" "bernehmen (Enter)"},
    {-1, ImageSource::None, 0, nullptr},
    {kCmdListing, ImageSource::Standard, STD_PRINTPRE, "Sortierte Liste an Editor \xFC" "bergeben (Strg p)"},
    {kCmdSave, ImageSource::Standard, STD_FILESAVE, "Speichern und Beenden (Strg s)"},
};

// Toolbar pictures are 16 pixels at 96 DPI; from 24 pixels on, the
// standard pictures come from the platform's larger set.
constexpr int kToolbarImageSize = 16;
constexpr int kLargeStandardSize = 24;
constexpr int kStandardSmallSet = 2;
constexpr int kStandardLargeSet = IDB_STD_LARGE_COLOR;
// The window icon in the caption: 16 pixels at 96 DPI.
constexpr int kSmallIconSize = 16;

// The toolbar's image list starts with one placeholder, so the standard
// image STD_n sits at index n + 1.
constexpr int kStandardImageOffset = 1;

constexpr DWORD kListExStyle = WS_EX_CLIENTEDGE;
constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                             LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS;
constexpr DWORD kListExtendedStyle = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
constexpr RECT kListRect = {6, 50, 6 + 390, 50 + 392};

struct Column {
  const char* title;
  int width;
};
constexpr Column kColumns[] = {{"Index", 60}, {"Rufnummer", 110}, {"Name, Ort", 200}};

constexpr DWORD kFieldExStyle = WS_EX_CLIENTEDGE;
constexpr DWORD kFieldStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL;

struct Field {
  int id;
  int x, y, width, height;
  DWORD extraStyle;
};
// The number field is two pixels wider than its column and overlaps the
// name field by two pixels; the list lines up with the outer edges.
constexpr Field kFields[] = {
    {kIndexField, 6, 30, 60, 20, ES_READONLY},
    {kNumberField, 66, 30, 112, 20, 0},
    {kNameField, 176, 30, 220, 20, 0},
};

constexpr BYTE kKey = FVIRTKEY | FNOINVERT;
constexpr ACCEL kAccelerators[] = {
    {kKey, VK_TAB, kKeyTab},
    {kKey | FSHIFT, VK_TAB, kKeyShiftTab},
    {kKey, VK_UP, kKeyUp},
    {kKey, VK_DOWN, kKeyDown},
    {kKey, VK_RETURN, kKeyReturn},
    {kKey, VK_DELETE, kKeyDelete},
    {kKey | FCONTROL, 'P', kKeyPrint},
    {kKey | FCONTROL, 'S', kKeySave},
    {kKey | FCONTROL, 'Z', kKeyUndo},
    {kKey | FCONTROL, 'O', kKeyOpen},
    {kKey | FCONTROL, 'F', kKeyFind},
    {kKey, VK_F3, kKeyFindNext},
    {kKey, VK_F1, kKeyHelp},
};

// Posted by the entry list's handler so a click reaches the loop after the
// list has updated its selection.
constexpr UINT kControlEventMessage = 13103;

}  // namespace layout
