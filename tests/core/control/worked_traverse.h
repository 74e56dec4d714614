#pragma once

// The office's attached traverse, shared by the table's and the rigorous
// adjustment's tests: B to C through 1 to 4, left angles, the azimuth into
// B 237°59'30", out of C 46°45'24".

#include "core/control/traverse.h"

namespace control_test {

inline survey::TraverseInput WorkedTraverse() {
  survey::TraverseInput in;
  in.start = {2507.698, 1215.637};
  in.end = survey::PlanePoint{2166.646, 1757.344};
  in.azimuthIn = 237.5930;
  in.azimuthOut = 46.4524;
  in.stations = {{99.0100, 225.848, {}},  {167.4536, 139.026, {}}, {123.1124, 172.572, {}},
                 {189.2036, 100.067, {}}, {179.5918, 102.483, {}}, {129.2724, {}, {}}};
  in.limits = survey::TraverseGrade("图根").value();
  return in;
}

}  // namespace control_test
