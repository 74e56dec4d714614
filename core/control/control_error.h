#pragma once

// Why a traverse or a levelling line gives no table. The arithmetic never
// throws: each computation returns its table or a ControlError naming the
// fault and the station or section at fault, which the caller words in its
// own language (DescribeControlError gives the tool's English).
//
// A closure over its limit is no error: the table is given with the
// closure marked over (see traverse.h, level_line.h).

#include <cstddef>
#include <string>

#include "core/outcome.h"

namespace survey {

enum class ControlProblem {
  // Fewer legs or sections than the line needs (each function says how
  // many).
  kTooFewLegs,
  // A station that needs an angle has none.
  kMissingAngle,
  // An angle, a zenith angle or a known azimuth is not a finite number, or a
  // zenith angle is not between 0 and 180 degrees.
  kBadAngle,
  // A station other than the last has no distance to the next one.
  kMissingDistance,
  // A leg's distance is not a finite number above zero.
  kBadDistance,
  // A levelling section's length or number of stations is not a finite
  // number above zero, or a number of stations is not a whole one.
  kBadLength,
  // A known point's coordinate or height, or an observed height
  // difference, is not a finite number.
  kBadCoordinate,
  // An attached line (or one without orientation) has no known end point.
  kMissingEnd,
  // The two known end points of a traverse without orientation are one
  // point: they fix neither a scale nor a rotation.
  kEndsCoincide,
  // A backsight or foresight point is the station it orients.
  kSightOnStation,
  // A grade's name the program does not know.
  kUnknownGrade,
  // A typed limit is not a finite number above zero.
  kBadLimit,
  // The least-squares iteration did not settle.
  kNoConvergence,
};

// No station or section in particular.
inline constexpr std::size_t kNoStation = static_cast<std::size_t>(-1);

struct ControlError {
  ControlProblem problem;
  // The station (traverse) or section (levelling) at fault, counted from 0
  // in the order given.
  std::size_t index = kNoStation;
};

// The fault in English, naming the station or section counted from 1:
// "station 3 has no distance to the next station".
std::string DescribeControlError(const ControlError& error);

// A result, or why there is none.
template <typename T>
using ControlOutcome = Outcome<T, ControlError>;

}  // namespace survey
