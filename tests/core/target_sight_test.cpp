#include "core/target_sight.h"

#include <gtest/gtest.h>

#include <string>

#include "core/survey.h"

namespace {

using survey::ComputeTargetSight;
using survey::FormatResult;
using survey::HeightSetup;
using survey::SightFault;
using survey::TargetSight;

struct Case {
  HeightSetup setup;
  double designHeight;
  double distance;
  const char* heightDifference;
  const char* zenith;  // packed DMS
  const char* slopeDistance;
};

void ExpectShown(const Case& c) {
  const TargetSight sight = ComputeTargetSight(c.setup, c.designHeight, c.distance);
  const std::string where =
      "H " + FormatResult(c.designHeight) + " D " + FormatResult(c.distance);
  EXPECT_EQ(sight.fault, SightFault::kNone) << where;
  EXPECT_EQ(FormatResult(sight.heightDifference), c.heightDifference) << where;
  EXPECT_EQ(FormatResult(sight.zenith), c.zenith) << where;
  EXPECT_EQ(FormatResult(sight.slopeDistance), c.slopeDistance) << where;
}

TEST(TargetSight, WorkedValuesOnThePlane) {
  const HeightSetup setup{100.0, 1.6, 2.0, false};
  const HeightSetup site{1523.456, 1.552, 1.3, false};
  const Case cases[] = {
      // By hand: ΔH = 129.6 + 2.0 − 100 − 1.6 = 30, D = 40, a 3-4-5
      // triangle: S = 50, tan z = 40/30, z = 53.130102354° = 53°07′48.368″.
      {setup, 129.6, 40.0, "30.000000", "53.074837", "50.000000"},
      // 30 m below: z = 180° − 53.130102354° = 126°52′11.632″.
      {setup, 69.6, 40.0, "-30.000000", "126.521163", "50.000000"},
      // Level: exactly 90° (the short pi of azimuths would give 90.000001).
      {{100.0, 1.5, 1.5, false}, 100.0, 1000.0, "0.000000", "90.000000", "1000.000000"},
      // ΔH = 1526.183 + 1.3 − 1523.456 − 1.552 = 2.475; z = 89°42′58.998″.
      {site, 1526.183, 500.0, "2.475000", "89.425900", "500.006126"},
      {{45.123, 1.552, 1.3, false}, 47.85, 86.437, "2.475000", "88.213552", "86.472427"},
  };
  for (const Case& c : cases) ExpectShown(c);
}

TEST(TargetSight, CurvatureAndRefractionLowerTheSight) {
  const HeightSetup setup{1523.456, 1.552, 1.3, true};
  const Case cases[] = {
      // By hand: f = (1 − 0.14)·1000²/(2·6371000) = 860000/12742000
      // = 0.0674933 m, so the target is sighted 0.0675 m below the
      // horizontal: z = 90° + atan(0.0674933/1000) = 90° + 6.74933e-5 rad
      // = 90° + 13.9215″; S = sqrt(1000² + 0.0674933²) = 1000.0000023.
      {{100.0, 1.5, 1.5, true}, 100.0, 1000.0, "0.000000", "90.001392", "1000.000002"},
      // By hand: f = 0.86·500²/12742000 = 0.0168733 m, v = 2.475 − f =
      // 2.4581267 m; v/D = 0.00491625334 rad, atan = that − (that)³/3 =
      // 0.00491621373 rad = 1014.0418″ = 16′54.042″: z = 89°43′05.958″
      // (8.96″ more than without the correction).
      {setup, 1526.183, 500.0, "2.475000", "89.430596", "500.006042"},
  };
  for (const Case& c : cases) ExpectShown(c);
  EXPECT_EQ(FormatResult(ComputeTargetSight(setup, 1526.183, 500.0).correction), "0.016873");
}

TEST(TargetSight, CorrectionIsSevenCentimetresAtAKilometre) {
  EXPECT_EQ(FormatResult(survey::CurvatureRefraction(1000.0)), "0.067493");
  EXPECT_EQ(FormatResult(survey::CurvatureRefraction(100.0)), "0.000675");
  EXPECT_EQ(survey::CurvatureRefraction(0.0), 0.0);
  EXPECT_EQ(ComputeTargetSight({0, 0, 0, false}, 0, 1000.0).correction, 0.0);
}

TEST(TargetSight, PointOnTheStationHasNoZenithButItsHeightDifference) {
  for (const double distance : {0.0, -0.0}) {
    const TargetSight sight = ComputeTargetSight({100.0, 1.5, 2.0, true}, 101.25, distance);
    EXPECT_EQ(sight.fault, SightFault::kOnStation);
    EXPECT_EQ(sight.heightDifference, 1.75);
    EXPECT_EQ(sight.zenith, 0.0);
    EXPECT_EQ(sight.slopeDistance, 0.0);
  }
}

}  // namespace
