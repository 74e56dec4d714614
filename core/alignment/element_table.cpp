#include "core/alignment/element_table.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "core/packed_angle.h"

namespace survey {
namespace {

double Curvature(double radius) { return radius == 0.0 ? 0.0 : 1.0 / radius; }

// The main point where an element of kind `before` meets one of kind
// `after`; false where there is none (straight to straight).
bool MainPointBetween(const Element& before, const Element& after, MainPointKind& kind) {
  const ElementKind b = before.kind(), a = after.kind();
  using K = ElementKind;
  if (b == K::kStraight && a == K::kStraight) return false;
  if (b == K::kStraight)
    kind = a == K::kSpiral ? MainPointKind::kZH : MainPointKind::kZY;
  else if (a == K::kStraight)
    kind = b == K::kSpiral ? MainPointKind::kHZ : MainPointKind::kYZ;
  else if (b == K::kSpiral && a == K::kArc && before.endCurvature == after.startCurvature &&
           before.startCurvature == 0.0)
    kind = MainPointKind::kHY;
  else if (b == K::kArc && a == K::kSpiral && after.endCurvature == 0.0)
    kind = MainPointKind::kYH;
  else
    kind = MainPointKind::kGQ;
  return true;
}

}  // namespace

OrError<Alignment> BuildFromElements(const ElementStart& start, std::span<const ElementRow> rows) {
  if (rows.empty()) return AlignmentError{.kind = AlignmentError::Kind::kTooFewPoints};
  std::vector<Element> elements;
  elements.reserve(rows.size());
  double x = start.x, y = start.y, chainage = start.chainage;
  double heading = PackedToDegrees(start.azimuth) * (std::numbers::pi / 180.0);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ElementRow& row = rows[i];
    if (!(row.length > 0.0)) {
      return AlignmentError{
          .kind = AlignmentError::Kind::kBadLength, .row = i, .value = row.length};
    }
    const double k0 = Curvature(row.startRadius), k1 = Curvature(row.endRadius);
    const double turn = 0.5 * (std::fabs(k0) + std::fabs(k1)) * row.length;
    if (turn > 2.0 * std::numbers::pi) {
      return AlignmentError{.kind = AlignmentError::Kind::kFullCircle,
                            .row = i,
                            .value = turn * (180.0 / std::numbers::pi)};
    }
    elements.push_back(MakeElement(chainage, row.length, x, y, heading, k0, k1));
    const Element& e = elements.back();
    x = e.endX;
    y = e.endY;
    heading = e.endHeading;
    chainage += row.length;
  }
  std::vector<MainPoint> mainPoints;
  const auto add = [&](MainPointKind kind, std::size_t row, double at, double px, double py,
                       double h) {
    mainPoints.push_back({kind, row, at, px, py, PackedAzimuth(h)});
  };
  add(MainPointKind::kBP, 0, start.chainage, start.x, start.y, elements.front().heading);
  for (std::size_t i = 1; i < elements.size(); ++i) {
    MainPointKind kind;
    const Element& e = elements[i];
    if (MainPointBetween(elements[i - 1], e, kind)) add(kind, i, e.chainage, e.x, e.y, e.heading);
  }
  const Element& last = elements.back();
  add(MainPointKind::kEP, rows.size(), last.endChainage(), last.endX, last.endY, last.endHeading);
  return Alignment(std::move(elements), std::move(mainPoints));
}

}  // namespace survey
