#include "core/setup/station_start.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "core/packed_angle.h"

namespace survey {
namespace {

// A sighting in coordinates relative to the first point (so that products
// of coordinates keep their digits), with its reading in radians.
struct Local {
  double x;
  double y;
  double sine;
  double cosine;
  std::optional<double> distance;
};

std::vector<Local> ToLocal(std::span<const Sighting> sightings) {
  const PlanePoint origin = sightings.front().point;
  std::vector<Local> local;
  local.reserve(sightings.size());
  for (const Sighting& sighting : sightings) {
    const double radians = PackedToDegrees(sighting.reading) * kRadiansPerDegree;
    local.push_back({sighting.point.x - origin.x, sighting.point.y - origin.y, std::sin(radians),
                     std::cos(radians), sighting.distance});
  }
  return local;
}

StationStart Absolute(std::span<const Sighting> sightings, double x, double y, double radians) {
  const PlanePoint origin = sightings.front().point;
  return {{origin.x + x, origin.y + y}, radians};
}

// The rigid fit of the points measured with a distance.
StationStart FitByDistances(std::span<const Sighting> sightings, const std::vector<Local>& local) {
  double count = 0.0;
  double lx = 0.0, ly = 0.0, gx = 0.0, gy = 0.0;
  for (const Local& s : local) {
    if (!s.distance) continue;
    count += 1.0;
    lx += *s.distance * s.cosine;
    ly += *s.distance * s.sine;
    gx += s.x;
    gy += s.y;
  }
  lx /= count;
  ly /= count;
  gx /= count;
  gy /= count;
  double dot = 0.0, cross = 0.0;
  for (const Local& s : local) {
    if (!s.distance) continue;
    const double ix = *s.distance * s.cosine - lx;
    const double iy = *s.distance * s.sine - ly;
    dot += ix * (s.x - gx) + iy * (s.y - gy);
    cross += ix * (s.y - gy) - iy * (s.x - gx);
  }
  // The turn that takes the instrument's frame onto the plane's: a reading
  // r points along the azimuth O + r.
  const double turn = std::atan2(cross, dot);
  const double c = std::cos(turn), s = std::sin(turn);
  return Absolute(sightings, gx - (c * lx - s * ly), gy - (s * lx + c * ly), turn);
}

// The unit vector along the smaller eigenvalue's axis of the symmetric
// matrix [p q; q t].
void SmallerAxis(double p, double q, double t, double& c, double& s) {
  const double smaller = 0.5 * (p + t) - std::hypot(0.5 * (p - t), q);
  // Either row of (M - smaller I) v = 0 gives v; the longer is the sounder.
  double ax = q, ay = smaller - p;
  const double bx = smaller - t, by = q;
  if (std::hypot(bx, by) > std::hypot(ax, ay)) {
    ax = bx;
    ay = by;
  }
  const double length = std::hypot(ax, ay);
  if (length == 0.0) {
    c = 1.0;
    s = 0.0;
  } else {
    c = ax / length;
    s = ay / length;
  }
}

// The orientation O, as (cos O, sin O) and up to 180°, that brings the
// lines of the sightings nearest to meeting in one point.
void OrientationByDirections(const std::vector<Local>& local, double& cosO, double& sinO) {
  const std::size_t n = local.size();
  // Each sighting's line through its point, for the orientation O: the
  // normal (-sin(O + r), cos(O + r)) and its offset, a cos O + b sin O.
  std::vector<double> a(n), b(n);
  for (std::size_t i = 0; i < n; ++i) {
    a[i] = -local[i].x * local[i].sine + local[i].y * local[i].cosine;
    b[i] = -local[i].x * local[i].cosine - local[i].y * local[i].sine;
  }
  // sin(r_j - r_i)
  const auto sineBetween = [&](std::size_t i, std::size_t j) {
    return local[j].sine * local[i].cosine - local[j].cosine * local[i].sine;
  };
  double p = 0.0, q = 0.0, t = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = i + 1; j < n; ++j) {
      for (std::size_t k = j + 1; k < n; ++k) {
        const double wi = sineBetween(j, k);
        const double wj = -sineBetween(i, k);
        const double wk = sineBetween(i, j);
        const double ca = wi * a[i] + wj * a[j] + wk * a[k];
        const double cb = wi * b[i] + wj * b[j] + wk * b[k];
        p += ca * ca;
        q += ca * cb;
        t += cb * cb;
      }
    }
  }
  SmallerAxis(p, q, t, cosO, sinO);
}

SetupOutcome<StationStart> FitByDirections(std::span<const Sighting> sightings,
                                           const std::vector<Local>& local) {
  const std::size_t n = local.size();
  double cosO = 0.0, sinO = 0.0;
  OrientationByDirections(local, cosO, sinO);

  // Where the lines meet best: sum(n n^T) s = sum(n (n . point)).
  double nxx = 0.0, nxy = 0.0, nyy = 0.0, ux = 0.0, uy = 0.0;
  std::vector<double> nx(n), ny(n);
  for (std::size_t i = 0; i < n; ++i) {
    const double sinTheta = sinO * local[i].cosine + cosO * local[i].sine;
    const double cosTheta = cosO * local[i].cosine - sinO * local[i].sine;
    nx[i] = -sinTheta;
    ny[i] = cosTheta;
    const double offset = nx[i] * local[i].x + ny[i] * local[i].y;
    nxx += nx[i] * nx[i];
    nxy += nx[i] * ny[i];
    nyy += ny[i] * ny[i];
    ux += nx[i] * offset;
    uy += ny[i] * offset;
  }
  const double det = nxx * nyy - nxy * nxy;
  // Unit normals: the trace is n. Lines this near parallel cross nowhere
  // a station could be told from its neighbours.
  const double trace = nxx + nyy;
  if (!(det > 1e-20 * trace * trace)) {
    return SetupError{SetupProblem::kTargetsInLine, kNoSighting, kNoSighting, INFINITY};
  }
  const double x = (nyy * ux - nxy * uy) / det;
  const double y = (nxx * uy - nxy * ux) / det;

  // The lines are the same for O and O + 180°; the right one looks along
  // each direction towards its point.
  double agreement = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    // (point - station) . (cos(O + r), sin(O + r)) = (point - station) x normal
    agreement += (local[i].x - x) * ny[i] - (local[i].y - y) * nx[i];
  }
  double turn = std::atan2(sinO, cosO);
  if (agreement < 0.0) turn += std::numbers::pi;
  return Absolute(sightings, x, y, turn);
}

}  // namespace

SetupOutcome<StationStart> FindStationStart(std::span<const Sighting> sightings) {
  std::size_t distances = 0;
  for (const Sighting& sighting : sightings) {
    if (sighting.distance) ++distances;
  }
  if (distances < 2 && sightings.size() < 3) return SetupError{SetupProblem::kTooFewObservations};
  const std::vector<Local> local = ToLocal(sightings);
  if (distances >= 2) return FitByDistances(sightings, local);
  return FitByDirections(sightings, local);
}

}  // namespace survey
