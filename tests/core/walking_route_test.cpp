#include "core/walking_route.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <random>
#include <utility>
#include <vector>

namespace {

using survey::RoutePoint;
using survey::WalkingRoute;
using Order = std::vector<std::size_t>;

TEST(WalkingRoute, WalksToTheNearestPointNotYetVisited) {
  //        y
  //  12  2
  //   5  1        3 (done)
  //   3     4
  //   0  S        0,6 (one place)   5
  //  -3        7
  //      0  3    10                20   x
  const RoutePoint points[] = {
      {10, 0, false}, {0, 5, false},   {0, 12, false},
      {10, 5, true},  {3, 3, false},   {20, 0, false},
      {10, 0, false}, {-3, -3, false}, {std::numeric_limits<double>::quiet_NaN(), 1, false},
  };
  // From S: 4 and 7 both √18 away, 4 first; then 1 (√13), 2 (7); 7 (√234)
  // before 0 and 6 (√244); 0 and 6 (√178 from 7) in their order, 6 in the
  // same place as 0, and 5 last. 3 is done, 8 has no northing.
  EXPECT_EQ(WalkingRoute(0, 0, points), (Order{4, 1, 2, 7, 0, 6, 5}));
}

// The walk by its definition, looking at every point left at each step
// (the test layouts are all within reach of the doubles' squares).
Order EveryPointLooked(double x, double y, std::vector<RoutePoint> points) {
  Order route;
  while (route.size() < points.size()) {
    std::size_t best = 0;
    double bestSquare = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < points.size(); ++i) {
      const double dx = points[i].x - x, dy = points[i].y - y;
      if (!points[i].done && dx * dx + dy * dy < bestSquare) {
        best = i;
        bestSquare = dx * dx + dy * dy;
      }
    }
    points[best].done = true;
    route.push_back(best);
    x = points[best].x;
    y = points[best].y;
  }
  return route;
}

TEST(WalkingRoute, IsTheWalkThatLooksAtEveryPointOnAnyLayout) {
  std::mt19937_64 random(25);
  std::uniform_real_distribution<double> site(0.0, 500.0);
  std::vector<RoutePoint> lattice, line;
  for (int i = 0; i < 2400; ++i) {
    // whole metres: ties everywhere, broken by the index
    lattice.push_back({double(random() % 50), double(random() % 50), false});
    // a third of them in one place, a few kilometres away
    line.push_back({i % 3 ? site(random) : 3350000.0, 7.25, false});
  }
  for (const auto& [name, points] : {std::pair{"lattice", &lattice}, {"line", &line}}) {
    for (const auto& [x, y] : {std::pair{250.0, 250.0}, {-9000.0, 40000.0}}) {
      EXPECT_EQ(WalkingRoute(x, y, *points), EveryPointLooked(x, y, *points))
          << name << " from " << x << ", " << y;
    }
  }
}

TEST(WalkingRoute, StationWithoutCoordinatesGivesNoRoute) {
  const RoutePoint points[] = {{2, 2, false}};
  EXPECT_EQ(WalkingRoute(std::numeric_limits<double>::infinity(), 0, points), Order{});
}

TEST(WalkingRoute, ReportsProgressAndStopsWhenAsked) {
  std::vector<RoutePoint> points(40000);
  for (int i = 0; i < 40000; ++i) points[i] = {double(i % 200), double(i / 200), false};
  std::atomic<bool> stop = false;
  Order walked;  // as each report gives it, where it reports 40,000 to walk
  const auto report = [&](std::size_t done, std::size_t of) {
    walked.push_back(of == 40000 ? done : 0);
  };
  EXPECT_EQ(WalkingRoute(0, 0, points, report, &stop).value().size(), 40000u);
  EXPECT_EQ(walked, (Order{16384, 32768, 40000}));
  walked.clear();
  const auto stopAtOnce = [&](std::size_t done, std::size_t of) {
    report(done, of);
    stop = true;
  };
  EXPECT_EQ(WalkingRoute(0, 0, points, stopAtOnce, &stop), std::nullopt);
  EXPECT_EQ(walked, Order{16384});
}

}  // namespace
