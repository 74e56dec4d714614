#include "core/alignment/element_index.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace survey {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr PlanBox kEmpty{kInfinity, kInfinity, -kInfinity, -kInfinity};

// A curve's box is built from its points at least this many pieces apart,
// and pieces that turn at most this much (radians).
constexpr int kBoxPieces = 16;
constexpr double kBoxPieceTurn = 0.25;

PlanBox Union(const PlanBox& a, const PlanBox& b) {
  return {std::min(a.minX, b.minX), std::min(a.minY, b.minY), std::max(a.maxX, b.maxX),
          std::max(a.maxY, b.maxY)};
}

void Add(PlanBox& box, double x, double y) { box = Union(box, {x, y, x, y}); }

// The square of the distance from the point to the box (0 inside it).
double DistanceSquared(const PlanBox& box, double x, double y) {
  const double dx = std::max({box.minX - x, 0.0, x - box.maxX});
  const double dy = std::max({box.minY - y, 0.0, y - box.maxY});
  return dx * dx + dy * dy;
}

}  // namespace

PlanBox BoxOf(const Element& e) {
  PlanBox box = kEmpty;
  Add(box, e.x, e.y);
  Add(box, e.endX, e.endY);
  if (e.kind() == ElementKind::kStraight) return box;
  const double most = std::max(std::fabs(e.startCurvature), std::fabs(e.endCurvature));
  const int pieces =
      std::max(kBoxPieces, static_cast<int>(std::ceil(most * e.length / kBoxPieceTurn)));
  const double h = e.length / pieces;
  for (int i = 1; i < pieces; ++i) {
    const ElementPoint p = PointAt(e, i * h);
    Add(box, p.x, p.y);
  }
  // A piece of length h and curvature at most k strays at most k h^2 / 8
  // from its chord; a hundredth more and a nanometre cover the rounding.
  const double bow = most * h * h / 8.0 * 1.01 + 1e-9;
  return {box.minX - bow, box.minY - bow, box.maxX + bow, box.maxY + bow};
}

ElementIndex::ElementIndex(std::span<const Element> elements) {
  leaves_ = 1;
  while (leaves_ < elements.size()) leaves_ *= 2;
  boxes_.assign(2 * leaves_, kEmpty);
  for (std::size_t i = 0; i < elements.size(); ++i) boxes_[leaves_ + i] = BoxOf(elements[i]);
  for (std::size_t n = leaves_ - 1; n >= 1; --n)
    boxes_[n] = Union(boxes_[2 * n], boxes_[2 * n + 1]);
}

std::optional<ElementIndex::Nearest> ElementIndex::NearestFoot(std::span<const Element> elements,
                                                               double x, double y,
                                                               double within) const {
  std::optional<Nearest> best;
  double bestSquared = within * within;
  if (elements.empty()) return best;
  // Depth-first, the nearer child first; a node is opened only while its
  // box is nearer than the best foot so far. The depth is at most 64.
  struct Open {
    std::size_t node;
    double distanceSquared;
  };
  Open stack[2 * 64];
  std::size_t depth = 0;
  stack[depth++] = {1, DistanceSquared(boxes_[1], x, y)};
  while (depth > 0) {
    const Open open = stack[--depth];
    if (open.distanceSquared >= bestSquared) continue;
    if (open.node >= leaves_) {
      const std::size_t i = open.node - leaves_;
      const std::optional<Foot> foot = FootOn(elements[i], x, y);
      if (foot && foot->offset * foot->offset < bestSquared) {
        bestSquared = foot->offset * foot->offset;
        best = Nearest{i, *foot};
      }
      continue;
    }
    const std::size_t left = 2 * open.node, right = left + 1;
    const double toLeft = DistanceSquared(boxes_[left], x, y);
    const double toRight = DistanceSquared(boxes_[right], x, y);
    if (toLeft <= toRight) {
      stack[depth++] = {right, toRight};
      stack[depth++] = {left, toLeft};
    } else {
      stack[depth++] = {left, toLeft};
      stack[depth++] = {right, toRight};
    }
  }
  return best;
}

}  // namespace survey
