// In-memory stand-in for the main window: what the core's window operations
// would have shown, open to inspection by the tests.
#pragma once
#include <array>
#include <map>
#include <string>
#include <vector>

struct FakeWindow {
  std::vector<std::array<std::string, 3>> rows;
  int selectedRow = -1;
  std::map<int, std::string> fields;  // by control id 1, 3, 5
  std::map<int, bool> buttonEnabled;  // by command id 0..5; all start enabled
  std::string statusText;
  int shownRow = -1;         // the row last scrolled into view
  std::string droppedFile;   // what DroppedFilePath answers
  std::string findText;      // what FindDialogText answers
  int findDialogOpened = 0;  // how often OpenFindDialog was called
};

FakeWindow& TheFakeWindow();
// Empty list, empty fields, all six buttons enabled.
void ResetFakeWindow();
// Fills the list with rows of (index, number, name), like a load would.
void FakeWindowRows(const std::vector<std::array<std::string, 3>>& rows);
