#include "core/setup/orientation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using survey::OrientOnBacksights;
using survey::SetupProblem;
using survey::Sighting;

TEST(OrientationOnBacksights, WeightsEachBacksightByItsDistanceAndAveragesAcrossNorth) {
  // By hand, the first case: from the station (1000, 1000) the backsight B1
  // lies 100 m due north (azimuth 0°), B2 300 m due east, whose azimuth the
  // program's pi makes 90 * pi / 3.1415926 = 90°00'00.0055".
  //   own orientations: B1 0° - 10° = 350°00'00";
  //                     B2 90°00'00.0055" - 100°00'06" = 349°59'54.0055"
  //   weighted by distance: 350° + (100 * 0" + 300 * -5.9945") / 400
  //                         = 350° - 4.4959" = 349°59'55.5041"
  //   residuals, azimuth - orientation - reading:
  //     B1 0° - 349°59'55.5041" - 10° = +4.4959" (a whole turn off),
  //        sideways 4.4959 / 206265 * 100 m = +2.1797 mm
  //     B2 90°00'00.0055" - 349°59'55.5041" - 100°00'06" = -1.4986",
  //        sideways -1.4986 / 206265 * 300 m = -2.1797 mm
  // The others straddle north: own orientations of 359°59'50" and
  // 0°00'10.0055" average to 0°00'00.0028", of 359°59'40" and 0°00'02.0055"
  // to 359°59'51.0028" (not to 180° and so on).
  struct Case {
    const char* what;
    survey::PlanePoint station;
    std::vector<Sighting> backsights;
    double orientation;  // packed
    double seconds[2];
    double lateralMm[2];
  };
  const Case cases[] = {
      {"by hand",
       {1000, 1000},
       {{{1100, 1000}, 10.0000, {}}, {{1000, 1300}, 100.0006, {}}},
       349.595550414513,
       {4.495855, -1.498618},
       {2.179652, -2.179652}},
      {"mean just past north",
       {0, 0},
       {{{100, 0}, 0.0010, {}}, {{0, 100}, 89.5950, {}}},
       0.000000276342,
       {-10.002763, 10.002763},
       {-4.849476, 4.849476}},
      {"mean just short of north",
       {0, 0},
       {{{100, 0}, 0.0020, {}}, {{0, 100}, 89.5958, {}}},
       359.595100276342,
       {-11.002763, 11.002763},
       {-5.334290, 5.334290}},
  };
  for (const Case& c : cases) {
    const auto result = OrientOnBacksights(c.station, c.backsights);
    ASSERT_TRUE(result.ok()) << c.what;
    const survey::Orientation& got = result.value();
    EXPECT_NEAR(got.orientation, c.orientation, 1e-11) << c.what;
    ASSERT_EQ(got.residuals.size(), 2u);
    for (int i = 0; i < 2; ++i) {
      EXPECT_NEAR(got.residuals[i].seconds, c.seconds[i], 1e-6) << c.what << " " << i;
      EXPECT_NEAR(got.residuals[i].lateralMm, c.lateralMm[i], 1e-6) << c.what << " " << i;
      EXPECT_FALSE(got.residuals[i].distanceMm) << c.what;
    }
  }
}

TEST(OrientationOnBacksights, ChecksTheStationWithADistanceWhereOneIsGiven) {
  const std::vector<Sighting> backsights = {{{1100, 1000}, 10.0000, 100.004},
                                            {{1000, 1300}, 100.0006, {}}};
  const auto result = OrientOnBacksights({1000, 1000}, backsights);
  ASSERT_TRUE(result.ok());
  EXPECT_NEAR(result.value().orientation, 349.595550414513, 1e-11);
  ASSERT_TRUE(result.value().residuals[0].distanceMm);
  EXPECT_NEAR(*result.value().residuals[0].distanceMm, -4.0, 1e-9);
}

TEST(OrientationOnBacksights, NeedsTwoBacksights) {
  const std::vector<Sighting> one = {{{1100, 1000}, 10.0, {}}};
  const auto result = OrientOnBacksights({1000, 1000}, one);
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.error().problem, SetupProblem::kTooFewObservations);
}

TEST(OrientationOnBacksights, RefusesABacksightOnTheStation) {
  const std::vector<Sighting> backsights = {{{1100, 1000}, 10.0, {}}, {{1000, 1000}, 20.0, {}}};
  const auto result = OrientOnBacksights({1000, 1000}, backsights);
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.error().problem, SetupProblem::kTargetAtStation);
  EXPECT_EQ(result.error().sighting, 1u);
}

TEST(OrientationOnBacksights, RefusesAStationThatIsNoNumber) {
  const std::vector<Sighting> backsights = {{{1100, 1000}, 10.0, {}}, {{1000, 1300}, 20.0, {}}};
  const auto result = OrientOnBacksights({NAN, 1000}, backsights);
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.error().problem, SetupProblem::kBadCoordinate);
}

}  // namespace
