#pragma once

// A design point handed over by a caller instead of read from a file (a
// road alignment's stakes): the row reader answers it as a row.

#include <optional>
#include <string>

#include "reader/rows/row_settings.h"

namespace reading {

// A design point handed over by a caller (a road alignment's stakes).
struct DesignPoint {
  std::string name;
  std::string code;
  Point point;                   // metres
  std::optional<double> height;  // the design height, metres; none where not set
  bool operator==(const DesignPoint&) const = default;
};

}  // namespace reading
