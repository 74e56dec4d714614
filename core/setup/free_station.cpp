#include "core/setup/free_station.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/packed_angle.h"
#include "core/setup/station_start.h"

namespace survey {
namespace {

constexpr int kMaxIterations = 50;

// The iteration has settled when its step moves the station, and the
// orientation at the farthest point, by less than this part of the
// farthest distance: 0.03 micrometres at 300 m.
constexpr double kSettled = 1e-10;

// A point nearer the station than this part of the farthest one is taken
// as on the station: its direction would turn with every rounding.
constexpr double kOnStation = 1e-6;

// The sighted points lie on one line when none is further from the line
// through the two farthest apart than this part of their distance.
constexpr double kInLine = 1e-3;

constexpr double kSecondsPerDegree = 3600.0;

// A sighting as the adjustment takes it.
struct Weighted {
  double x;  // the point relative to the first one, metres
  double y;
  double reading;  // radians
  std::optional<double> distance;
  double distanceSigma;  // metres; 0 without a distance
};

// The normal equations of the adjustment about a station and orientation:
// unknowns X and Y (metres) and the orientation (radians), upper triangle.
struct Normals {
  double n[3][3] = {};
  double u[3] = {};
  double largestEffect = 0.0;  // of a single observation, metres
  double farthest = 0.0;       // metres
  double squares = 0.0;        // sum of (misclosure / sigma)^2
};

void Add(Normals& normals, const double (&row)[3], double weight, double observed) {
  for (int i = 0; i < 3; ++i) {
    for (int j = i; j < 3; ++j) normals.n[i][j] += weight * row[i] * row[j];
    normals.u[i] += weight * row[i] * observed;
  }
  normals.squares += weight * observed * observed;
}

// The normal equations about (x, y) relative to the first point and an
// orientation in radians; kTargetAtStation where the station is on a
// point.
std::optional<SetupError> Build(const std::vector<Weighted>& sightings, double directionSigma,
                                double x, double y, double orientation, Normals& normals) {
  normals = Normals{};
  const double directionWeight = 1.0 / (directionSigma * directionSigma);
  std::size_t nearest = 0;
  double nearestDistance = INFINITY;
  for (std::size_t i = 0; i < sightings.size(); ++i) {
    const Weighted& s = sightings[i];
    const double dx = s.x - x;
    const double dy = s.y - y;
    const double squared = dx * dx + dy * dy;
    const double distance = std::sqrt(squared);
    if (distance < nearestDistance) {
      nearest = i;
      nearestDistance = distance;
    }
    if (squared == 0.0) continue;  // refused below
    // Reading taken less reading computed (azimuth less orientation).
    const double misclosure =
        std::remainder(s.reading - (std::atan2(dy, dx) - orientation), 2.0 * std::numbers::pi);
    Add(normals, {dy / squared, -dx / squared, -1.0}, directionWeight, misclosure);
    normals.largestEffect = std::max(normals.largestEffect, directionSigma * distance);
    normals.farthest = std::max(normals.farthest, distance);
    if (s.distance) {
      const double weight = 1.0 / (s.distanceSigma * s.distanceSigma);
      Add(normals, {-dx / distance, -dy / distance, 0.0}, weight, *s.distance - distance);
      normals.largestEffect = std::max(normals.largestEffect, s.distanceSigma);
    }
  }
  if (!(nearestDistance >= kOnStation * normals.farthest)) {
    return SetupError{SetupProblem::kTargetAtStation, nearest};
  }
  return std::nullopt;
}

// The inverse of the symmetric positive definite normal matrix, by
// Cholesky; false where it is not positive definite.
bool Invert(const Normals& normals, double (&q)[3][3]) {
  double l[3][3] = {};
  for (int j = 0; j < 3; ++j) {
    double pivot = normals.n[j][j];
    for (int k = 0; k < j; ++k) pivot -= l[j][k] * l[j][k];
    if (!(pivot > 0.0)) return false;
    l[j][j] = std::sqrt(pivot);
    for (int i = j + 1; i < 3; ++i) {
      double sum = normals.n[j][i];
      for (int k = 0; k < j; ++k) sum -= l[i][k] * l[j][k];
      l[i][j] = sum / l[j][j];
    }
  }
  // L^-1, lower triangular, then Q = L^-T L^-1.
  double m[3][3] = {};
  for (int j = 0; j < 3; ++j) {
    m[j][j] = 1.0 / l[j][j];
    for (int i = j + 1; i < 3; ++i) {
      double sum = 0.0;
      for (int k = j; k < i; ++k) sum -= l[i][k] * m[k][j];
      m[i][j] = sum / l[i][i];
    }
  }
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      double sum = 0.0;
      for (int k = std::max(i, j); k < 3; ++k) sum += m[k][i] * m[k][j];
      q[i][j] = sum;
    }
  }
  return true;
}

// The weakness (free_station.h) of the normal equations: the orientation
// eliminated, the larger semi-axis of the error ellipse is 1 / sqrt of the
// smaller eigenvalue.
double Weakness(const Normals& normals) {
  const auto& n = normals.n;
  const double a = n[0][0] - n[0][2] * n[0][2] / n[2][2];
  const double b = n[0][1] - n[0][2] * n[1][2] / n[2][2];
  const double c = n[1][1] - n[1][2] * n[1][2] / n[2][2];
  const double larger = 0.5 * (a + c) + std::hypot(0.5 * (a - c), b);
  // The smaller eigenvalue as det / larger keeps its digits where the two
  // differ by many orders.
  const double smaller = (a * c - b * b) / larger;
  if (!(smaller > 0.0)) return INFINITY;
  return 1.0 / (std::sqrt(smaller) * normals.largestEffect);
}

// kTargetsInLine or kDangerCircle, by where the sighted points lie.
SetupError WeakGeometry(std::span<const Sighting> sightings, double weakness) {
  std::size_t from = 0, to = 0;
  double span = 0.0;
  for (std::size_t i = 0; i < sightings.size(); ++i) {
    for (std::size_t j = i + 1; j < sightings.size(); ++j) {
      const double d = std::hypot(sightings[j].point.x - sightings[i].point.x,
                                  sightings[j].point.y - sightings[i].point.y);
      if (d > span) {
        span = d;
        from = i;
        to = j;
      }
    }
  }
  const PlanePoint a = sightings[from].point;
  const double ux = (sightings[to].point.x - a.x) / span;
  const double uy = (sightings[to].point.y - a.y) / span;
  bool inLine = true;
  for (const Sighting& s : sightings) {
    const double off = std::fabs((s.point.x - a.x) * uy - (s.point.y - a.y) * ux);
    if (off > kInLine * span) inLine = false;
  }
  return SetupError{inLine ? SetupProblem::kTargetsInLine : SetupProblem::kDangerCircle,
                    kNoSighting, kNoSighting, weakness};
}

bool SigmasSound(const StationSigmas& sigmas) {
  const auto finite = [](double v) { return std::isfinite(v); };
  return finite(sigmas.directionSeconds) && sigmas.directionSeconds > 0.0 &&
         finite(sigmas.distanceMm) && sigmas.distanceMm >= 0.0 && finite(sigmas.distancePpm) &&
         sigmas.distancePpm >= 0.0 && sigmas.distanceMm + sigmas.distancePpm > 0.0;
}

// The sightings as the adjustment takes them, relative to the first point,
// and how many observations they make (a reading each, and a distance
// where one is given).
std::vector<Weighted> WeightSightings(std::span<const Sighting> sightings,
                                      const StationSigmas& sigmas, int& observations) {
  const PlanePoint origin = sightings.front().point;
  std::vector<Weighted> weighted;
  weighted.reserve(sightings.size());
  observations = 0;
  for (const Sighting& s : sightings) {
    Weighted w{s.point.x - origin.x, s.point.y - origin.y,
               PackedToDegrees(s.reading) * kRadiansPerDegree, s.distance, 0.0};
    if (s.distance) {
      w.distanceSigma = (sigmas.distanceMm + sigmas.distancePpm * *s.distance / 1000.0) / 1000.0;
    }
    weighted.push_back(w);
    observations += s.distance ? 2 : 1;
  }
  return weighted;
}

// Steps from (x, y, orientation) until a step moves the station, and the
// orientation at the farthest point, by less than kSettled of the farthest
// distance; `normals` are then the equations about the settled station.
// kNoConvergence where it does not settle in kMaxIterations steps, or the
// equations cannot be solved, or the numbers leave the finite.
std::optional<SetupError> Iterate(const std::vector<Weighted>& weighted, double directionSigma,
                                  double& x, double& y, double& orientation, Normals& normals) {
  bool settled = false;
  for (int step = 0; step < kMaxIterations && !settled; ++step) {
    double q[3][3];
    if (!Invert(normals, q)) break;
    double delta[3];
    for (int i = 0; i < 3; ++i) {
      delta[i] = q[i][0] * normals.u[0] + q[i][1] * normals.u[1] + q[i][2] * normals.u[2];
    }
    x += delta[0];
    y += delta[1];
    orientation += delta[2];
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(orientation)) break;
    const double tolerance = kSettled * normals.farthest;
    settled = std::hypot(delta[0], delta[1]) <= tolerance &&
              std::fabs(delta[2]) * normals.farthest <= tolerance;
    if (const auto fault = Build(weighted, directionSigma, x, y, orientation, normals)) {
      return fault;
    }
  }
  if (!settled) return SetupError{SetupProblem::kNoConvergence};
  return std::nullopt;
}

// The settled station `result.station` with its orientation, residuals and
// precision, from the equations about it and their inverse `q`.
void Complete(FreeStation& result, std::span<const Sighting> sightings, int observations,
              const Normals& normals, const double (&q)[3][3]) {
  // The adjustment's orientation as the sheet's azimuths see it.
  result.degrees = MeanOrientation(result.station, sightings, false);
  result.orientation = PackedOrientation(result.degrees);
  result.redundancy = observations - 3;
  result.residuals.reserve(sightings.size());
  for (const Sighting& sighting : sightings) {
    TargetResidual residual = ResidualOf(result.station, result.degrees, sighting);
    if (result.redundancy == 0) {
      // Without redundancy the observations are met exactly: what is left
      // is rounding and the sheet's 0.02" (sightings.h), shown as the 0 it
      // stands for.
      residual.seconds = 0.0;
      residual.lateralMm = 0.0;
      if (residual.distanceMm) residual.distanceMm = 0.0;
    }
    result.residuals.push_back(residual);
  }
  // At the solution the misclosures are the residuals, less the sign.
  result.sigma0 = result.redundancy > 0 ? std::sqrt(normals.squares / result.redundancy) : 1.0;
  const double scale = std::max(1.0, result.sigma0);
  result.mxMm = scale * std::sqrt(q[0][0]) * 1000.0;
  result.myMm = scale * std::sqrt(q[1][1]) * 1000.0;
  result.orientationSeconds = scale * std::sqrt(q[2][2]) / kRadiansPerDegree * kSecondsPerDegree;
}

}  // namespace

SetupOutcome<FreeStation> ComputeFreeStation(std::span<const Sighting> sightings,
                                             const StationSigmas& sigmas) {
  if (!SigmasSound(sigmas)) return SetupError{SetupProblem::kBadSigma};
  if (const auto fault = CheckSightings(sightings)) return *fault;
  const SetupOutcome<StationStart> start = FindStationStart(sightings);
  if (!start.ok()) return start.error();

  const PlanePoint origin = sightings.front().point;
  int observations = 0;
  const std::vector<Weighted> weighted = WeightSightings(sightings, sigmas, observations);
  const double directionSigma = sigmas.directionSeconds / kSecondsPerDegree * kRadiansPerDegree;

  double x = start.value().station.x - origin.x;
  double y = start.value().station.y - origin.y;
  double orientation = start.value().radians;
  Normals normals;
  if (const auto fault = Build(weighted, directionSigma, x, y, orientation, normals)) {
    return *fault;
  }
  // A start this weak is no place to iterate from.
  if (const double weakness = Weakness(normals); !(weakness <= kWeakestGeometry)) {
    return WeakGeometry(sightings, weakness);
  }
  if (const auto fault = Iterate(weighted, directionSigma, x, y, orientation, normals)) {
    return *fault;
  }

  FreeStation result;
  result.weakness = Weakness(normals);
  double q[3][3];
  if (!(result.weakness <= kWeakestGeometry) || !Invert(normals, q)) {
    return WeakGeometry(sightings, result.weakness);
  }
  result.station = {origin.x + x, origin.y + y};
  Complete(result, sightings, observations, normals, q);
  return result;
}

}  // namespace survey
