#include "core/walking_route.h"

#include <cmath>
#include <utility>

#include "core/nearest_points.h"

namespace survey {

std::optional<std::vector<std::size_t>> WalkingRoute(double stationX, double stationY,
                                                     std::span<const RoutePoint> points,
                                                     const RouteProgress& progress,
                                                     const std::atomic<bool>* stop) {
  std::vector<std::size_t> route;
  if (!std::isfinite(stationX) || !std::isfinite(stationY)) return route;
  std::vector<NearestPoints::Point> toWalk;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const RoutePoint& p = points[i];
    if (!p.done && std::isfinite(p.x) && std::isfinite(p.y)) toWalk.push_back({p.x, p.y, i});
  }
  const std::size_t count = toWalk.size();
  route.reserve(count);
  const auto stopped = [stop] { return stop && stop->load(std::memory_order_relaxed); };
  if (stopped()) return std::nullopt;
  NearestPoints left(std::move(toWalk));
  double x = stationX;
  double y = stationY;
  while (left.size() > 0) {
    if (stopped()) return std::nullopt;
    const NearestPoints::Point next = left.TakeNearest(x, y);
    route.push_back(next.id);
    x = next.x;
    y = next.y;
    if (progress && route.size() % kRouteProgressStep == 0 && route.size() < count) {
      progress(route.size(), count);
    }
  }
  if (progress) progress(count, count);
  return route;
}

}  // namespace survey
