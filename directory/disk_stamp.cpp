#include "directory/disk_stamp.h"

#include <cstring>
#include <vector>
#include "system/system.h"

namespace {
constexpr size_t kReadSize = 64 * 1024;
constexpr uint64_t kHashStart = 0xcbf29ce484222325ull;
constexpr uint64_t kHashFactor = 0x100000001b3ull;

// Eight bytes at a time, so a large file costs little more than its read;
// with the size beside it, any change of a byte shows.
uint64_t HashBytes(uint64_t hash, const char* data, size_t size) {
  size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    uint64_t word;
    std::memcpy(&word, data + i, 8);
    hash = (hash ^ word) * kHashFactor;
    hash ^= hash >> 29;
  }
  for (; i < size; ++i) hash = (hash ^ static_cast<unsigned char>(data[i])) * kHashFactor;
  return hash;
}
}  // namespace

DiskReading ReadDisk(const std::string& path) {
  DiskReading reading;
  SysFile file;
  if (!SysOpenForReading(path, file)) return reading;
  std::vector<char> buffer(kReadSize);
  uint64_t hash = kHashStart;
  int64_t size = 0;
  int64_t got;
  while ((got = SysRead(file, buffer.data(), buffer.size())) > 0) {
    hash = HashBytes(hash, buffer.data(), static_cast<size_t>(got));
    ScanUtf8(reading.utf8, std::string_view(buffer.data(), static_cast<size_t>(got)));
    size += got;
  }
  SysClose(file);
  if (got < 0) return DiskReading{};
  reading.stamp = {true, size, hash};
  return reading;
}
