#include <doctest/doctest.h>

#include "text/text.h"

TEST_CASE("FieldOf splits at the separator without trimming") {
  struct Case {
    const char* text;
    int n;
    const char* field;
  };
  const Case cases[] = {
      {"105;0123 45;Nord", 1, "105"}, {"105;0123 45;Nord", 2, "0123 45"},
      {"105;0123 45;Nord", 3, "Nord"}, {"105;0123 45;Nord", 4, ""},
      {"a;b;c;d", 3, "c"},             {"105", 1, "105"},
      {"105", 2, ""},                  {"105;;", 3, ""},
      {";x", 1, ""},                   {"a;b", 0, "a"},
      {"a;b", -5, "a"},                {"", 1, ""},
      {" a ; b ", 2, " b "},
  };
  for (const Case& c : cases) {
    CAPTURE(c.text);
    CAPTURE(c.n);
    CHECK(FieldOf(c.text, c.n, ';') == c.field);
  }
}

TEST_CASE("ParseNumber reads blanks, one sign and digits, wrapping in 32 bits") {
  struct Case {
    const char* text;
    int32_t value;
  };
  const Case cases[] = {
      {"105", 105},          {"1105", 1105},       {"  105", 105},
      {"\t 7", 7},           {"+7", 7},            {"-12x", -12},
      {"- 5", 0},            {"12 34", 12},        {"abc", 0},
      {"", 0},               {"4294967297", 1},    {"2147483648", INT32_MIN},
      {"-2147483648", INT32_MIN}, {"+-3", 0},     {"\n5", 0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.text);
    CHECK(ParseNumber(c.text) == c.value);
  }
}

TEST_CASE("PadRight always returns exactly the width") {
  CHECK(PadRight("Nord", 6, ' ') == "Nord  ");
  CHECK(PadRight("Hauptbahnhof", 6, ' ') == "Hauptb");
  CHECK(PadRight("", 3, ' ') == "   ");
  CHECK(PadRight("Nord", 0, ' ') == "");
  CHECK(PadRight("Nord", -4, ' ') == "");
  CHECK(PadRight("\xC4rzte", 7, '.') == "\xC4rzte..");
}

TEST_CASE("RightPart keeps the last characters") {
  CHECK(RightPart("1105", 3) == "105");
  CHECK(RightPart("105", 3) == "105");
  CHECK(RightPart("5", 3) == "5");
  CHECK(RightPart("", 3) == "");
  CHECK(RightPart("1105", 0) == "");
  CHECK(RightPart("1105", -1) == "");
}

TEST_CASE("SameText compares bytes exactly") {
  CHECK(SameText("", std::string()));
  CHECK(SameText("Nord", "Nord"));
  CHECK_FALSE(SameText("Nord", "nord"));
  CHECK_FALSE(SameText("Nord", "Nord "));
  CHECK_FALSE(SameText(std::string("a\0b", 3), "a"));
}

TEST_CASE("CompareNoCase folds only A to Z and compares other bytes unsigned") {
  CHECK(CompareNoCase("meier", "Meier") == 0);
  CHECK(CompareNoCase("", "") == 0);
  CHECK(CompareNoCase("", "a") < 0);
  CHECK(CompareNoCase("ab", "a") > 0);
  CHECK(CompareNoCase("_x", "a") < 0);       // 95 before the folded letters
  CHECK(CompareNoCase("[x", "A") < 0);       // 91 before the folded letters
  CHECK(CompareNoCase("Zeta", "\xC4rzte") < 0);  // umlauts after all ASCII letters
  CHECK(CompareNoCase("\xE4", "\xC4") > 0);  // umlauts keep their case
  CHECK(CompareNoCase(" ", "A") < 0);
}
