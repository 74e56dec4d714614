#pragma once

// What is wrong with a road design or with a request made of one, as a
// value: the kind of fault, the rows it is about and a number that says how
// far off it is. The tool and the windows word it, each in its own language,
// from these fields alone.

#include <cstddef>
#include <limits>
#include <string>
#include <variant>

namespace survey {

struct AlignmentError {
  enum class Kind {
    kTooFewPoints,     // a JD table with fewer than two points, an element table
                       // without elements, a profile with fewer than two points
    kSamePlace,        // two neighbouring points at one place (a profile: at one chainage)
    kBadRadius,        // a JD's R not above 0; a vertical curve's R below 0
    kNegativeSpiral,   // a spiral length below 0; value: the length
    kSpiralsTooLong,   // the two spirals turn more than the deflection;
                       // value: the length the arc between them would have (< 0)
    kTurnsBack,        // the route turns back on itself at a JD (deflection 180°)
    kCurvesOverlap,    // the tangents of two neighbouring curves (or of a curve and
                       // BP or EP) are longer together than the line between their
                       // points; value: by how much (> 0)
    kBadLength,        // an element whose length is not above 0; value: the length
    kFullCircle,       // an element that turns through more than a full circle;
                       // value: the angle, degrees
    kOutOfOrder,       // a profile point at a lower chainage than the one before it
    kBesideRange,      // a chainage before the start or beyond the end; value: it
    kBesideNoElement,  // a point that is beside no element of the alignment
  };

  static constexpr std::size_t kNoRow = static_cast<std::size_t>(-1);

  Kind kind;
  // The rows the fault is about, 0-based in the table they came from (a JD
  // table counts BP as row 0); kNoRow where there is none. `otherRow` is the
  // second row of a fault between two rows.
  std::size_t row = kNoRow;
  std::size_t otherRow = kNoRow;
  // The names of those rows, where the table gives names (a JD table).
  std::string name{};
  std::string otherName{};
  double value = std::numeric_limits<double>::quiet_NaN();
};

// A result or the fault that kept it from being computed.
template <typename T>
using OrError = std::variant<T, AlignmentError>;

}  // namespace survey
