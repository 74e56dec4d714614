#pragma once

// The coordinate transformation that the rows of a transformation mode
// (grid, fourparam, project, rezone) are computed by, as the rows see it:
// the job itself lives with the transformations (transform/transform_rows.h,
// MakeTransformRows), which the rows reach through this. Immutable: the
// threads that answer rows share one.

#include <string>

#include "reader/rows/line_answer.h"

namespace reading {

class RowTransform {
 public:
  virtual ~RowTransform() = default;

  // The results of a row's numbers (the mode's fields, in order) into
  // `answer`, and its point where it has one; "" or what makes the row
  // fail, in the tool's words ("B is beyond 90°: 91°"), with `error` the
  // same as a value (left kOther where the words alone say it).
  virtual std::string ComputeRow(const double* values, LineAnswer& answer,
                                 RowError& error) const = 0;
};

}  // namespace reading
