// Properties of the text and date helpers on arbitrary bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include "text/date.h"
#include "text/text.h"

#define REQUIRE(condition) \
  do {                     \
    if (!(condition)) std::abort(); \
  } while (0)

// A plain reference for the number reader: 64-bit digits, reduced to 32 bits.
static int32_t ReferenceNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  uint64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10 + (text[i] - '0');
  uint32_t low = static_cast<uint32_t>(value);
  return static_cast<int32_t>(negative ? 0u - low : low);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const int small = static_cast<int8_t>(data[0]);  // widths and field numbers, negative too
  const char separator = static_cast<char>(data[1]);
  const std::string_view text(reinterpret_cast<const char*>(data) + 2, size - 2);

  const std::string field = FieldOf(text, small, separator);
  REQUIRE(field.find(separator) == std::string::npos);
  REQUIRE(text.find(field) != std::string_view::npos);
  if (small <= 1) REQUIRE(text.substr(0, field.size()) == field);

  REQUIRE(ParseNumber(text) == ReferenceNumber(text));

  const std::string padded = PadRight(text, small, ' ');
  REQUIRE(padded.size() == static_cast<size_t>(small < 0 ? 0 : small));
  const size_t kept = std::min(padded.size(), text.size());
  REQUIRE(padded.compare(0, kept, text.substr(0, kept)) == 0);
  REQUIRE(padded.find_first_not_of(' ', kept) == std::string::npos);

  const std::string right = RightPart(text, small);
  REQUIRE(right.size() == std::min(text.size(), static_cast<size_t>(small < 0 ? 0 : small)));
  REQUIRE(text.ends_with(right));

  REQUIRE(CompareNoCase(text, text) == 0);
  REQUIRE(SameText(text, std::string(text)));

  // Any mask expands without limit and keeps every byte that is not a token.
  const DateValue date = static_cast<int64_t>(static_cast<uint32_t>(small) * 86400LL * 37);
  const std::string expanded = FormatDateMask(text, date);
  if (text.find('%') == std::string_view::npos) REQUIRE(expanded == text);
  return 0;
}
