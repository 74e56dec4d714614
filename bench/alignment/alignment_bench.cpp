// Stake (chainage and offset to a plan point) and locate (a plan point to
// chainage and offset) on the textbook's four curves and on an alignment of
// 50 curves over 50 km, at random chainages and offsets within 20 m, cycling
// through 4096 prepared requests; and what a window draws of the 50 km
// alignment in one zoom step: the plan of every element, none culled, to a
// quarter metre (the whole road on a page) and to 5 mm (zoomed in to a
// centimetre a pixel), and a stake every 20 m. The draw's argument is the
// plan's deviation in millimetres.
//
// Medians of nine runs on the development machine (2 shared cores):
//   stake  120 ns (textbook), 138 ns (50 curves): 677 instructions a call
//   locate 304 ns (textbook), 305 ns (50 curves): 1786 instructions a call
//   draw   0.28 ms (969 plan points), 0.38 ms (4899 plan points)
//   build  0.19 ms for the 50-curve JD table
// (instructions: callgrind, 20,000 calls on the 50 curves, less the setup).

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "core/alignment/intersection_table.h"

namespace {

using namespace survey;

Alignment Textbook() {
  const std::vector<IntersectionPoint> table = {
      {"PSta", 437.58, 168.79},        {"JD1", 608.22, 314.43, 110, 55},
      {"JD2", 801.97, 163.79, 91, 43}, {"JD3", 967.29, 311.92, 85, 35},
      {"JD4", 850.67, 523.55, 350, 0}, {"PEnd", 852.11, 723.55}};
  return std::get<IntersectionAlignment>(BuildFromIntersections(table)).alignment;
}

// 50 JDs a kilometre apart, turning 20° to 40° left and right in turn, with
// radii of 500 to 900 m and spirals of 60 to 150 m.
Alignment FiftyCurves() {
  std::mt19937_64 random(50);
  std::uniform_real_distribution<double> turn(20, 40), radius(500, 900), spiral(60, 150);
  std::vector<IntersectionPoint> table{{"BP", 3000000, 500000}};
  double heading = 0.7;
  for (int i = 0; i <= 50; ++i) {
    const IntersectionPoint& last = table.back();
    table.push_back({"JD" + std::to_string(i + 1), last.x + 1000 * std::cos(heading),
                     last.y + 1000 * std::sin(heading), radius(random), spiral(random)});
    heading += (i % 2 ? 1 : -1) * turn(random) * std::numbers::pi / 180;
  }
  table.back().name = "EP";
  return std::get<IntersectionAlignment>(BuildFromIntersections(table)).alignment;
}

struct Request {
  double chainage, offset, x, y;
};

std::vector<Request> Requests(const Alignment& a) {
  std::mt19937_64 random(26);
  std::uniform_real_distribution<double> chainage(a.startChainage(), a.endChainage());
  std::uniform_real_distribution<double> offset(-20, 20);
  std::vector<Request> requests(4096);
  for (Request& r : requests) {
    r.chainage = chainage(random);
    r.offset = offset(random);
    const StakePoint p = std::get<StakePoint>(a.Stake(r.chainage, r.offset));
    r.x = p.x;
    r.y = p.y;
  }
  return requests;
}

void Stake(benchmark::State& state, const Alignment& a) {
  const std::vector<Request> requests = Requests(a);
  std::size_t i = 0;
  for (auto _ : state) {
    const Request& r = requests[i++ % requests.size()];
    benchmark::DoNotOptimize(a.Stake(r.chainage, r.offset));
  }
}

void Locate(benchmark::State& state, const Alignment& a) {
  const std::vector<Request> requests = Requests(a);
  std::size_t i = 0;
  for (auto _ : state) {
    const Request& r = requests[i++ % requests.size()];
    benchmark::DoNotOptimize(a.Locate(r.x, r.y));
  }
}

void BM_StakeTextbook(benchmark::State& state) { Stake(state, Textbook()); }
void BM_LocateTextbook(benchmark::State& state) { Locate(state, Textbook()); }
void BM_StakeFiftyCurves(benchmark::State& state) { Stake(state, FiftyCurves()); }
void BM_LocateFiftyCurves(benchmark::State& state) { Locate(state, FiftyCurves()); }

void BM_DrawFiftyCurves(benchmark::State& state) {
  const Alignment a = FiftyCurves();
  std::vector<PlanPoint> plan;
  for (auto _ : state) {
    plan.clear();
    const double deviation = static_cast<double>(state.range(0)) / 1000;  // mm to m
    for (std::size_t e = 0; e < a.elements().size(); ++e) a.AppendPlan(e, deviation, plan);
    for (double k = a.startChainage(); k <= a.endChainage(); k += 20) {
      benchmark::DoNotOptimize(a.Stake(k));
    }
    benchmark::DoNotOptimize(plan.data());
  }
  state.counters["plan points"] = static_cast<double>(plan.size());
}

void BM_BuildFiftyCurves(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(FiftyCurves());
}

BENCHMARK(BM_StakeTextbook);
BENCHMARK(BM_LocateTextbook);
BENCHMARK(BM_StakeFiftyCurves);
BENCHMARK(BM_LocateFiftyCurves);
BENCHMARK(BM_DrawFiftyCurves)->Arg(250)->Arg(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildFiftyCurves)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
