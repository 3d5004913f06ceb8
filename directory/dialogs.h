// The two modal dialogs. Implemented by window/ on Win32 and by a scripted
// stand-in in the tests.
#pragma once
#include <string>

// Message box styles and answers, with the platform's values.
enum MessageStyle : unsigned {
  kMbOk = 0x0,
  kMbYesNoCancel = 0x3,
  kMbYesNo = 0x4,
  kMbIconError = 0x10,
  kMbIconQuestion = 0x20,
  kMbIconWarning = 0x30,
  kMbIconInformation = 0x40,
};
enum MessageAnswer : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

// Modal message box; the thread's other windows are disabled meanwhile.
int ShowMessage(const std::string& title, const std::string& text, unsigned style);

// The open-file dialog; the chosen full path, or empty when cancelled.
std::string ShowOpenFileDialog(const std::string& title, const std::string& defaultName,
                               const std::string& pattern, int patternPosition);
