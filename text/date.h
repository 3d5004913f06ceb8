// Dates as seconds since 1970-01-01 counted in local wall-clock time: the
// clock's reading is counted as if it were UTC, so breaking a value down
// with UTC rules gives back the digits the local clock showed.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// 64 bits inside, so the local clock's digits survive 2038.
using DateValue = int64_t;

struct CivilTime {
  int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

DateValue DateFromCivil(const CivilTime& time);
CivilTime CivilFromDate(DateValue date);

// Expands %yyyy %yy %mm %dd %hh %ii %ss in mask; the letters A to Z match in
// either case, every other byte only itself.
std::string FormatDateMask(std::string_view mask, DateValue date);
