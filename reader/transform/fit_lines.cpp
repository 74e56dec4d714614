// fourparam's answer once every row is read: the fit of the common points,
// each row's residuals and mark.

#include <algorithm>
#include <vector>

#include "reader/text/shown_text.h"
#include "reader/transform/transform_rows.h"

namespace reading {
namespace {

constexpr double kNoMark = 0.0;
constexpr double kOver = 1.0;
constexpr double kOut = 2.0;

std::string Shown(const std::string& name) {
  std::string text;
  AppendShown(text, name);
  return text;
}

// Why there is no fit, in the tool's words, the points named by their rows.
std::string NoFit(const survey::TransformError& error, const std::vector<LineAnswer*>& points) {
  using survey::TransformProblem;
  const auto name = [&](std::size_t at) {
    return at < points.size() && !points[at]->name.empty() ? Shown(points[at]->name)
                                                            : "point " + std::to_string(at + 1);
  };
  switch (error.problem) {
    case TransformProblem::kTooFewPoints: {
      const int used = static_cast<int>(error.value);
      return "no fit: " + std::to_string(used) + " common point" + (used == 1 ? "" : "s") +
             " used, two or more needed";
    }
    case TransformProblem::kIdenticalPoints:
      return "no fit: " + name(error.point) + " and " + name(error.other) +
             " are at one place in one of the systems";
    default:
      return "no fit: " + TransformErrorText(error);
  }
}

}  // namespace

FitAnswer TransformRows::Fit(std::span<LineAnswer> rows) const {
  std::vector<LineAnswer*> points;
  std::vector<survey::CommonPoint> common;
  for (LineAnswer& row : rows) {
    if (row.kind != LineAnswer::Kind::kAnswer) continue;
    points.push_back(&row);
    const bool out = std::find(fit_.leaveOut.begin(), fit_.leaveOut.end(), row.name) !=
                     fit_.leaveOut.end();
    common.push_back({{row.results[0], row.results[1]}, {row.results[2], row.results[3]}, !out});
  }
  FitAnswer answer;
  RowError why;  // the fault as a value, for each row's error
  why.kind = RowError::Kind::kOther;
  for (const std::string& name : fit_.leaveOut) {
    const bool found = std::any_of(points.begin(), points.end(),
                                   [&](const LineAnswer* row) { return row->name == name; });
    if (!found) answer.why = "no fit: no common point " + Shown(name) + " to leave out";
  }
  if (answer.why.empty()) {
    const auto fit = survey::FitFourParameters(common, fit_.limitMm);
    if (fit.ok()) {
      answer.fit = fit.value();
    } else {
      answer.why = NoFit(fit.error(), points);
      why.kind = RowError::Kind::kTransform;
      why.transformProblem = fit.error().problem;
      why.transformValue = fit.error().value == fit.error().value ? fit.error().value : 0.0;
    }
  }
  for (std::size_t i = 0; i < points.size(); ++i) {
    LineAnswer& row = *points[i];
    if (!answer.fit) {
      row.kind = LineAnswer::Kind::kError;
      row.error = why;
      row.text.clear();
      if (!row.name.empty()) row.text = Shown(row.name) + ": ";
      row.text += answer.why;
      continue;
    }
    const survey::CommonPointResidual& residual = answer.fit->residuals[i];
    const double mark = (residual.overLimit ? kOver : kNoMark) + (common[i].used ? kNoMark : kOut);
    row.results = {residual.vxMm, residual.vyMm, mark, 0.0};
  }
  return answer;
}

void TransformRows::AppendFitLine(const LineAnswer& row, std::string& out) const {
  reader().AppendLine(row, out);
  if (row.kind != LineAnswer::Kind::kAnswer || row.results[2] == kNoMark) return;
  static constexpr const char* kMarks[] = {"", "over", "out", "out-over"};
  out += row.separator;
  out += kMarks[static_cast<int>(row.results[2]) & 3];
}

}  // namespace reading
