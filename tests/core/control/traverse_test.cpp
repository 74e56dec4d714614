#include "core/control/traverse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

using survey::AngleSide;
using survey::ControlProblem;
using survey::PlanePoint;
using survey::TraverseInput;
using survey::TraverseKind;
using survey::TraverseStation;

survey::TraverseLimits Grade(const char* name) { return survey::TraverseGrade(name).value(); }

// The attached traverse of the office's example: B to C through 1 to 4,
// left angles, the azimuth into B 237°59'30", out of C 46°45'24".
TraverseInput WorkedTraverse() {
  TraverseInput in;
  in.kind = TraverseKind::kAttached;
  in.start = {2507.698, 1215.637};
  in.end = PlanePoint{2166.646, 1757.344};
  in.azimuthIn = 237.5930;
  in.azimuthOut = 46.4524;
  in.stations = {{99.0100, 225.848, {}},   {167.4536, 139.026, {}}, {123.1124, 172.572, {}},
                 {189.2036, 100.067, {}},  {179.5918, 102.483, {}}, {129.2724, {}, {}}};
  in.limits = Grade("图根");
  return in;
}

// Left angles (packed DMS, to a thousandth of a second) and distances of
// the polyline through `points`, the first leg's back direction from
// `backsight`: true geometry, worked with the full pi.
struct Observed {
  std::vector<double> left;  // one per point; the last one's towards `foresight`
  std::vector<double> leftDegrees;
  std::vector<double> distance;
};

double TrueAzimuth(PlanePoint a, PlanePoint b) {
  double d = std::atan2(b.y - a.y, b.x - a.x) * 180.0 / std::numbers::pi;
  return d < 0 ? d + 360.0 : d;
}

double Packed(double degrees) {
  const double ms = std::round(degrees * 3600000.0);
  const double d = std::floor(ms / 3600000.0);
  const double m = std::floor((ms - d * 3600000.0) / 60000.0);
  const double s = (ms - d * 3600000.0 - m * 60000.0) / 1000.0;
  return d + m / 100.0 + s / 10000.0;
}

Observed Observe(PlanePoint backsight, const std::vector<PlanePoint>& points,
                 PlanePoint foresight) {
  Observed o;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const PlanePoint back = i == 0 ? backsight : points[i - 1];
    const PlanePoint ahead = i + 1 < points.size() ? points[i + 1] : foresight;
    double left = TrueAzimuth(points[i], ahead) - TrueAzimuth(points[i], back);
    if (left < 0) left += 360.0;
    o.left.push_back(Packed(left));
    o.leftDegrees.push_back(left);
    if (i + 1 < points.size()) o.distance.push_back(std::hypot(ahead.x - points[i].x, ahead.y - points[i].y));
  }
  return o;
}

std::vector<TraverseStation> Stations(const Observed& o) {
  std::vector<TraverseStation> s;
  for (std::size_t i = 0; i < o.left.size(); ++i) {
    s.push_back({o.left[i], i < o.distance.size() ? std::optional(o.distance[i]) : std::nullopt, {}});
  }
  return s;
}

const std::vector<PlanePoint> kRoute = {
    {5000.000, 3000.000}, {5123.456, 3088.120}, {5180.004, 3251.777},
    {5102.310, 3390.051}, {5240.912, 3502.468}};
constexpr PlanePoint kBacksight{4880.000, 2950.000}, kForesight{5400.000, 3600.000};

TEST(AttachedTraverse, WorkedExampleComesOutAsTheOfficeComputedIt) {
  const auto result = survey::ComputeTraverse(WorkedTraverse());
  ASSERT_TRUE(result.ok());
  const survey::TraverseResult& t = result.value();
  // fβ: 237°59'30" + 888°45'18" - 6 * 180° = 46°44'48", 36" short of
  // 46°45'24"; +6" an angle.
  ASSERT_TRUE(t.angle);
  EXPECT_DOUBLE_EQ(t.angle->seconds, -36.0);
  EXPECT_EQ(t.angle->count, 6);
  EXPECT_NEAR(t.angle->limit, 60.0 * std::sqrt(6.0), 1e-12);
  EXPECT_FALSE(t.angle->over);
  for (const auto& row : t.rows) EXPECT_EQ(row.correctionSeconds, 6);
  EXPECT_NEAR(*t.rows[0].correctedAngle, 99.0106, 1e-12);

  const double azimuths[] = {157.0036, 144.4618, 87.5748, 97.1830, 97.1754};
  // Increments by hand (D cos A, D sin A), rounded to the millimetre, and
  // the corrections that bring each point to the exact compass-rule
  // coordinate rounded (exact shares of -fx: +11.50 +7.08 +8.79 +5.10
  // +5.22 mm; of -fy: -20.61 -12.69 -15.75 -9.13 -9.35 mm).
  const double dx[] = {-207.910, -113.565, 6.133, -12.729, -13.019};
  const double dy[] = {88.210, 80.195, 172.463, 99.254, 101.653};
  const double vx[] = {0.012, 0.007, 0.009, 0.005, 0.005};
  const double vy[] = {-0.021, -0.012, -0.016, -0.009, -0.010};
  for (int i = 0; i < 5; ++i) {
    const auto& leg = *t.rows[i].leg;
    EXPECT_NEAR(leg.azimuth, azimuths[i], 1e-12) << i;
    EXPECT_NEAR(leg.dx, dx[i], 1e-12) << i;
    EXPECT_NEAR(leg.dy, dy[i], 1e-12) << i;
    EXPECT_NEAR(leg.vx, vx[i], 1e-12) << i;
    EXPECT_NEAR(leg.vy, vy[i], 1e-12) << i;
  }
  EXPECT_FALSE(t.rows[5].leg);

  // fx -0.0377, fy +0.0675 (the form's -0.038, +0.068), f 0.0773,
  // ΣD 739.996, K = 1/9567. By hand with the full pi: fx -0.0376919,
  // fy +0.0675380, K 1/9567.6; the sheet's azimuths (pi as 3.1415926)
  // turn each leg by some 1e-8 of its azimuth, which moves the sums by
  // 18 and 15 micrometres: fx -0.0376740, fy +0.0675532, K 1/9567.05.
  ASSERT_TRUE(t.coordinates);
  EXPECT_NEAR(t.coordinates->fx, -0.0376740, 1e-7);
  EXPECT_NEAR(t.coordinates->fy, 0.0675532, 1e-7);
  EXPECT_NEAR(t.coordinates->f, 0.0773484, 1e-7);
  EXPECT_NEAR(t.sumD, 739.996, 1e-9);
  EXPECT_EQ(t.coordinates->denominator, 9567);
  EXPECT_FALSE(t.coordinates->over);
  EXPECT_FALSE(t.over());

  const PlanePoint points[] = {{2507.698, 1215.637}, {2299.800, 1303.826}, {2186.242, 1384.009},
                               {2192.384, 1556.456}, {2179.660, 1655.701}, {2166.646, 1757.344}};
  for (int i = 0; i < 6; ++i) {
    EXPECT_NEAR(t.rows[i].point.x, points[i].x, 1e-9) << i;
    EXPECT_NEAR(t.rows[i].point.y, points[i].y, 1e-9) << i;
  }
  // The columns add up: each point is the one before plus increment and
  // correction, to the bit of a millimetre.
  for (int i = 0; i < 5; ++i) {
    const auto& leg = *t.rows[i].leg;
    EXPECT_NEAR(t.rows[i].point.x + leg.dx + leg.vx, t.rows[i + 1].point.x, 1e-9);
    EXPECT_NEAR(t.rows[i].point.y + leg.dy + leg.vy, t.rows[i + 1].point.y, 1e-9);
  }
}

TEST(AttachedTraverse, ClosureOverItsLimitIsMarkedAndTheTableStillGiven) {
  // 一级: 10" sqrt(6) = 24.5" < 36", and 1/9567 short of 1/15000.
  TraverseInput in = WorkedTraverse();
  in.limits = Grade("一级");
  const auto strict = survey::ComputeTraverse(in);
  ASSERT_TRUE(strict.ok());
  EXPECT_TRUE(strict.value().angle->over);
  EXPECT_TRUE(strict.value().coordinates->over);
  EXPECT_TRUE(strict.value().over());
  EXPECT_NEAR(strict.value().rows[2].point.y, 1384.009, 1e-9);
  // 二级: 16" sqrt(6) = 39.2" takes the angles, 1/10000 not the coordinates.
  in.limits = Grade("二级");
  const auto second = survey::ComputeTraverse(in);
  EXPECT_FALSE(second.value().angle->over);
  EXPECT_TRUE(second.value().coordinates->over);
  // 三级: both within.
  in.limits = Grade("三级");
  EXPECT_FALSE(survey::ComputeTraverse(in).value().over());
}

TEST(AttachedTraverse, NoiseFreeObservationsCloseToZeroAndGiveThePointsBack) {
  const Observed o = Observe(kBacksight, kRoute, kForesight);
  TraverseInput in;
  in.start = kRoute.front();
  in.end = kRoute.back();
  in.azimuthIn = Packed(TrueAzimuth(kBacksight, kRoute.front()));
  in.azimuthOut = Packed(TrueAzimuth(kRoute.back(), kForesight));
  in.stations = Stations(o);
  in.limits = Grade("一级");
  for (const AngleSide side : {AngleSide::kLeft, AngleSide::kRight}) {
    if (side == AngleSide::kRight) {
      for (std::size_t i = 0; i < o.left.size(); ++i) {
        in.stations[i].angle = Packed(360.0 - o.leftDegrees[i]);
      }
    }
    in.side = side;
    const auto result = survey::ComputeTraverse(in);
    ASSERT_TRUE(result.ok());
    const auto& t = result.value();
    EXPECT_LT(std::fabs(t.angle->seconds), 0.05);
    EXPECT_LT(t.coordinates->f, 0.0005);
    for (std::size_t i = 0; i < kRoute.size(); ++i) {
      EXPECT_NEAR(t.rows[i].point.x, kRoute[i].x, 1e-9) << i;
      EXPECT_NEAR(t.rows[i].point.y, kRoute[i].y, 1e-9) << i;
      EXPECT_EQ(t.rows[i].correctionSeconds, 0);
    }
  }
}

TEST(AttachedTraverse, RightAnglesGiveTheSameTableWithTheClosureOfOppositeSign) {
  TraverseInput right = WorkedTraverse();
  right.side = AngleSide::kRight;
  const double complements[] = {260.5900, 192.1424, 236.4836, 170.3924, 180.0042, 230.3236};
  for (int i = 0; i < 6; ++i) right.stations[i].angle = complements[i];
  const auto left = survey::ComputeTraverse(WorkedTraverse());
  const auto result = survey::ComputeTraverse(right);
  ASSERT_TRUE(result.ok());
  EXPECT_DOUBLE_EQ(result.value().angle->seconds, 36.0);
  EXPECT_EQ(result.value().rows[3].correctionSeconds, -6);
  EXPECT_NEAR(*result.value().rows[3].correctedAngle, 170.3918, 1e-12);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(result.value().rows[i].point.x, left.value().rows[i].point.x);
    EXPECT_EQ(result.value().rows[i].point.y, left.value().rows[i].point.y);
  }
}

TEST(ClosedTraverse, LoopClosesOnItsStartWithTheRemainderSpreadAlongTheLoop) {
  // A square of 100 m sides on B (1000, 1000), walked anticlockwise
  // (north, west, south, east): the left angles are the inner 90° ones.
  // The backsight lies due south, so the connection angle at B turns
  // from south to north: 180°. The inner angles are observed 10" too
  // large in sum: -10" shared as -2.5" running -2.5 -5 -7.5 -10, rounded
  // -3 -5 -8 -10: -3 -2 -3 -2.
  TraverseInput in;
  in.kind = TraverseKind::kClosed;
  in.start = {1000.0, 1000.0};
  in.azimuthIn = 0.0;  // from the backsight due south, into B
  in.stations = {{180.0, 100.0, {}},
                 {90.0004, 100.0, {}},
                 {90.0002, 100.0, {}},
                 {90.0002, 100.0, {}},
                 {90.0002, {}, {}}};
  in.limits = Grade("图根");
  const auto result = survey::ComputeTraverse(in);
  ASSERT_TRUE(result.ok());
  const auto& t = result.value();
  EXPECT_DOUBLE_EQ(t.angle->seconds, 10.0);
  EXPECT_EQ(t.angle->count, 4);
  const std::int64_t corrections[] = {0, -3, -2, -3, -2};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(t.rows[i].correctionSeconds, corrections[i]) << i;
  // Corrected angles 180°, 90°00'01", 90°00'00", 89°59'59", 90°00'00":
  // azimuths 0°, 270°00'01", 180°00'01", 90°00'00" and back to 0°. The
  // west and south legs lean 1" off, so the loop misses B by
  // 100 m * sin 1" = 0.48 mm in X and in Y (less a few micrometres of
  // the sheet's pi); the corrections take it back onto B.
  const double azimuths[] = {0.0, 270.0001, 180.0001, 90.0};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(t.rows[i].leg->azimuth, azimuths[i], 1e-12) << i;
  EXPECT_NEAR(t.rows[4].point.x, 1000.0, 1e-12);
  EXPECT_NEAR(t.rows[4].point.y, 1000.0, 1e-12);
  EXPECT_NEAR(t.sumD, 400.0, 1e-12);
  EXPECT_TRUE(t.checked());
  EXPECT_NEAR(t.coordinates->fx, 0.000485, 1e-5);
  EXPECT_NEAR(t.coordinates->fy, -0.000485, 1e-5);
}

TEST(UnorientedTraverse, TurnsAndScalesOntoTheEndAndReportsTheLengthMissed) {
  // The route's inner angles and its distances made 1/10000 too long: the
  // traverse comes out similar to the route, scaled by 1.0001, and is
  // scaled back onto it; the length missed is 1/10000 of BC.
  Observed o = Observe(kBacksight, kRoute, kForesight);
  for (double& d : o.distance) d *= 1.0001;
  TraverseInput in;
  in.kind = TraverseKind::kUnoriented;
  in.start = kRoute.front();
  in.end = kRoute.back();
  in.stations = Stations(o);
  in.stations.front().angle.reset();
  in.stations.back().angle.reset();
  in.limits = Grade("二级");
  const auto result = survey::ComputeTraverse(in);
  ASSERT_TRUE(result.ok());
  const auto& t = result.value();
  EXPECT_FALSE(t.angle);
  ASSERT_TRUE(t.similarity);
  // The angles, to a thousandth of a second and summed in the sheet's
  // azimuths, bend the shape by a few parts in 1e9.
  EXPECT_NEAR(t.similarity->scale, 1.0 / 1.0001, 1e-8);
  // BC 557.2366 m, the route 661.8970 m long: f = 0.0557 m, K = 1/11879.
  EXPECT_NEAR(t.coordinates->f, 0.0557237, 1e-5);
  EXPECT_NEAR(t.sumD, 661.8970180 * 1.0001, 1e-6);
  EXPECT_NEAR(t.coordinates->ratio, 11879.4, 1.5);
  EXPECT_FALSE(t.coordinates->over);  // 二级 asks for 1/10000
  // The first leg ends up on its true azimuth (the rotation takes the
  // traverse from BC onto it).
  EXPECT_NEAR(t.rows[0].leg->degrees, TrueAzimuth(kRoute[0], kRoute[1]), 2e-6);
  for (std::size_t i = 0; i < kRoute.size(); ++i) {
    EXPECT_NEAR(t.rows[i].point.x, kRoute[i].x, 1e-9) << i;
    EXPECT_NEAR(t.rows[i].point.y, kRoute[i].y, 1e-9) << i;
  }
}

TEST(OpenTraverse, IsComputedAndLeftUnchecked) {
  const std::vector<PlanePoint> route(kRoute.begin(), kRoute.end() - 1);
  const Observed o = Observe(kBacksight, route, kForesight);
  TraverseInput in;
  in.kind = TraverseKind::kOpen;
  in.start = route.front();
  in.azimuthIn = Packed(TrueAzimuth(kBacksight, route.front()));
  in.stations = Stations(o);
  in.stations.back().angle.reset();  // none at the last station
  in.limits = Grade("图根");
  const auto result = survey::ComputeTraverse(in);
  ASSERT_TRUE(result.ok());
  const auto& t = result.value();
  EXPECT_FALSE(t.checked());
  EXPECT_FALSE(t.over());
  EXPECT_FALSE(t.angle);
  for (std::size_t i = 0; i < route.size(); ++i) {
    EXPECT_NEAR(t.rows[i].point.x, route[i].x, 0.0015) << i;
    EXPECT_NEAR(t.rows[i].point.y, route[i].y, 0.0015) << i;
    if (t.rows[i].leg) {
      EXPECT_EQ(t.rows[i].leg->vx, 0.0);
    }
  }
}

TEST(TraverseLegs, SlopeDistancesAreReducedByTheirZenithAngles) {
  TraverseInput in = WorkedTraverse();
  in.stations[0].distance = 200.0;
  in.stations[0].zenith = 60.0;
  in.stations[1].zenith = 90.0;
  const auto d = survey::HorizontalDistances(in);
  ASSERT_TRUE(d.ok());
  EXPECT_NEAR(d.value()[0], 173.205080757, 1e-9);
  EXPECT_NEAR(d.value()[1], 139.026, 1e-12);
  EXPECT_NEAR(d.value()[2], 172.572, 0.0);
}

TEST(TraverseErrors, NameTheFaultAndTheStation) {
  struct Case {
    const char* what;
    TraverseInput input;
    ControlProblem problem;
    std::size_t station;
  };
  std::vector<Case> cases;
  auto add = [&](const char* what, auto change, ControlProblem problem, std::size_t station) {
    TraverseInput in = WorkedTraverse();
    change(in);
    cases.push_back({what, in, problem, station});
  };
  add("one leg", [](TraverseInput& in) { in.stations.resize(2); in.stations[1].distance.reset(); },
      ControlProblem::kTooFewLegs, survey::kNoStation);
  add("no distance", [](TraverseInput& in) { in.stations[2].distance.reset(); },
      ControlProblem::kMissingDistance, 2);
  add("negative distance", [](TraverseInput& in) { in.stations[1].distance = -139.026; },
      ControlProblem::kBadDistance, 1);
  add("zero length", [](TraverseInput& in) { in.stations[3].distance = 0.0; },
      ControlProblem::kBadDistance, 3);
  add("flat zenith", [](TraverseInput& in) { in.stations[0].zenith = 0.0; },
      ControlProblem::kBadAngle, 0);
  add("no angle", [](TraverseInput& in) { in.stations[4].angle.reset(); },
      ControlProblem::kMissingAngle, 4);
  add("no end", [](TraverseInput& in) { in.end.reset(); }, ControlProblem::kMissingEnd,
      survey::kNoStation);
  add("ends coincide", [](TraverseInput& in) {
        in.kind = TraverseKind::kUnoriented;
        in.end = in.start;
      }, ControlProblem::kEndsCoincide, survey::kNoStation);
  add("closed triangle short", [](TraverseInput& in) {
        in.kind = TraverseKind::kClosed;
        in.stations.resize(3);
        in.stations[2].distance.reset();
      }, ControlProblem::kTooFewLegs, survey::kNoStation);
  add("coordinate", [](TraverseInput& in) { in.start.x = NAN; }, ControlProblem::kBadCoordinate,
      survey::kNoStation);
  for (const Case& c : cases) {
    const auto result = survey::ComputeTraverse(c.input);
    ASSERT_FALSE(result.ok()) << c.what;
    EXPECT_EQ(result.error().problem, c.problem) << c.what;
    EXPECT_EQ(result.error().index, c.station) << c.what;
  }
  EXPECT_EQ(survey::DescribeControlError({ControlProblem::kMissingDistance, 2}),
            "station 3 has no distance to the next station");
}

}  // namespace
