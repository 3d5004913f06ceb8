// Texts between the program's Windows-1252 bytes and the UTF-16 of the
// Win32 W calls. The speed-dial file is Windows-1252 whatever code page the
// system uses, so every conversion names code page 1252 itself.
#pragma once
#include <string>

// Every byte has a character in Windows-1252: this never fails.
std::wstring Widen(const std::string& text);

// The Windows-1252 bytes of text; false, and text unconverted, when it holds
// a character that Windows-1252 cannot represent.
bool Narrow(const std::wstring& text, std::string& bytes);

// Whether one UTF-16 unit stands for a character of Windows-1252 (a
// surrogate half never does).
bool FitsWindows1252(wchar_t unit);

// The Windows-1252 bytes of text, each unit that Windows-1252 cannot hold
// given as standIn (an ASCII character); never fails.
std::string NarrowReplacing(const std::wstring& text, char standIn);
