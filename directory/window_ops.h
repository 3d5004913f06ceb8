// What the core may read and change of the main window. Implemented by
// window/ on Win32 and by an in-memory stand-in in the tests.
#pragma once
#include <string>

enum ControlId : int {
  kIndexField = 1,
  kNumberField = 3,
  kNameField = 5,
  kEntryList = 6,
  kToolbarId = -10000,
};

enum ListColumn : int { kIndexColumn = 0, kNumberColumn = 1, kNameColumn = 2 };

// Appends a row; text holds the cells separated by LF.
void AddListRow(const std::string& text);
// A row that does not exist is left alone.
void SetListCell(int row, int column, const std::string& text);
// Selects row with the focus mark; the list is not scrolled.
void SelectListRow(int row);
int ListRowCount();
bool IsRowSelected(int row);
// A character that Windows-1252 cannot hold (pasted in) reads as ';', so
// the field is never taken over.
std::string GetFieldText(int id);
void SetFieldText(int id, const std::string& text);
void EnableButton(int id, bool enabled);
void SetStatusText(const std::string& text);
// Empties the list for another file's rows; nothing stays selected.
void ClearList();
// Scrolls the list so that row is in view.
void ShowListRow(int row);
// Opens the modeless find dialog, or brings it to the front.
void OpenFindDialog();
// The text of the find dialog; empty before it was first used. A character
// that Windows-1252 cannot hold reads as ';', which no entry holds.
std::string FindDialogText();
// The file dropped on the window last, in Windows-1252; empty when none.
std::string DroppedFilePath();
