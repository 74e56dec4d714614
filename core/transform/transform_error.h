#pragma once

// Why a coordinate transformation gives no answer, as a value: the kind of
// fault, the point it is about and the number at fault. The transformation
// code never throws and never hands back a point it cannot vouch for; the
// tool and the windows word the fault, each in its own language, from these
// fields alone.

#include <cstddef>
#include <limits>

#include "core/outcome.h"

namespace survey {

enum class TransformProblem {
  // A coordinate, an angle or a parameter is not a finite number; `value`
  // is it.
  kNotANumber,
  // Fewer than two common points take part in a fit; `value` is how many do.
  kTooFewPoints,
  // Two common points (`point` and `other`) are at one place in the source
  // system or in the target system: they fix no rotation or scale between
  // them.
  kIdenticalPoints,
  // The two points a construction grid is found from are one point.
  kAxisPointAtOrigin,
  // A scale (four parameters' m, a projection's scale factor) is not above
  // 0; `value` is it.
  kBadScale,
  // A residual limit that is not above 0; `value` is it.
  kBadLimit,
  // A latitude beyond 90° north or south; `value` is it, degrees.
  kLatitudeBeyondPole,
  // A longitude further from the central meridian than a projection serves
  // (see gauss_kruger.h); `value` is the difference, degrees, east positive.
  kLongitudeOutsideZone,
  // A zone width other than 3° or 6°; `value` is it.
  kBadZoneWidth,
  // A zone number that no zone of its width has; `value` is it.
  kBadZone,
  // A central meridian outside -180° to 180°, or given with a zone whose
  // meridian it is not; `value` is it.
  kBadCentralMeridian,
  // y is to carry the zone number in front, but there is no zone: the
  // central meridian given is none of a zone of its width; `value` is it.
  kNoZoneNumber,
  // An inverse without a zone, a central meridian or y's zone number.
  kNoZone,
  // y's zone number in front is not the zone given; `value` is the number
  // found in y.
  kZonePrefixMismatch,
  // A projection height surface at or below the ellipsoid's centre half
  // way (below -a/2); `value` is it, metres.
  kBadHeightSurface,
  // x, y is no point of the projection: x at or beyond a pole's; `value`
  // is x.
  kOffProjection,
};

struct TransformError {
  static constexpr std::size_t kNoPoint = static_cast<std::size_t>(-1);

  TransformProblem problem;
  // The point at fault, counted from 0 in the order given; kNoPoint where
  // the fault is in the parameters. `other` is the second point of a pair.
  std::size_t point = kNoPoint;
  std::size_t other = kNoPoint;
  double value = std::numeric_limits<double>::quiet_NaN();
};

// A result, or why there is none.
template <typename T>
using TransformOutcome = Outcome<T, TransformError>;

}  // namespace survey
