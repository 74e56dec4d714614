#include "core/setup/intersection.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using survey::IntersectByAngles;
using survey::IntersectByDistances;
using survey::PlanePoint;
using survey::SetupProblem;
using survey::Side;

constexpr PlanePoint kGps1{23171.431, 55427.021};
constexpr PlanePoint kGps2{23657.763, 55341.626};
constexpr PlanePoint kGps4{23997.311, 55898.704};
constexpr PlanePoint kGps9{23575.902, 55739.227};

// Printed: by angles (23997.362, 55441.321), by distances (23203.136,
// 55652.795), each on the left; the other figures from a separate
// computation written for these tests.
TEST(Intersection, WorkedCasesOnEitherSide) {
  struct Case {
    const char* what;
    survey::SetupOutcome<PlanePoint> got;
    PlanePoint expected;
  };
  const Case cases[] = {
      {"angles, left",
       IntersectByAngles(kGps2, kGps4, 42.16355, 31.22097),
       {23997.3619442, 55441.3210088}},
      {"angles, right",
       IntersectByAngles(kGps2, kGps4, 42.16355, 31.22097, Side::kRight),
       {23590.7542452, 55689.1549404}},
      {"angles, known points swapped, right",
       IntersectByAngles(kGps4, kGps2, 31.22097, 42.16355, Side::kRight),
       {23997.3619442, 55441.3210088}},
      {"distances, left",
       IntersectByDistances(kGps9, kGps1, 382.655, 227.989),
       {23203.1362483, 55652.7946950}},
      {"distances, right",
       IntersectByDistances(kGps9, kGps1, 382.655, 227.989, Side::kRight),
       {23397.8731424, 55400.5079794}},
      // Their point's distance across AB comes out a rounding below 0 squared.
      {"circles that touch", IntersectByDistances({0, 0}, {30, 40}, 0.1, 49.9), {0.06, 0.08}},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(c.got.ok()) << c.what;
    EXPECT_NEAR(c.got.value().x, c.expected.x, 1e-6) << c.what;
    EXPECT_NEAR(c.got.value().y, c.expected.y, 1e-6) << c.what;
  }
}

TEST(Intersection, RefusesRaysThatDoNotMeet) {
  struct Case {
    double angleA, angleB;
    std::size_t sighting;
  };
  const Case cases[] = {
      {0, 30, 0}, {30, -10, 1}, {100, 80, survey::kNoSighting}, {120.3, 59.3, survey::kNoSighting}};
  for (const Case& c : cases) {
    const auto result = IntersectByAngles(kGps2, kGps4, c.angleA, c.angleB);
    ASSERT_FALSE(result.ok()) << c.angleA;
    EXPECT_EQ(result.error().problem, SetupProblem::kNoIntersection) << c.angleA;
    EXPECT_EQ(result.error().sighting, c.sighting) << c.angleA;
  }
}

TEST(Intersection, RefusesCirclesThatDoNotMeet) {
  // Apart, and one within the other.
  for (const auto& [a, b] : {std::pair{30.0, 69.99}, std::pair{10.0, 110.01}}) {
    const auto result = IntersectByDistances({0, 0}, {0, 100}, a, b);
    ASSERT_FALSE(result.ok()) << b;
    EXPECT_EQ(result.error().problem, SetupProblem::kNoIntersection) << b;
  }
}

TEST(Intersection, RefusesUnsoundValues) {
  struct Case {
    survey::SetupOutcome<PlanePoint> got;
    SetupProblem problem;
    std::size_t sighting;
  };
  const Case cases[] = {
      {IntersectByAngles(kGps2, kGps2, 30, 30), SetupProblem::kKnownPointsCoincide,
       survey::kNoSighting},
      {IntersectByDistances(kGps2, kGps2, 30, 30), SetupProblem::kKnownPointsCoincide,
       survey::kNoSighting},
      {IntersectByAngles({NAN, 0}, kGps2, 30, 30), SetupProblem::kBadCoordinate, 0},
      {IntersectByDistances(kGps2, {0, INFINITY}, 30, 30), SetupProblem::kBadCoordinate, 1},
      {IntersectByAngles(kGps2, kGps4, 30, NAN), SetupProblem::kBadReading, 1},
      {IntersectByDistances(kGps2, kGps4, 0, 30), SetupProblem::kBadDistance, 0},
      {IntersectByDistances(kGps2, kGps4, 30, INFINITY), SetupProblem::kBadDistance, 1},
  };
  for (const Case& c : cases) {
    ASSERT_FALSE(c.got.ok());
    EXPECT_EQ(c.got.error().problem, c.problem);
    EXPECT_EQ(c.got.error().sighting, c.sighting);
  }
}

}  // namespace
