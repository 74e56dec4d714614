#include "core/alignment/alignment.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/packed_angle.h"

namespace survey {
namespace {

// Degrees in a radian by the true pi (57.29577951308232).
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

}  // namespace

const char* MainPointCode(MainPointKind kind) {
  switch (kind) {
    case MainPointKind::kBP:
      return "BP";
    case MainPointKind::kZH:
      return "ZH";
    case MainPointKind::kHY:
      return "HY";
    case MainPointKind::kQZ:
      return "QZ";
    case MainPointKind::kYH:
      return "YH";
    case MainPointKind::kHZ:
      return "HZ";
    case MainPointKind::kZY:
      return "ZY";
    case MainPointKind::kYZ:
      return "YZ";
    case MainPointKind::kGQ:
      return "GQ";
    case MainPointKind::kEP:
      return "EP";
  }
  return "";
}

double PackedAzimuth(double heading) {
  double degrees = std::fmod(heading * kDegreesPerRadian, 360.0);
  if (degrees < 0.0) degrees += 360.0;
  // A heading a hair below a whole turn may round up to it on either step.
  const double packed = degrees < 360.0 ? DegreesToPacked(degrees) : 0.0;
  return packed < 360.0 ? packed : 0.0;
}

double SignedPacked(double radians) {
  const double packed = DegreesToPacked(std::fabs(radians) * kDegreesPerRadian);
  return radians < 0.0 ? -packed : packed;
}

Alignment::Alignment(std::vector<Element> elements, std::vector<MainPoint> mainPoints)
    : elements_(std::move(elements)), mainPoints_(std::move(mainPoints)), index_(elements_) {
  starts_.reserve(elements_.size());
  for (const Element& e : elements_) starts_.push_back(e.chainage);
}

double Alignment::startChainage() const {
  return elements_.empty() ? 0.0 : elements_.front().chainage;
}

double Alignment::endChainage() const {
  return elements_.empty() ? 0.0 : elements_.back().endChainage();
}

std::size_t Alignment::ElementAt(double chainage) const {
  if (elements_.empty() || !(chainage >= starts_.front() && chainage <= endChainage())) {
    return elements_.size();
  }
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), chainage);
  return static_cast<std::size_t>(after - starts_.begin()) - 1;
}

OrError<StakePoint> Alignment::Stake(double chainage, double offset) const {
  const std::size_t i = ElementAt(chainage);
  if (i == elements_.size()) {
    return AlignmentError{.kind = AlignmentError::Kind::kBesideRange, .value = chainage};
  }
  const Element& e = elements_[i];
  const ElementPoint p = PointAt(e, chainage - e.chainage);
  const double c = std::cos(p.heading), s = std::sin(p.heading);
  return StakePoint{p.x - s * offset, p.y + c * offset, PackedAzimuth(p.heading)};
}

OrError<Location> Alignment::Locate(double x, double y) const {
  if (elements_.empty()) return AlignmentError{.kind = AlignmentError::Kind::kBesideNoElement};
  // A foot counts where it is no farther than the start and end points; a
  // foot at either end is as far as that end, give or take rounding.
  const Element& last = elements_.back();
  const double ends = std::min(std::hypot(x - elements_.front().x, y - elements_.front().y),
                               std::hypot(x - last.endX, y - last.endY));
  const auto nearest = index_.NearestFoot(elements_, x, y, ends * (1.0 + 0x1p-40) + 1e-9);
  if (!nearest) return AlignmentError{.kind = AlignmentError::Kind::kBesideNoElement};
  return Location{elements_[nearest->element].chainage + nearest->foot.s, nearest->foot.offset};
}

void Alignment::AppendPlan(std::size_t element, double deviation,
                           std::vector<PlanPoint>& out) const {
  const Element& e = elements_[element];
  out.push_back({e.x, e.y});
  if (e.kind() != ElementKind::kStraight) {
    // A chord of length h on a curve of curvature k strays k h^2 / 8.
    const double most = std::max(std::fabs(e.startCurvature), std::fabs(e.endCurvature));
    const double chord = std::sqrt(8.0 * deviation / most);
    const double wanted = std::ceil(e.length / chord);
    const std::size_t pieces = wanted < kMaxPlanPieces
                                   ? std::max<std::size_t>(1, static_cast<std::size_t>(wanted))
                                   : kMaxPlanPieces;
    const double h = e.length / static_cast<double>(pieces);
    for (std::size_t i = 1; i < pieces; ++i) {
      const ElementPoint p = PointAt(e, static_cast<double>(i) * h);
      out.push_back({p.x, p.y});
    }
  }
  out.push_back({e.endX, e.endY});
}

}  // namespace survey
