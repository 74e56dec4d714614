// Projects the points of standard input with the program's Gauss-Krüger
// projection (core/transform), for bench/transform/compare.sh.
//
//   project_points ZONE            lines "LAT LON" (decimal degrees) ->
//                                  "X Y CONVERGENCE SCALE", CGCS2000, 3° zone
//                                  ZONE, y with the 500 km false easting, k0
//                                  1, the convergence in degrees
//   project_points ZONE --inverse  lines "X Y" -> "LAT LON"
//   project_points ZONE --time     the forward and the inverse of the
//                                  points read, timed, against GeographicLib's
//                                  TransverseMercatorExact: ns a point each
//
// Numbers are written with 17 significant digits, enough to tell any two
// doubles apart.

#include <GeographicLib/TransverseMercatorExact.hpp>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/transform/gauss_kruger.h"

namespace {

using Clock = std::chrono::steady_clock;

double NanosecondsEach(Clock::time_point start, std::size_t count) {
  return std::chrono::duration<double, std::nano>(Clock::now() - start).count() /
         static_cast<double>(count);
}

int Time(const survey::GaussKruger& gk, const std::vector<double>& in) {
  const std::size_t n = in.size() / 2;
  constexpr int kRounds = 20;
  double sink = 0;
  auto start = Clock::now();
  for (int r = 0; r < kRounds; ++r) {
    for (std::size_t i = 0; i < n; ++i) sink += gk.Forward(in[2 * i], in[2 * i + 1]).value().x;
  }
  const double series = NanosecondsEach(start, n * kRounds);
  const GeographicLib::TransverseMercatorExact exact(6378137.0, 1 / 298.257222101, 1.0);
  start = Clock::now();
  for (int r = 0; r < kRounds; ++r) {
    for (std::size_t i = 0; i < n; ++i) {
      double x, y;
      exact.Forward(114.0, in[2 * i], in[2 * i + 1], x, y);
      sink += y;
    }
  }
  const double closed = NanosecondsEach(start, n * kRounds);
  std::printf("forward: series %.0f ns a point, exact %.0f ns (%.1f times)  [%g]\n", series, closed,
              closed / series, sink > 0 ? 1.0 : 0.0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: project_points ZONE [--inverse | --time]\n");
    return 2;
  }
  const bool inverse = argc > 2 && std::strcmp(argv[2], "--inverse") == 0;
  const bool time = argc > 2 && std::strcmp(argv[2], "--time") == 0;
  const auto gk = survey::GaussKruger::Make({.zone = std::atoi(argv[1])});
  if (!gk.ok()) {
    std::fprintf(stderr, "project_points: no such zone\n");
    return 2;
  }
  std::vector<double> in;
  double a, b;
  while (std::scanf("%lf %lf", &a, &b) == 2) {
    in.push_back(a);
    in.push_back(b);
  }
  if (time) return Time(gk.value(), in);
  int status = 0;
  for (std::size_t i = 0; i + 1 < in.size(); i += 2) {
    if (inverse) {
      const auto g = gk.value().Inverse({in[i], in[i + 1]});
      if (g.ok()) {
        std::printf("%.17g %.17g\n", g.value().latitude, g.value().longitude);
        continue;
      }
    } else {
      const auto p = gk.value().Forward(in[i], in[i + 1]);
      if (p.ok()) {
        std::printf("%.17g %.17g %.17g %.17g\n", p.value().x, p.value().y,
                    p.value().convergence, p.value().pointScale);
        continue;
      }
    }
    std::printf("nan nan\n");
    status = 1;
  }
  return status;
}
