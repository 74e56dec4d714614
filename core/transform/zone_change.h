#pragma once

// Zone change (换带): x, y of one Gauss-Krüger projection to the x, y of
// another, through latitude and longitude (the inverse in the one, then the
// forward in the other), e.g. 3° zone 38 to 39, or 6° zone 20 to 3° zone
// 39. Both projections may differ in anything: zone, width, central
// meridian, false easting, zone number in y, height surface, scale, even
// ellipsoid (the latitude and longitude are then taken as they are, with
// no datum shift between the two).

#include "core/transform/gauss_kruger.h"
#include "core/transform/plane_xy.h"
#include "core/transform/transform_error.h"

namespace survey {

// The point in `to`, with its convergence and point scale there. Errors:
// those of `from`'s inverse and `to`'s forward (a point too far from
// `to`'s central meridian: kLongitudeOutsideZone).
TransformOutcome<ProjectedPoint> ChangeZone(const GaussKruger& from, const GaussKruger& to,
                                            PlaneXY point);

}  // namespace survey
