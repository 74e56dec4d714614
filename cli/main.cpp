// corvane-calc: the forward and inverse computations of the calculator for
// whole lists of rows, with the calculator's numbers to the last digit.

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "cli/batch_runner.h"
#include "cli/options.h"
#include "cli/row_reader.h"

namespace {

constexpr int kAllComputed = 0;
constexpr int kRowsFailed = 1;
constexpr int kBadUsage = 2;

void Say(int fd, const std::string& text) { calc::WriteAll(fd, text); }

void Complain(const std::string& what) {
  Say(STDERR_FILENO, "corvane-calc: " + what + "\n");
}

int ComputeOne(const calc::Options& options) {
  const calc::RowReader reader(options.settings);
  const std::vector<std::string_view> fields(options.values.begin(),
                                             options.values.end());
  std::string line;
  const bool computed = reader.AnswerFields(fields, line);
  Say(STDOUT_FILENO, line + "\n");
  if (computed) return kAllComputed;
  Complain(line.substr(std::strlen("ERROR: ")));
  return kRowsFailed;
}

// Answers one input; returns the exit status it calls for.
int ComputeStream(const calc::BatchRunner& runner, const std::string& file) {
  const bool isStdin = file == "-";
  const std::string source = isStdin ? "stdin" : file;
  const int fd = isStdin ? STDIN_FILENO : open(file.c_str(), O_RDONLY);
  if (fd < 0) {
    Complain("cannot open " + file + ": " + std::strerror(errno));
    return kBadUsage;
  }
  const calc::BatchOutcome outcome = runner.Run(fd, source);
  if (!isStdin) close(fd);
  if (outcome.readError != 0) {
    Complain("cannot read " + source + ": " + std::strerror(outcome.readError));
    return kBadUsage;
  }
  if (outcome.writeError != 0) {
    Complain(std::string("cannot write: ") + std::strerror(outcome.writeError));
    return kBadUsage;
  }
  return outcome.rowsFailed ? kRowsFailed : kAllComputed;
}

int ComputeStreams(const calc::Options& options) {
  const calc::RowReader reader(options.settings);
  const calc::BatchRunner runner(reader, STDOUT_FILENO, STDERR_FILENO);
  const std::vector<std::string> stdinOnly = {"-"};
  int status = kAllComputed;
  for (const std::string& file :
       options.files.empty() ? stdinOnly : options.files) {
    status = std::max(status, ComputeStream(runner, file));
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const calc::Options options =
      calc::ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!options.error.empty()) {
    Complain(options.error);
    Say(STDERR_FILENO, calc::UsageText());
    return kBadUsage;
  }
  if (options.help) {
    Say(STDOUT_FILENO, calc::UsageText());
    return kAllComputed;
  }
  if (options.version) {
    Say(STDOUT_FILENO, "corvane-calc " CORVANE_VERSION "\n");
    return kAllComputed;
  }
  return options.values.empty() ? ComputeStreams(options) : ComputeOne(options);
}
