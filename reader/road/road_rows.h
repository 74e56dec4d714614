#pragma once

// Rows along a road: stake rows (CHAINAGE [OFFSET] -> X Y AZIMUTH, and the
// design height H with a profile) and locate rows (X Y -> K OFFSET [H]),
// computed on a road design (road_design.h). The faults a row can meet are
// worded once for every row, their ranges written with the answers'
// decimals.

#include <memory>
#include <string>

#include "reader/road/road_design.h"
#include "reader/rows/line_answer.h"
#include "reader/rows/row_road.h"
#include "reader/rows/row_settings.h"

namespace reading {

struct RoadRows : RowRoad {
  bool HasProfile() const override;
  const char* ComputeRow(const RowSettings& settings, const double* values,
                         LineAnswer& answer) const override;

  std::shared_ptr<const RoadDesign> design;
  // "CHAINAGE is before the start of the alignment, K0+000.000", "... beyond
  // its end, ...", "no design height: CHAINAGE is outside the profile,
  // K0+000.000 to ...", and locate's "no design height: the point's chainage
  // is outside the profile, ...".
  std::string beforeStart, beyondEnd, stakeOutsideProfile, locateOutsideProfile;
};

// The rows of `design` whose answers have `decimals` (0 to 20; chainages in
// messages to 9 at most).
std::shared_ptr<const RoadRows> MakeRoadRows(std::shared_ptr<const RoadDesign> design,
                                             int decimals);

}  // namespace reading
