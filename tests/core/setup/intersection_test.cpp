#include "core/setup/intersection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>

namespace {

using survey::IntersectByAngles;
using survey::IntersectByDistances;
using survey::PlanePoint;
using survey::SetupProblem;
using survey::Side;

// Printed: by angles (23997.362, 55441.321), by distances (23203.136,
// 55652.795), each on the left; the longer figures from a separate
// computation written for these tests.
TEST(Intersection, WorkedCasesOnEitherSide) {
  constexpr PlanePoint kGps1{23171.431, 55427.021}, kGps2{23657.763, 55341.626};
  constexpr PlanePoint kGps4{23997.311, 55898.704}, kGps9{23575.902, 55739.227};
  constexpr PlanePoint kByAngles{23997.3619442, 55441.3210088};
  for (const auto& [got, expected] : {
           std::pair{IntersectByAngles(kGps2, kGps4, 42.16355, 31.22097), kByAngles},
           std::pair{IntersectByAngles(kGps2, kGps4, 42.16355, 31.22097, Side::kRight),
                     PlanePoint{23590.7542452, 55689.1549404}},
           // the known points the other way round, and the other side
           std::pair{IntersectByAngles(kGps4, kGps2, 31.22097, 42.16355, Side::kRight), kByAngles},
           std::pair{IntersectByDistances(kGps9, kGps1, 382.655, 227.989),
                     PlanePoint{23203.1362483, 55652.7946950}},
           std::pair{IntersectByDistances(kGps9, kGps1, 382.655, 227.989, Side::kRight),
                     PlanePoint{23397.8731424, 55400.5079794}},
           // circles that touch, their point's distance from AB a rounding below 0 squared
           std::pair{IntersectByDistances({0, 0}, {30, 40}, 0.1, 49.9), PlanePoint{0.06, 0.08}},
       }) {
    ASSERT_TRUE(got.ok()) << expected.x;
    EXPECT_NEAR(got.value().x, expected.x, 1e-6);
    EXPECT_NEAR(got.value().y, expected.y, 1e-6);
  }
}

TEST(Intersection, RefusesWhatDoesNotMeetAndUnsoundValues) {
  constexpr std::size_t kNone = survey::kNoSighting, kFirst = 0, kSecond = 1;
  constexpr PlanePoint kA{0, 0}, kB{0, 100};
  constexpr SetupProblem kApart = SetupProblem::kNoIntersection;
  for (const auto& [got, problem, sighting] : {
           // an angle of 0 or below, angles of 180° and more; circles apart, nested
           std::tuple{IntersectByAngles(kA, kB, 0, 30), kApart, kFirst},
           std::tuple{IntersectByAngles(kA, kB, 30, -10), kApart, kSecond},
           std::tuple{IntersectByAngles(kA, kB, 100, 80), kApart, kNone},
           std::tuple{IntersectByDistances(kA, kB, 30, 69.99), kApart, kNone},
           std::tuple{IntersectByDistances(kA, kB, 10, 110.01), kApart, kNone},
           std::tuple{IntersectByAngles(kA, kA, 30, 30), SetupProblem::kKnownPointsCoincide, kNone},
           std::tuple{IntersectByAngles({NAN, 0}, kB, 30, 30), SetupProblem::kBadCoordinate,
                      kFirst},
           std::tuple{IntersectByDistances(kA, {0, INFINITY}, 3, 3), SetupProblem::kBadCoordinate,
                      kSecond},
           std::tuple{IntersectByAngles(kA, kB, 30, NAN), SetupProblem::kBadReading, kSecond},
           std::tuple{IntersectByDistances(kA, kB, 0, 30), SetupProblem::kBadDistance, kFirst},
           std::tuple{IntersectByDistances(kA, kB, 30, INFINITY), SetupProblem::kBadDistance,
                      kSecond},
       }) {
    ASSERT_FALSE(got.ok());
    EXPECT_EQ(got.error().problem, problem);
    EXPECT_EQ(got.error().sighting, sighting);
  }
}

}  // namespace
