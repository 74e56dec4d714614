#include "core/nearest_points.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace survey {
namespace {

// The most points a box holds unsplit: looking at a few more points costs
// less than going down one more level.
constexpr std::size_t kLeafPoints = 8;

// The lowest id of a box with no points left.
constexpr std::size_t kNoId = std::numeric_limits<std::size_t>::max();

// The squared distance from (x, y) to the nearest place of a box, never
// more than that of any point in it as the doubles compute it: subtraction
// and squaring round monotonically.
template <typename Box>
double SquareTo(const Box& box, double x, double y) {
  const double dx = x < box.minX ? box.minX - x : (x > box.maxX ? x - box.maxX : 0.0);
  const double dy = y < box.minY ? box.minY - y : (y > box.maxY ? y - box.maxY : 0.0);
  return dx * dx + dy * dy;
}

}  // namespace

NearestPoints::NearestPoints(std::vector<Point> points)
    : left_(points.size()), points_(std::move(points)), leafOf_(left_) {
  // Unsplit boxes hold four points or more: at most two boxes for four.
  boxes_.reserve(4 * (left_ / kLeafPoints + 1));
  BuildBox(0, left_, 0);
}

std::size_t NearestPoints::BuildBox(std::size_t begin, std::size_t end, std::size_t parent) {
  const std::size_t index = boxes_.size();
  Box box{0.0, 0.0, 0.0, 0.0, begin, end - begin, kNoId, parent, 0, 0};
  if (begin < end) {
    box.minX = box.maxX = points_[begin].x;
    box.minY = box.maxY = points_[begin].y;
    for (std::size_t at = begin; at < end; ++at) {
      box.minX = std::min(box.minX, points_[at].x);
      box.maxX = std::max(box.maxX, points_[at].x);
      box.minY = std::min(box.minY, points_[at].y);
      box.maxY = std::max(box.maxY, points_[at].y);
      box.lowestId = std::min(box.lowestId, points_[at].id);
    }
  }
  boxes_.push_back(box);
  if (end - begin <= kLeafPoints) {
    std::fill(leafOf_.begin() + static_cast<std::ptrdiff_t>(begin),
              leafOf_.begin() + static_cast<std::ptrdiff_t>(end), index);
    return index;
  }
  const std::size_t middle = begin + (end - begin) / 2;
  const auto first = points_.begin() + static_cast<std::ptrdiff_t>(begin);
  const auto nth = points_.begin() + static_cast<std::ptrdiff_t>(middle);
  const auto last = points_.begin() + static_cast<std::ptrdiff_t>(end);
  if (box.maxX - box.minX >= box.maxY - box.minY) {
    std::nth_element(first, nth, last, [](const Point& a, const Point& b) { return a.x < b.x; });
  } else {
    std::nth_element(first, nth, last, [](const Point& a, const Point& b) { return a.y < b.y; });
  }
  const std::size_t lower = BuildBox(begin, middle, index);
  const std::size_t upper = BuildBox(middle, end, index);
  boxes_[index].lower = lower;
  boxes_[index].upper = upper;
  return index;
}

// Whether a box `square` from the position, whose lowest id is `lowestId`,
// may hold a point better than the best found: one nearer, or as near with
// a lower id (points all in one place would otherwise be looked at all).
bool NearestPoints::MayBeBetter(double square, std::size_t lowestId) const {
  if (lowestId == kNoId) return false;
  if (!found_ || square < bestSquare_) return true;
  return square == bestSquare_ && lowestId < points_[best_].id;
}

// Looks at the points of `box`, `square` from (x, y), and of its halves,
// the nearer first (of two as near, the one with the lower id), unless it
// cannot hold a better point than the best found.
void NearestPoints::Search(std::size_t index, double square, double x, double y) {
  const Box& box = boxes_[index];
  if (!MayBeBetter(square, box.lowestId)) return;
  if (box.lower == 0) {
    for (std::size_t at = box.begin; at < box.begin + box.left; ++at) {
      const Point& p = points_[at];
      const double dx = p.x - x;
      const double dy = p.y - y;
      const double pointSquare = dx * dx + dy * dy;
      if (!found_ || pointSquare < bestSquare_ ||
          (pointSquare == bestSquare_ && p.id < points_[best_].id)) {
        found_ = true;
        bestSquare_ = pointSquare;
        best_ = at;
      }
    }
    return;
  }
  std::size_t nearer = box.lower;
  std::size_t farther = box.upper;
  double nearerSquare = SquareTo(boxes_[nearer], x, y);
  double fartherSquare = SquareTo(boxes_[farther], x, y);
  if (fartherSquare < nearerSquare ||
      (fartherSquare == nearerSquare && boxes_[farther].lowestId < boxes_[nearer].lowestId)) {
    std::swap(nearer, farther);
    std::swap(nearerSquare, fartherSquare);
  }
  Search(nearer, nearerSquare, x, y);
  Search(farther, fartherSquare, x, y);
}

NearestPoints::Point NearestPoints::TakeNearest(double x, double y) {
  found_ = false;
  Search(0, 0.0, x, y);
  // Out of its box: the box's last point not yet taken moves into its place.
  const std::size_t leaf = leafOf_[best_];
  const Point nearest = points_[best_];
  Box& box = boxes_[leaf];
  std::swap(points_[best_], points_[box.begin + --box.left]);
  box.lowestId = kNoId;
  for (std::size_t at = box.begin; at < box.begin + box.left; ++at) {
    box.lowestId = std::min(box.lowestId, points_[at].id);
  }
  for (std::size_t at = leaf; at != 0;) {
    at = boxes_[at].parent;
    boxes_[at].lowestId =
        std::min(boxes_[boxes_[at].lower].lowestId, boxes_[boxes_[at].upper].lowestId);
  }
  --left_;
  return nearest;
}

}  // namespace survey
