#include "core/control/limits.h"

#include <gtest/gtest.h>

#include "core/control/running_share.h"

#include <cmath>
#include <vector>

namespace {

using survey::ControlProblem;

TEST(ControlLimits, GradesGiveTheCodesLimitsAndUnknownOrZeroOnesAreRefused) {
  struct Case {
    const char* name;
    double k, n, angleSigma;
  };
  for (const Case& c : {Case{"一级", 10, 15000, 5}, Case{"二级", 16, 10000, 8},
                        Case{"三级", 24, 5000, 12}, Case{"图根", 60, 2000, 30}}) {
    const auto grade = survey::TraverseGrade(c.name);
    ASSERT_TRUE(grade.ok()) << c.name;
    EXPECT_EQ(grade.value().angleSeconds, c.k) << c.name;
    EXPECT_EQ(grade.value().relative, c.n) << c.name;
    EXPECT_EQ(grade.value().angleSigmaSeconds, c.angleSigma) << c.name;
    EXPECT_EQ(grade.value().distanceSigmaMm, 15.0) << c.name;
  }
  struct Level {
    const char* name;
    double perKm, perStation;
  };
  for (const Level& c : {Level{"三等", 12, 4}, Level{"四等", 20, 6}, Level{"等外", 40, 12},
                         Level{"图根", 40, 12}}) {
    const auto grade = survey::LevelGrade(c.name);
    ASSERT_TRUE(grade.ok()) << c.name;
    EXPECT_EQ(grade.value().perSqrtKm, c.perKm) << c.name;
    EXPECT_EQ(grade.value().perSqrtStation, c.perStation) << c.name;
  }
  EXPECT_EQ(survey::TraverseGrade("四级").error().problem, ControlProblem::kUnknownGrade);
  EXPECT_EQ(survey::TraverseGrade("").error().problem, ControlProblem::kUnknownGrade);
  EXPECT_EQ(survey::LevelGrade("一级").error().problem, ControlProblem::kUnknownGrade);
  EXPECT_EQ(survey::TypedTraverseLimits(20, 0).error().problem, ControlProblem::kBadLimit);
  EXPECT_EQ(survey::TypedTraverseLimits(-1, 8000).error().problem, ControlProblem::kBadLimit);
  EXPECT_EQ(survey::TypedLevelLimits(NAN).error().problem, ControlProblem::kBadLimit);
  const auto typed = survey::TypedTraverseLimits(20, 8000);
  EXPECT_EQ(typed.value().angleSigmaSeconds, 10.0);
  EXPECT_EQ(survey::TypedLevelLimits(30).value().perSqrtStation, 30.0);
}

TEST(RunningShare, SharesSumToTheTotalWithTheRemainderWhereTheRunningTotalCrossesAHalf) {
  struct Case {
    double total;
    std::vector<double> weights;
    std::vector<std::int64_t> steps;
  };
  const Case cases[] = {
      {-40, {1, 1, 1, 1, 1, 1}, {-7, -6, -7, -7, -6, -7}},
      {36, {1, 1, 1, 1, 1, 1}, {6, 6, 6, 6, 6, 6}},
      {-30, {6, 5, 5, 4}, {-9, -8, -7, -6}},
      {10, {1, 1, 1}, {3, 4, 3}},
      {-10, {1, 1, 1}, {-3, -4, -3}},
      {1, {1, 1, 1, 1}, {0, 1, 0, 0}},
      // 2 * 0.3 / 0.4 is 1.4999999999999998 in doubles: still the half,
      // and rounded away from zero.
      {2, {0.3, 0.1}, {2, 0}},
      {-2, {0.3, 0.1}, {-2, 0}},
      // A closure that is not a whole unit: its rounded value is shared.
      {-29.6, {1, 1}, {-15, -15}},
  };
  for (const Case& c : cases) {
    const auto totals = survey::ProportionalRunningTotals(c.total, c.weights);
    EXPECT_EQ(totals.back(), c.total);
    EXPECT_EQ(survey::RoundedSteps(totals), c.steps) << c.total;
  }
  EXPECT_EQ(survey::RoundHalfAway(-2.5), -3);
  EXPECT_EQ(survey::RoundHalfAway(2.4999), 2);
}

}  // namespace
