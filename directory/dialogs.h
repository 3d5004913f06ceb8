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

// The settings file and the speed-dial file's folder hold Windows-1252: a
// path with another character would be stored mangled and never found again.
inline const char kUnrepresentablePath[] =
    "Der Pfad der gew\xE4hlten Datei enth\xE4lt Zeichen, die Rufdepot nicht speichern kann.\r\n\r\n"
    "Ordner- und Dateinamen d\xFCrfen nur Zeichen des westeurop\xE4ischen Zeichensatzes "
    "(Windows-1252) enthalten. Bitte eine andere Datei w\xE4hlen oder den Ordner umbenennen.";

// Modal message box; the thread's other windows are disabled meanwhile.
int ShowMessage(const std::string& title, const std::string& text, unsigned style);

// The open-file dialog; the chosen full path, or empty when cancelled.
std::string ShowOpenFileDialog(const std::string& title, const std::string& defaultName,
                               const std::string& pattern, int patternPosition);
