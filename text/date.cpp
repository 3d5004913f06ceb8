#include "text/date.h"

#include <array>
#include "text/text.h"

// Days since 1970-01-01 in the proleptic Gregorian calendar (H. Hinnant's
// civil-days algorithm).
static int64_t DaysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

DateValue DateFromCivil(const CivilTime& t) {
  return DaysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

CivilTime CivilFromDate(DateValue date) {
  int64_t days = date / 86400, seconds = date % 86400;
  if (seconds < 0) {
    seconds += 86400;
    --days;
  }
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
  CivilTime t;
  t.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  t.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  t.year = static_cast<int>(yearOfEra + era * 400 + (t.month <= 2));
  t.hour = static_cast<int>(seconds / 3600);
  t.minute = static_cast<int>(seconds / 60 % 60);
  t.second = static_cast<int>(seconds % 60);
  return t;
}

static std::string TwoDigits(int value) {
  return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

static bool StartsWithNoCase(std::string_view text, size_t at, std::string_view word) {
  if (text.size() - at < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (FoldAsciiLetter(text[at + i]) != static_cast<unsigned char>(word[i])) return false;
  return true;
}

std::string FormatDateMask(std::string_view mask, DateValue date) {
  const CivilTime t = CivilFromDate(date);
  const std::string year = std::to_string(t.year);
  struct Token {
    std::string_view word;
    std::string value;
  };
  const std::array<Token, 7> tokens{{
      {"yyyy", year.size() >= 4 ? year : std::string(4 - year.size(), '0') + year},
      {"yy", TwoDigits(t.year % 100)},
      {"mm", TwoDigits(t.month)},
      {"dd", TwoDigits(t.day)},
      {"hh", TwoDigits(t.hour)},
      {"ii", TwoDigits(t.minute)},
      {"ss", TwoDigits(t.second)},
  }};
  std::string result;
  result.reserve(mask.size() + 8);
  for (size_t i = 0; i < mask.size(); ++i) {
    if (mask[i] == '%') {
      const Token* match = nullptr;
      for (const Token& token : tokens)
        if (StartsWithNoCase(mask, i + 1, token.word)) {
          match = &token;
          break;
        }
      if (match) {
        result += match->value;
        i += match->word.size();
        continue;
      }
    }
    result += mask[i];
  }
  return result;
}
