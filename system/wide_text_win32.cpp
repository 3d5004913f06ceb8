#include "system/wide_text.h"

#include <windows.h>

namespace {
constexpr UINT kFileCodePage = 1252;
}  // namespace

std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  int length = MultiByteToWideChar(kFileCodePage, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(kFileCodePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

bool Narrow(const std::wstring& text, std::string& bytes) {
  if (text.empty()) {
    bytes.clear();
    return true;
  }
  const int size = static_cast<int>(text.size());
  // Without WC_NO_BEST_FIT_CHARS "ő" would quietly become "o".
  BOOL lossy = FALSE;
  int length = WideCharToMultiByte(kFileCodePage, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr,
                                   0, nullptr, &lossy);
  if (length <= 0 || lossy) return false;
  std::string narrow(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(kFileCodePage, WC_NO_BEST_FIT_CHARS, text.data(), size, narrow.data(), length,
                      nullptr, &lossy);
  if (lossy) return false;
  bytes = std::move(narrow);
  return true;
}

bool FitsWindows1252(wchar_t unit) {
  if (unit >= 0xD800 && unit <= 0xDFFF) return false;
  std::string ignored;
  return Narrow(std::wstring(1, unit), ignored);
}

std::string NarrowReplacing(const std::wstring& text, char standIn) {
  std::string bytes;
  if (Narrow(text, bytes)) return bytes;
  std::wstring fitting = text;
  for (wchar_t& unit : fitting)
    if (!FitsWindows1252(unit)) unit = static_cast<wchar_t>(standIn);
  Narrow(fitting, bytes);
  return bytes;
}
