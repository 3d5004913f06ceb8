// Helpers on single-byte texts (Windows-1252). Bytes pass through unchanged:
// nothing here converts, trims or folds case except where a helper says so.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The n-th field (1-based; n below 1 counts as 1) between separators.
std::string FieldOf(std::string_view text, int n, char separator);

// Leading blanks and tabs, one sign, decimal digits; wraps in 32 bits.
int32_t ParseNumber(std::string_view text);

// Exactly width characters: cut, or filled with fill on the right.
std::string PadRight(std::string_view text, int width, char fill);

// The last n characters, or the whole text when it is shorter.
std::string RightPart(std::string_view text, int n);

// Byte-for-byte equality; an absent text equals the empty one.
bool SameText(std::string_view a, std::string_view b);

// The byte with A-Z mapped to a-z; every other byte, umlauts included, as it is.
unsigned char FoldAsciiLetter(char c);

// Orders listing lines: A-Z folded to a-z, every other byte unsigned.
int CompareNoCase(std::string_view a, std::string_view b);
