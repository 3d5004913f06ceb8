#include <doctest/doctest.h>

#include "directory/entry_table.h"

TEST_CASE("SlotOfIndex maps 100..299 and 1100..1299 to the file's slots") {
  struct Case {
    const char* index;
    int slot;
  };
  const Case cases[] = {
      {"100", 0},     {"299", 199},   {"1100", 0},    {"1299", 199},  {"105", 5},
      {"1105", 5},    {" 105", 5},    {"+105;", 5},   {"300", 200},   {"1300", 200},
      {"1000", 900},  {"1001", -99},  {"", -100},     {"99", -1},     {"-5", -105},
      {"abc", -100},  {"1099", -1},   {"1400", 300},
      {"2147483647", 2147482547},     // above 1000: 1000 off, then 100 off
      {"-2147483648", 2147483548},    // wraps when 100 is taken off
      {"4294967396", 0},              // wraps to 100 while parsing
  };
  for (const Case& c : cases) {
    CAPTURE(c.index);
    CHECK(SlotOfIndex(c.index) == c.slot);
  }
}

TEST_CASE("Only slots 0..199 belong to the file") {
  CHECK(IsFileSlot(0));
  CHECK(IsFileSlot(199));
  CHECK_FALSE(IsFileSlot(200));
  CHECK_FALSE(IsFileSlot(-1));
}
