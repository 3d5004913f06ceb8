#include <doctest/doctest.h>

#include "system/system.h"
#include "tests/fakes/fake_system.h"
#include "text/date.h"

TEST_CASE("FormatDateMask expands the tokens in any case") {
  const DateValue date = DateFromCivil({2007, 3, 9, 14, 5, 7});
  struct Case {
    const char* mask;
    const char* result;
  };
  const Case cases[] = {
      {"%dd.%mm.%yyyy", "09.03.2007"}, {"%yyyy%MM%DD_", "20070309_"},
      {"%yy/%hh:%ii:%ss", "07/14:05:07"}, {"%x", "%x"},
      {"%%dd", "%09"},                 {"%", "%"},
      {"", ""},                        {"%YYYY%yyy", "200707y"},
      {"100%", "100%"},                {"%Ii%SS", "0507"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.mask);
    CHECK(FormatDateMask(c.mask, date) == c.result);
  }
}

TEST_CASE("Dates round-trip through the civil calendar, also after 2038") {
  const CivilTime times[] = {
      {1970, 1, 1, 0, 0, 0},   {2000, 2, 29, 23, 59, 59}, {2038, 1, 19, 3, 14, 8},
      {2100, 3, 1, 0, 0, 0},   {2399, 12, 31, 12, 0, 0},  {1969, 12, 31, 23, 59, 59},
  };
  for (const CivilTime& t : times) {
    CAPTURE(t.year);
    const CivilTime back = CivilFromDate(DateFromCivil(t));
    CHECK(back.year == t.year);
    CHECK(back.month == t.month);
    CHECK(back.day == t.day);
    CHECK(back.hour == t.hour);
    CHECK(back.minute == t.minute);
    CHECK(back.second == t.second);
  }
  CHECK(DateFromCivil({2038, 1, 19, 3, 14, 7}) == INT32_MAX);
}

TEST_CASE("CurrentDate shows the local clock's digits") {
  ResetFakeSystem();
  struct Case {
    CivilTime clock;
    const char* shown;
  };
  const Case cases[] = {
      {{2026, 7, 1, 0, 0, 30}, "01.07.2026 00:00:30"},    // summer time, just after midnight
      {{2026, 12, 31, 23, 59, 59}, "31.12.2026 23:59:59"},
      {{2040, 2, 29, 12, 0, 0}, "29.02.2040 12:00:00"},    // after 2038
  };
  for (const Case& c : cases) {
    TheFakeSystem().clock = c.clock;
    CHECK(FormatDateMask("%dd.%mm.%yyyy %hh:%ii:%ss", CurrentDate()) == c.shown);
  }
}
