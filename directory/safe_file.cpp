#include "directory/safe_file.h"

#include <vector>
#include "system/system.h"

namespace {
constexpr size_t kCopyBufferSize = 64 * 1024;

// The finished fresh file takes path's place, or is removed.
bool PutInPlace(const std::string& fresh, const std::string& path, bool complete) {
  const bool existed = FileSizeOf(path) >= 0;
  if (complete && SysReplaceFile(path, fresh)) return true;
  // A replace that removed the old file and then stopped leaves the new bytes
  // only in the fresh file: that one is kept rather than lose both.
  if (complete && existed && FileSizeOf(path) < 0 && FileSizeOf(fresh) >= 0) return false;
  SysDeleteFile(fresh);
  return false;
}

bool CopyBytes(SysFile from, SysFile to) {
  std::vector<char> buffer(kCopyBufferSize);
  for (;;) {
    const int64_t got = SysRead(from, buffer.data(), buffer.size());
    if (got == 0) return true;
    if (got < 0 || !SysWrite(to, buffer.data(), static_cast<size_t>(got))) return false;
  }
}
}  // namespace

bool WriteFileSafely(const std::string& folder, const std::string& path, const WriteLinesFn& write) {
  TextFile file;
  std::string fresh;
  if (!OpenTemporaryForWriting(folder, fresh, file)) return false;
  const bool written = write(file);
  const bool stored = SyncTextFile(file);
  const bool closed = CloseTextFile(file);  // always, so the handle is not left open
  return PutInPlace(fresh, path, written && stored && closed);
}

bool CopyFileSafely(const std::string& from, const std::string& folder, const std::string& to) {
  SysFile source;
  if (!SysOpenForReading(from, source)) return false;
  SysFile target;
  std::string fresh;
  if (!SysCreateTemporaryFile(folder, fresh, target)) {
    SysClose(source);
    return false;
  }
  const bool copied = CopyBytes(source, target);
  SysClose(source);
  const bool stored = copied && SysFlush(target);
  const bool closed = SysClose(target);
  return PutInPlace(fresh, to, copied && stored && closed);
}
