#include "core/control/traverse.h"

#include <cmath>
#include <numbers>

#include "core/control/running_share.h"
#include "core/control/traverse_angles.h"
#include "core/control/traverse_columns.h"
#include "core/packed_angle.h"
#include "core/survey.h"

namespace survey {
namespace {

// Zenith angles are measured: true angles, reduced with the full pi.
constexpr double kTrueRadiansPerDegree = std::numbers::pi / 180.0;

bool Finite(const PlanePoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

ControlError At(ControlProblem problem, std::size_t station) { return {problem, station}; }

// Whether the kind turns the traverse by the angle at this station.
bool NeedsAngle(TraverseKind kind, std::size_t station, std::size_t stations) {
  switch (kind) {
    case TraverseKind::kAttached:
    case TraverseKind::kClosed:
      return true;
    case TraverseKind::kUnoriented:
      return station > 0 && station + 1 < stations;
    case TraverseKind::kOpen:
      return station + 1 < stations;
  }
  return true;
}

std::optional<ControlError> CheckKnown(const TraverseInput& input) {
  if (!Finite(input.start)) return ControlError{ControlProblem::kBadCoordinate};
  const bool needsEnd =
      input.kind == TraverseKind::kAttached || input.kind == TraverseKind::kUnoriented;
  if (needsEnd && !input.end) return ControlError{ControlProblem::kMissingEnd};
  if (needsEnd && !Finite(*input.end)) return ControlError{ControlProblem::kBadCoordinate};
  if (input.kind != TraverseKind::kUnoriented && !std::isfinite(input.azimuthIn)) {
    return ControlError{ControlProblem::kBadAngle};
  }
  if (input.kind == TraverseKind::kAttached && !std::isfinite(input.azimuthOut)) {
    return ControlError{ControlProblem::kBadAngle};
  }
  if (input.kind == TraverseKind::kUnoriented && input.start.x == input.end->x &&
      input.start.y == input.end->y) {
    return ControlError{ControlProblem::kEndsCoincide};
  }
  return std::nullopt;
}

// The angles in thousandths of a second, each station's where the kind
// needs one.
ControlOutcome<std::vector<std::optional<ArcMillis>>> ReadAngles(const TraverseInput& input) {
  const std::size_t n = input.stations.size();
  std::vector<std::optional<ArcMillis>> angles(n);
  for (std::size_t i = 0; i < n; ++i) {
    if (!NeedsAngle(input.kind, i, n)) continue;
    const std::optional<double>& angle = input.stations[i].angle;
    if (!angle) return At(ControlProblem::kMissingAngle, i);
    if (!std::isfinite(*angle)) return At(ControlProblem::kBadAngle, i);
    const ArcMillis a = PackedToArcMillis(*angle);
    if (a < 0 || a >= kTurn) return At(ControlProblem::kBadAngle, i);
    angles[i] = a;
  }
  return angles;
}

CoordinateClosure Closure(double fx, double fy, double sumD, double limit) {
  const double f = std::sqrt(fx * fx + fy * fy);
  const double ratio = f > 0.0 ? sumD / f : INFINITY;
  const auto denominator = f > 0.0 ? static_cast<std::int64_t>(std::floor(ratio)) : 0;
  return {fx, fy, f, ratio, denominator, limit, ratio < limit};
}

// Attached and closed: the compass rule shares -fx and -fy in proportion
// to the legs' distances.
void CompassRule(TraverseResult& result, const TraverseInput& input, const Increments& exact,
                 std::span<const double> distances) {
  const PlanePoint end = input.kind == TraverseKind::kClosed ? input.start : *input.end;
  double sumX = 0.0, sumY = 0.0;
  for (std::size_t i = 0; i < exact.dx.size(); ++i) {
    sumX += exact.dx[i];
    sumY += exact.dy[i];
  }
  const double fx = sumX - (end.x - input.start.x);
  const double fy = sumY - (end.y - input.start.y);
  result.coordinates = Closure(fx, fy, result.sumD, input.limits.relative);
  const auto shareX = ProportionalRunningTotals(-fx, distances);
  const auto shareY = ProportionalRunningTotals(-fy, distances);
  std::vector<double> offsetsX, offsetsY;
  double runX = 0.0, runY = 0.0;
  for (std::size_t i = 0; i < exact.dx.size(); ++i) {
    runX += exact.dx[i];
    runY += exact.dy[i];
    offsetsX.push_back(runX + shareX[i]);
    offsetsY.push_back(runY + shareY[i]);
  }
  // The last point is the known end itself, not the start plus a sum.
  offsetsX.back() = end.x - input.start.x;
  offsetsY.back() = end.y - input.start.y;
  FillLegs(result, exact, offsetsX, offsetsY);
}

// Without orientation: the traverse computed on the azimuth from B to C,
// turned and scaled about B onto C.
void Similar(TraverseResult& result, const TraverseInput& input, std::vector<double>& degrees,
             std::span<const double> distances) {
  const PlanePoint end = *input.end;
  const InverseResult known = ComputeInverse(input.start.x, input.start.y, end.x, end.y);
  const Increments provisional = Along(degrees, distances);
  double sumX = 0.0, sumY = 0.0;
  for (std::size_t i = 0; i < provisional.dx.size(); ++i) {
    sumX += provisional.dx[i];
    sumY += provisional.dy[i];
  }
  const InverseResult made = ComputeInverse(0.0, 0.0, sumX, sumY);
  const double scale = known.distance / made.distance;
  double rotation = known.degrees - made.degrees;
  if (rotation > 180.0) rotation -= 360.0;
  if (rotation <= -180.0) rotation += 360.0;
  result.similarity = Similarity{scale, rotation * 3600.0};
  for (double& d : degrees) {
    d += rotation;
    if (d < 0.0) d += 360.0;
    if (d >= 360.0) d -= 360.0;
  }
  // The increments along the turned azimuths; the points are B plus the
  // turned traverse scaled, the closure the length it missed C by.
  const Increments turned = Along(degrees, distances);
  std::vector<double> offsetsX, offsetsY;
  double runX = 0.0, runY = 0.0;
  for (std::size_t i = 0; i < turned.dx.size(); ++i) {
    runX += turned.dx[i];
    runY += turned.dy[i];
    offsetsX.push_back(runX * scale);
    offsetsY.push_back(runY * scale);
  }
  const double fx = runX - (end.x - input.start.x);
  const double fy = runY - (end.y - input.start.y);
  offsetsX.back() = end.x - input.start.x;
  offsetsY.back() = end.y - input.start.y;
  result.coordinates = Closure(fx, fy, result.sumD, input.limits.relative);
  FillLegs(result, turned, offsetsX, offsetsY);
}

// Open: the rounded increments added up, nothing to correct.
void Unchecked(TraverseResult& result, const Increments& exact) {
  std::vector<double> offsetsX, offsetsY;
  std::int64_t runX = 0, runY = 0;
  for (std::size_t i = 0; i < exact.dx.size(); ++i) {
    runX += RoundHalfAway(exact.dx[i] * 1000.0);
    runY += RoundHalfAway(exact.dy[i] * 1000.0);
    offsetsX.push_back(static_cast<double>(runX) / 1000.0);
    offsetsY.push_back(static_cast<double>(runY) / 1000.0);
  }
  FillLegs(result, exact, offsetsX, offsetsY);
}

}  // namespace

ControlOutcome<std::vector<double>> HorizontalDistances(const TraverseInput& input) {
  const std::size_t n = input.stations.size();
  const std::size_t fewest = input.kind == TraverseKind::kClosed ? 4 : 3;
  if (n < fewest) return ControlError{ControlProblem::kTooFewLegs};
  std::vector<double> distances;
  for (std::size_t i = 0; i + 1 < n; ++i) {
    const TraverseStation& s = input.stations[i];
    if (!s.distance) return At(ControlProblem::kMissingDistance, i);
    if (!std::isfinite(*s.distance) || !(*s.distance > 0.0)) {
      return At(ControlProblem::kBadDistance, i);
    }
    double d = *s.distance;
    if (s.zenith) {
      const double zenith = PackedToDegrees(*s.zenith);
      if (!std::isfinite(zenith) || !(zenith > 0.0 && zenith < 180.0)) {
        return At(ControlProblem::kBadAngle, i);
      }
      d *= std::sin(zenith * kTrueRadiansPerDegree);
    }
    distances.push_back(d);
  }
  return distances;
}

ControlOutcome<TraverseInput> ResolveOrientation(const TraverseInput& given) {
  TraverseInput input = given;
  // The azimuth from `from` to `to`, packed; kSightOnStation where they
  // are one point.
  auto sight = [](PlanePoint from, PlanePoint to, double& azimuth) -> std::optional<ControlError> {
    if (!Finite(from) || !Finite(to)) return ControlError{ControlProblem::kBadCoordinate};
    const InverseResult line = ComputeInverse(from.x, from.y, to.x, to.y);
    if (line.identicalPoints) return ControlError{ControlProblem::kSightOnStation};
    azimuth = line.azimuth;
    return std::nullopt;
  };
  if (input.backsight) {
    if (const auto fault = sight(*input.backsight, input.start, input.azimuthIn)) return *fault;
    input.backsight.reset();
  }
  if (input.foresight) {
    if (!input.end) return ControlError{ControlProblem::kMissingEnd};
    if (const auto fault = sight(*input.end, *input.foresight, input.azimuthOut)) return *fault;
    input.foresight.reset();
  }
  return input;
}

ControlOutcome<TraverseResult> ComputeTraverse(const TraverseInput& given) {
  const auto resolved = ResolveOrientation(given);
  if (!resolved.ok()) return resolved.error();
  const TraverseInput& input = resolved.value();
  const auto distances = HorizontalDistances(input);
  if (!distances.ok()) return distances.error();
  if (const auto fault = CheckKnown(input)) return *fault;
  const auto angles = ReadAngles(input);
  if (!angles.ok()) return angles.error();

  ArcMillis first = 0;
  if (input.kind == TraverseKind::kUnoriented) {
    const InverseResult bc =
        ComputeInverse(input.start.x, input.start.y, input.end->x, input.end->y);
    first = WholeTurn(PackedToArcMillis(bc.azimuth));
  }
  const AngleAdjustment adjusted = AdjustAngles(input, angles.value(), first);

  TraverseResult result;
  result.angle = adjusted.closure;
  std::vector<double> degrees;
  for (ArcMillis a : adjusted.azimuths) degrees.push_back(ArcMillisToDegrees(a));
  for (double d : distances.value()) result.sumD += d;
  result.rows.resize(input.stations.size());
  result.rows.front().point = input.start;
  for (std::size_t i = 0; i < input.stations.size(); ++i) {
    TraverseRow& row = result.rows[i];
    if (angles.value()[i]) {
      row.angle = input.stations[i].angle;
      row.correctionSeconds = static_cast<double>(adjusted.corrections[i]);
      row.correctedAngle = DegreesToPacked(ArcMillisToDegrees(WholeTurn(*adjusted.corrected[i])));
    }
    if (i < degrees.size()) row.leg = TraverseLegRow{0, 0, distances.value()[i], 0, 0, 0, 0};
  }

  switch (input.kind) {
    case TraverseKind::kAttached:
    case TraverseKind::kClosed:
      CompassRule(result, input, Along(degrees, distances.value()), distances.value());
      break;
    case TraverseKind::kUnoriented:
      Similar(result, input, degrees, distances.value());
      break;
    case TraverseKind::kOpen:
      Unchecked(result, Along(degrees, distances.value()));
      break;
  }
  // A known end is itself, not the start plus a sum of millimetres.
  if (input.kind == TraverseKind::kClosed) result.rows.back().point = input.start;
  if (input.end && input.kind != TraverseKind::kOpen) result.rows.back().point = *input.end;
  for (std::size_t i = 0; i < degrees.size(); ++i) {
    result.rows[i].leg->degrees = degrees[i];
    result.rows[i].leg->azimuth = DegreesToPacked(degrees[i]);
  }
  return result;
}

}  // namespace survey
