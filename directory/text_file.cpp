#include "directory/text_file.h"

#include <cstdint>
#include <cstring>

namespace {
constexpr size_t kReadBufferSize = 64 * 1024;
constexpr size_t kWriteBufferSize = 4096;
constexpr char kLineStops[3] = {'\r', '\n', '\0'};
constexpr size_t kNotSearched = SIZE_MAX;

// Refills the buffer when it is used up; false at the end or on an error.
bool FillBuffer(TextFile& file) {
  if (file.position < file.filled) return true;
  if (file.readEnded || file.writing || !IsOpen(file.handle)) return false;
  file.buffer.resize(kReadBufferSize);
  int64_t got = SysRead(file.handle, file.buffer.data(), file.buffer.size());
  file.position = 0;
  file.filled = got > 0 ? static_cast<size_t>(got) : 0;
  for (size_t& next : file.nextStop) next = kNotSearched;
  if (got <= 0) file.readEnded = true;
  if (got < 0) file.readFailed = true;
  return got > 0;
}

// The first line end at or after the read position in the filled buffer, or
// filled when the line goes on past it. Each of the three bytes is searched
// with memchr from where its last hit was used up, so every byte is looked
// at once per kind of line end, whatever mix of line ends a file has.
size_t NextLineStop(TextFile& file) {
  const char* data = file.buffer.data();
  size_t stop = file.filled;
  for (int i = 0; i < 3; ++i) {
    size_t& next = file.nextStop[i];
    if (next == kNotSearched || next < file.position) {
      const void* hit = std::memchr(data + file.position, kLineStops[i], file.filled - file.position);
      next = hit ? static_cast<size_t>(static_cast<const char*>(hit) - data) : file.filled;
    }
    if (next < stop) stop = next;
  }
  return stop;
}

bool Flush(TextFile& file) {
  if (file.position == 0) return !file.writeFailed;
  if (!file.writeFailed && !SysWrite(file.handle, file.buffer.data(), file.position))
    file.writeFailed = true;
  file.position = 0;
  return !file.writeFailed;
}

void Reset(TextFile& file, SysFile handle) {
  file = TextFile{};
  file.handle = handle;
}
}  // namespace

bool OpenForReading(const std::string& path, TextFile& file) {
  SysFile handle;
  Reset(file, handle);
  if (!SysOpenForReading(path, handle)) return false;
  file.handle = handle;
  return true;
}

bool OpenForWriting(const std::string& path, TextFile& file) {
  SysFile handle;
  Reset(file, handle);
  if (!SysOpenForWriting(path, handle)) return false;
  file.handle = handle;
  file.writing = true;
  file.buffer.resize(kWriteBufferSize);
  return true;
}

bool OpenTemporaryForWriting(const std::string& folder, std::string& path, TextFile& file) {
  SysFile handle;
  Reset(file, handle);
  if (!SysCreateTemporaryFile(folder, path, handle)) return false;
  file.handle = handle;
  file.writing = true;
  file.buffer.resize(kWriteBufferSize);
  return true;
}

bool AtEndOfFile(TextFile& file) { return !FillBuffer(file); }

void ReadTextLineInto(TextFile& file, std::string& line) {
  line.clear();
  while (FillBuffer(file)) {
    const size_t stop = NextLineStop(file);
    line.append(file.buffer.data() + file.position, stop - file.position);
    file.position = stop;
    if (stop == file.filled) continue;  // the line goes on in the next block
    const char terminator = file.buffer[stop];
    ++file.position;
    if (terminator == '\r' && FillBuffer(file) && file.buffer[file.position] == '\n')
      ++file.position;
    return;
  }
}

std::string ReadTextLine(TextFile& file) {
  std::string line;
  ReadTextLineInto(file, line);
  return line;
}

bool WriteTextLine(TextFile& file, std::string_view text) {
  if (!IsOpen(file.handle) || !file.writing) return false;
  auto put = [&file](const char* data, size_t size) {
    while (size > 0) {
      if (file.position == file.buffer.size() && !Flush(file)) return;
      size_t room = file.buffer.size() - file.position;
      size_t chunk = size < room ? size : room;
      std::copy(data, data + chunk, file.buffer.data() + file.position);
      file.position += chunk;
      data += chunk;
      size -= chunk;
    }
  };
  put(text.data(), text.size());
  put("\r\n", 2);
  return !file.writeFailed;
}

bool FlushTextFile(TextFile& file) {
  if (!IsOpen(file.handle) || !file.writing) return false;
  return Flush(file);
}

bool SyncTextFile(TextFile& file) {
  if (!FlushTextFile(file)) return false;
  return SysFlush(file.handle);
}

bool CloseTextFile(TextFile& file) {
  if (!IsOpen(file.handle)) return false;
  bool written = !file.writing || Flush(file);
  bool closed = SysClose(file.handle);
  bool ok = written && closed;
  Reset(file, SysFile{});
  return ok;
}
