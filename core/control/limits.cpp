#include "core/control/limits.h"

#include <cmath>

namespace survey {
namespace {

// The code's ranging standard error for 一级 to 三级, taken for every grade.
constexpr double kDistanceSigmaMm = 15.0;

struct NamedTraverseGrade {
  std::string_view name;
  double angleSeconds;
  double relative;
};

constexpr NamedTraverseGrade kTraverseGrades[] = {
    {"一级", 10.0, 15000.0},
    {"二级", 16.0, 10000.0},
    {"三级", 24.0, 5000.0},
    {"图根", 60.0, 2000.0},
};

struct NamedLevelGrade {
  std::string_view name;
  LevelLimits limits;
};

constexpr NamedLevelGrade kLevelGrades[] = {
    {"三等", {12.0, 4.0}},
    {"四等", {20.0, 6.0}},
    {"等外", {40.0, 12.0}},
    {"图根", {40.0, 12.0}},
};

bool Positive(double value) { return std::isfinite(value) && value > 0.0; }

}  // namespace

ControlOutcome<TraverseLimits> TraverseGrade(std::string_view name) {
  for (const NamedTraverseGrade& grade : kTraverseGrades) {
    if (grade.name == name) return TypedTraverseLimits(grade.angleSeconds, grade.relative);
  }
  return ControlError{ControlProblem::kUnknownGrade};
}

ControlOutcome<TraverseLimits> TypedTraverseLimits(double angleSeconds, double relative) {
  if (!Positive(angleSeconds) || !Positive(relative))
    return ControlError{ControlProblem::kBadLimit};
  return TraverseLimits{angleSeconds, relative, angleSeconds / 2.0, kDistanceSigmaMm};
}

ControlOutcome<LevelLimits> LevelGrade(std::string_view name) {
  for (const NamedLevelGrade& grade : kLevelGrades) {
    if (grade.name == name) return grade.limits;
  }
  return ControlError{ControlProblem::kUnknownGrade};
}

ControlOutcome<LevelLimits> TypedLevelLimits(double perSqrt) {
  if (!Positive(perSqrt)) return ControlError{ControlProblem::kBadLimit};
  return LevelLimits{perSqrt, perSqrt};
}

}  // namespace survey
