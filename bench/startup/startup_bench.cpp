// Start-up of the calculator against a minimal Qt dialog with the same
// controls: time from process start to the end of the first paint, and the
// peak resident memory, each the median of 10 runs, offscreen. The two
// programs take turns so that a change in machine load hits both alike.

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int kRuns = 10;

struct Run {
  double milliseconds;
  long peakKiB;
};

long long monotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Starts the program, reads the time of its first paint from its stdout and
// its peak memory from the kernel once it has ended.
Run runOnce(const char* program) {
  int out[2];
  if (pipe(out) != 0) throw std::runtime_error("pipe");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  char* argv[] = {const_cast<char*>(program), nullptr};
  pid_t pid = 0;
  const long long start = monotonicNs();
  const int failed = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (failed) throw std::runtime_error(std::string("cannot start ") + program);
  std::string text;
  char buffer[64];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  close(out[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || text.empty())
    throw std::runtime_error(std::string(program) + " did not report its first paint");
  return {(std::stoll(text) - start) / 1e6, usage.ru_maxrss};
}

template <class T>
T median(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Summary {
  double milliseconds;
  double peakKiB;
};

}  // namespace

int main() {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  try {
    runOnce(CALC_PROGRAM);  // warm the file and font caches for both
    runOnce(MINIMAL_PROGRAM);
    std::vector<double> calcMs, minimalMs, calcKiB, minimalKiB;
    for (int i = 0; i < kRuns; ++i) {
      const Run calc = runOnce(CALC_PROGRAM);
      const Run minimal = runOnce(MINIMAL_PROGRAM);
      calcMs.push_back(calc.milliseconds);
      calcKiB.push_back(static_cast<double>(calc.peakKiB));
      minimalMs.push_back(minimal.milliseconds);
      minimalKiB.push_back(static_cast<double>(minimal.peakKiB));
    }
    const Summary calc{median(calcMs), median(calcKiB)};
    const Summary minimal{median(minimalMs), median(minimalKiB)};
    std::printf("start to first paint, median of %d runs (offscreen)\n", kRuns);
    std::printf("  %-16s %8.1f ms  %8.0f KiB peak\n", "calculator", calc.milliseconds,
                calc.peakKiB);
    std::printf("  %-16s %8.1f ms  %8.0f KiB peak\n", "minimal dialog", minimal.milliseconds,
                minimal.peakKiB);
    const double timeRatio = calc.milliseconds / minimal.milliseconds;
    const double memoryRatio = calc.peakKiB / minimal.peakKiB;
    std::printf("  time ratio   %.2fx (goal <= 1.30x) %s\n", timeRatio,
                timeRatio <= 1.3 ? "ok" : "OVER");
    std::printf("  memory ratio %.2fx (goal <= 1.20x) %s\n", memoryRatio,
                memoryRatio <= 1.2 ? "ok" : "OVER");
    return timeRatio <= 1.3 && memoryRatio <= 1.2 ? 0 : 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "startup_bench: %s\n", error.what());
    return 2;
  }
}
