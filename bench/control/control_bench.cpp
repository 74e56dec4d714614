// The traverse table (compass rule) and the rigorous traverse, which
// solves dense normal equations (two unknowns a new point), over attached
// traverses of 10 to 200 stations: legs of 150 m zig-zagging east, the
// angles a few seconds off so that the adjustment has work to do.

#include <benchmark/benchmark.h>

#include <cmath>

#include "core/control/traverse.h"
#include "core/control/traverse_rigorous.h"

namespace {

survey::TraverseInput Traverse(std::size_t stations) {
  survey::TraverseInput in;
  in.start = {1000.0, 1000.0};
  in.azimuthIn = 90.0;
  in.stations.resize(stations);
  // Left angles alternately 200° and 160°: the legs run at 110° and 90°.
  double x = in.start.x, y = in.start.y, azimuth = 90.0;
  for (std::size_t i = 0; i < stations; ++i) {
    const double turn = i % 2 == 0 ? 200.0 : 160.0;
    in.stations[i].angle = turn + (i % 3 == 0 ? 0.0003 : 0.0);
    azimuth += turn - 180.0;
    if (i + 1 == stations) break;
    in.stations[i].distance = 150.0;
    x += 150.0 * std::cos(azimuth * 3.141592653589793 / 180.0);
    y += 150.0 * std::sin(azimuth * 3.141592653589793 / 180.0);
  }
  in.end = survey::PlanePoint{x, y};
  in.azimuthOut = azimuth;
  in.limits = survey::TraverseGrade("图根").value();
  return in;
}

void BM_TraverseTable(benchmark::State& state) {
  const survey::TraverseInput in = Traverse(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(survey::ComputeTraverse(in));
}

void BM_RigorousTraverse(benchmark::State& state) {
  const survey::TraverseInput in = Traverse(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(survey::AdjustTraverseRigorously(in));
}

BENCHMARK(BM_TraverseTable)->Arg(10)->Arg(50)->Arg(200);
BENCHMARK(BM_RigorousTraverse)->Arg(10)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
