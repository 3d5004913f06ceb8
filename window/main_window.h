// The one main window and its controls.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>

struct MainWindow {
  HWND window = nullptr;
  HWND statusBar = nullptr;
  HWND toolbar = nullptr;
  HWND tooltip = nullptr;  // the separate one that carries the button tips, once made
  HWND list = nullptr;
  HWND indexField = nullptr;
  HWND numberField = nullptr;
  HWND nameField = nullptr;
  HACCEL accelerators = nullptr;
  HICON images[3] = {};
  int imageIndexes[3] = {-1, -1, -1};  // of the own images in the toolbar's list
  ATOM windowClass = 0;
  // The display scale the layout is built for, and what exists only at
  // scales other than the 96-DPI design.
  int dpi = 96;
  HIMAGELIST designImages = nullptr;
  HFONT scaledFont = nullptr;
  HICON smallIcon = nullptr;
  // The file dropped last, as Windows-1252; empty when none could be read.
  std::string droppedFile;
};

MainWindow& TheMainWindow();

// Creates the window with everything on it, hidden; when the window itself
// cannot be created, nothing is created.
void BuildMainWindow(WNDPROC procedure);
// Shows the built window. Shown once its rows are in, nothing is drawn
// before them, and no control is drawn, erased and drawn again as the
// window fills: each paints once, in the first paint.
void ShowMainWindow();
// Lays the window out again for a new display scale (moved to a monitor with
// another one), in the rectangle the system suggests.
void RescaleMainWindow(int dpi, const RECT& suggested);
// The buttons' tips, made when the pointer first comes onto the toolbar
// (before the toolbar sees that move, so the tips see it too): no one sees
// a tip before, and the start-up is spared a window.
void EnsureButtonTips();
// Destroys images, window, class and accelerator table; safe when nothing
// was built. For a window that goes while the process stays (the tests):
// at its end the program leaves all of this to the system.
void DestroyMainWindow();

// The child window of a control id (fields 1, 3, 5, list 6, toolbar), or null.
HWND ControlWindow(int id);
// Moves the focus to the next or previous tab stop, wrapping around.
enum class FocusStep { Next, Previous };
void MoveFocus(FocusStep step);

// Drawing the list and the status bar once after a load instead of after
// every added row and at the status text.
enum class ListDrawing { Suspended, Resumed };
void SetListDrawing(ListDrawing drawing);
