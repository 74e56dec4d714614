#include "cli/setup_runner.h"

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "cli/batch_runner.h"
#include "reader/fields/angle_text.h"
#include "reader/fields/number_text.h"
#include "reader/rows/input_rows.h"
#include "reader/sheet/setup_text.h"
#include "reader/sheet/station_setup.h"
#include "reader/text/chunk_reader.h"
#include "reader/text/file_open.h"
#include "reader/text/shown_text.h"

namespace calc {
namespace {

constexpr int kAllComputed = 0;
constexpr int kRowsFailed = 1;
constexpr int kBadUsage = 2;
constexpr std::size_t kNotASighting = static_cast<std::size_t>(-1);

// What an input gives, kept until the setup is worked out: a row as read,
// the lines copied before it, or the place of the --header lines.
struct Line {
  reading::LineAnswer answer;            // a row; or the one the --header lines are for
  std::string copied;                    // lines copied through, each with its "\n"
  bool header = false;                   // the --header lines go here
  std::size_t sighting = kNotASighting;  // its sighting, for a row that read
};

// The rows of every input, read line by line as every input is read
// (reading::InputRows: the lines before its first row, --skip-lines).
class SetupRows {
 public:
  SetupRows(const reading::RowReader& reader, const reading::InputReading& input, bool header,
            int errFd)
      : reader_(reader), input_(input), header_(header), errFd_(errFd) {}

  // Starts the next input; the one before it has ended.
  void Start() {
    Finish();
    // The --header lines go before the first input's first row: their place
    // is kept, the setup they give not known yet.
    reading::InputOptions options{input_.skipLines, nullptr, false, nullptr};
    if (header_ && !headerPlaced_) {
      options.header = &placeholder_;
      options.writeHeader = [this](const reading::LineAnswer& first, std::string& out) {
        Keep(out);
        Line line;
        line.answer = first;
        line.header = true;
        lines_.push_back(std::move(line));
        headerPlaced_ = true;
      };
    }
    rows_.emplace(reader_, options);
  }

  // The input that was read last has ended.
  void Finish() {
    if (!rows_) return;
    std::string copied;
    rows_->Finish(copied);
    Keep(copied);
    rows_.reset();
  }

  // The next line starts a new input within the same stream (inputs
  // joined with cat).
  void StartJoined() {
    std::string copied;
    rows_->StartInput(copied);
    Keep(copied);
  }

  // Reads the input's next line; `where` names it in messages ("stdin:3").
  void Add(std::string_view text, const std::string& where) {
    Line line;
    std::string copied;
    const bool row = rows_->Read(text, line.answer, copied);
    Keep(copied);
    if (!row) return;
    reading::LineAnswer& answer = line.answer;
    if (answer.kind == reading::LineAnswer::Kind::kAnswer) {
      if (sightings_.size() == kMostSightings) {
        answer.kind = reading::LineAnswer::Kind::kError;
        answer.text.clear();
        reading::AppendShown(answer.text, answer.name);
        answer.text += ": a setup takes at most " + std::to_string(kMostSightings) + " sightings";
      } else {
        line.sighting = sightings_.size();
        const double distance = answer.results[1];
        sightings_.push_back({{answer.point.x, answer.point.y},
                              answer.results[0],
                              std::isnan(distance) ? std::nullopt : std::optional(distance)});
        std::string label;
        reading::AppendShown(label, answer.name);
        labels_.push_back(label + " (" + where + ")");
      }
    }
    if (answer.kind == reading::LineAnswer::Kind::kError) {
      failed_ = true;
      WriteAll(errFd_, "corvane-calc: " + where + ": " + answer.text + "\n");
    }
    lines_.push_back(std::move(line));
  }

  std::vector<Line>& lines() { return lines_; }
  const reading::InputReading& input() const { return input_; }
  const std::vector<survey::Sighting>& sightings() const { return sightings_; }
  const std::string& label(std::size_t sighting) const { return labels_[sighting]; }
  bool failed() const { return failed_; }

 private:
  // Lines copied through, as a line of their own.
  void Keep(std::string& copied) {
    if (copied.empty()) return;
    Line line;
    line.copied = std::move(copied);
    copied.clear();
    lines_.push_back(std::move(line));
  }

  const reading::RowReader& reader_;
  reading::InputReading input_;
  bool header_;
  int errFd_;
  std::optional<reading::InputRows> rows_;
  const std::string placeholder_;  // InputRows is told there are --header lines
  bool headerPlaced_ = false;
  std::vector<Line> lines_;
  std::vector<survey::Sighting> sightings_;
  std::vector<std::string> labels_;  // "GPS2 (stdin:3)"
  bool failed_ = false;
};

// Reads the input `file` ("-": standard input) into `rows`; "" or what
// keeps it from being read.
std::string ReadInput(const std::string& file, SetupRows& rows) {
  const bool isStdin = file == "-";
  const std::string source = isStdin ? "stdin" : file;
  const int fd = isStdin ? STDIN_FILENO : reading::OpenToRead(file);
  if (fd < 0) return "cannot open " + file + ": " + std::strerror(errno);
  reading::ChunkReader input(fd, rows.input().encoding);
  rows.Start();
  std::string piece;
  std::size_t number = 0;
  while (input.Next(piece) == reading::ChunkReader::Got::kPiece) {
    if (input.startsInput()) rows.StartJoined();
    for (std::size_t at = 0; at < piece.size();) {
      const std::size_t end = piece.find('\n', at);
      rows.Add(std::string_view(piece).substr(at, end - at),
               source + ":" + std::to_string(++number));
      at = end + 1;
    }
  }
  if (!isStdin) close(fd);
  if (input.failed() != 0) return "cannot read " + source + ": " + std::strerror(input.failed());
  if (!input.refused().empty()) return source + ": " + input.refused();
  return {};
}

// The free station's row: STATION X Y ORIENTATION MX MY.
std::string StationRow(const reading::SetupAnswer& setup, const std::string& name, char separator,
                       int decimals, reading::AngleFormat angleFormat, int angleDecimals) {
  std::string row;
  reading::AppendField(row, name, separator);
  for (const double length : {setup.station.x, setup.station.y}) {
    row += separator;
    reading::AppendFixed(row, length, decimals);
  }
  row += separator;
  reading::AppendAngle(row, setup.orientation, angleFormat, angleDecimals);
  for (const double error : {setup.mxMm, setup.myMm}) {
    row += separator;
    reading::AppendFixed(row, error, decimals);
  }
  return row;
}

// The --header comment line: the setup, or that there is none.
std::string SetupComment(const reading::Sheet& sheet, const std::string& stationName,
                         const survey::SetupOutcome<reading::SetupAnswer>& setup) {
  const int decimals = sheet.settings.decimals;
  const int angleDecimals = sheet.settings.azimuthDecimals.value_or(decimals);
  const reading::AngleFormat angleFormat = sheet.settings.angleFormat;
  const bool free = sheet.settings.mode == reading::Mode::kFreeStation;
  if (!setup.ok()) return free ? "# free station: none" : sheet.headerComment + " / no orientation";
  std::string text = free ? "# free station " : sheet.headerComment;
  const reading::SetupAnswer& answer = setup.value();
  if (free) {
    reading::AppendShown(text, stationName);
    text += " X ";
    reading::AppendFixed(text, answer.station.x, decimals);
    text += " Y ";
    reading::AppendFixed(text, answer.station.y, decimals);
  }
  text += " / orientation ";
  reading::AppendAngle(text, answer.orientation, angleFormat, angleDecimals);
  if (!free) return text;
  text += " / mX ";
  reading::AppendFixed(text, answer.mxMm, decimals);
  text += " mY ";
  reading::AppendFixed(text, answer.myMm, decimals);
  text += " mm / sigma0 ";
  reading::AppendFixed(text, answer.sigma0, 2);
  return text;
}

}  // namespace

namespace {

// Reads the sightings: the values given on the command line, else each file
// in turn (standard input without any). "" or the problem that stops it.
std::string ReadSetupRows(const Options& options, SetupRows& rows) {
  if (!options.values.empty()) {
    rows.Start();
    for (std::size_t i = 0; i < options.values.size(); ++i)
      rows.Add(options.values[i], "value " + std::to_string(i + 1));
    rows.Finish();
    return {};
  }
  const std::vector<std::string> stdinOnly = {"-"};
  for (const std::string& file : options.files.empty() ? stdinOnly : options.files) {
    if (std::string problem = ReadInput(file, rows); !problem.empty()) return problem;
  }
  rows.Finish();
  return {};
}

// Tells on standard error the orientation found, or why there is none (a
// free station only why there is none).
void TellSetup(const reading::RowSettings& settings,
               const survey::SetupOutcome<reading::SetupAnswer>& setup, const std::string& why,
               int errFd) {
  const bool free = settings.mode == reading::Mode::kFreeStation;
  if (!free) {
    std::string said = why;
    if (setup.ok()) {
      said = "orientation ";
      reading::AppendAngle(said, setup.value().orientation, settings.angleFormat,
                           settings.azimuthDecimals.value_or(settings.decimals));
    }
    WriteAll(errFd, "corvane-calc: " + said + "\n");
  } else if (!setup.ok()) {
    WriteAll(errFd, "corvane-calc: " + why + "\n");
  }
}

// A free station's own row, first in the answer: the station, or the error
// that says why there is none; with the separator of the first sighting.
std::string FreeStationLine(const reading::RowSettings& settings, std::vector<Line>& lines,
                            const survey::SetupOutcome<reading::SetupAnswer>& setup,
                            const std::string& stationName, const std::string& why) {
  char separator = ' ';
  for (const Line& line : lines)
    if (line.sighting != kNotASighting) {
      separator = line.answer.separator;
      break;
    }
  const int decimals = settings.decimals;
  std::string out = setup.ok() ? StationRow(setup.value(), stationName, separator, decimals,
                                            settings.angleFormat,
                                            settings.azimuthDecimals.value_or(decimals))
                               : std::string(reading::kErrorPrefix) + why;
  out += '\n';
  return out;
}

// Every line as it came, into `out`: the --header lines in their place, the
// lines copied, each sighting with its residuals (or the error of there
// being no setup), the other rows as they were answered.
void AppendSetupLines(const reading::RowReader& reader, std::vector<Line>& lines, bool free,
                      const survey::SetupOutcome<reading::SetupAnswer>& setup,
                      const std::string& comment, const std::string& why, std::string& out) {
  for (Line& line : lines) {
    reading::LineAnswer& answer = line.answer;
    if (line.header) {
      reader.AppendHeaderLines(comment, answer, out);
      continue;
    }
    if (!line.copied.empty()) {
      out += line.copied;
      continue;
    }
    if (line.sighting != kNotASighting) {
      if (setup.ok()) {
        const survey::TargetResidual& residual = setup.value().residuals[line.sighting];
        answer.results = {residual.seconds,
                          free ? residual.distanceMm.value_or(NAN) : residual.lateralMm, 0.0};
      } else {
        answer.kind = reading::LineAnswer::Kind::kError;
        answer.text.clear();
        reading::AppendShown(answer.text, answer.name);
        answer.text += ": " + why;
      }
    }
    reader.AppendLine(answer, out);
    out += '\n';
  }
}

}  // namespace

int RunSetup(const Options& options, int outFd, int errFd) {
  const reading::Sheet& sheet = options.sheet;
  const reading::RowSettings& settings = sheet.settings;
  const reading::RowReader reader(settings);
  const bool free = settings.mode == reading::Mode::kFreeStation;
  SetupRows rows(reader, sheet.input, options.header, errFd);
  if (const std::string problem = ReadSetupRows(options, rows); !problem.empty()) {
    WriteAll(errFd, "corvane-calc: " + problem + "\n");
    return kBadUsage;
  }

  const reading::OrientedStation& asked = *sheet.oriented;
  const auto setup =
      reading::SolveSetup(free ? nullptr : &settings.station, rows.sightings(), asked.sigmas);
  const std::string stationName = asked.name.empty() ? "STATION" : asked.name;
  std::string why;  // no setup: why
  if (!setup.ok()) {
    why = std::string(free ? "no station: " : "no orientation: ") +
          reading::SetupErrorText(setup.error(), free,
                                  [&rows](std::size_t at) { return rows.label(at); });
  }
  TellSetup(settings, setup, why, errFd);

  std::string out;
  if (free) out += FreeStationLine(settings, rows.lines(), setup, stationName, why);
  const std::string comment = SetupComment(sheet, stationName, setup);
  AppendSetupLines(reader, rows.lines(), free, setup, comment, why, out);
  if (const int error = WriteAll(outFd, out); error != 0) {
    WriteAll(errFd, std::string("corvane-calc: cannot write: ") + std::strerror(error) + "\n");
    return kBadUsage;
  }
  return rows.failed() || !setup.ok() ? kRowsFailed : kAllComputed;
}

}  // namespace calc
