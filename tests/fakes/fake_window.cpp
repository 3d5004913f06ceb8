#include "tests/fakes/fake_window.h"

#include "directory/window_ops.h"

FakeWindow& TheFakeWindow() {
  static FakeWindow window;
  return window;
}

void ResetFakeWindow() {
  FakeWindow& w = TheFakeWindow();
  w = FakeWindow{};
  for (int id = 0; id <= 5; ++id) w.buttonEnabled[id] = true;
}

void FakeWindowRows(const std::vector<std::array<std::string, 3>>& rows) {
  TheFakeWindow().rows = rows;
}

void AddListRow(const std::string& text) {
  std::array<std::string, 3> row;
  size_t start = 0;
  for (size_t column = 0; column < row.size(); ++column) {
    size_t end = text.find('\n', start);
    row[column] = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  TheFakeWindow().rows.push_back(row);
}

void SetListCell(int row, int column, const std::string& text) {
  FakeWindow& w = TheFakeWindow();
  if (row < 0 || row >= static_cast<int>(w.rows.size()) || column < 0 || column > 2) return;
  w.rows[row][column] = text;
}

void SelectListRow(int row) {
  FakeWindow& w = TheFakeWindow();
  if (row >= 0 && row < static_cast<int>(w.rows.size())) w.selectedRow = row;
}

int ListRowCount() { return static_cast<int>(TheFakeWindow().rows.size()); }

bool IsRowSelected(int row) { return row >= 0 && TheFakeWindow().selectedRow == row; }

std::string GetFieldText(int id) { return TheFakeWindow().fields[id]; }

void SetFieldText(int id, const std::string& text) { TheFakeWindow().fields[id] = text; }

void EnableButton(int id, bool enabled) { TheFakeWindow().buttonEnabled[id] = enabled; }

void SetStatusText(const std::string& text) { TheFakeWindow().statusText = text; }

void ClearList() {
  FakeWindow& w = TheFakeWindow();
  w.rows.clear();
  w.selectedRow = -1;
}

void ShowListRow(int row) { TheFakeWindow().shownRow = row; }

std::string DroppedFilePath() { return TheFakeWindow().droppedFile; }

void OpenFindDialog() { ++TheFakeWindow().findDialogOpened; }

std::string FindDialogText() { return TheFakeWindow().findText; }
