// Start-up of the program file against a bare Qt program that builds the
// same window: both offscreen, each closed as soon as its window is up and
// its created work has run, in pairs of runs one right after the other,
// taking turns at going first. Prints the median of the pairs' CPU time
// (user + system) ratios and the difference of the medians of peak resident
// memory, and fails when one misses its target. Comparing each run with its
// neighbour keeps a burst of other work on the machine to the pairs it falls
// in, where separate medians of each side would both move with it.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int kRuns = 51;
constexpr double kMaxCpuRatio = 1.08;
constexpr double kMaxExtraMemoryMib = 2.0;

struct Usage {
  double cpu_seconds = 0;
  double peak_mib = 0;
};

// One run of `program` with the offscreen platform and `extra` in its environment.
bool run(const std::string& program, const std::vector<std::string>& extra, Usage& usage) {
  std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen", "WINAPI_MSGBOX=stderr"};
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    if (!entry.starts_with("QT_QPA_PLATFORM=") && !entry.starts_with("LYB_CLOSE_AFTER_MS=")) {
      env.push_back(entry);
    }
  }
  env.insert(env.end(), extra.begin(), extra.end());
  std::vector<char*> envp;
  for (std::string& entry : env) {
    envp.push_back(entry.data());
  }
  envp.push_back(nullptr);
  std::string path = program;
  char* argv[] = {path.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
    std::fprintf(stderr, "cannot start %s\n", path.c_str());
    return false;
  }
  int status = 0;
  rusage used{};
  if (wait4(pid, &status, 0, &used) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s did not end normally (status 0x%x)\n", path.c_str(), status);
    return false;
  }
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
  };
  usage.cpu_seconds = seconds(used.ru_utime) + seconds(used.ru_stime);
  usage.peak_mib = static_cast<double>(used.ru_maxrss) / 1024;  // ru_maxrss is in KiB
  return true;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

bool report(const char* what, double value, bool within, const char* target) {
  std::printf("%-40s %8.3f   target %s  %s\n", what, value, target, within ? "met" : "MISSED");
  return within;
}

}  // namespace

int main() {
  const std::string program = LYB_PROGRAM_FILE;
  const std::string bare = LYB_BARE_WINDOW;
  std::vector<double> program_cpu, bare_cpu, program_peak, bare_peak;
  Usage usage;
  // A first run of each fills the page cache and Qt's font cache.
  if (!run(program, {"LYB_CLOSE_AFTER_MS=0"}, usage) || !run(bare, {}, usage)) {
    return 1;
  }
  std::vector<double> cpu_ratios;
  for (int i = 0; i < kRuns; ++i) {
    Usage program_usage;
    Usage bare_usage;
    const bool program_first = i % 2 == 0;
    if (program_first && !run(program, {"LYB_CLOSE_AFTER_MS=0"}, program_usage)) {
      return 1;
    }
    if (!run(bare, {}, bare_usage)) {
      return 1;
    }
    if (!program_first && !run(program, {"LYB_CLOSE_AFTER_MS=0"}, program_usage)) {
      return 1;
    }
    program_cpu.push_back(program_usage.cpu_seconds);
    program_peak.push_back(program_usage.peak_mib);
    bare_cpu.push_back(bare_usage.cpu_seconds);
    bare_peak.push_back(bare_usage.peak_mib);
    cpu_ratios.push_back(program_usage.cpu_seconds / bare_usage.cpu_seconds);
  }
  std::printf(
      "%d interleaved runs, medians: program %.3f s CPU, %.1f MiB peak; "
      "bare Qt program %.3f s CPU, %.1f MiB peak\n",
      kRuns, median(program_cpu), median(program_peak), median(bare_cpu), median(bare_peak));
  const double cpu = median(cpu_ratios);
  const double extra = median(program_peak) - median(bare_peak);
  bool ok = report("start-up CPU, program / bare (pairs)", cpu, cpu <= kMaxCpuRatio, "<= 1.08");
  ok &= report("peak memory, program - bare (MiB)", extra, extra <= kMaxExtraMemoryMib, "<= 2.0");
  return ok ? 0 : 1;
}
