#pragma once

// Why a station setup or an intersection gives no answer. The arithmetic
// never hands back a station or a point it cannot vouch for: where the
// observations do not fix one, or fix it too weakly, the caller gets a
// SetupError naming the fault and the observation at fault, and words it in
// its own language (the tool in English, the windows in Chinese).

#include <cstddef>

#include "core/outcome.h"

namespace survey {

enum class SetupProblem {
  // Fewer observations than the computation needs (each function says how
  // many), or, in a free station, two points with a distance to only one
  // of them: such a station lies at either of two places.
  kTooFewObservations,
  // A known point's coordinate is not a finite number.
  kBadCoordinate,
  // A reading or an angle is not a finite number.
  kBadReading,
  // A distance is not a finite number above zero.
  kBadDistance,
  // A standard error is not a finite number above zero (the ppm part may be
  // zero, the constant part too where the ppm part is not).
  kBadSigma,
  // Two observations are to one point (`sighting` and `other`).
  kPointTwice,
  // A backsight or target is the station itself.
  kTargetAtStation,
  // The sighted points lie on one line with the station: the directions
  // fix nothing across that line. `measure` is the weakness (see
  // free_station.h), infinite where no station could be found at all.
  kTargetsInLine,
  // The station lies on or near the danger circle, the circle through the
  // sighted points (through three of them: their circumcircle), where the
  // angles between them are the same all round and fix nothing.
  // `measure` is the weakness, as above.
  kDangerCircle,
  // The least-squares iteration did not settle.
  kNoConvergence,
  // The two known points of an intersection are one point.
  kKnownPointsCoincide,
  // The two rays or circles of an intersection do not meet: angles that
  // are not above zero or that add up to 180° or more, circles apart or
  // one within the other.
  kNoIntersection,
};

// No observation in particular.
inline constexpr std::size_t kNoSighting = static_cast<std::size_t>(-1);

struct SetupError {
  SetupProblem problem;
  // The observation at fault, counted from 0 in the order given (in an
  // intersection 0 is the first known point's, 1 the second's).
  std::size_t sighting = kNoSighting;
  // kPointTwice: the earlier observation of the same point.
  std::size_t other = kNoSighting;
  // kTargetsInLine, kDangerCircle: how weak the geometry is.
  double measure = 0;
};

// A result, or why there is none.
template <typename T>
using SetupOutcome = Outcome<T, SetupError>;

}  // namespace survey
