// corvane-calc: the forward and inverse computations of the calculator for
// whole lists of rows, with the calculator's numbers to the last digit,
// setting-out sheets computed the same way, and points along a road.

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "cli/batch_runner.h"
#include "cli/command_line.h"
#include "cli/control_runner.h"
#include "cli/options.h"
#include "cli/road_output.h"
#include "cli/setup_runner.h"
#include "cli/transform_runner.h"
#include "reader/rows/input_rows.h"
#include "reader/rows/mode_rule.h"
#include "reader/rows/row_reader.h"
#include "reader/text/file_open.h"

namespace {

constexpr int kAllComputed = 0;
constexpr int kRowsFailed = 1;
constexpr int kBadUsage = 2;

void Complain(const std::string& what) {
  calc::WriteAll(STDERR_FILENO, "corvane-calc: " + what + "\n");
}

// Writes `text` to standard output; returns `status`, or kBadUsage with a
// message when the text cannot be written.
int Say(const std::string& text, int status) {
  const int error = calc::WriteAll(STDOUT_FILENO, text);
  if (error == 0) return status;
  Complain(std::string("cannot write: ") + std::strerror(error));
  return kBadUsage;
}

int ComputeOne(const calc::Options& options) {
  const reading::RowReader reader(options.sheet.settings);
  const std::vector<std::string_view> fields(options.values.begin(), options.values.end());
  reading::LineAnswer answer;
  reader.ReadFields(fields, answer);
  std::string text;
  if (options.header) reader.AppendHeaderLines(options.sheet.headerComment, answer, text);
  reader.AppendLine(answer, text);
  const bool computed = answer.kind != reading::LineAnswer::Kind::kError;
  if (!computed) Complain(answer.text);
  return Say(text + "\n", computed ? kAllComputed : kRowsFailed);
}

// Answers one input; returns the exit status it calls for. `written` turns
// false when standard output cannot be written; `header` (the --header
// comment line) turns nullptr once the --header lines are written.
int ComputeStream(const calc::BatchRunner& runner, const std::string& file, bool& written,
                  const std::string*& header) {
  const bool isStdin = file == "-";
  const std::string source = isStdin ? "stdin" : file;
  // A file's name as the shell gave its bytes, whatever their encoding.
  const int fd = isStdin ? STDIN_FILENO : reading::OpenToRead(file);
  if (fd < 0) {
    Complain("cannot open " + file + ": " + std::strerror(errno));
    return kBadUsage;
  }
  const calc::BatchOutcome outcome = runner.Run(fd, source, header);
  if (!isStdin) close(fd);
  if (outcome.headerWritten) header = nullptr;
  if (outcome.readError != 0) {
    Complain("cannot read " + source + ": " + std::strerror(outcome.readError));
    return kBadUsage;
  }
  if (!outcome.refused.empty()) {
    Complain(source + ": " + outcome.refused);
    return kBadUsage;
  }
  if (outcome.writeError != 0) {
    written = false;
    Complain(std::string("cannot write: ") + std::strerror(outcome.writeError));
    return kBadUsage;
  }
  return outcome.rowsFailed ? kRowsFailed : kAllComputed;
}

int ComputeStreams(const calc::Options& options) {
  const reading::RowReader reader(options.sheet.settings);
  const calc::BatchRunner runner(reader, STDOUT_FILENO, STDERR_FILENO, options.sheet.input);
  const std::vector<std::string> stdinOnly = {"-"};
  const std::string* header = options.header ? &options.sheet.headerComment : nullptr;
  int status = kAllComputed;
  bool written = true;
  for (const std::string& file : options.files.empty() ? stdinOnly : options.files) {
    status = std::max(status, ComputeStream(runner, file, written, header));
    if (!written) break;  // the rest could not be written either
  }
  return status;
}

// The road's curve table, or its stakes.
int WriteRoad(const calc::Options& options) {
  const reading::RowSettings& settings = options.sheet.settings;
  const reading::RoadDecimals decimals{settings.decimals,
                                       settings.azimuthDecimals.value_or(settings.decimals),
                                       settings.angleFormat};
  const calc::RoadOutcome outcome =
      options.every ? calc::WriteStakes(*options.road, *options.every, decimals, options.header,
                                        STDOUT_FILENO, STDERR_FILENO)
                    : calc::WriteAlignmentTable(*options.road->design, decimals, options.header,
                                                STDOUT_FILENO);
  if (outcome.writeError != 0) {
    Complain(std::string("cannot write: ") + std::strerror(outcome.writeError));
    return kBadUsage;
  }
  return outcome.rowsFailed ? kRowsFailed : kAllComputed;
}

}  // namespace

int main(int argc, char** argv) {
  calc::PrepareStandardStreams();
  const calc::Options options = calc::ParseOptions(calc::CommandLineArguments(argc, argv));
  if (!options.error.empty()) {
    // One line, as GNU tools do: the usage text would scroll it away.
    Complain(options.error);
    calc::WriteAll(STDERR_FILENO, "Try 'corvane-calc --help'.\n");
    return kBadUsage;
  }
  if (options.help) return Say(calc::UsageText(), kAllComputed);
  if (options.version) {
    return Say("corvane-calc " CORVANE_VERSION "\n", kAllComputed);
  }
  if (!options.sheet.checkLine.empty()) Complain(options.sheet.checkLine);
  if (options.sheet.settings.mode == reading::Mode::kFourParamFit) {
    return calc::RunFit(options, STDOUT_FILENO, STDERR_FILENO);
  }
  if (options.transform && !options.transform->gridAzimuth().empty()) {
    Complain("grid azimuth " + options.transform->gridAzimuth());
  }
  if (options.control) return calc::RunControl(options, STDOUT_FILENO, STDERR_FILENO);
  if (reading::AnswersAfterLastRow(options.sheet.settings.mode)) {
    return calc::RunSetup(options, STDOUT_FILENO, STDERR_FILENO);
  }
  if (options.every || options.sheet.settings.mode == reading::Mode::kAlignment) {
    return WriteRoad(options);
  }
  return options.values.empty() ? ComputeStreams(options) : ComputeOne(options);
}
