// Matching for the find command: what a user types finds a name however
// its letters are capitalised, umlauts included.
#pragma once
#include <string_view>

// The byte with A-Z and the German umlauts (Windows-1252) in lower case;
// every other byte as it is.
unsigned char FoldGermanLetter(char c);

// Whether part occurs in text, A-Z and the umlauts compared without regard
// to case; an empty part occurs nowhere.
bool ContainsFolded(std::string_view text, std::string_view part);
