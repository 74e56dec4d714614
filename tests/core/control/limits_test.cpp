#include "core/control/limits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/control/running_share.h"

namespace {

using survey::ControlProblem;

TEST(ControlLimits, GradesGiveTheCodesLimitsAndUnknownOrZeroOnesAreRefused) {
  const struct {
    const char* name;
    double k, n, angleSigma;
  } traverse[] = {{"一级", 10, 15000, 5},
                  {"二级", 16, 10000, 8},
                  {"三级", 24, 5000, 12},
                  {"图根", 60, 2000, 30}};
  for (const auto& c : traverse) {
    const auto g = survey::TraverseGrade(c.name).value();
    EXPECT_TRUE(g.angleSeconds == c.k && g.relative == c.n && g.angleSigmaSeconds == c.angleSigma &&
                g.distanceSigmaMm == 15.0)
        << c.name;
  }
  const struct {
    const char* name;
    double perKm, perStation;
  } level[] = {{"三等", 12, 4}, {"四等", 20, 6}, {"等外", 40, 12}, {"图根", 40, 12}};
  for (const auto& c : level) {
    const auto g = survey::LevelGrade(c.name).value();
    EXPECT_TRUE(g.perSqrtKm == c.perKm && g.perSqrtStation == c.perStation) << c.name;
  }
  EXPECT_EQ(survey::TraverseGrade("四级").error().problem, ControlProblem::kUnknownGrade);
  EXPECT_EQ(survey::LevelGrade("一级").error().problem, ControlProblem::kUnknownGrade);
  EXPECT_EQ(survey::TypedTraverseLimits(20, 0).error().problem, ControlProblem::kBadLimit);
  EXPECT_EQ(survey::TypedLevelLimits(NAN).error().problem, ControlProblem::kBadLimit);
  EXPECT_EQ(survey::TypedTraverseLimits(20, 8000).value().angleSigmaSeconds, 10.0);
}

TEST(RunningShare, SharesSumToTheTotalWithTheRemainderWhereTheRunningTotalCrossesAHalf) {
  const struct {
    double total;
    std::vector<double> weights;
    std::vector<std::int64_t> steps;
  } cases[] = {
      {-40, {1, 1, 1, 1, 1, 1}, {-7, -6, -7, -7, -6, -7}},
      {-30, {6, 5, 5, 4}, {-9, -8, -7, -6}},
      {10, {1, 1, 1}, {3, 4, 3}},
      {1, {1, 1, 1, 1}, {0, 1, 0, 0}},
      // 2 * 0.3 / 0.4 is 1.4999999999999998 in doubles: still the half,
      // rounded away from zero.
      {2, {0.3, 0.1}, {2, 0}},
      {-2, {0.3, 0.1}, {-2, 0}},
      // A closure that is not a whole unit: its rounded value is shared.
      {-29.6, {1, 1}, {-15, -15}},
  };
  for (const auto& c : cases) {
    const auto totals = survey::ProportionalRunningTotals(c.total, c.weights);
    EXPECT_EQ(totals.back(), c.total);
    EXPECT_EQ(survey::RoundedSteps(totals), c.steps) << c.total;
  }
}

}  // namespace
