#include "core/target_sight.h"

#include <gtest/gtest.h>

#include "core/field_text.h"

namespace {

using survey::ComputeTargetSight;
using survey::FormatResult;
using survey::HeightSetup;
using survey::SightFault;
using survey::TargetSight;

TEST(TargetSight, WorkedValuesOnThePlaneAndOnTheEarth) {
  const HeightSetup plane{100.0, 1.6, 2.0, false}, level{100.0, 1.5, 1.5, false},
      levelEarth{100.0, 1.5, 1.5, true}, site{1523.456, 1.552, 1.3, false},
      siteEarth{1523.456, 1.552, 1.3, true};
  struct Case {
    HeightSetup setup;
    double designHeight, distance;
    const char *heightDifference, *correction, *zenith, *slopeDistance;
  } const cases[] = {
      // By hand: ΔH = 129.6 + 2.0 − 100 − 1.6 = 30, D = 40, a 3-4-5
      // triangle: S = 50, tan z = 40/30, z = 53.130102354° = 53°07′48.368″.
      {plane, 129.6, 40.0, "30.000000", "0.000000", "53.074837", "50.000000"},
      // 30 m below: z = 180° − 53.130102354° = 126°52′11.632″.
      {plane, 69.6, 40.0, "-30.000000", "0.000000", "126.521163", "50.000000"},
      // Level: exactly 90° (the short pi of azimuths would give 90.000001).
      {level, 100.0, 1000.0, "0.000000", "0.000000", "90.000000", "1000.000000"},
      // ΔH = 1526.183 + 1.3 − 1523.456 − 1.552 = 2.475; z = 89°42′58.998″.
      {site, 1526.183, 500.0, "2.475000", "0.000000", "89.425900", "500.006126"},
      // By hand: f = (1 − 0.14)·1000²/(2·6371000) = 860000/12742000
      // = 0.0674933 m, so the target is sighted 0.0675 m below the
      // horizontal: z = 90° + atan(0.0674933/1000) = 90° + 6.74933e-5 rad
      // = 90° + 13.9215″; S = sqrt(1000² + 0.0674933²) = 1000.0000023.
      {levelEarth, 100.0, 1000.0, "0.000000", "0.067493", "90.001392", "1000.000002"},
      // By hand: f = 0.86·500²/12742000 = 0.0168733 m, v = 2.475 − f =
      // 2.4581267 m; v/D = 0.00491625334 rad, atan = that − (that)³/3 =
      // 0.00491621373 rad = 1014.0418″ = 16′54.042″: z = 89°43′05.958″
      // (6.96″ more than without the correction).
      {siteEarth, 1526.183, 500.0, "2.475000", "0.016873", "89.430596", "500.006042"},
  };
  for (const Case& c : cases) {
    const TargetSight sight = ComputeTargetSight(c.setup, c.designHeight, c.distance);
    EXPECT_EQ(sight.fault, SightFault::kNone) << c.zenith;
    EXPECT_EQ(FormatResult(sight.heightDifference), c.heightDifference) << c.zenith;
    EXPECT_EQ(FormatResult(sight.correction), c.correction) << c.zenith;
    EXPECT_EQ(FormatResult(sight.zenith), c.zenith);
    EXPECT_EQ(FormatResult(sight.slopeDistance), c.slopeDistance) << c.zenith;
  }
}

TEST(TargetSight, PointOnTheStationHasNoZenithButItsHeightDifference) {
  const TargetSight sight = ComputeTargetSight({100.0, 1.5, 2.0, true}, 101.25, 0.0);
  EXPECT_EQ(sight.fault, SightFault::kOnStation);
  EXPECT_EQ(sight.heightDifference, 1.75);
  EXPECT_EQ(sight.zenith, 0.0);
  EXPECT_EQ(sight.slopeDistance, 0.0);
}

}  // namespace
