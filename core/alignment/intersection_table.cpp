#include "core/alignment/intersection_table.h"

#include <cmath>
#include <numbers>

namespace survey {
namespace {

using Kind = AlignmentError::Kind;

AlignmentError Fault(Kind kind, std::span<const IntersectionPoint> points, std::size_t row,
                     double value = std::numeric_limits<double>::quiet_NaN()) {
  return {.kind = kind, .row = row, .name = points[row].name, .value = value};
}

AlignmentError FaultBetween(Kind kind, std::span<const IntersectionPoint> points, std::size_t row,
                            double value = std::numeric_limits<double>::quiet_NaN()) {
  return {.kind = kind,
          .row = row - 1,
          .otherRow = row,
          .name = points[row - 1].name,
          .otherName = points[row].name,
          .value = value};
}

// The shift p and tangent increment q of a spiral of length ls into a
// circle of radius r, and the angle it turns (radians).
struct Spiral {
  double p = 0.0, q = 0.0, turn = 0.0;
};

Spiral SpiralInto(double r, double ls) {
  if (ls == 0.0) return {};
  const LocalPoint end = CurveIntegral(0.0, 0.5 / (r * ls), ls);
  const double turn = ls / (2.0 * r);
  const double half = std::sin(0.5 * turn);
  return {end.v - 2.0 * r * half * half, end.u - r * std::sin(turn), turn};
}

// One JD's curve in plan, before it is placed on the chainage.
struct Curve {
  double alpha;  // radians, + right
  double radius, spiralIn, spiralOut, arc;
  double tangentIn, tangentOut;
  double external;
};

bool SamePlace(const IntersectionPoint& a, const IntersectionPoint& b) {
  return a.x == b.x && a.y == b.y;
}

double Heading(const IntersectionPoint& from, const IntersectionPoint& to) {
  return std::atan2(to.y - from.y, to.x - from.x);
}

double Distance(const IntersectionPoint& from, const IntersectionPoint& to) {
  return std::hypot(to.x - from.x, to.y - from.y);
}

OrError<Curve> CurveAt(std::span<const IntersectionPoint> points, std::size_t i) {
  const IntersectionPoint& jd = points[i];
  const double r = jd.radius;
  const double ls1 = jd.spiralIn;
  const double ls2 = jd.spiralOut.value_or(ls1);
  if (!(r > 0.0)) return Fault(Kind::kBadRadius, points, i, r);
  if (!(ls1 >= 0.0)) return Fault(Kind::kNegativeSpiral, points, i, ls1);
  if (!(ls2 >= 0.0)) return Fault(Kind::kNegativeSpiral, points, i, ls2);
  const double thetaIn = Heading(points[i - 1], jd);
  const double alpha = std::remainder(Heading(jd, points[i + 1]) - thetaIn, 2.0 * std::numbers::pi);
  const double a = std::fabs(alpha);
  if (a == std::numbers::pi) return Fault(Kind::kTurnsBack, points, i);
  const double arc = r * a - 0.5 * ls1 - 0.5 * ls2;
  if (arc < 0.0) return Fault(Kind::kSpiralsTooLong, points, i, arc);
  const Spiral in = SpiralInto(r, ls1), out = SpiralInto(r, ls2);
  const double tangent = std::tan(0.5 * a);
  double t1 = (r + in.p) * tangent + in.q;
  double t2 = (r + out.p) * tangent + out.q;
  if (in.p != out.p) {
    t1 += (out.p - in.p) / std::sin(a);
    t2 += (in.p - out.p) / std::sin(a);
  }
  // The centre lies q1 ahead of ZH along the incoming tangent and R + p1
  // to the side, that is T1 - q1 back from the JD.
  const double external = std::hypot(t1 - in.q, r + in.p) - r;
  return Curve{alpha, r, ls1, ls2, arc, t1, t2, external};
}

// Builds the elements and main points of the whole table, the curves
// already checked.
class Builder {
 public:
  Builder(std::span<const IntersectionPoint> points, double chainage)
      : points_(points), chainage_(chainage) {}

  // The line from where the last curve ended to `length` metres on.
  void Line(double x, double y, double heading, double length) {
    if (length > 0.0) Add(length, x, y, heading, 0.0, 0.0);
  }

  void Add(double length, double x, double y, double heading, double k0, double k1) {
    elements_.push_back(MakeElement(chainage_, length, x, y, heading, k0, k1));
    chainage_ += length;
  }

  CurveRow Place(std::size_t i, const Curve& c, double thetaIn, double thetaOut) {
    const IntersectionPoint& jd = points_[i];
    const double k = (c.alpha > 0.0 ? 1.0 : -1.0) / c.radius;
    CurveRow row{};
    row.row = i;
    row.name = jd.name;
    row.x = jd.x;
    row.y = jd.y;
    row.deflection = SignedPacked(c.alpha);
    row.radius = c.radius;
    row.spiralIn = c.spiralIn;
    row.spiralOut = c.spiralOut;
    row.tangentIn = c.tangentIn;
    row.tangentOut = c.tangentOut;
    row.length = c.spiralIn + c.arc + c.spiralOut;
    row.external = c.external;
    row.difference = c.tangentIn + c.tangentOut - row.length;
    const std::size_t first = elements_.size();
    row.zh = {chainage_, jd.x - c.tangentIn * std::cos(thetaIn),
              jd.y - c.tangentIn * std::sin(thetaIn), PackedAzimuth(thetaIn)};
    row.chainage = chainage_ + c.tangentIn;
    row.hy = row.zh;
    double heading = thetaIn;
    if (c.spiralIn > 0.0) {
      Add(c.spiralIn, row.zh.x, row.zh.y, heading, 0.0, k);
      row.hy = End(heading);
    }
    row.yh = row.hy;
    if (c.arc > 0.0) {
      Add(c.arc, row.hy.x, row.hy.y, heading, k, k);
      row.yh = End(heading);
    }
    if (c.spiralOut > 0.0) Add(c.spiralOut, row.yh.x, row.yh.y, heading, k, 0.0);
    row.hz = {chainage_, jd.x + c.tangentOut * std::cos(thetaOut),
              jd.y + c.tangentOut * std::sin(thetaOut), PackedAzimuth(thetaOut)};
    row.qz = Middle(row, first);
    const bool in = c.spiralIn > 0.0, out = c.spiralOut > 0.0;
    Main(in ? MainPointKind::kZH : MainPointKind::kZY, i, row.zh);
    if (in) Main(MainPointKind::kHY, i, row.hy);
    Main(MainPointKind::kQZ, i, row.qz);
    if (out) Main(MainPointKind::kYH, i, row.yh);
    Main(out ? MainPointKind::kHZ : MainPointKind::kYZ, i, row.hz);
    return row;
  }

  void Main(MainPointKind kind, std::size_t row, const CurvePoint& p) {
    mainPoints_.push_back({kind, row, p.chainage, p.x, p.y, p.azimuth});
  }

  Alignment Finish() { return Alignment(std::move(elements_), std::move(mainPoints_)); }
  double chainage() const { return chainage_; }

 private:
  // The end of the last element, whose heading becomes the next one's.
  CurvePoint End(double& heading) const {
    const Element& e = elements_.back();
    heading = e.endHeading;
    return {chainage_, e.endX, e.endY, PackedAzimuth(heading)};
  }

  // QZ, halfway along the curve's elements from `first` on (at ZH where the
  // curve has none).
  CurvePoint Middle(const CurveRow& row, std::size_t first) const {
    const double chainage = row.zh.chainage + 0.5 * row.length;
    for (std::size_t j = first; j < elements_.size(); ++j) {
      const Element& e = elements_[j];
      if (chainage <= e.endChainage() || j + 1 == elements_.size()) {
        const ElementPoint p = PointAt(e, chainage - e.chainage);
        return {chainage, p.x, p.y, PackedAzimuth(p.heading)};
      }
    }
    return row.zh;
  }

  std::span<const IntersectionPoint> points_;
  double chainage_;
  std::vector<Element> elements_;
  std::vector<MainPoint> mainPoints_;
};

}  // namespace

OrError<IntersectionAlignment> BuildFromIntersections(std::span<const IntersectionPoint> points,
                                                      double startChainage) {
  if (points.size() < 2) return AlignmentError{.kind = Kind::kTooFewPoints};
  for (std::size_t i = 1; i < points.size(); ++i) {
    if (SamePlace(points[i - 1], points[i])) return FaultBetween(Kind::kSamePlace, points, i);
  }
  Builder builder(points, startChainage);
  builder.Main(
      MainPointKind::kBP, 0,
      {startChainage, points[0].x, points[0].y, PackedAzimuth(Heading(points[0], points[1]))});
  IntersectionAlignment result;
  double leftOver = 0.0;  // T2 of the curve before
  double x = points[0].x, y = points[0].y;
  for (std::size_t i = 1; i < points.size(); ++i) {
    const double thetaIn = Heading(points[i - 1], points[i]);
    Curve curve{};
    if (i + 1 < points.size()) {
      OrError<Curve> got = CurveAt(points, i);
      if (auto* fault = std::get_if<AlignmentError>(&got)) return std::move(*fault);
      curve = std::get<Curve>(got);
    }
    const double line = Distance(points[i - 1], points[i]) - leftOver - curve.tangentIn;
    if (line < 0.0) return FaultBetween(Kind::kCurvesOverlap, points, i, -line);
    builder.Line(x, y, thetaIn, line);
    if (i + 1 == points.size()) break;
    const double thetaOut = Heading(points[i], points[i + 1]);
    result.curves.push_back(builder.Place(i, curve, thetaIn, thetaOut));
    x = result.curves.back().hz.x;
    y = result.curves.back().hz.y;
    leftOver = curve.tangentOut;
  }
  const IntersectionPoint& end = points.back();
  builder.Main(
      MainPointKind::kEP, points.size() - 1,
      {builder.chainage(), end.x, end.y, PackedAzimuth(Heading(points[points.size() - 2], end))});
  result.alignment = builder.Finish();
  return result;
}

}  // namespace survey
