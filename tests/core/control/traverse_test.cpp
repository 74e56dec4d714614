#include "core/control/traverse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "core/control/traverse_rigorous.h"
#include "core/survey.h"
#include "tests/core/control/worked_traverse.h"

namespace {

using control_test::WorkedTraverse;
using P = survey::ControlProblem;
constexpr std::size_t kNone = survey::kNoStation;
using survey::PlanePoint;
using survey::TraverseInput;
using survey::TraverseKind;

survey::TraverseLimits Grade(const char* name) { return survey::TraverseGrade(name).value(); }

void ExpectPoints(const survey::TraverseResult& t, const std::vector<PlanePoint>& points,
                  double tolerance) {
  ASSERT_EQ(t.rows.size(), points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    EXPECT_NEAR(t.rows[i].point.x, points[i].x, tolerance) << i;
    EXPECT_NEAR(t.rows[i].point.y, points[i].y, tolerance) << i;
  }
}

// Left angles (packed DMS, to a thousandth of a second) and distances of
// the polyline through `points`, seen from `back` at the first point and
// towards `ahead` at the last: true geometry, with the full pi.
double TrueAzimuth(PlanePoint a, PlanePoint b) {
  const double d = std::atan2(b.y - a.y, b.x - a.x) * 180.0 / std::numbers::pi;
  return d < 0 ? d + 360.0 : d;
}

double Packed(double degrees) {
  const double ms = std::round(degrees * 3600000.0);
  const double d = std::floor(ms / 3600000.0), m = std::floor((ms - d * 3600000.0) / 60000.0);
  return d + m / 100.0 + (ms - d * 3600000.0 - m * 60000.0) / 1e7;
}

std::vector<survey::TraverseStation> Observe(PlanePoint back, const std::vector<PlanePoint>& points,
                                             PlanePoint ahead, double distanceFactor = 1.0) {
  std::vector<survey::TraverseStation> stations;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const PlanePoint from = i == 0 ? back : points[i - 1];
    const PlanePoint to = i + 1 < points.size() ? points[i + 1] : ahead;
    const double left = TrueAzimuth(points[i], to) - TrueAzimuth(points[i], from);
    stations.push_back({Packed(left < 0 ? left + 360.0 : left), {}, {}});
    if (i + 1 < points.size()) {
      stations.back().distance =
          std::hypot(to.x - points[i].x, to.y - points[i].y) * distanceFactor;
    }
  }
  return stations;
}

const std::vector<PlanePoint> kRoute = {{5000.000, 3000.000},
                                        {5123.456, 3088.120},
                                        {5180.004, 3251.777},
                                        {5102.310, 3390.051},
                                        {5240.912, 3502.468}};
constexpr PlanePoint kBacksight{4880.000, 2950.000}, kForesight{5400.000, 3600.000};

TEST(AttachedTraverse, WorkedExampleComesOutAsTheOfficeComputedIt) {
  const auto result = survey::ComputeTraverse(WorkedTraverse());
  ASSERT_TRUE(result.ok());
  const survey::TraverseResult& t = result.value();
  // fβ: 237°59'30" + 888°45'18" - 6 * 180° = 46°44'48", 36" short of
  // 46°45'24" out of C: +6" an angle.
  EXPECT_DOUBLE_EQ(t.angle->seconds, -36.0);
  for (const auto& row : t.rows) EXPECT_EQ(row.correctionSeconds, 6);
  EXPECT_NEAR(*t.rows[0].correctedAngle, 99.0106, 1e-12);
  // By hand: azimuths, increments D cos A and D sin A rounded to the
  // millimetre, and the corrections that bring each point onto the exact
  // compass-rule coordinate rounded (exact shares of -fx +11.50 +7.08
  // +8.79 +5.10 +5.22 mm, of -fy -20.61 -12.69 -15.75 -9.13 -9.35 mm).
  struct Leg {
    double azimuth, dx, dy, vx, vy;
  };
  const Leg legs[] = {{157.0036, -207.910, 88.210, 0.012, -0.021},
                      {144.4618, -113.565, 80.195, 0.007, -0.012},
                      {87.5748, 6.133, 172.463, 0.009, -0.016},
                      {97.1830, -12.729, 99.254, 0.005, -0.009},
                      {97.1754, -13.019, 101.653, 0.005, -0.010}};
  for (int i = 0; i < 5; ++i) {
    const auto& leg = *t.rows[i].leg;
    EXPECT_NEAR(leg.azimuth, legs[i].azimuth, 1e-12) << i;
    EXPECT_NEAR(leg.dx, legs[i].dx, 1e-12) << i;
    EXPECT_NEAR(leg.dy, legs[i].dy, 1e-12) << i;
    EXPECT_NEAR(leg.vx, legs[i].vx, 1e-12) << i;
    EXPECT_NEAR(leg.vy, legs[i].vy, 1e-12) << i;
    // The columns add up.
    EXPECT_NEAR(t.rows[i].point.x + leg.dx + leg.vx, t.rows[i + 1].point.x, 1e-9);
  }
  // fx -0.0377, fy +0.0675 (the form's -0.038, +0.068), f 0.0773,
  // ΣD 739.996, K = 1/9567. By hand with the full pi: fx -0.0376919,
  // fy +0.0675380, K 1/9567.6; the sheet's azimuths (pi as 3.1415926)
  // turn each leg by some 1e-8 of its azimuth, which moves the sums by
  // 18 and 15 micrometres: fx -0.0376740, fy +0.0675532, K 1/9567.05.
  EXPECT_NEAR(t.coordinates->fx, -0.0376740, 1e-7);
  EXPECT_NEAR(t.coordinates->fy, 0.0675532, 1e-7);
  EXPECT_NEAR(t.coordinates->f, 0.0773484, 1e-7);
  EXPECT_NEAR(t.sumD, 739.996, 1e-9);
  EXPECT_EQ(t.coordinates->denominator, 9567);
  EXPECT_FALSE(t.over());
  ExpectPoints(t,
               {{2507.698, 1215.637},
                {2299.800, 1303.826},
                {2186.242, 1384.009},
                {2192.384, 1556.456},
                {2179.660, 1655.701},
                {2166.646, 1757.344}},
               1e-9);
}

TEST(AttachedTraverse, BacksightAndForesightPointsOrientItAsTheirAzimuthsDo) {
  // A 100 m north-east of B and D 100 m north-east of C: the lines A-B and
  // C-D at the worked azimuths, but for the sheet's pi, which puts the
  // line back from A at 180.0000031° from the line out to it (0.011").
  TraverseInput in = WorkedTraverse();
  const auto a = survey::ComputeForward(in.start.x, in.start.y, 57.5930, 100.0);
  const auto d = survey::ComputeForward(in.end->x, in.end->y, 46.4524, 100.0);
  in.backsight = PlanePoint{a.x, a.y};
  in.foresight = PlanePoint{d.x, d.y};
  const auto t = survey::ComputeTraverse(in).value();
  EXPECT_NEAR(t.angle->seconds, -36.011, 1e-9);
  EXPECT_NEAR(t.rows[2].point.y, 1384.009, 1e-9);
  in.backsight = in.start;
  EXPECT_EQ(survey::ComputeTraverse(in).error().problem, P::kSightOnStation);
}

TEST(AttachedTraverse, ClosureOverItsLimitIsMarkedAndTheTableStillGiven) {
  // 一级: 10" sqrt(6) = 24.5" < 36", 1/9567 short of 1/15000; 二级: 39.2"
  // takes the angles, 1/10000 not the coordinates.
  TraverseInput in = WorkedTraverse();
  in.limits = Grade("一级");
  const auto strict = survey::ComputeTraverse(in).value();
  EXPECT_TRUE(strict.angle->over && strict.coordinates->over && strict.over());
  EXPECT_NEAR(strict.rows[2].point.y, 1384.009, 1e-9);
  in.limits = Grade("二级");
  const auto second = survey::ComputeTraverse(in).value();
  EXPECT_TRUE(!second.angle->over && second.coordinates->over);
}

TEST(AttachedTraverse, RightAnglesGiveTheSameTableWithTheClosureOfOppositeSign) {
  const auto left = survey::ComputeTraverse(WorkedTraverse()).value();
  TraverseInput in = WorkedTraverse();
  in.side = survey::AngleSide::kRight;
  const double complements[] = {260.5900, 192.1424, 236.4836, 170.3924, 180.0042, 230.3236};
  for (int i = 0; i < 6; ++i) in.stations[i].angle = complements[i];
  const auto right = survey::ComputeTraverse(in).value();
  EXPECT_DOUBLE_EQ(right.angle->seconds, 36.0);
  EXPECT_EQ(right.rows[3].correctionSeconds, -6);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(right.rows[i].point.x, left.rows[i].point.x);
    EXPECT_EQ(right.rows[i].point.y, left.rows[i].point.y);
  }
}

TEST(AttachedTraverse, NoiseFreeObservationsCloseToZeroAndGiveThePointsBackOpenOrNot) {
  TraverseInput in;
  in.start = kRoute.front();
  in.end = kRoute.back();
  in.azimuthIn = Packed(TrueAzimuth(kBacksight, kRoute.front()));
  in.azimuthOut = Packed(TrueAzimuth(kRoute.back(), kForesight));
  in.stations = Observe(kBacksight, kRoute, kForesight);
  in.limits = Grade("一级");
  const auto t = survey::ComputeTraverse(in).value();
  EXPECT_LT(std::fabs(t.angle->seconds), 0.05);
  EXPECT_LT(t.coordinates->f, 0.0005);
  ExpectPoints(t, kRoute, 1e-9);
  // Open, without its end: computed as well, unchecked, nothing corrected;
  // the rounded increments add up to within a millimetre or two.
  in.kind = TraverseKind::kOpen;
  in.end.reset();
  const auto open = survey::ComputeTraverse(in).value();
  EXPECT_FALSE(open.checked() || open.over() || open.angle);
  ExpectPoints(open, kRoute, 0.0015);
}

TEST(ClosedTraverse, LoopClosesOnItsStartWithTheRemainderSpreadAlongTheLoopRigorousOrNot) {
  // A square of 100 m sides on B (1000, 1000), walked north, west, south,
  // east: the left angles are the inner 90° ones; the backsight lies due
  // south, so the connection angle at B is 180°. The inner angles are 10"
  // too large in sum: -2.5" each, running -2.5 -5 -7.5 -10, rounded -3 -5
  // -8 -10: corrections -3 -2 -3 -2. Corrected angles 90°00'01", 90°,
  // 89°59'59", 90°: azimuths 0°, 270°00'01", 180°00'01", 90°. The west
  // and south legs lean 1" off, so the loop misses B by
  // 100 m * sin 1" = 0.48 mm in X and in Y.
  TraverseInput in;
  in.kind = TraverseKind::kClosed;
  in.start = {1000.0, 1000.0};
  in.stations = {{180.0, 100.0, {}},
                 {90.0004, 100.0, {}},
                 {90.0002, 100.0, {}},
                 {90.0002, 100.0, {}},
                 {90.0002, {}, {}}};
  in.limits = Grade("图根");
  const auto t = survey::ComputeTraverse(in).value();
  EXPECT_DOUBLE_EQ(t.angle->seconds, 10.0);
  EXPECT_EQ(t.angle->count, 4);
  const std::int64_t corrections[] = {0, -3, -2, -3, -2};
  const double azimuths[] = {0.0, 270.0001, 180.0001, 90.0};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(t.rows[i].correctionSeconds, corrections[i]) << i;
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(t.rows[i].leg->azimuth, azimuths[i], 1e-12) << i;
  EXPECT_NEAR(t.coordinates->fx, 0.000485, 1e-5);  // less a few micrometres of the sheet's pi
  EXPECT_NEAR(t.coordinates->fy, -0.000485, 1e-5);
  const std::vector<PlanePoint> corners = {
      {1000, 1000}, {1100, 1000}, {1100, 900}, {1000, 900}, {1000, 1000}};
  ExpectPoints(t, corners, 1e-9);
  // The rigorous adjustment keeps the loop on B, with the closing angle
  // at B between the last leg and the first; 3 redundant observations.
  const auto r = survey::AdjustTraverseRigorously(in).value();
  EXPECT_EQ(r.redundancy, 3);
  ExpectPoints(r.table, corners, 0.0015);
  EXPECT_EQ(r.points.back().mxMm, 0.0);
}

TEST(UnorientedTraverse, TurnsAndScalesOntoTheEndAndReportsTheLengthMissed) {
  // The route's inner angles, its distances 1/10000 too long: the
  // traverse is the route scaled by 1.0001 and is scaled back onto it.
  // BC 557.2366 m, the route 661.8970 m: f = 0.0557 m, K = 1/11879.
  TraverseInput in;
  in.kind = TraverseKind::kUnoriented;
  in.start = kRoute.front();
  in.end = kRoute.back();
  in.stations = Observe(kBacksight, kRoute, kForesight, 1.0001);
  in.stations.front().angle.reset();
  in.stations.back().angle.reset();
  in.limits = Grade("二级");
  const auto t = survey::ComputeTraverse(in).value();
  // Angles to a thousandth of a second, summed in the sheet's azimuths,
  // bend the shape by a few parts in 1e9.
  EXPECT_NEAR(t.similarity->scale, 1.0 / 1.0001, 1e-8);
  EXPECT_NEAR(t.coordinates->f, 0.0557237, 1e-5);
  EXPECT_NEAR(t.coordinates->ratio, 11879.4, 1.5);
  ExpectPoints(t, kRoute, 1e-9);
}

TEST(TraverseLegs, SlopeDistancesAreReducedByTheirZenithAngles) {
  TraverseInput in = WorkedTraverse();
  in.stations[0] = {99.0100, 200.0, 60.0};
  const auto d = survey::HorizontalDistances(in).value();
  EXPECT_NEAR(d[0], 173.205080757, 1e-9);  // 200 sin 60°
}

TEST(TraverseErrors, NameTheFaultAndTheStation) {
  using Change = void (*)(TraverseInput&);
  const struct {
    Change change;
    P problem;
    std::size_t station;
  } cases[] = {
      {[](TraverseInput& in) { in.stations.resize(2); }, P::kTooFewLegs, kNone},
      {[](TraverseInput& in) { in.stations[2].distance.reset(); }, P::kMissingDistance, 2},
      {[](TraverseInput& in) { in.stations[1].distance = -139.0; }, P::kBadDistance, 1},
      {[](TraverseInput& in) { in.stations[3].angle = 400.0; }, P::kBadAngle, 3},
      {[](TraverseInput& in) { in.stations[0].zenith = 0.0; }, P::kBadAngle, 0},
      {[](TraverseInput& in) { in.stations[4].angle.reset(); }, P::kMissingAngle, 4},
      {[](TraverseInput& in) { in.end.reset(); }, P::kMissingEnd, kNone},
      {[](TraverseInput& in) { in.start.x = NAN; }, P::kBadCoordinate, kNone},
      {[](TraverseInput& in) { in.kind = TraverseKind::kUnoriented, in.end = in.start; },
       P::kEndsCoincide, kNone},
      {[](TraverseInput& in) { in.kind = TraverseKind::kClosed, in.stations.resize(3); },
       P::kTooFewLegs, kNone},
  };
  for (const auto& c : cases) {
    TraverseInput in = WorkedTraverse();
    c.change(in);
    const auto result = survey::ComputeTraverse(in);
    ASSERT_FALSE(result.ok()) << int(c.problem);
    EXPECT_EQ(result.error().problem, c.problem);
    EXPECT_EQ(result.error().index, c.station) << int(c.problem);
  }
  EXPECT_EQ(survey::DescribeControlError({P::kMissingDistance, 2}),
            "station 3 has no distance to the next station");
}

}  // namespace
