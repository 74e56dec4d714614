#pragma once

// The road that stake and locate rows are read along, as the rows see it:
// the computation of those rows lives with the road (road/road_rows.h,
// MakeRoadRows), which the rows reach through this.

#include "reader/rows/line_answer.h"
#include "reader/rows/row_settings.h"

namespace reading {

class RowRoad {
 public:
  virtual ~RowRoad() = default;

  // Whether the road has a profile: its rows then give a design height.
  virtual bool HasProfile() const = 0;

  // The results of a stake or locate row's `values` (CHAINAGE OFFSET, or X
  // Y) into `answer`, and its point (the stake, or the located point);
  // nullptr, or what makes the row fail.
  virtual const char* ComputeRow(const RowSettings& settings, const double* values,
                                 LineAnswer& answer) const = 0;
};

}  // namespace reading
