#pragma once

// What a row reader computes: the mode, the station, the backsight's
// direction, the decimals of the answers and the columns of the rows.

#include <optional>
#include <vector>

#include "reader/columns.h"

namespace reading {

// forward: X0 Y0 AZIMUTH DISTANCE -> X Y; inverse: X0 Y0 X1 Y1 -> AZIMUTH
// DISTANCE; setout, from a station towards a backsight: X Y -> AZIMUTH
// ANGLE DISTANCE, ANGLE turned clockwise from the backsight to the point.
enum class Mode { kForward, kInverse, kSetout };

// X is the northing, Y the easting, in the file's unit (metres).
struct Point {
  double x;
  double y;
  bool operator==(const Point&) const = default;
};

struct RowSettings {
  Mode mode = Mode::kForward;
  bool hasStation = false;  // rows then hold only the second half
  Point station{0.0, 0.0};
  double backsightDegrees = 0.0;  // setout: the direction angles start from
  int decimals = 6;
  std::optional<int> azimuthDecimals;  // when unset, `decimals`
  std::vector<Column> columns;         // empty: the numbers in order, maybe named
  // false (setout and inverse only): rows are read, not computed, as design
  // points are listed before their station is chosen. An answer then holds
  // the row's point (setout: X Y; inverse: the second point) and no
  // results, and nothing is checked against the station.
  bool compute = true;
};

}  // namespace reading
