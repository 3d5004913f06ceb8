// Telling a file that another editor saved as UTF-8 from one in
// Windows-1252: umlauts of 1252 text almost never form valid UTF-8.
#pragma once
#include <string_view>

// Checks bytes that arrive in pieces; a sequence may be split between two.
struct Utf8Scan {
  int pending = 0;            // continuation bytes still expected
  unsigned char low = 0x80;   // range of the next continuation byte; narrower after
  unsigned char high = 0xBF;  // E0, ED, F0 and F4, which rule out overlong forms and surrogates
  bool valid = true;
  bool multiByte = false;     // at least one sequence of two to four bytes
};

void ScanUtf8(Utf8Scan& scan, std::string_view bytes);
// True when everything scanned is valid UTF-8, ends on a whole sequence and
// holds at least one multi-byte sequence; pure ASCII is no UTF-8 text here.
bool IsUtf8Text(const Utf8Scan& scan);
bool IsUtf8Text(std::string_view bytes);
