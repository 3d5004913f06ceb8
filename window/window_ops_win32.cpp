// Placeholder window operations until the main window is built.
#include "directory/window_ops.h"

void AddListRow(const std::string&) {}
void SetListCell(int, int, const std::string&) {}
void SelectListRow(int) {}
int ListRowCount() { return 0; }
bool IsRowSelected(int) { return false; }
std::string GetFieldText(int) { return {}; }
void SetFieldText(int, const std::string&) {}
void EnableButton(int, bool) {}
void SetStatusText(const std::string&) {}
