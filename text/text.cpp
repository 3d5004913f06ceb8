#include "text/text.h"

std::string FieldOf(std::string_view text, int n, char separator) {
  if (n < 1) n = 1;
  size_t start = 0;
  for (int field = 1; field < n; ++field) {
    size_t next = text.find(separator, start);
    if (next == std::string_view::npos) return {};
    start = next + 1;
  }
  size_t end = text.find(separator, start);
  if (end == std::string_view::npos) end = text.size();
  return std::string(text.substr(start, end - start));
}

int32_t ParseNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  // Unsigned arithmetic gives the two's-complement wrap without overflow.
  uint32_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = value * 10u + static_cast<uint32_t>(text[i] - '0');
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

std::string PadRight(std::string_view text, int width, char fill) {
  size_t size = width < 0 ? 0 : static_cast<size_t>(width);
  std::string result(text.substr(0, size));
  result.resize(size, fill);
  return result;
}

std::string RightPart(std::string_view text, int n) {
  size_t count = n < 0 ? 0 : static_cast<size_t>(n);
  if (count >= text.size()) return std::string(text);
  return std::string(text.substr(text.size() - count));
}

bool SameText(std::string_view a, std::string_view b) { return a == b; }

unsigned char FoldAsciiLetter(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + 32) : byte;
}

int CompareNoCase(std::string_view a, std::string_view b) {
  size_t common = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < common; ++i) {
    unsigned char x = FoldAsciiLetter(a[i]), y = FoldAsciiLetter(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}
