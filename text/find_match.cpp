#include "text/find_match.h"

unsigned char FoldGermanLetter(char c) {
  const unsigned char b = static_cast<unsigned char>(c);
  if (b >= 'A' && b <= 'Z') return static_cast<unsigned char>(b + ('a' - 'A'));
  switch (b) {
    case 0xC4: return 0xE4;  // Ä
    case 0xD6: return 0xF6;  // Ö
    case 0xDC: return 0xFC;  // Ü
    default: return b;
  }
}

bool ContainsFolded(std::string_view text, std::string_view part) {
  if (part.empty() || part.size() > text.size()) return false;
  for (size_t start = 0; start + part.size() <= text.size(); ++start) {
    size_t i = 0;
    while (i < part.size() && FoldGermanLetter(text[start + i]) == FoldGermanLetter(part[i])) ++i;
    if (i == part.size()) return true;
  }
  return false;
}
