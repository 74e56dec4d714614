#include "core/transform/gauss_kruger.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <tuple>

#include "core/transform/projection_zone.h"
#include "core/transform/zone_change.h"

namespace {

using survey::ChangeZone;
using survey::Ellipsoid;
using survey::GaussKruger;
using survey::ProjectionSetup;
using survey::TransformProblem;

// 30°30'00", 114°20'00"
constexpr double kB = 30.5, kL = 114 + 1 / 3.0;

GaussKruger Make(const ProjectionSetup& setup) { return GaussKruger::Make(setup).value(); }

// Printed to 0.1 mm; the figures to the micrometre, the convergence and
// the point scale from GeographicLib's TransverseMercatorProj (its exact
// projection), with the ellipsoid's a and f (a + H for a height surface).
TEST(GaussKruger, WorkedCasesBothWays) {
  for (const auto& [setup, x, y, convergence, scale] : {
           std::tuple{ProjectionSetup{.zone = 38}, 3375588.976606, 531999.730620, 0.169180892704,
                      1.000012626816},
           // the zone from the longitude, written in front of y
           std::tuple{ProjectionSetup{.zonePrefix = true}, 3375588.976606, 38531999.730620,
                      0.169180892704, 1.000012626816},
           std::tuple{ProjectionSetup{.centralMeridian = 117.0}, 3378567.207908, 243957.716454,
                      -1.354172478491, 1.000808501685},
           std::tuple{ProjectionSetup{.ellipsoid = Ellipsoid::kBeijing54, .zone = 38},
                      3375648.958059, 532000.268509, 0.169180892701, 1.000012626807},
           std::tuple{ProjectionSetup{.ellipsoid = Ellipsoid::kXian80, .zone = 38}, 3375590.549678,
                      531999.745692, 0.169180892704, 1.000012626816},
           std::tuple{ProjectionSetup{.zone = 38, .heightSurface = 500, .scale = 0.9999},
                      3375516.013109, 531999.038945, 0.169180892704, 0.999912625553},
       }) {
    const auto p = Make(setup).Forward(kB, kL);
    ASSERT_TRUE(p.ok());
    EXPECT_NEAR(p.value().x, x, 1e-6);
    EXPECT_NEAR(p.value().y, y, 1e-6);
    EXPECT_NEAR(p.value().convergence, convergence, 1e-12);
    EXPECT_NEAR(p.value().pointScale, scale, 1e-12);
    // The inverse returns the input to 0.0001".
    const auto g = Make(setup).Inverse({x, y});
    ASSERT_TRUE(g.ok());
    EXPECT_NEAR(g.value().latitude, kB, 1e-4 / 3600);
    EXPECT_NEAR(g.value().longitude, kL, 1e-4 / 3600);
  }
  // GRS80, no false easting: printed E 222650.796795778, N 110642.229411927,
  // 1.8 um and 6 nm from the exact projection's.
  const auto p = Make({.centralMeridian = 0.0, .falseEasting = 0}).Forward(1, 2);
  EXPECT_NEAR(p.value().y, 222650.7967975856, 1e-8);
  EXPECT_NEAR(p.value().x, 110642.2294119332, 1e-8);
  // Zone 38 to 39 gives the projection on 117°.
  const auto q = ChangeZone(Make({.zonePrefix = true}), Make({.zone = 39}),
                            {3375588.976606, 38531999.730620});
  EXPECT_NEAR(q.value().x, 3378567.207908, 1e-5);
  EXPECT_NEAR(q.value().y, 243957.716454, 1e-5);
}

TEST(ProjectionZone, ZonesAndTheirCentralMeridians) {
  for (const auto& [longitude, width, zone, meridian] : {
           std::tuple{112.5, 3, 38, 114.0},  // on an edge: the eastern zone
           std::tuple{114.34, 6, 20, 117.0},
           std::tuple{-1.0, 3, 120, 0.0},
           std::tuple{-177.0, 6, 31, -177.0},
       }) {
    EXPECT_EQ(survey::ZoneOfLongitude(longitude, width), zone) << longitude << " " << width;
    EXPECT_EQ(survey::CentralMeridianOf(zone, width), meridian) << zone;
  }
}

TEST(GaussKruger, RoundTripsAndZoneChangesOnRandomPointsComeBackToATenthOfAMillimetre) {
  std::mt19937_64 random(38);
  std::uniform_real_distribution<double> latitude(18, 54), across(-1.5, 1.5);
  const GaussKruger zone38 = Make({.zone = 38, .zonePrefix = true}), zone39 = Make({.zone = 39});
  const GaussKruger zone20 = Make({.zoneWidth = 6, .zone = 20});
  const GaussKruger city = Make({.ellipsoid = Ellipsoid::kXian80, .centralMeridian = 114.5,
                                 .heightSurface = 1200, .scale = 0.99995});
  constexpr double kTenthMmInDegrees = 1e-4 / 111e3;
  for (int i = 0; i < 1000; ++i) {
    const double b = latitude(random), l = 114 + across(random);
    for (const GaussKruger* gk : {&zone38, &zone20, &city}) {
      const auto p = gk->Forward(b, l).value();
      const auto g = gk->Inverse({p.x, p.y}).value();
      EXPECT_NEAR(g.latitude, b, kTenthMmInDegrees);
      EXPECT_NEAR((g.longitude - l) * std::cos(b * std::numbers::pi / 180), 0, kTenthMmInDegrees);
    }
    // 3° zone 38 to 39 and 6° zone 20 to 3° zone 39, and back
    for (const GaussKruger* from : {&zone38, &zone20}) {
      const auto p = from->Forward(b, l).value();
      const auto there = ChangeZone(*from, zone39, {p.x, p.y}).value();
      const auto back = ChangeZone(zone39, *from, {there.x, there.y}).value();
      EXPECT_NEAR(back.x, p.x, 1e-4);
      EXPECT_NEAR(back.y, p.y, 1e-4);
    }
  }
}

TEST(GaussKruger, RefusesWhatNoZoneServes) {
  const GaussKruger zone38 = Make({.zone = 38});
  for (const auto& [got, problem, value] : {
           // latitude and longitude swapped
           std::tuple{zone38.Forward(114.3, 30.5), TransformProblem::kLatitudeBeyondPole, 114.3},
           std::tuple{zone38.Forward(30.5, 119), TransformProblem::kLongitudeOutsideZone, 5.0},
           std::tuple{zone38.Forward(30.5, 109.25), TransformProblem::kLongitudeOutsideZone, -4.75},
       }) {
    ASSERT_FALSE(got.ok());
    EXPECT_EQ(got.error().problem, problem);
    EXPECT_DOUBLE_EQ(got.error().value, value);
  }
  // 4.5° (one zone width beyond the edge) is still the zone's
  EXPECT_TRUE(zone38.Forward(30.5, 118.5).ok());

  for (const auto& [gk, x, y, problem] : {
           // y with its zone number where none is expected
           std::tuple{zone38, 3375588.9766, 38531999.7306, TransformProblem::kLongitudeOutsideZone},
           std::tuple{Make({.zone = 39, .zonePrefix = true}), 3375588.9766, 38531999.7306,
                      TransformProblem::kZonePrefixMismatch},
           std::tuple{Make({}), 3375588.9766, 531999.7306, TransformProblem::kNoZone},
           std::tuple{zone38, 10100000.0, 500000.0, TransformProblem::kOffProjection},  // beyond the pole
       }) {
    const auto got = gk.Inverse({x, y});
    ASSERT_FALSE(got.ok()) << y;
    EXPECT_EQ(got.error().problem, problem) << y;
  }

  for (const auto& [setup, problem] : {
           std::tuple{ProjectionSetup{.zoneWidth = 6, .zone = 61}, TransformProblem::kBadZone},
           std::tuple{ProjectionSetup{.zone = 38, .centralMeridian = 117.0},
                      TransformProblem::kBadCentralMeridian},
           std::tuple{ProjectionSetup{.centralMeridian = 114.5, .zonePrefix = true},
                      TransformProblem::kNoZoneNumber},
       }) {
    EXPECT_EQ(GaussKruger::Make(setup).error().problem, problem);
  }
}

}  // namespace
