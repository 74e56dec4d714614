#include "ui/transform/transform_task.h"

#include <QString>
#include <algorithm>

#include "core/transform/four_parameter_fit.h"
#include "reader/rows/input_rows.h"
#include "reader/transform/transform_rows.h"
#include "ui/common/row_error_text.h"
#include "ui/transform/transform_words.h"

namespace {

using reading::LineAnswer;

constexpr std::size_t kProgressEvery = 4096;
constexpr char kCsvSeparator = ',';

reading::Mode ModeOf(const TransformTask& task) {
  using reading::Mode;
  switch (task.kind) {
    case TransformKind::kGrid:
      return task.inverse ? Mode::kGridInverse : Mode::kGrid;
    case TransformKind::kFit:
      return Mode::kFourParamFit;
    case TransformKind::kApply:
      return task.inverse ? Mode::kFourParamInverse : Mode::kFourParam;
    case TransformKind::kProject:
      return task.inverse ? Mode::kProjectInverse : Mode::kProject;
    case TransformKind::kRezone:
      break;
  }
  return Mode::kRezone;
}

// The tool's job for the window's task: the same options, so the same rows.
reading::TransformJob JobOf(const TransformTask& task, std::vector<std::string> leaveOut) {
  reading::TransformJob job;
  job.mode = ModeOf(task);
  job.decimals = task.decimals;
  job.azimuthDecimals = task.angleDecimals;
  job.degrees = task.degrees;
  job.grid.origin = task.origin;
  if (task.axisPoint) job.grid.axisPoint = task.axisPoint;
  else job.grid.azimuth = task.azimuth;
  job.parameters = {task.dx, task.dy, task.theta, task.scale};
  job.fit.limitMm = task.limitMm;
  job.fit.leaveOut = std::move(leaveOut);
  job.projection = task.projection;
  job.to = task.target;
  return job;
}

// A row read: its answer, and where it stands among the copied lines.
struct ReadLines {
  std::vector<LineAnswer> rows;
  std::vector<std::size_t> lineOf;  // each row's line in the points, from 1
  std::string csv;                  // the copied lines and the header in place, "\x01" a row
};

// Every line of the points through the rows' reader, as the tool reads an
// input (inputs_rows.h): copied lines kept in place, each row answered.
bool ReadAll(const reading::TransformRows& job, const std::string& points, bool header,
             const std::atomic<bool>* stop, const TransformProgress& progress, ReadLines& read) {
  reading::InputOptions options;
  options.header = header ? &job.comment() : nullptr;
  options.writeHeader = [&job](const LineAnswer& first, std::string& out) {
    LineAnswer comma = first;
    comma.separator = kCsvSeparator;
    job.reader().AppendHeaderLines(job.comment(), comma, out);
  };
  reading::InputRows input(job.reader(), options);
  std::string_view rest = points;
  std::size_t number = 0;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    const std::string_view line = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    if (++number % kProgressEvery == 0) {
      if (stop && *stop) return false;
      if (progress) progress(static_cast<int>(100.0 * (points.size() - rest.size()) / points.size()));
    }
    LineAnswer answer;
    if (!input.Read(line, answer, read.csv)) continue;
    read.csv += '\x01';
    read.rows.push_back(std::move(answer));
    read.lineOf.push_back(number);
  }
  input.Finish(read.csv);
  return true;
}

// A row as the window's table shows it: its columns' texts, or why it has
// no answer in the window's words.
TransformLine LineOf(const reading::RowReader& reader, const LineAnswer& answer, std::size_t line,
                     bool plane) {
  TransformLine shown;
  shown.line = line;
  if (answer.kind != LineAnswer::Kind::kAnswer) {
    shown.what = TransformLine::What::kError;
    if (answer.error.kind == reading::RowError::Kind::kTransform) {
      const std::string name = answer.name.empty() ? std::string() : answer.name + "：";
      shown.problem = name + TransformProblemWords({.problem = answer.error.transformProblem,
                                                    .value = answer.error.transformValue});
      return shown;
    }
    const QString words = RowErrorText(answer.error, line, QString::fromStdString(answer.text));
    const QString place = QStringLiteral("第 %1 行：").arg(line);
    shown.problem = (words.startsWith(place) ? words.mid(place.size()) : words).toStdString();
    return shown;
  }
  for (const reading::AnswerColumn& column : reader.AnswerColumns(true)) {
    std::string text;
    if (column.role == reading::AnswerColumn::Role::kName) text = answer.name;
    else reader.AppendColumn(answer, column, text);
    shown.cells.push_back(std::move(text));
  }
  if (plane && answer.hasPoint) shown.point = survey::PlaneXY{answer.results[0], answer.results[1]};
  return shown;
}

// The CSV: the copied lines in place, each row's line in commas.
template <typename Line>
void FillCsv(const ReadLines& read, std::string& csv, Line line) {
  std::size_t row = 0;
  for (const char c : read.csv) {
    if (c != '\x01') {
      csv += c;
      continue;
    }
    LineAnswer comma = read.rows[row++];
    comma.separator = kCsvSeparator;
    line(comma, csv);
    csv += '\n';
  }
}

void Titles(const reading::RowReader& reader, TransformAnswer& out) {
  for (const reading::AnswerColumn& column : reader.AnswerColumns(true)) out.titles.push_back(column.title);
}

void AnswerRows(const TransformTask& task, const reading::TransformRows& job,
                const std::atomic<bool>* stop, const TransformProgress& progress,
                TransformAnswer& out) {
  ReadLines read;
  if (!ReadAll(job, task.points, true, stop, progress, read)) {
    out.stopped = true;
    return;
  }
  Titles(job.reader(), out);
  const bool plane = task.kind != TransformKind::kProject || !task.inverse;
  const bool toGrid = task.kind == TransformKind::kGrid && task.inverse;
  for (std::size_t i = 0; i < read.rows.size(); ++i)
    out.lines.push_back(LineOf(job.reader(), read.rows[i], read.lineOf[i], plane && !toGrid));
  FillCsv(read, out.csv, [&job](const LineAnswer& row, std::string& csv) {
    job.reader().AppendLine(row, csv);
  });
}

}  // namespace

namespace {

// The common points of rows read, as the fit takes them.
std::vector<survey::CommonPoint> CommonPointsOf(const std::vector<LineAnswer>& rows,
                                                const std::vector<std::string>& leftOut) {
  std::vector<survey::CommonPoint> points;
  for (const LineAnswer& row : rows) {
    if (row.kind != LineAnswer::Kind::kAnswer) continue;
    const bool out = std::find(leftOut.begin(), leftOut.end(), row.name) != leftOut.end();
    points.push_back({{row.results[0], row.results[1]}, {row.results[2], row.results[3]}, !out});
  }
  return points;
}

// The points the user left out that the rows still name: a name no row
// has (renamed since, or deleted) would stop the fit.
std::vector<std::string> StillNamed(const std::vector<LineAnswer>& rows,
                                    const std::vector<std::string>& leftOut) {
  std::vector<std::string> named;
  for (const std::string& name : leftOut) {
    const bool found = std::any_of(rows.begin(), rows.end(), [&name](const LineAnswer& row) {
      return row.kind == LineAnswer::Kind::kAnswer && row.name == name;
    });
    if (found) named.push_back(name);
  }
  return named;
}

// The fit's CSV as corvane-calc fourparam --header writes it: PARAMS, the
// comment and the header row, then the lines in their order.
void FitCsv(const reading::TransformRows& job, const reading::FitAnswer& fit,
            const ReadLines& read, std::string& csv) {
  job.AppendParamsLine(fit, kCsvSeparator, csv);
  csv += '\n' + job.comment() + '\n';
  LineAnswer first;
  first.named = true;
  first.separator = kCsvSeparator;
  job.reader().AppendHeaderRow(first, csv);
  csv += ",MARK\n";
  FillCsv(read, csv, [&job](const LineAnswer& row, std::string& text) {
    job.AppendFitLine(row, text);
  });
}

void AnswerFit(const TransformTask& task, const std::atomic<bool>* stop,
               const TransformProgress& progress, TransformAnswer& out) {
  const auto reading = reading::MakeTransformRows(JobOf(task, {}));
  if (!reading.ok()) return void(out.fitProblem = TransformProblemWords(reading.error()));
  ReadLines read;
  if (!ReadAll(reading.value(), task.points, false, stop, progress, read)) {
    out.stopped = true;
    return;
  }
  const std::vector<std::string> leftOut = StillNamed(read.rows, task.leftOut);
  const auto made = reading::MakeTransformRows(JobOf(task, leftOut));
  if (!made.ok()) return void(out.fitProblem = TransformProblemWords(made.error()));
  const reading::TransformRows& job = made.value();
  Titles(job.reader(), out);
  const std::vector<LineAnswer> given = read.rows;  // before the fit rewrites them
  const reading::FitAnswer fit = job.Fit(read.rows);
  std::size_t point = 0;
  for (std::size_t i = 0; i < read.rows.size(); ++i) {
    const LineAnswer& row = fit.fit ? read.rows[i] : given[i];
    TransformLine line = LineOf(job.reader(), row, read.lineOf[i], false);
    if (line.what == TransformLine::What::kAnswer) {
      line.leftOut = std::find(leftOut.begin(), leftOut.end(), row.name) != leftOut.end();
      if (fit.fit) {
        const survey::CommonPointResidual& residual = fit.fit->residuals[point];
        line.overLimit = residual.overLimit;
        line.residualMm = residual.lengthMm;
      } else {
        line.cells.resize(1);  // the name; no residuals without a fit
      }
      ++point;
    }
    out.lines.push_back(std::move(line));
  }
  FitCsv(job, fit, read, out.csv);
  if (fit.fit) {
    out.fit = *fit.fit;
    return;
  }
  // The fault as a value, for the window's own words.
  const auto again = survey::FitFourParameters(CommonPointsOf(given, leftOut), task.limitMm);
  out.fitProblem = again.ok() ? fit.why : TransformProblemWords(again.error());
}

}  // namespace

std::string LeftOutKey(const TransformLine& line) {
  return line.cells.empty() ? std::string() : line.cells[0];
}

TransformAnswer AnswerTask(const TransformTask& task, const std::atomic<bool>* stop,
                           const TransformProgress& progress) {
  TransformAnswer out;
  if (task.kind == TransformKind::kFit) {
    AnswerFit(task, stop, progress, out);
    return out;
  }
  const auto made = reading::MakeTransformRows(JobOf(task, {}));
  if (!made.ok()) {
    out.problem = TransformProblemWords(made.error());
    return out;
  }
  out.gridAzimuth = made.value().gridAzimuth();
  AnswerRows(task, made.value(), stop, progress, out);
  return out;
}
