#include "core/transform/zone_change.h"

namespace survey {

TransformOutcome<ProjectedPoint> ChangeZone(const GaussKruger& from, const GaussKruger& to,
                                            PlaneXY point) {
  const TransformOutcome<GeographicPoint> geographic = from.Inverse(point);
  if (!geographic.ok()) return geographic.error();
  return to.Forward(geographic.value().latitude, geographic.value().longitude);
}

}  // namespace survey
