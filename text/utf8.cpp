#include "text/utf8.h"

#include <cstdint>
#include <cstring>

namespace {
// Continuation bytes after a lead byte, and the range of the first of them.
struct Lead {
  int following;
  unsigned char low, high;
};

// following 0: not a lead byte (a stray continuation byte, C0, C1, F5..FF).
Lead LeadOf(unsigned char b) {
  if (b >= 0xC2 && b <= 0xDF) return {1, 0x80, 0xBF};
  if (b == 0xE0) return {2, 0xA0, 0xBF};
  if (b == 0xED) return {2, 0x80, 0x9F};
  if (b >= 0xE1 && b <= 0xEF) return {2, 0x80, 0xBF};
  if (b == 0xF0) return {3, 0x90, 0xBF};
  if (b >= 0xF1 && b <= 0xF3) return {3, 0x80, 0xBF};
  if (b == 0xF4) return {3, 0x80, 0x8F};
  return {0, 0, 0};
}
}  // namespace

void ScanUtf8(Utf8Scan& scan, std::string_view bytes) {
  constexpr uint64_t kHighBits = 0x8080808080808080ull;
  for (size_t i = 0; i < bytes.size() && scan.valid; ++i) {
    // Runs of plain ASCII, the bulk of any speed-dial file, eight at a time.
    while (scan.pending == 0 && i + 8 <= bytes.size()) {
      uint64_t word;
      std::memcpy(&word, bytes.data() + i, 8);
      if (word & kHighBits) break;
      i += 8;
    }
    if (i == bytes.size()) break;
    const unsigned char b = static_cast<unsigned char>(bytes[i]);
    if (scan.pending > 0) {
      if (b < scan.low || b > scan.high) {
        scan.valid = false;
        return;
      }
      --scan.pending;
      scan.low = 0x80;
      scan.high = 0xBF;
      continue;
    }
    if (b < 0x80) continue;
    const Lead lead = LeadOf(b);
    if (lead.following == 0) {
      scan.valid = false;
      return;
    }
    scan.pending = lead.following;
    scan.low = lead.low;
    scan.high = lead.high;
    scan.multiByte = true;
  }
}

bool IsUtf8Text(const Utf8Scan& scan) { return scan.valid && scan.pending == 0 && scan.multiByte; }

bool IsUtf8Text(std::string_view bytes) {
  Utf8Scan scan;
  ScanUtf8(scan, bytes);
  return IsUtf8Text(scan);
}
