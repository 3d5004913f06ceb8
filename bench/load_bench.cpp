// Loading and saving the speed-dial file, against a plain read of the same
// bytes, on real files through the POSIX seam. Prints each figure as one line
// "name: value" on stdout; the benchmark library's own table goes to stderr.
//
// Peak memory is measured per case in a fresh process (this program started
// again with --peak), so one case's peak does not hide another's.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>
#include "directory/disk_stamp.h"
#include "directory/safe_file.h"
#include "directory/speed_dial_file.h"
#include "directory/text_file.h"
#include "system/system.h"

namespace {
constexpr int64_t kLongFileSize = 64LL << 20;

struct Case {
  const char* name;       // used in the figures' names
  const char* fileName;
};
constexpr Case kCases[] = {
    {"expected_form", "expected.kw"},
    {"64mib_long_lines", "long_lines.kw"},
};

std::string PathIn(const std::string& folder, const char* name) { return folder + "/" + name; }

bool PutFile(const std::string& path, const std::string& bytes) {
  SysFile file;
  if (!SysOpenForWriting(path, file)) return false;
  bool ok = SysWrite(file, bytes.data(), bytes.size());
  return SysClose(file) && ok;
}

// 200 lines as the telephone software writes them.
std::string ExpectedForm() {
  std::string bytes;
  for (int slot = 0; slot < kFileSlotCount; ++slot) {
    bytes += std::to_string((slot % 10 == 3 ? 1100 : 100) + slot) + ";";
    if (slot % 6 == 5) bytes += ";";
    else bytes += "0" + std::to_string(30123400 + slot) + ";M\xFCller, Hauptstra\xDF" "e " + std::to_string(slot);
    bytes += "\r\n";
  }
  return bytes;
}

// Long lines that mostly have no place in the table: notes with and without
// ";", up to 1 MiB long, with LF, CR and CR LF ends; now and then a short line
// that fills a slot. Returns the length of the longest line.
size_t WriteLongLines(const std::string& path) {
  SysFile file;
  if (!SysOpenForWriting(path, file)) return 0;
  const size_t lengths[] = {900, 15000, 250000, (1u << 20) - 8, 40, 70000};
  const char* ends[] = {"\r\n", "\n", "\r"};
  std::string line;
  int64_t written = 0;
  size_t longest = 0;
  for (int n = 0; written < kLongFileSize; ++n) {
    if (n % 9 == 4) {
      line = std::to_string(100 + n % 200) + ";0815 " + std::to_string(n) + ";Eintrag " + std::to_string(n);
    } else {
      const size_t length = lengths[n % 6];
      line.assign("Notiz ");
      while (line.size() < length) line += (n % 2 ? "abcdefgh ijklmnop qrstuv wxyz " : "Feld;Wert;x\xE4\xF6\xFC ");
      line.resize(length);
    }
    if (written + static_cast<int64_t>(line.size()) + 2 > kLongFileSize)
      line.resize(static_cast<size_t>(kLongFileSize - written - 2));
    longest = std::max(longest, line.size());
    line += ends[n % 3];
    if (n % 3 == 2 && written + static_cast<int64_t>(line.size()) < kLongFileSize) line += "\n";  // CR LF
    SysWrite(file, line.data(), line.size());
    written += static_cast<int64_t>(line.size());
  }
  SysClose(file);
  return longest;
}

int64_t PlainRead(const std::string& path) {
  static std::vector<char> buffer(64 * 1024);
  SysFile file;
  if (!SysOpenForReading(path, file)) return -1;
  int64_t total = 0;
  for (int64_t got; (got = SysRead(file, buffer.data(), buffer.size())) > 0;) total += got;
  SysClose(file);
  return total;
}

int Load(const std::string& path, ProgramState& state) {
  TextFile file;
  if (!OpenForReading(path, file)) return -1;
  int rows = 0;
  LoadDirectory(state, file, [&rows](const std::string&, const std::string&, const std::string&) { ++rows; });
  return rows;
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('/') + 1); }

// A save's rewrite: a fresh file put on the disk, then renamed over output.
bool Save(const ProgramState& state, const std::string& output) {
  return WriteFileSafely(FolderOf(output), output,
                         [&state](TextFile& file) { return WriteDirectory(state, file); });
}

// The rewrite as it was done before: output emptied and written in place,
// nothing forced to the disk. Kept to compare against.
bool SaveInPlace(const ProgramState& state, const std::string& output) {
  TextFile file;
  if (!OpenForWriting(output, file)) return false;
  bool written = WriteDirectory(state, file);
  return CloseTextFile(file) && written;
}

// All the file work of a save: the backup copy, then the rewrite.
bool SaveWithBackup(const ProgramState& state, const std::string& path, const std::string& backup) {
  return CopyFileSafely(path, FolderOf(backup), backup) && Save(state, path);
}

int LoadAndSave(const std::string& path, const std::string& output) {
  ProgramState state;
  int rows = Load(path, state);
  return rows >= 0 && Save(state, output) ? rows : -1;
}

// Keeps the median real and processor time of every benchmark, in milliseconds.
class Collector : public benchmark::ConsoleReporter {
 public:
  struct Times {
    double real = 0, cpu = 0;
  };
  std::map<std::string, Times> millis;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
        millis[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    ConsoleReporter::ReportRuns(runs);
  }
};

// The high-water mark of this process's resident memory, in KiB. Taken from
// /proc rather than getrusage: a started program's ru_maxrss also counts the
// memory of the program that started it.
long OwnPeakKib() {
  FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return -1;
  char row[256];
  long peak = -1;
  while (std::fgets(row, sizeof(row), status))
    if (std::sscanf(row, "VmHWM: %ld", &peak) == 1) break;
  std::fclose(status);
  return peak;
}

// Peak resident memory in KiB of this program started again for one case.
long PeakOfCase(const std::string& self, const std::string& what, const std::string& folder,
                const Case& c) {
  const std::string command = "'" + self + "' --peak " + what + " '" + PathIn(folder, c.fileName) +
                              "' '" + PathIn(folder, "peak_out.kw") + "'";
  FILE* child = popen(command.c_str(), "r");
  if (!child) return -1;
  long peak = -1;
  if (std::fscanf(child, "%ld", &peak) != 1) peak = -1;
  return pclose(child) == 0 ? peak : -1;
}

int PeakMode(const std::string& what, const std::string& path, const std::string& output) {
  bool ok = what == "idle" || (what == "plain_read" && PlainRead(path) >= 0) ||
            (what == "load_save" && LoadAndSave(path, output) >= 0);
  std::printf("%ld\n", OwnPeakKib());
  return ok ? 0 : 1;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], "--peak") == 0) return PeakMode(argv[2], argv[3], argv[4]);

  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/rufdepot_bench_XXXXXX";
  std::vector<char> folderName(pattern.begin(), pattern.end());
  folderName.push_back('\0');
  if (!mkdtemp(folderName.data())) {
    std::perror("mkdtemp");
    return 1;
  }
  const std::string folder = folderName.data();
  const std::string output = PathIn(folder, "out.kw");
  if (!PutFile(PathIn(folder, kCases[0].fileName), ExpectedForm())) return 1;
  const size_t longest = WriteLongLines(PathIn(folder, kCases[1].fileName));

  for (const Case& c : kCases) {
    const std::string path = PathIn(folder, c.fileName);
    const int64_t size = FileSizeOf(path);
    auto add = [&c, size](const char* what, std::function<void()> run) {
      benchmark::RegisterBenchmark((std::string(what) + "/" + c.name).c_str(),
                                   [run, size](benchmark::State& state) {
                                     for (auto _ : state) run();
                                     state.SetBytesProcessed(state.iterations() * size);
                                   })
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime()
          ->Repetitions(5)  // the median of five: other work on the machine spoils single runs
          ->ReportAggregatesOnly(true);
    };
    add("plain_read", [path] { benchmark::DoNotOptimize(PlainRead(path)); });
    add("load", [path] {
      ProgramState state;
      benchmark::DoNotOptimize(Load(path, state));
    });
    auto loaded = std::make_shared<ProgramState>();
    Load(path, *loaded);
    add("save", [loaded, output] { benchmark::DoNotOptimize(Save(*loaded, output)); });
    add("save_in_place", [loaded, output] { benchmark::DoNotOptimize(SaveInPlace(*loaded, output)); });
    const std::string backup = PathIn(folder, "backup.kw");
    add("save_with_backup", [loaded, output, backup] {
      benchmark::DoNotOptimize(SaveWithBackup(*loaded, output, backup));
    });
    add("load_save", [path, output] { benchmark::DoNotOptimize(LoadAndSave(path, output)); });
    // The extra read of the file's bytes at loading and around each save.
    add("stamp", [path] { benchmark::DoNotOptimize(ReadDisk(path).stamp.hash); });
  }

  benchmark::Initialize(&argc, argv);
  Collector collector;
  collector.SetOutputStream(&std::cerr);
  collector.SetErrorStream(&std::cerr);
  benchmark::RunSpecifiedBenchmarks(&collector);
  benchmark::Shutdown();

  char self[4096] = {};
  ssize_t selfLength = readlink("/proc/self/exe", self, sizeof(self) - 1);
  const std::string selfPath = selfLength > 0 ? std::string(self, static_cast<size_t>(selfLength)) : argv[0];

  std::printf("longest_line_kib: %.1f\n", static_cast<double>(longest) / 1024.0);
  for (const Case& c : kCases) {
    auto times = [&](const char* what) { return collector.millis[std::string(what) + "/" + c.name]; };
    auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
    const auto plain = times("plain_read"), load = times("load"), save = times("save"),
               both = times("load_save"), inPlace = times("save_in_place"),
               withBackup = times("save_with_backup");
    std::printf("file_size_kib_%s: %.1f\n", c.name,
                static_cast<double>(FileSizeOf(PathIn(folder, c.fileName))) / 1024.0);
    std::printf("plain_read_ms_%s: %.3f\n", c.name, plain.real);
    std::printf("load_ms_%s: %.3f\n", c.name, load.real);
    std::printf("save_ms_%s: %.3f\n", c.name, save.real);
    std::printf("save_in_place_ms_%s: %.3f\n", c.name, inPlace.real);
    std::printf("save_with_backup_ms_%s: %.3f\n", c.name, withBackup.real);
    std::printf("load_save_ms_%s: %.3f\n", c.name, both.real);
    std::printf("load_save_ratio_%s: %.2f\n", c.name, ratio(both.real, plain.real));
    std::printf("load_save_cpu_ratio_%s: %.2f\n", c.name, ratio(both.cpu, plain.cpu));
    std::printf("load_ratio_%s: %.2f\n", c.name, ratio(load.real, plain.real));
    std::printf("stamp_ms_%s: %.3f\n", c.name, times("stamp").real);
    std::printf("stamp_ratio_%s: %.2f\n", c.name, ratio(times("stamp").real, plain.real));
  }
  std::printf("peak_memory_kib_idle_process: %ld\n", PeakOfCase(selfPath, "idle", folder, kCases[0]));
  for (const Case& c : kCases) {
    std::printf("peak_memory_kib_plain_read_%s: %ld\n", c.name, PeakOfCase(selfPath, "plain_read", folder, c));
    std::printf("peak_memory_kib_load_save_%s: %ld\n", c.name, PeakOfCase(selfPath, "load_save", folder, c));
  }

  for (const char* name : {kCases[0].fileName, kCases[1].fileName, "out.kw", "peak_out.kw", "backup.kw"})
    SysDeleteFile(PathIn(folder, name));
  rmdir(folder.c_str());
  return 0;
}
