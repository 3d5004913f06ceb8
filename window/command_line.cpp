#include "window/command_line.h"

namespace {
bool IsBlank(wchar_t unit) { return unit == L' ' || unit == L'\t'; }
}  // namespace

bool CommandLineHasArguments(const wchar_t* line) {
  if (!line) return false;
  const wchar_t* next = line;
  if (*next == L'"') {
    ++next;
    while (*next && *next != L'"') ++next;
    if (*next) ++next;
  } else {
    while (*next && !IsBlank(*next)) ++next;
  }
  while (IsBlank(*next)) ++next;
  return *next != L'\0';
}
