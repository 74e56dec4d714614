#include "core/transform/gauss_kruger.h"

#include <GeographicLib/TransverseMercator.hpp>

#include <cmath>

#include "core/transform/projection_zone.h"

namespace survey {
namespace {

// The zone number in front of y counts millions of metres.
constexpr double kZonePrefixUnit = 1e6;

TransformError Fault(TransformProblem problem, double value) {
  return TransformError{.problem = problem, .value = value};
}

std::optional<TransformError> CheckSetup(const ProjectionSetup& setup) {
  for (const double v : {setup.falseEasting, setup.heightSurface, setup.scale}) {
    if (!std::isfinite(v)) return Fault(TransformProblem::kNotANumber, v);
  }
  if (!IsZoneWidth(setup.zoneWidth)) {
    return Fault(TransformProblem::kBadZoneWidth, setup.zoneWidth);
  }
  if (setup.zone && !IsZone(*setup.zone, setup.zoneWidth)) {
    return Fault(TransformProblem::kBadZone, *setup.zone);
  }
  if (setup.centralMeridian) {
    const double meridian = *setup.centralMeridian;
    if (!std::isfinite(meridian)) return Fault(TransformProblem::kNotANumber, meridian);
    if (!(std::fabs(meridian) <= 180.0)) {
      return Fault(TransformProblem::kBadCentralMeridian, meridian);
    }
    // Both given: they must be one meridian, or which one is meant is a guess.
    if (setup.zone && LongitudeFromMeridian(meridian, CentralMeridianOf(*setup.zone,
                                                                        setup.zoneWidth)) != 0.0) {
      return Fault(TransformProblem::kBadCentralMeridian, meridian);
    }
    if (setup.zonePrefix && !ZoneOfMeridian(meridian, setup.zoneWidth)) {
      return Fault(TransformProblem::kNoZoneNumber, meridian);
    }
  }
  if (!(setup.heightSurface > -0.5 * AxesOf(setup.ellipsoid).a)) {
    return Fault(TransformProblem::kBadHeightSurface, setup.heightSurface);
  }
  if (!(setup.scale > 0.0)) return Fault(TransformProblem::kBadScale, setup.scale);
  return std::nullopt;
}

}  // namespace

TransformOutcome<GaussKruger> GaussKruger::Make(const ProjectionSetup& setup) {
  if (const auto fault = CheckSetup(setup)) return *fault;
  const EllipsoidAxes axes = AxesOf(setup.ellipsoid);
  // The checks above leave nothing for the constructor to refuse (it throws
  // for an a, b or k0 not above 0).
  auto projection = std::make_shared<const GeographicLib::TransverseMercator>(
      axes.a + setup.heightSurface, axes.f, setup.scale);
  return GaussKruger(setup, std::move(projection));
}

GaussKruger::GaussKruger(const ProjectionSetup& setup,
                         std::shared_ptr<const GeographicLib::TransverseMercator> projection)
    : setup_(setup), projection_(std::move(projection)) {
  double east;
  projection_->Forward(0.0, 90.0, 0.0, east, poleX_);
  if (setup.centralMeridian) {
    meridian_ = *setup.centralMeridian;
    zone_ = ZoneOfMeridian(*setup.centralMeridian, setup.zoneWidth);
  } else if (setup.zone) {
    zone_ = setup.zone;
    meridian_ = CentralMeridianOf(*setup.zone, setup.zoneWidth);
  }
}

TransformOutcome<ProjectedPoint> GaussKruger::Forward(double latitude, double longitude) const {
  for (const double v : {latitude, longitude}) {
    if (!std::isfinite(v)) return Fault(TransformProblem::kNotANumber, v);
  }
  if (!(std::fabs(latitude) <= 90.0)) return Fault(TransformProblem::kLatitudeBeyondPole, latitude);
  std::optional<int> zone = zone_;
  double meridian;
  if (meridian_) {
    meridian = *meridian_;
  } else {
    zone = ZoneOfLongitude(longitude, setup_.zoneWidth);
    meridian = CentralMeridianOf(*zone, setup_.zoneWidth);
  }
  const double fromMeridian = LongitudeFromMeridian(longitude, meridian);
  if (!(std::fabs(fromMeridian) <= 1.5 * setup_.zoneWidth)) {
    return Fault(TransformProblem::kLongitudeOutsideZone, fromMeridian);
  }
  return ForwardIn(latitude, longitude, zone, meridian);
}

ProjectedPoint GaussKruger::ForwardIn(double latitude, double longitude, std::optional<int> zone,
                                      double meridian) const {
  double east, north, convergence, scale;
  projection_->Forward(meridian, latitude, longitude, east, north, convergence, scale);
  double y = east + setup_.falseEasting;
  if (setup_.zonePrefix) y += *zone * kZonePrefixUnit;
  return {north, y, convergence, scale, zone, meridian};
}

TransformOutcome<GeographicPoint> GaussKruger::Inverse(PlaneXY point) const {
  for (const double v : {point.x, point.y}) {
    if (!std::isfinite(v)) return Fault(TransformProblem::kNotANumber, v);
  }
  std::optional<int> zone = zone_;
  double y = point.y;
  if (setup_.zonePrefix) {
    const double prefix = std::floor(y / kZonePrefixUnit);
    if (!(prefix >= 1 && prefix <= 360 / setup_.zoneWidth)) {
      return Fault(TransformProblem::kBadZone, prefix);
    }
    if (zone && *zone != prefix) return Fault(TransformProblem::kZonePrefixMismatch, prefix);
    zone = static_cast<int>(prefix);
    y -= prefix * kZonePrefixUnit;
  }
  if (!meridian_ && !zone) return Fault(TransformProblem::kNoZone, point.y);
  if (!(std::fabs(point.x) < poleX_)) return Fault(TransformProblem::kOffProjection, point.x);
  const double meridian = meridian_ ? *meridian_ : CentralMeridianOf(*zone, setup_.zoneWidth);

  const double east = y - setup_.falseEasting;
  double latitude, longitude, convergence, scale;
  projection_->Reverse(meridian, east, point.x, latitude, longitude, convergence, scale);
  const double fromMeridian = LongitudeFromMeridian(longitude, meridian);
  if (!(std::fabs(fromMeridian) <= 1.5 * setup_.zoneWidth)) {
    return Fault(TransformProblem::kLongitudeOutsideZone, fromMeridian);
  }
  return GeographicPoint{latitude, longitude, convergence, scale, zone, meridian};
}

}  // namespace survey
