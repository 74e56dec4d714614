// The walking route over design points spread evenly over a site of 2 km
// by 2 km, over the same number in forty tight clusters with a few points
// mistyped hundreds of kilometres away, and along a road (its centre line
// and both edges on a curve of 5 km radius), from a station at the site's
// corner: the whole walk, from the list of points to the order. Medians of
// several runs (bench/route/run.sh).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "core/walking_route.h"

namespace {

std::vector<survey::RoutePoint> EvenSite(std::size_t count) {
  std::mt19937_64 random(count);
  std::uniform_real_distribution<double> x(3349000.0, 3351000.0);
  std::uniform_real_distribution<double> y(499000.0, 501000.0);
  std::vector<survey::RoutePoint> points(count);
  for (auto& p : points) p = {x(random), y(random), false};
  return points;
}

std::vector<survey::RoutePoint> Clusters(std::size_t count) {
  std::mt19937_64 random(count);
  std::uniform_real_distribution<double> x(3349000.0, 3351000.0);
  std::uniform_real_distribution<double> y(499000.0, 501000.0);
  std::normal_distribution<double> spread(0.0, 15.0);
  std::vector<survey::RoutePoint> points(count);
  const std::size_t stray = count / 2000;  // 0.05 %, a digit dropped or added
  for (std::size_t i = 0; i < count; ++i) {
    if (i < stray) {
      points[i] = {x(random) / 10.0, y(random), false};
      continue;
    }
    std::mt19937_64 site(i % 40);
    points[i] = {x(site) + spread(random), y(site) + spread(random), false};
  }
  std::shuffle(points.begin(), points.end(), random);
  return points;
}

std::vector<survey::RoutePoint> Road(std::size_t count) {
  std::vector<survey::RoutePoint> points;
  points.reserve(count);
  const double step = 10'000.0 / static_cast<double>(count / 3);  // chainage, metres
  for (std::size_t i = 0; points.size() < count; ++i) {
    const double angle = static_cast<double>(i) * step / 5000.0;
    for (const double offset : {-6.0, 0.0, 6.0}) {
      const double radius = 5000.0 + offset;
      if (points.size() < count) {
        points.push_back({3349000.0 + radius * std::sin(angle),
                          499000.0 + radius * (1.0 - std::cos(angle)), false});
      }
    }
  }
  return points;
}

void Walk(benchmark::State& state, std::vector<survey::RoutePoint> (*layout)(std::size_t)) {
  const auto points = layout(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    auto route = survey::WalkingRoute(3349000.0, 499000.0, points);
    benchmark::DoNotOptimize(route);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void EvenlySpread(benchmark::State& state) { Walk(state, EvenSite); }
void InClusters(benchmark::State& state) { Walk(state, Clusters); }
void AlongARoad(benchmark::State& state) { Walk(state, Road); }

BENCHMARK(EvenlySpread)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(InClusters)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(AlongARoad)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
