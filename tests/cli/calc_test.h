#pragma once

// Runs the built corvane-calc as a user or a script does: arguments,
// standard input, and what comes out (standard output, standard error, the
// exit status and the peak memory), in a temporary folder of the test's own.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace calc_test {

namespace fs = std::filesystem;

struct Outcome {
  std::string out;
  std::string err;
  int status = -1;
  long peakKib = 0;
};

inline std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

inline void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class CalcTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("corvane-calc-test-" + std::to_string(getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path File(const std::string& name, const std::string& text) {
    WriteFile(dir_ / name, text);
    return dir_ / name;
  }

  // Where the tool's standard output goes.
  enum class Output { kFile, kFull, kClosed };

  // Runs corvane-calc with `args`, `input` on standard input.
  Outcome Calc(std::vector<std::string> args, const std::string& input = "",
               Output output = Output::kFile) {
    const fs::path in = File("stdin", input);
    const std::string out = (dir_ / "stdout").string();
    const std::string err = (dir_ / "stderr").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    if (output == Output::kClosed) {
      posix_spawn_file_actions_addclose(&actions, 1);
    } else {
      posix_spawn_file_actions_addopen(&actions, 1,
                                       output == Output::kFull ? "/dev/full" : out.c_str(),
                                       O_WRONLY | O_CREAT | O_TRUNC, 0600);
    }
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    args.insert(args.begin(), CORVANE_CALC);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    Outcome run;
    if (posix_spawn(&pid, CORVANE_CALC, &actions, nullptr, argv.data(), environ) == 0) {
      int status = 0;
      rusage usage{};
      wait4(pid, &status, 0, &usage);
      run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      run.peakKib = usage.ru_maxrss;
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = ReadFile(out);
    run.err = ReadFile(err);
    return run;
  }

  fs::path dir_;
};

}  // namespace calc_test
