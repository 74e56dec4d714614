#include "core/setup/free_station.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "core/packed_angle.h"
#include "core/setup/station_start.h"

namespace {

using survey::ComputeFreeStation;
using survey::PlanePoint;
using survey::SetupProblem;
using survey::Sighting;

// The longer figures below, beside the printed ones, are from a separate
// adjustment written for these tests (the same model, double precision).
TEST(FreeStation, WorkedCasesComeOutAsPrinted) {
  const std::vector<Sighting> withDistances = {
      {{6484.4043, 8304.5835}, 0.0000, 299.991},   {{6435.1639, 8313.2660}, 0.0010, 250.008},
      {{6388.962, 8356.6683}, 9.5955, 200.010},    {{6488.962, 8356.678}, 10.0010, 300.005},
      {{6335.6841, 8387.8647}, 21.5952, 149.995},  {{5938.962, 8789.6907}, 130.0008, 500.006},
      {{6070.7851, 8377.5158}, 179.5955, 119.993}, {{5788.962, 8356.678}, 190.0005, 400.010},
      {{6001.0235, 8288.2740}, 209.5956, 199.992}, {{6188.962, 8006.678}, 280.0006, 350.005},
      {{6464.7082, 8308.0565}, 359.5956, 280.004}};
  const auto free = ComputeFreeStation(withDistances, {2.0, 5.0, 2.0});
  ASSERT_TRUE(free.ok());
  const survey::FreeStation& got = free.value();
  // Printed: (6188.9593, 8356.6768), mX 3.5 mm, mY 1.7 mm, A +2.9" / +11.4 mm,
  // F -3.8" / -12.7 mm. The a-priori errors alone would be 1.4 and 0.7 mm:
  // the printed ones are a-posteriori (sigma0 2.485).
  EXPECT_NEAR(got.station.x, 6188.9593116, 1e-6);
  EXPECT_NEAR(got.station.y, 8356.6768322, 1e-6);
  EXPECT_NEAR(got.orientation, 349.5958194992, 1e-9);
  EXPECT_NEAR(got.mxMm, 3.51942, 1e-4);
  EXPECT_NEAR(got.myMm, 1.65497, 1e-4);
  EXPECT_NEAR(got.orientationSeconds, 1.53074, 1e-4);
  EXPECT_NEAR(got.residuals[0].seconds, 2.88136, 1e-4);
  EXPECT_NEAR(*got.residuals[0].distanceMm, 11.42735, 1e-4);
  EXPECT_NEAR(got.residuals[7].seconds, -3.78613, 1e-4);
  EXPECT_NEAR(*got.residuals[7].distanceMm, -12.68838, 1e-4);

  const std::vector<Sighting> resection = {{{247985.580, 658031.813}, 22.4556, {}},
                                           {{247759.380, 657638.800}, 164.3859, {}},
                                           {{247431.381, 658077.700}, 96.2312, {}}};
  const auto resected = ComputeFreeStation(resection);
  ASSERT_TRUE(resected.ok());
  const survey::FreeStation& exact = resected.value();
  // Printed: (247973.2414, 657871.9494). No redundancy: residuals 0, the
  // errors a-priori.
  EXPECT_NEAR(exact.station.x, 247973.2414164, 1e-6);
  EXPECT_NEAR(exact.station.y, 657871.9494320, 1e-6);
  EXPECT_NEAR(exact.orientation, 62.4915579537, 1e-9);
  EXPECT_NEAR(exact.myMm, 32.0176, 1e-3);
  for (const survey::TargetResidual& residual : exact.residuals) {
    EXPECT_EQ(residual.seconds, 0.0);
    EXPECT_EQ(residual.lateralMm, 0.0);
  }
}

// What a perfect instrument on `station`, its circle's zero at azimuth
// `zero` (true degrees), shows to each point; a distance to the first
// `distances` of them.
std::vector<Sighting> Perfect(PlanePoint station, double zero,
                              const std::vector<PlanePoint>& points, std::size_t distances = 0) {
  std::vector<Sighting> sightings;
  for (const PlanePoint& p : points) {
    const double dx = p.x - station.x, dy = p.y - station.y;
    const double degrees = std::atan2(dy, dx) * 180.0 / std::numbers::pi - zero;
    Sighting s{p, survey::DegreesToPacked(std::fmod(degrees + 720.0, 360.0)), {}};
    if (sightings.size() < distances) s.distance = std::hypot(dx, dy);
    sightings.push_back(s);
  }
  return sightings;
}

TEST(FreeStation, StartsFromTwoDistancesExactly) {
  const auto start =
      survey::FindStationStart(Perfect({5000, 5000}, 251.25, {{5080, 5310}, {4600, 4980}}, 2));
  ASSERT_TRUE(start.ok());
  EXPECT_NEAR(start.value().station.x, 5000, 1e-9);
  EXPECT_NEAR(start.value().station.y, 5000, 1e-9);
  EXPECT_NEAR(
      std::remainder(start.value().radians - 251.25 * std::numbers::pi / 180, 2 * std::numbers::pi),
      0, 1e-12);
}

TEST(FreeStation, FindsAStationFromPerfectReadings) {
  struct Case {
    PlanePoint station;
    double zero;
    std::vector<PlanePoint> points;
    std::size_t distances;
  };
  const std::vector<PlanePoint> zoned = {
      {3457012.5, 38512201.1}, {3456601.9, 38512880.4}, {3456500.2, 38511990.7}};
  const Case cases[] = {
      // four by direction alone; two with distances; one distance of five
      {{5000, 5000}, 37.5, {{5300, 5100}, {4800, 5400}, {4700, 4650}, {5150, 4500}}, 0},
      {{5000, 5000}, 251.25, {{5080, 5310}, {4600, 4980}}, 2},
      {{5000, 5000}, 0, {{5400, 5000}, {5000, 5600}, {4500, 5100}, {4800, 4300}, {5200, 4900}}, 1},
      // outside the triangle, the circle's zero just west of north; points in
      // one line with the station well off it; a grid with a zone number
      {{1000, 1000}, 359.99, {{1400, 800}, {1200, 1500}, {700, 1300}}, 0},
      {{1000, 1000}, 90, {{1200, 800}, {1200, 1000}, {1200, 1300}}, 0},
      {{3456789.012, 38512345.678}, 123.456, zoned, 0}};
  for (const Case& c : cases) {
    const auto result = ComputeFreeStation(Perfect(c.station, c.zero, c.points, c.distances));
    ASSERT_TRUE(result.ok()) << c.zero;
    const survey::FreeStation& got = result.value();
    EXPECT_NEAR(got.station.x, c.station.x, 1e-5) << c.zero;
    EXPECT_NEAR(got.station.y, c.station.y, 1e-5) << c.zero;
    // The sheet's azimuths run up to 0.011" ahead of true ones.
    EXPECT_LT(std::fabs(std::remainder(got.degrees - c.zero, 360.0) * 3600.0), 0.012) << c.zero;
    // Perfect readings leave sigma0 near 0: the errors stay a-priori.
    EXPECT_GT(got.mxMm, 0.1) << c.zero;
  }
}

TEST(FreeStation, RefusesAStationItCannotVouchForAndUnsoundSightings) {
  // Points on a circle of 200 m about (1000, 1000).
  const auto onCircle = [](double degrees, double radius) {
    const double a = degrees * std::numbers::pi / 180.0;
    return PlanePoint{1000 + radius * std::cos(a), 1000 + radius * std::sin(a)};
  };
  const std::vector<PlanePoint> three = {onCircle(10, 200), onCircle(130, 200), onCircle(250, 200)};
  const std::vector<PlanePoint> four = {three[0], three[1], three[2], onCircle(300, 200)};
  const std::vector<PlanePoint> inLine = {{1100, 1000}, {1250, 1000}, {1400, 1000}};
  const std::vector<PlanePoint> two = {{1100, 1000}, {1000, 1100}};
  // Two sound sightings and a third.
  const auto withThird = [](Sighting third) {
    return std::vector<Sighting>{{{1500, 1000}, 0, {}}, {{1000, 1000}, 90, {}}, third};
  };
  constexpr std::size_t kNone = survey::kNoSighting;
  constexpr SetupProblem kNoConvergence = SetupProblem::kNoConvergence;
  struct Case {
    std::vector<Sighting> sightings;
    SetupProblem problem;
    std::size_t sighting, other = kNone;
  };
  const Case cases[] = {
      // on the danger circle, 1% of its radius inside, four points on it
      {Perfect(onCircle(70, 200), 15, three), SetupProblem::kDangerCircle, kNone},
      {Perfect(onCircle(70, 198), 15, three), SetupProblem::kDangerCircle, kNone},
      {Perfect(onCircle(190, 200), 15, four), SetupProblem::kDangerCircle, kNone},
      // in line with the points (every direction one), half a metre off it
      {Perfect({900, 1000}, 0, inLine), SetupProblem::kTargetsInLine, kNone},
      {Perfect({900, 1000.5}, 0, inLine), SetupProblem::kTargetsInLine, kNone},
      // two points by direction, two and one distance
      {Perfect({1000, 1000}, 0, two), SetupProblem::kTooFewObservations, kNone},
      {Perfect({1000, 1000}, 0, two, 1), SetupProblem::kTooFewObservations, kNone},
      // read from the third point itself: the first two, seen at 0° and 90°
      // from it, put the station there, and its own direction means nothing
      {withThird({{1250, 750}, 45, {}}), SetupProblem::kTargetAtStation, 2},
      // readings no station shows: their lines meet with one point behind
      {{{{700, 100}, 310, {}}, {{100, 100}, 350, {}}, {{600, 700}, 190, {}}},
       kNoConvergence,
       kNone},
      {withThird({{INFINITY, 1000}, 20, {}}), SetupProblem::kBadCoordinate, 2},
      {withThird({{1200, 1000}, NAN, {}}), SetupProblem::kBadReading, 2},
      {withThird({{1200, 1000}, 20, 0.0}), SetupProblem::kBadDistance, 2},
      {withThird({{1500, 1000}, 20, {}}), SetupProblem::kPointTwice, 2, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    const auto result = ComputeFreeStation(c.sightings);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().problem, c.problem);
    EXPECT_EQ(result.error().sighting, c.sighting);
    EXPECT_EQ(result.error().other, c.other);
    if (c.problem == SetupProblem::kDangerCircle || c.problem == SetupProblem::kTargetsInLine) {
      EXPECT_GT(result.error().measure, survey::kWeakestGeometry);
    }
  }
  const std::vector<Sighting> sound = Perfect({1000, 1000}, 0, two, 2);
  for (const survey::StationSigmas sigmas :
       {survey::StationSigmas{0, 2, 2}, {NAN, 2, 2}, {2, -1, 2}, {2, 2, -1}, {2, 0, 0}}) {
    const auto result = ComputeFreeStation(sound, sigmas);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().problem, SetupProblem::kBadSigma);
  }
}

}  // namespace
