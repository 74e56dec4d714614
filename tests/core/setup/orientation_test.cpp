#include "core/setup/orientation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

namespace {

using survey::OrientOnBacksights;
using survey::SetupProblem;
using survey::Sighting;

TEST(OrientationOnBacksights, WeightsEachBacksightByItsDistanceAndAveragesAcrossNorth) {
  // From the station (0, 0) the backsight B1 lies 100 m due north (azimuth
  // 0°), B2 300 m due east, whose azimuth the program's pi makes
  // 90 * pi / 3.1415926 = 90°00'00.0055". By hand, the first row:
  //   own orientations: B1 0° - 10° = 350°00'00";
  //                     B2 90°00'00.0055" - 100°00'06" = 349°59'54.0055"
  //   weighted by distance: 350° + (100 * 0" + 300 * -5.9945") / 400
  //                         = 350° - 4.4959" = 349°59'55.5041"
  //   residuals, azimuth - orientation - reading:
  //     B1 0° - 349°59'55.5041" - 10° = +4.4959" (a whole turn off),
  //        sideways 4.4959 / 206265 * 100 m = +2.1797 mm
  //     B2 90°00'00.0055" - 349°59'55.5041" - 100°00'06" = -1.4986",
  //        sideways -1.4986 / 206265 * 300 m = -2.1797 mm
  //   B1's distance, 100.004 m measured, checks the station: -4 mm.
  // The others straddle north: own orientations of -359°59'50" (that is
  // +10") and +0.0055" average to +2.5041", not to 90°; -20" and +2.0055"
  // to -3.4959", that is 359°59'56.5041".
  struct Case {
    double reading1, reading2, orientation, seconds1, seconds2, lateral1, lateral2;
  };
  const Case cases[] = {
      {10.0000, 100.0006, 349.595550414513, 4.495855, -1.498618, 2.179652, -2.179652},
      {359.5950, 90.0000, 0.000250414513, 7.495855, -2.498618, 3.634093, -3.634093},
      {0.0020, 89.5958, 359.595650414513, -16.504145, 5.501382, -8.001435, 8.001435},
  };
  for (const Case& c : cases) {
    const std::vector<Sighting> backsights = {{{100, 0}, c.reading1, 100.004},
                                              {{0, 300}, c.reading2, {}}};
    const auto result = OrientOnBacksights({0, 0}, backsights);
    ASSERT_TRUE(result.ok()) << c.reading1;
    const survey::Orientation& got = result.value();
    EXPECT_NEAR(got.orientation, c.orientation, 1e-11) << c.reading1;
    EXPECT_NEAR(got.residuals[0].seconds, c.seconds1, 1e-6) << c.reading1;
    EXPECT_NEAR(got.residuals[1].seconds, c.seconds2, 1e-6) << c.reading1;
    EXPECT_NEAR(got.residuals[0].lateralMm, c.lateral1, 1e-6) << c.reading1;
    EXPECT_NEAR(got.residuals[1].lateralMm, c.lateral2, 1e-6) << c.reading1;
    EXPECT_NEAR(*got.residuals[0].distanceMm, -4.0, 1e-9);
    EXPECT_FALSE(got.residuals[1].distanceMm);
  }
}

TEST(OrientationOnBacksights, RefusesOneBacksightOneOnTheStationAndAStationThatIsNoNumber) {
  const Sighting north{{100, 0}, 10, {}}, east{{0, 300}, 20, {}}, on{{0, 0}, 20, {}};
  const std::vector<Sighting> one = {north}, withOn = {north, on}, two = {north, east};
  constexpr std::size_t kNone = survey::kNoSighting, kSecond = 1;
  for (const auto& [got, problem, sighting] : {
           std::tuple{OrientOnBacksights({0, 0}, one), SetupProblem::kTooFewObservations, kNone},
           std::tuple{OrientOnBacksights({0, 0}, withOn), SetupProblem::kTargetAtStation, kSecond},
           std::tuple{OrientOnBacksights({NAN, 0}, two), SetupProblem::kBadCoordinate, kNone},
       }) {
    ASSERT_FALSE(got.ok());
    EXPECT_EQ(got.error().problem, problem);
    EXPECT_EQ(got.error().sighting, sighting);
  }
}

}  // namespace
