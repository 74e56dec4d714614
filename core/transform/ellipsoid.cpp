#include "core/transform/ellipsoid.h"

namespace survey {

EllipsoidAxes AxesOf(Ellipsoid ellipsoid) {
  switch (ellipsoid) {
    case Ellipsoid::kWgs84:
      return {6378137.0, 1.0 / 298.257223563};
    case Ellipsoid::kXian80:
      return {6378140.0, 1.0 / 298.257};
    case Ellipsoid::kBeijing54:
      return {6378245.0, 1.0 / 298.3};
    case Ellipsoid::kCgcs2000:
      break;
  }
  return {6378137.0, 1.0 / 298.257222101};
}

}  // namespace survey
