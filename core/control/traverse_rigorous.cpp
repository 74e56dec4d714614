#include "core/control/traverse_rigorous.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "core/control/traverse_angles.h"
#include "core/control/traverse_columns.h"
#include "core/packed_angle.h"
#include "core/survey.h"

namespace survey {
namespace {

constexpr int kMaxIterations = 20;

// Settled when no step moves a point by more than this part of the
// traverse's length: 0.1 micrometre on a kilometre.
constexpr double kSettled = 1e-10;

constexpr double kSecondsPerRadian = 180.0 * 3600.0 / std::numbers::pi;
constexpr double kTrueRadiansPerDegree = std::numbers::pi / 180.0;

// The far end of a ray from a station: another station, or a fixed
// azimuth (radians) where the ray leaves the traverse.
struct Ray {
  std::optional<std::size_t> station;
  double azimuth = 0.0;
};

struct AngleObservation {
  std::size_t station;
  Ray back;
  Ray forward;
  double observed;  // left, radians
};

struct Network {
  std::vector<PlanePoint> points;
  std::vector<int> unknown;  // per station, the index of its X among the unknowns, or -1
  std::vector<AngleObservation> angles;
  std::vector<double> distances;  // leg i, from station i to i + 1, metres
  int unknowns = 0;
};

// One linearised observation: its row of the design matrix, observed
// minus computed, and its weight.
struct Row {
  std::vector<double> a;
  double misclosure = 0.0;
  double weight = 0.0;
};

void AddTo(Row& row, int index, double dx, double dy) {
  if (index < 0) return;
  row.a[index] += dx;
  row.a[index + 1] += dy;
}

// The azimuth of a ray from `station` (radians), its derivatives added
// to the row with `sign`.
double RayAzimuth(const Network& net, std::size_t station, const Ray& ray, double sign, Row& row) {
  if (!ray.station) return ray.azimuth;
  const PlanePoint a = net.points[station], b = net.points[*ray.station];
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double s2 = dx * dx + dy * dy;
  AddTo(row, net.unknown[*ray.station], sign * -dy / s2, sign * dx / s2);
  AddTo(row, net.unknown[station], sign * dy / s2, sign * -dx / s2);
  return std::atan2(dy, dx);
}

Row AngleRow(const Network& net, const AngleObservation& o, double weight) {
  Row row{std::vector<double>(net.unknowns, 0.0), 0.0, weight};
  const double forward = RayAzimuth(net, o.station, o.forward, 1.0, row);
  const double back = RayAzimuth(net, o.station, o.back, -1.0, row);
  row.misclosure = std::remainder(o.observed - (forward - back), 2.0 * std::numbers::pi);
  return row;
}

Row DistanceRow(const Network& net, std::size_t leg, double weight) {
  Row row{std::vector<double>(net.unknowns, 0.0), 0.0, weight};
  const PlanePoint a = net.points[leg], b = net.points[leg + 1];
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double s = std::sqrt(dx * dx + dy * dy);
  AddTo(row, net.unknown[leg + 1], dx / s, dy / s);
  AddTo(row, net.unknown[leg], -dx / s, -dy / s);
  row.misclosure = net.distances[leg] - s;
  return row;
}

// The normal matrix inverted in place (symmetric positive definite, by
// Gauss-Jordan elimination with the diagonal as pivots); false where it is
// singular.
bool Invert(std::vector<double>& n, int size) {
  for (int k = 0; k < size; ++k) {
    const double pivot = n[k * size + k];
    if (!(pivot > 0.0)) return false;
    for (int j = 0; j < size; ++j) n[k * size + j] /= pivot;
    n[k * size + k] = 1.0 / pivot;
    for (int i = 0; i < size; ++i) {
      if (i == k) continue;
      const double factor = n[i * size + k];
      if (factor == 0.0) continue;
      for (int j = 0; j < size; ++j) {
        if (j == k) continue;
        n[i * size + j] -= factor * n[k * size + j];
      }
      n[i * size + k] = -factor * n[k * size + k];
    }
  }
  return true;
}

std::vector<Row> Rows(const Network& net, double angleWeight, double distanceWeight) {
  std::vector<Row> rows;
  for (const AngleObservation& o : net.angles) rows.push_back(AngleRow(net, o, angleWeight));
  for (std::size_t leg = 0; leg < net.distances.size(); ++leg) {
    rows.push_back(DistanceRow(net, leg, distanceWeight));
  }
  return rows;
}

// The network of a traverse: its stations (a closed loop's last is its
// first), the unknown ones, its angles as rays and its distances.
Network Build(const TraverseInput& input, const TraverseResult& start,
              const std::vector<double>& distances) {
  Network net;
  const std::size_t n = input.stations.size();
  const bool closed = input.kind == TraverseKind::kClosed;
  const bool endKnown =
      input.kind == TraverseKind::kAttached || input.kind == TraverseKind::kUnoriented || closed;
  for (std::size_t i = 0; i < n; ++i) {
    net.points.push_back(start.rows[i].point);
    const bool known = i == 0 || (i + 1 == n && endKnown);
    net.unknown.push_back(known ? -1 : net.unknowns);
    if (!known) net.unknowns += 2;
  }
  net.distances = distances;
  // Known azimuths are the sheet's degrees: into the plane with its factor.
  const double in = PackedToDegrees(input.azimuthIn) * kDegToRad;
  const double out = PackedToDegrees(input.azimuthOut) * kDegToRad;
  for (std::size_t i = 0; i < n; ++i) {
    if (!start.rows[i].angle) continue;
    AngleObservation o{i, {}, {}, 0.0};
    if (i == 0) {
      o.back.azimuth = in + std::numbers::pi;
    } else {
      o.back.station = i - 1;
    }
    if (i + 1 < n) {
      o.forward.station = i + 1;
    } else if (closed) {
      o.forward.station = 1;
    } else {
      o.forward.azimuth = out;
    }
    const double degrees = ArcMillisToDegrees(PackedToArcMillis(*start.rows[i].angle));
    const double left = input.side == AngleSide::kLeft ? degrees : 360.0 - degrees;
    o.observed = left * kTrueRadiansPerDegree;
    net.angles.push_back(o);
  }
  // A closed loop's last station is its first: the same point, fixed.
  if (closed) net.points.back() = net.points.front();
  return net;
}

// A point's standard errors from its block of the inverse normal matrix
// (metres squared, unit weight) and the factor on unit weight.
RigorousPoint Errors(PlanePoint point, double qxx, double qyy, double qxy, double scale) {
  const double f = scale * 1000.0;
  const double mean = (qxx + qyy) / 2.0;
  const double spread = std::sqrt(((qxx - qyy) / 2.0) * ((qxx - qyy) / 2.0) + qxy * qxy);
  double azimuth = 0.5 * std::atan2(2.0 * qxy, qxx - qyy) / kTrueRadiansPerDegree;
  if (azimuth < 0.0) azimuth += 180.0;
  return {point,
          std::sqrt(qxx) * f,
          std::sqrt(qyy) * f,
          std::sqrt(qxx + qyy) * f,
          std::sqrt(mean + spread) * f,
          std::sqrt(std::max(0.0, mean - spread)) * f,
          azimuth};
}

// The compass rule's table turned into the rigorous one (see the header).
TraverseResult Table(TraverseResult table, const Network& net, const RigorousTraverse& out) {
  std::vector<double> degrees;
  for (std::size_t i = 0; i + 1 < net.points.size(); ++i) {
    const PlanePoint a = net.points[i], b = net.points[i + 1];
    degrees.push_back(ComputeInverse(a.x, a.y, b.x, b.y).degrees);
    table.rows[i].leg->degrees = degrees.back();
    table.rows[i].leg->azimuth = DegreesToPacked(degrees.back());
  }
  for (std::size_t i = 0; i < table.rows.size(); ++i) {
    TraverseRow& row = table.rows[i];
    if (!row.angle) continue;
    row.correctionSeconds = out.angleSeconds[i];
    double corrected = PackedToDegrees(*row.angle) + out.angleSeconds[i] / 3600.0;
    if (corrected < 0.0) corrected += 360.0;
    if (corrected >= 360.0) corrected -= 360.0;
    row.correctedAngle = DegreesToPacked(corrected);
  }
  std::vector<double> offsetsX, offsetsY;
  for (std::size_t i = 1; i < net.points.size(); ++i) {
    offsetsX.push_back(net.points[i].x - net.points[0].x);
    offsetsY.push_back(net.points[i].y - net.points[0].y);
  }
  const PlanePoint last = table.rows.back().point;
  FillLegs(table, Along(degrees, net.distances), offsetsX, offsetsY);
  if (net.unknown.back() < 0) table.rows.back().point = last;  // a known end keeps its own
  return table;
}

// Moves the unknown points of `net` by least squares until no step is
// `settled` metres or more; `inverse` the inverse of the last normal
// equations. False where they cannot be inverted or do not settle in
// kMaxIterations.
bool Converge(Network& net, double angleWeight, double distanceWeight, double settled,
              std::vector<double>& inverse) {
  const int u = net.unknowns;
  bool converged = false;
  for (int iteration = 0; iteration < kMaxIterations && !converged; ++iteration) {
    const std::vector<Row> rows = Rows(net, angleWeight, distanceWeight);
    std::vector<double> normal(static_cast<std::size_t>(u) * u, 0.0), rhs(u, 0.0);
    for (const Row& r : rows) {
      for (int i = 0; i < u; ++i) {
        if (r.a[i] == 0.0) continue;
        for (int j = 0; j < u; ++j) normal[i * u + j] += r.weight * r.a[i] * r.a[j];
        rhs[i] += r.weight * r.a[i] * r.misclosure;
      }
    }
    inverse = normal;
    if (!Invert(inverse, u)) return false;
    double largest = 0.0;
    for (std::size_t s = 0; s < net.points.size(); ++s) {
      const int k = net.unknown[s];
      if (k < 0) continue;
      double step[2] = {0.0, 0.0};
      for (int c = 0; c < 2; ++c) {
        for (int j = 0; j < u; ++j) step[c] += inverse[(k + c) * u + j] * rhs[j];
      }
      net.points[s].x += step[0];
      net.points[s].y += step[1];
      largest = std::max({largest, std::fabs(step[0]), std::fabs(step[1])});
    }
    converged = largest < settled;
  }
  return converged;
}

}  // namespace

ControlOutcome<RigorousTraverse> AdjustTraverseRigorously(const TraverseInput& given) {
  const auto compass = ComputeTraverse(given);
  if (!compass.ok()) return compass.error();
  const TraverseInput input = ResolveOrientation(given).value();
  const auto distances = HorizontalDistances(input);
  Network net = Build(input, compass.value(), distances.value());

  const double angleSigma = input.limits.angleSigmaSeconds / kSecondsPerRadian;
  const double distanceSigma = input.limits.distanceSigmaMm / 1000.0;
  const double angleWeight = 1.0 / (angleSigma * angleSigma);
  const double distanceWeight = 1.0 / (distanceSigma * distanceSigma);
  const int u = net.unknowns;
  const double settled = kSettled * compass.value().sumD;

  std::vector<double> inverse;
  if (!Converge(net, angleWeight, distanceWeight, settled, inverse))
    return ControlError{ControlProblem::kNoConvergence};

  RigorousTraverse out{};
  const std::vector<Row> rows = Rows(net, angleWeight, distanceWeight);
  double squares = 0.0;
  for (const Row& r : rows) squares += r.weight * r.misclosure * r.misclosure;
  out.redundancy = static_cast<int>(rows.size()) - u;
  out.sigma0 = out.redundancy > 0 ? std::sqrt(squares / out.redundancy) : 1.0;
  const double scale = std::max(1.0, out.sigma0);
  const double sideSign = input.side == AngleSide::kLeft ? 1.0 : -1.0;
  out.angleSeconds.assign(input.stations.size(), 0.0);
  for (std::size_t k = 0; k < net.angles.size(); ++k) {
    out.angleSeconds[net.angles[k].station] = -sideSign * rows[k].misclosure * kSecondsPerRadian;
  }
  for (std::size_t leg = 0; leg < net.distances.size(); ++leg) {
    out.distanceMm.push_back(-rows[net.angles.size() + leg].misclosure * 1000.0);
  }
  for (std::size_t s = 0; s < net.points.size(); ++s) {
    const int k = net.unknown[s];
    RigorousPoint p{net.points[s], 0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
    if (k >= 0) {
      p = Errors(net.points[s], inverse[k * u + k], inverse[(k + 1) * u + k + 1],
                 inverse[k * u + k + 1], scale);
    }
    out.points.push_back(p);
    if (p.mpMm > out.points[out.weakest].mpMm) out.weakest = s;
  }
  out.table = Table(compass.value(), net, out);
  return out;
}

}  // namespace survey
