#include "core/control/limits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/control/running_share.h"

namespace {

using survey::ControlProblem;

TEST(ControlLimits, UnknownGradesAndLimitsNotAboveZeroAreRefused) {
  // The grades' own figures are checked where they decide a closure (the
  // traverse and levelling tests); here the names and values refused.
  EXPECT_EQ(survey::TraverseGrade("四级").error().problem, ControlProblem::kUnknownGrade);
  EXPECT_EQ(survey::LevelGrade("一级").error().problem, ControlProblem::kUnknownGrade);
  EXPECT_EQ(survey::TypedTraverseLimits(20, 0).error().problem, ControlProblem::kBadLimit);
  EXPECT_EQ(survey::TypedLevelLimits(NAN).error().problem, ControlProblem::kBadLimit);
}

TEST(RunningShare, SharesSumToTheTotalWithTheRemainderWhereTheRunningTotalCrossesAHalf) {
  const struct {
    double total;
    std::vector<double> weights;
    std::vector<std::int64_t> steps;
  } cases[] = {
      {-40, {1, 1, 1, 1, 1, 1}, {-7, -6, -7, -7, -6, -7}},
      {10, {1, 1, 1}, {3, 4, 3}},
      {1, {1, 1, 1, 1}, {0, 1, 0, 0}},
      // 2 * 0.3 / 0.4 is 1.4999999999999998 in doubles: still the half,
      // rounded away from zero.
      {2, {0.3, 0.1}, {2, 0}},
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
