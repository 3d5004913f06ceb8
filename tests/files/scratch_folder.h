// For tests on the real file system: a fresh folder of the test's own under
// the temporary folder, removed with everything in it afterwards, and the
// whole bytes of a file, read and written unchanged.
#pragma once
#include <doctest/doctest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

struct ScratchFolder {
  std::filesystem::path folder;

  // The folder is named prefix-stamp-n; creating it must succeed, so it never
  // holds a leftover of an earlier run or another test.
  explicit ScratchFolder(const std::string& prefix = "rufdepot") {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int n = 0;; ++n) {
      folder = base / (prefix + "-" + std::to_string(stamp) + "-" + std::to_string(n));
      if (std::filesystem::create_directory(folder, error)) break;
      REQUIRE(n < 1000);
    }
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The path of a name in the folder, joined as the program joins a folder
  // and a file name.
  std::string Path(const std::string& name) const { return folder.string() + kSeparator + name; }
  std::string Read(const std::string& name) const { return ReadBytes(Path(name)); }
  // Writes the file and gives its path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    WriteBytes(Path(name), bytes);
    return Path(name);
  }
};
