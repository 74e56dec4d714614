#include "ui/transform/transform_task.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "core/packed_angle.h"
#include "core/transform/construction_grid.h"
#include "core/transform/zone_change.h"
#include "reader/fields/angle_text.h"
#include "reader/fields/field_splitter.h"
#include "reader/fields/number_text.h"
#include "ui/transform/transform_words.h"

namespace {

using survey::PlaneXY;

constexpr std::size_t kMaxFields = 8;
constexpr std::size_t kProgressEvery = 4096;

// A row's name and numbers, or why it has none.
struct ReadRow {
  std::string name;
  std::array<double, 4> values{};
  std::string problem;
};

bool IsBlankOrComment(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t\r");
  return first == std::string_view::npos || line[first] == '#';
}

// NAME and `count` numbers, the name optional.
ReadRow ReadNumbers(std::string_view line, std::size_t count) {
  ReadRow row;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  std::array<std::string_view, kMaxFields> fields;
  std::string unquoted;
  const reading::SplitLine split = reading::SplitFields(line, fields, unquoted);
  if (split.fault) {
    row.problem = split.fault;
    return row;
  }
  std::size_t at = 0;
  double value = 0;
  if (split.count == count + 1 ||
      (split.count > 0 && reading::ReadFieldNumber(fields[0], value) != reading::FieldNumber::kNumber)) {
    row.name = std::string(fields[0]);
    at = 1;
  }
  if (split.count != count + at) {
    row.problem = FieldCountWords(count, split.count - at);
    return row;
  }
  for (std::size_t i = 0; i < count; ++i) {
    if (reading::ReadFieldNumber(fields[at + i], row.values[i]) != reading::FieldNumber::kNumber) {
      row.problem = NotANumberWords(i, fields[at + i]);
      return row;
    }
  }
  return row;
}

std::string Fixed(double value, int decimals) {
  std::string out;
  reading::AppendFixed(out, value, decimals);
  return out;
}

// A negative angle is written by its size: packed DMS floors its degrees.
std::string Angle(double degrees, int decimals) {
  std::string out = degrees < 0 ? "-" : "";
  reading::AppendAngle(out, survey::DegreesToPacked(std::fabs(degrees)),
                       reading::AngleFormat::kPacked, decimals);
  return out;
}

double Degrees(double typed, bool degrees) {
  return degrees ? typed : std::copysign(survey::PackedToDegrees(std::fabs(typed)), typed);
}

// Each row of the points through `answer`, which fills a line from a row's
// numbers.
template <typename Answer>
void AnswerRows(const TransformTask& task, std::size_t count, const std::atomic<bool>* stop,
                const TransformProgress& progress, TransformAnswer& out, Answer answer) {
  std::string_view rest = task.points;
  std::size_t number = 0;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    const std::string_view line = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    ++number;
    if (number % kProgressEvery == 0) {
      if (stop && *stop) {
        out.stopped = true;
        return;
      }
      if (progress)
        progress(static_cast<int>(100.0 * (task.points.size() - rest.size()) / task.points.size()));
    }
    if (IsBlankOrComment(line)) continue;
    TransformLine shown;
    shown.line = number;
    ReadRow row = ReadNumbers(line, count);
    if (row.problem.empty()) {
      shown.cells.push_back(row.name);
      answer(row, shown);
    }
    if (!row.problem.empty()) {
      shown.what = TransformLine::What::kError;
      shown.problem = row.problem;
      shown.cells.clear();
    }
    out.lines.push_back(std::move(shown));
  }
}

void Plane(TransformLine& shown, PlaneXY point, int decimals) {
  shown.cells.push_back(Fixed(point.x, decimals));
  shown.cells.push_back(Fixed(point.y, decimals));
  shown.point = point;
}

void AnswerGrid(const TransformTask& task, const std::atomic<bool>* stop,
                const TransformProgress& progress, TransformAnswer& out) {
  out.titles = task.inverse ? std::vector<std::string>{"NAME", "A", "B"}
                            : std::vector<std::string>{"NAME", "X", "Y"};
  const auto grid =
      survey::ConstructionGrid::Make(task.origin, task.azimuth);
  if (!grid) return;
  AnswerRows(task, 2, stop, progress, out, [&](ReadRow& row, TransformLine& shown) {
    const PlaneXY in{row.values[0], row.values[1]};
    const PlaneXY answer = task.inverse ? grid->ToGrid(in) : grid->ToSurvey(in);
    Plane(shown, answer, task.decimals);
    if (task.inverse) shown.point.reset();
  });
}

void AnswerApply(const TransformTask& task, const survey::FourParameters& parameters,
                 const std::atomic<bool>* stop, const TransformProgress& progress,
                 TransformAnswer& out) {
  out.titles = {"NAME", "X", "Y"};
  AnswerRows(task, 2, stop, progress, out, [&](ReadRow& row, TransformLine& shown) {
    const PlaneXY in{row.values[0], row.values[1]};
    Plane(shown, task.inverse ? parameters.Inverse(in) : parameters.Forward(in), task.decimals);
  });
}

void AnswerProject(const TransformTask& task, const std::atomic<bool>* stop,
                   const TransformProgress& progress, TransformAnswer& out) {
  const auto projection = survey::GaussKruger::Make(task.projection);
  if (!projection) return;
  out.titles = task.inverse ? std::vector<std::string>{"NAME", "B", "L"}
                            : std::vector<std::string>{"NAME", "X", "Y", "CONVERGENCE", "SCALE"};
  const auto angle = [&](double degrees) {
    return task.degrees ? Fixed(degrees, task.angleDecimals + 2) : Angle(degrees, task.angleDecimals);
  };
  AnswerRows(task, 2, stop, progress, out, [&](ReadRow& row, TransformLine& shown) {
    if (task.inverse) {
      const auto point = projection->Inverse({row.values[0], row.values[1]});
      if (!point) return void(row.problem = TransformProblemWords(point.error()));
      shown.cells.push_back(angle(point->latitude));
      shown.cells.push_back(angle(point->longitude));
      return;
    }
    const auto point = projection->Forward(Degrees(row.values[0], task.degrees),
                                           Degrees(row.values[1], task.degrees));
    if (!point) return void(row.problem = TransformProblemWords(point.error()));
    Plane(shown, {point->x, point->y}, task.decimals);
    shown.cells.push_back(Angle(point->convergence, task.angleDecimals));
    shown.cells.push_back(Fixed(point->pointScale, 8));
  });
}

void AnswerRezone(const TransformTask& task, const std::atomic<bool>* stop,
                  const TransformProgress& progress, TransformAnswer& out) {
  const auto from = survey::GaussKruger::Make(task.projection);
  const auto to = survey::GaussKruger::Make(task.target);
  if (!from || !to) return;
  out.titles = {"NAME", "X", "Y"};
  AnswerRows(task, 2, stop, progress, out, [&](ReadRow& row, TransformLine& shown) {
    const auto point = survey::ChangeZone(*from, *to, {row.values[0], row.values[1]});
    if (!point) return void(row.problem = TransformProblemWords(point.error()));
    Plane(shown, {point->x, point->y}, task.decimals);
  });
}

void AnswerFit(const TransformTask& task, const std::atomic<bool>* stop,
               const TransformProgress& progress, TransformAnswer& out) {
  out.titles = {"NAME", "VX", "VY"};
  std::vector<survey::CommonPoint> common;
  AnswerRows(task, 4, stop, progress, out, [&](ReadRow& row, TransformLine& shown) {
    const std::string key = LeftOutKey(shown);
    shown.leftOut = std::find(task.leftOut.begin(), task.leftOut.end(), key) != task.leftOut.end();
    common.push_back({{row.values[0], row.values[1]}, {row.values[2], row.values[3]}, !shown.leftOut});
  });
  const auto fit = survey::FitFourParameters(common, task.limitMm);
  if (!fit) {
    out.fitProblem = TransformProblemWords(fit.error());
    return;
  }
  std::size_t at = 0;
  for (TransformLine& shown : out.lines) {
    if (shown.what != TransformLine::What::kAnswer) continue;
    const survey::CommonPointResidual& v = fit->residuals[at++];
    shown.cells.push_back(Fixed(v.vxMm, 1));
    shown.cells.push_back(Fixed(v.vyMm, 1));
    shown.overLimit = v.overLimit;
    shown.residualMm = v.lengthMm;
  }
  out.fit = *fit;
}

}  // namespace

std::string LeftOutKey(const TransformLine& line) {
  if (!line.cells.empty() && !line.cells[0].empty()) return line.cells[0];
  return "#" + std::to_string(line.line);
}

TransformAnswer AnswerTask(const TransformTask& task, const std::atomic<bool>* stop,
                           const TransformProgress& progress) {
  TransformAnswer out;
  switch (task.kind) {
    case TransformKind::kGrid:
      AnswerGrid(task, stop, progress, out);
      break;
    case TransformKind::kFit:
      AnswerFit(task, stop, progress, out);
      break;
    case TransformKind::kApply: {
      const auto parameters = survey::FourParameters::Make(
          task.dx, task.dy, task.theta, task.scale);
      if (parameters) AnswerApply(task, *parameters, stop, progress, out);
      break;
    }
    case TransformKind::kProject:
      AnswerProject(task, stop, progress, out);
      break;
    case TransformKind::kRezone:
      AnswerRezone(task, stop, progress, out);
      break;
  }
  return out;
}
