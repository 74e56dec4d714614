#include "core/alignment/element.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace survey {
namespace {

// The most a piece of a curve turns under one power series (radians): its
// terms then fall from the first one on, and about twenty reach the last bit.
constexpr double kPieceTurn = 1.0;

// The series stops at the first two neighbouring terms below this: 2^-60 of
// a sum that is at least cos(1) (a piece turns at most a radian) and so at
// least 0.54 — far under half its last bit.
constexpr double kTermLimit = 0x1p-60;

// More terms than any piece needs (a radian's terms reach 2^-60 by the 20th).
constexpr int kMaxTerms = 48;

// How far past an element's end a foot still counts, at that end: the ends
// of neighbouring elements are computed apart and may part by rounding.
constexpr double kEndReach = 1e-9;

// Newton's method stops at a step this small (metres): the next step would
// be far below rounding.
constexpr double kFootStep = 1e-9;
constexpr int kMaxFootSteps = 100;

constexpr std::array<double, kMaxTerms + 2> kReciprocals = [] {
  std::array<double, kMaxTerms + 2> r{};
  for (int n = 1; n < kMaxTerms + 2; ++n) r[n] = 1.0 / n;
  return r;
}();

// The integral from 0 to s of exp(i(a t + b t^2)) dt, for |a| s + |b| s^2 at
// most a little over kPieceTurn. Its integrand's Taylor coefficients f_n obey
// (n + 1) f_{n+1} = i (a f_n + 2 b f_{n-1}), as exp(i phi)' = i phi' exp(i phi);
// g_n = f_n s^n keeps the terms near 1, and the integral is s sum g_n / (n + 1).
LocalPoint SeriesPiece(double a, double b, double s) {
  const double along = a * s;
  const double across = 2.0 * b * s * s;
  double prevRe = 0.0, prevIm = 0.0;  // g_{n-1}
  double re = 1.0, im = 0.0;          // g_n
  double sumRe = 1.0, sumIm = 0.0;
  for (int n = 0; n < kMaxTerms; ++n) {
    const double r = kReciprocals[n + 1];
    const double nextRe = -(along * im + across * prevIm) * r;
    const double nextIm = (along * re + across * prevRe) * r;
    sumRe += nextRe * kReciprocals[n + 2];
    sumIm += nextIm * kReciprocals[n + 2];
    if (std::fabs(nextRe) + std::fabs(nextIm) + std::fabs(re) + std::fabs(im) < kTermLimit) break;
    prevRe = re;
    prevIm = im;
    re = nextRe;
    im = nextIm;
  }
  return {s * sumRe, s * sumIm};
}

}  // namespace

LocalPoint CurveIntegral(double a, double b, double length) {
  const double turn = std::fabs(a) * length + std::fabs(b) * length * length;
  if (!(turn > kPieceTurn)) return SeriesPiece(a, b, length);
  // Longer curves in equal pieces, each from its own start point and heading.
  const int pieces = static_cast<int>(std::ceil(turn / kPieceTurn));
  const double h = length / pieces;
  LocalPoint sum{0.0, 0.0};
  for (int j = 0; j < pieces; ++j) {
    const double t = j * h;
    const double phi = t * (a + b * t);
    const LocalPoint piece = SeriesPiece(a + 2.0 * b * t, b, h);
    const double c = std::cos(phi), sn = std::sin(phi);
    sum.u += c * piece.u - sn * piece.v;
    sum.v += sn * piece.u + c * piece.v;
  }
  return sum;
}

Element MakeElement(double chainage, double length, double x, double y, double heading,
                    double startCurvature, double endCurvature) {
  Element e{};
  e.chainage = chainage;
  e.length = length;
  e.x = x;
  e.y = y;
  e.heading = heading;
  e.startCurvature = startCurvature;
  e.endCurvature = endCurvature;
  e.cosHeading = std::cos(heading);
  e.sinHeading = std::sin(heading);
  e.curvatureRate = (endCurvature - startCurvature) / length;
  const ElementPoint end = PointAt(e, length);
  e.endX = end.x;
  e.endY = end.y;
  e.endHeading = end.heading;
  return e;
}

ElementPoint PointAt(const Element& e, double s) {
  LocalPoint local;
  switch (e.kind()) {
    case ElementKind::kStraight:
      local = {s, 0.0};
      break;
    case ElementKind::kArc: {
      // The chord 2 sin(ks/2)/k, turned by half the arc's angle.
      const double half = 0.5 * e.startCurvature * s;
      const double chord = 2.0 * std::sin(half) / e.startCurvature;
      local = {chord * std::cos(half), chord * std::sin(half)};
      break;
    }
    case ElementKind::kSpiral:
      local = CurveIntegral(e.startCurvature, 0.5 * e.curvatureRate, s);
      break;
  }
  return {e.x + e.cosHeading * local.u - e.sinHeading * local.v,
          e.y + e.sinHeading * local.u + e.cosHeading * local.v, e.HeadingAt(s)};
}

namespace {

std::optional<Foot> FootOnStraight(const Element& e, double x, double y) {
  const double dx = x - e.x, dy = y - e.y;
  const double s = dx * e.cosHeading + dy * e.sinHeading;
  if (s < -kEndReach || s > e.length + kEndReach) return std::nullopt;
  return Foot{std::clamp(s, 0.0, e.length), dy * e.cosHeading - dx * e.sinHeading};
}

// The nearest point of the arc's circle lies on the ray from the centre
// through the point: its heading there gives the distance along the arc.
std::optional<Foot> FootOnArc(const Element& e, double x, double y) {
  const double k = e.startCurvature;
  const double radius = 1.0 / std::fabs(k);
  const double side = k > 0.0 ? 1.0 : -1.0;
  const double cx = e.x - e.sinHeading / k, cy = e.y + e.cosHeading / k;
  const double dx = x - cx, dy = y - cy;
  const double r = std::hypot(dx, dy);
  if (r == 0.0) return std::nullopt;  // the centre: every point of the circle is as near
  const double heading = std::atan2(side * dx, -side * dy);
  double s = std::remainder(heading - e.heading, 2.0 * std::numbers::pi) / k;
  if (s < -kEndReach) s += 2.0 * std::numbers::pi * radius;
  if (s > e.length + kEndReach) return std::nullopt;
  return Foot{std::clamp(s, 0.0, e.length), side * (radius - r)};
}

// f(s) = (P - Z(s)) . T(s), the point's distance ahead of the tangent at s,
// falls from f(0) to f(L) with f'(s) = -1 + k(s) g(s) (g the offset), below 0
// wherever the point lies on the near side of the centre of curvature. The
// root is found by Newton's method kept inside the bracket that halves it
// where a step would leave it.
std::optional<Foot> FootOnSpiral(const Element& e, double x, double y) {
  const double ahead0 = (x - e.x) * e.cosHeading + (y - e.y) * e.sinHeading;
  const double ahead1 =
      (x - e.endX) * std::cos(e.endHeading) + (y - e.endY) * std::sin(e.endHeading);
  if (ahead0 < -kEndReach || ahead1 > kEndReach) return std::nullopt;
  double lo = 0.0, hi = e.length;
  double s = ahead0 - ahead1 > 0.0 ? e.length * (ahead0 / (ahead0 - ahead1)) : 0.0;
  s = std::clamp(s, lo, hi);
  double offset = 0.0;
  for (int step = 0; step < kMaxFootSteps; ++step) {
    const ElementPoint p = PointAt(e, s);
    const double c = std::cos(p.heading), sn = std::sin(p.heading);
    const double dx = x - p.x, dy = y - p.y;
    const double ahead = dx * c + dy * sn;
    offset = dy * c - dx * sn;
    (ahead > 0.0 ? lo : hi) = s;
    const double slope = -1.0 + e.CurvatureAt(s) * offset;
    double next = slope < 0.0 ? s - ahead / slope : 0.5 * (lo + hi);
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
    const bool done = std::fabs(next - s) <= kFootStep || hi - lo <= kFootStep;
    s = next;
    if (done) break;
  }
  if (e.CurvatureAt(s) * offset >= 1.0) return std::nullopt;  // beyond the centre
  return Foot{std::clamp(s, 0.0, e.length), offset};
}

}  // namespace

std::optional<Foot> FootOn(const Element& e, double x, double y) {
  switch (e.kind()) {
    case ElementKind::kStraight:
      return FootOnStraight(e, x, y);
    case ElementKind::kArc:
      return FootOnArc(e, x, y);
    case ElementKind::kSpiral:
      return FootOnSpiral(e, x, y);
  }
  return std::nullopt;
}

}  // namespace survey
