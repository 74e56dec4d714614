#include "core/control/traverse_columns.h"

#include "core/control/running_share.h"
#include "core/packed_angle.h"
#include "core/survey.h"

namespace survey {
namespace {

double Millimetres(std::int64_t mm) { return static_cast<double>(mm) / 1000.0; }

}  // namespace

Increments Along(std::span<const double> azimuthsDegrees, std::span<const double> distances) {
  Increments out;
  for (std::size_t i = 0; i < distances.size(); ++i) {
    const ForwardResult d =
        ComputeForward(0.0, 0.0, DegreesToPacked(azimuthsDegrees[i]), distances[i]);
    out.dx.push_back(d.x);
    out.dy.push_back(d.y);
  }
  return out;
}

void FillLegs(TraverseResult& result, const Increments& exact, std::span<const double> offsetsX,
              std::span<const double> offsetsY) {
  std::int64_t previousX = 0, previousY = 0;
  const PlanePoint start = result.rows.front().point;
  for (std::size_t i = 0; i < exact.dx.size(); ++i) {
    TraverseLegRow& leg = *result.rows[i].leg;
    const std::int64_t dx = RoundHalfAway(exact.dx[i] * 1000.0);
    const std::int64_t dy = RoundHalfAway(exact.dy[i] * 1000.0);
    const std::int64_t x = RoundHalfAway(offsetsX[i] * 1000.0);
    const std::int64_t y = RoundHalfAway(offsetsY[i] * 1000.0);
    leg.dx = Millimetres(dx);
    leg.dy = Millimetres(dy);
    leg.vx = Millimetres(x - previousX - dx);
    leg.vy = Millimetres(y - previousY - dy);
    result.rows[i + 1].point = {start.x + Millimetres(x), start.y + Millimetres(y)};
    previousX = x;
    previousY = y;
  }
}

}  // namespace survey
