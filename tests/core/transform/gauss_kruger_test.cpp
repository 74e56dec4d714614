#include "core/transform/gauss_kruger.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <tuple>

#include "core/transform/projection_zone.h"
#include "core/transform/zone_change.h"

namespace {

using survey::ChangeZone;
using survey::Ellipsoid;
using survey::GaussKruger;
using survey::PlaneXY;
using survey::ProjectionSetup;
using survey::TransformProblem;

constexpr double kTenthMm = 1e-4;
constexpr double kAny = std::numeric_limits<double>::quiet_NaN();  // the value is not checked
constexpr double kMetresPerDegree = 111e3;  // of latitude, near enough for a tolerance
// 30°30'00", 114°20'00"
constexpr double kB = 30.5, kL = 114 + 1 / 3.0;

GaussKruger Make(const ProjectionSetup& setup) {
  const auto made = GaussKruger::Make(setup);
  EXPECT_TRUE(made.ok());
  return made.value();
}

// Printed to 0.1 mm; convergence and point scale, and the figures to the
// nanometre, from GeographicLib's TransverseMercatorProj (the exact
// projection) and PROJ's cs2cs, which agree with each other to them.
TEST(GaussKruger, WorkedCasesOnCgcs2000) {
  for (const auto& [setup, x, y, convergence, scale] : {
           std::tuple{ProjectionSetup{.zone = 38}, 3375588.976606, 531999.730620, 0.169180892704,
                      1.000012626816},
           std::tuple{ProjectionSetup{.zone = 38, .zonePrefix = true}, 3375588.976606,
                      38531999.730620, 0.169180892704, 1.000012626816},
           std::tuple{ProjectionSetup{.centralMeridian = 117.0}, 3378567.207908, 243957.716454,
                      -1.354172478491, 1.000808501685},
           // the zone found from the longitude
           std::tuple{ProjectionSetup{.zonePrefix = true}, 3375588.976606, 38531999.730620,
                      0.169180892704, 1.000012626816},
           std::tuple{ProjectionSetup{.zoneWidth = 6, .zonePrefix = true}, 3378567.207908,
                      20243957.716454, -1.354172478491, 1.000808501685},
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
  EXPECT_EQ(Make({.zonePrefix = true}).Forward(kB, kL).value().zone, 38);

  // GRS80, no false easting, k0 1: printed E 222650.796795778, N
  // 110642.229411927; the exact projection gives 222650.7967975856,
  // 110642.2294119332.
  const auto p = Make({.centralMeridian = 0.0, .falseEasting = 0}).Forward(1, 2);
  ASSERT_TRUE(p.ok());
  EXPECT_NEAR(p.value().y, 222650.7967975856, 1e-8);
  EXPECT_NEAR(p.value().x, 110642.2294119332, 1e-8);
}

// The other ellipsoids, a height surface and a scale factor, each against
// TransverseMercatorProj with the ellipsoid's a and f (a + H for the
// surface), zone 38.
TEST(GaussKruger, OtherEllipsoidsHeightSurfaceAndScale) {
  for (const auto& [setup, x, y, scale] : {
           std::tuple{ProjectionSetup{.ellipsoid = Ellipsoid::kBeijing54, .zone = 38},
                      3375648.958059, 532000.268509, 1.000012626807},
           std::tuple{ProjectionSetup{.ellipsoid = Ellipsoid::kXian80, .zone = 38}, 3375590.549678,
                      531999.745692, 1.000012626816},
           std::tuple{ProjectionSetup{.ellipsoid = Ellipsoid::kWgs84, .centralMeridian = 117.0},
                      3378567.208005, 243957.716456, 1.000808501685},
           std::tuple{ProjectionSetup{.zone = 38, .heightSurface = 500}, 3375853.598468,
                      532002.239168, 1.000012626816},
           std::tuple{ProjectionSetup{.zone = 38, .heightSurface = 500, .scale = 0.9999},
                      3375516.013109, 531999.038945, 0.999912625553},
       }) {
    const auto p = Make(setup).Forward(kB, kL);
    ASSERT_TRUE(p.ok());
    EXPECT_NEAR(p.value().x, x, 1e-6);
    EXPECT_NEAR(p.value().y, y, 1e-6);
    EXPECT_NEAR(p.value().pointScale, scale, 1e-12);
  }
}

TEST(ProjectionZone, ZonesAndTheirCentralMeridians) {
  for (const auto& [longitude, width, zone, meridian] : {
           std::tuple{114.34, 3, 38, 114.0},
           std::tuple{112.5, 3, 38, 114.0},  // on an edge: the eastern zone
           std::tuple{115.5, 3, 39, 117.0},
           std::tuple{114.34, 6, 20, 117.0},
           std::tuple{120.0, 6, 21, 123.0},
           std::tuple{0.0, 6, 1, 3.0},
           std::tuple{-1.0, 6, 60, 357.0 - 360},
           std::tuple{-1.0, 3, 120, 0.0},
           std::tuple{180.0, 6, 31, -177.0},
           std::tuple{-177.0, 6, 31, -177.0},
           std::tuple{474.34, 3, 38, 114.0},
       }) {
    EXPECT_EQ(survey::ZoneOfLongitude(longitude, width), zone) << longitude << " " << width;
    EXPECT_EQ(survey::CentralMeridianOf(zone, width), meridian) << zone;
  }
  EXPECT_EQ(survey::ZoneOfMeridian(117, 3), 39);
  EXPECT_EQ(survey::ZoneOfMeridian(117, 6), 20);
  EXPECT_EQ(survey::ZoneOfMeridian(114, 6), std::nullopt);
  EXPECT_EQ(survey::ZoneOfMeridian(114.5, 3), std::nullopt);
}

TEST(GaussKruger, RoundTripsAndZoneChangesOnRandomPointsComeBackToATenthOfAMillimetre) {
  std::mt19937_64 random(38);
  std::uniform_real_distribution<double> latitude(18, 54), across(-1.5, 1.5), wide(-3, 3);
  const GaussKruger zone38 = Make({.zone = 38, .zonePrefix = true});
  const GaussKruger zone39 = Make({.zone = 39});
  const GaussKruger zone20of6 = Make({.zoneWidth = 6, .zone = 20});
  const GaussKruger city = Make({.ellipsoid = Ellipsoid::kXian80, .centralMeridian = 114.5,
                                 .heightSurface = 1200, .scale = 0.99995});
  for (int i = 0; i < 1000; ++i) {
    const double b = latitude(random), l = 114 + across(random);
    for (const GaussKruger* gk : {&zone38, &zone39, &zone20of6, &city}) {
      const auto p = gk->Forward(b, l);
      ASSERT_TRUE(p.ok());
      const auto g = gk->Inverse({p.value().x, p.value().y});
      ASSERT_TRUE(g.ok());
      EXPECT_NEAR(g.value().latitude, b, kTenthMm / kMetresPerDegree);
      EXPECT_NEAR((g.value().longitude - l) * std::cos(b * M_PI / 180), 0,
                  kTenthMm / kMetresPerDegree);
    }
    // 3° zone 38 to 39 and back; 6° zone 20 to 3° zone 39 and back.
    const PlaneXY in38{zone38.Forward(b, l).value().x, zone38.Forward(b, l).value().y};
    const auto to39 = ChangeZone(zone38, zone39, in38);
    ASSERT_TRUE(to39.ok());
    const auto back = ChangeZone(zone39, zone38, {to39.value().x, to39.value().y});
    ASSERT_TRUE(back.ok());
    EXPECT_NEAR(back.value().x, in38.x, kTenthMm);
    EXPECT_NEAR(back.value().y, in38.y, kTenthMm);
    const double l6 = 117 + wide(random);
    const PlaneXY in20{zone20of6.Forward(b, l6).value().x, zone20of6.Forward(b, l6).value().y};
    const auto to3 = ChangeZone(zone20of6, zone39, in20);
    ASSERT_TRUE(to3.ok());
    const auto back6 = ChangeZone(zone39, zone20of6, {to3.value().x, to3.value().y});
    ASSERT_TRUE(back6.ok());
    EXPECT_NEAR(back6.value().x, in20.x, kTenthMm);
    EXPECT_NEAR(back6.value().y, in20.y, kTenthMm);
  }
}

// Zone 38 to 39 of the worked point gives its projection on 117°.
TEST(ZoneChange, WorkedPointIntoTheNextZone) {
  const auto p = ChangeZone(Make({.zone = 38, .zonePrefix = true}), Make({.zone = 39}),
                            {3375588.976606, 38531999.730620});
  ASSERT_TRUE(p.ok());
  EXPECT_NEAR(p.value().x, 3378567.207908, 1e-5);
  EXPECT_NEAR(p.value().y, 243957.716454, 1e-5);
  EXPECT_EQ(p.value().zone, 39);
}

TEST(GaussKruger, RefusesWhatNoZoneServes) {
  const GaussKruger zone38 = Make({.zone = 38});
  for (const auto& [got, problem, value] : {
           std::tuple{zone38.Forward(90.5, 114), TransformProblem::kLatitudeBeyondPole, 90.5},
           std::tuple{zone38.Forward(-91, 114), TransformProblem::kLatitudeBeyondPole, -91.0},
           // latitude and longitude swapped
           std::tuple{zone38.Forward(114.3, 30.5), TransformProblem::kLatitudeBeyondPole, 114.3},
           std::tuple{zone38.Forward(30.5, 119), TransformProblem::kLongitudeOutsideZone, 5.0},
           std::tuple{zone38.Forward(30.5, 109.25), TransformProblem::kLongitudeOutsideZone, -4.75},
           std::tuple{zone38.Forward(NAN, 114), TransformProblem::kNotANumber, kAny},
       }) {
    ASSERT_FALSE(got.ok());
    EXPECT_EQ(got.error().problem, problem);
    if (!std::isnan(value)) {
      EXPECT_DOUBLE_EQ(got.error().value, value);
    }
  }
  // 4.5° from the central meridian is still the zone's.
  EXPECT_TRUE(zone38.Forward(30.5, 118.5).ok());
  EXPECT_TRUE(Make({.zoneWidth = 6, .zone = 20}).Forward(30.5, 126).ok());

  for (const auto& [gk, x, y, problem, value] : {
           // y with its zone number where none is expected
           std::tuple{zone38, 3375588.9766, 38531999.7306, TransformProblem::kLongitudeOutsideZone,
                      kAny},
           std::tuple{Make({.zone = 39, .zonePrefix = true}), 3375588.9766, 38531999.7306,
                      TransformProblem::kZonePrefixMismatch, 38.0},
           std::tuple{Make({.zonePrefix = true}), 3375588.9766, 531999.7306,
                      TransformProblem::kBadZone, 0.0},
           std::tuple{Make({}), 3375588.9766, 531999.7306, TransformProblem::kNoZone, kAny},
           // beyond the pole
           std::tuple{zone38, 10100000.0, 500000.0, TransformProblem::kOffProjection, kAny},
       }) {
    const auto got = gk.Inverse({x, y});
    ASSERT_FALSE(got.ok()) << y;
    EXPECT_EQ(got.error().problem, problem) << y;
    if (!std::isnan(value)) {
      EXPECT_DOUBLE_EQ(got.error().value, value);
    }
  }

  for (const auto& [setup, problem] : {
           std::tuple{ProjectionSetup{.zoneWidth = 4}, TransformProblem::kBadZoneWidth},
           std::tuple{ProjectionSetup{.zone = 121}, TransformProblem::kBadZone},
           std::tuple{ProjectionSetup{.zoneWidth = 6, .zone = 61}, TransformProblem::kBadZone},
           std::tuple{ProjectionSetup{.centralMeridian = 190.0}, TransformProblem::kBadCentralMeridian},
           std::tuple{ProjectionSetup{.centralMeridian = 114.5, .zonePrefix = true},
                      TransformProblem::kNoZoneNumber},
           std::tuple{ProjectionSetup{.zone = 38, .heightSurface = -4e6},
                      TransformProblem::kBadHeightSurface},
           std::tuple{ProjectionSetup{.zone = 38, .scale = 0}, TransformProblem::kBadScale},
           std::tuple{ProjectionSetup{.zone = 38, .falseEasting = NAN}, TransformProblem::kNotANumber},
       }) {
    const auto made = GaussKruger::Make(setup);
    ASSERT_FALSE(made.ok());
    EXPECT_EQ(made.error().problem, problem);
  }
}

}  // namespace
