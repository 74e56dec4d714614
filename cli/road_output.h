#pragma once

// What corvane-calc writes of a road rather than of rows: the curve table
// (`alignment`) and the road's stakes (`stake --every`), comma-separated,
// written out as they are made, so that a list of millions of stakes takes
// the memory of a few thousand.

#include <string>

#include "reader/road/curve_table.h"
#include "reader/road/road_rows.h"
#include "reader/road/stake_list.h"

namespace calc {

struct RoadOutcome {
  int writeError = 0;       // errno of a failed write, 0 when none
  bool rowsFailed = false;  // some stake was written as an "ERROR: " line
};

// The curve table of a JD table (one row a JD, one for the end point), or
// the main points of an element table; with `header` a header row first.
RoadOutcome WriteAlignmentTable(const reading::RoadDesign& design,
                                const reading::RoadDecimals& decimals, bool header, int outFd);

// The stakes of `range`, with `header` a header row first; each "ERROR: "
// line also goes to errFd as "corvane-calc: NAME: what".
RoadOutcome WriteStakes(const reading::RoadRows& road, const reading::StakeRange& range,
                        const reading::RoadDecimals& decimals, bool header, int outFd, int errFd);

}  // namespace calc
