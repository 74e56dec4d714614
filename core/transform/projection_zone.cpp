#include "core/transform/projection_zone.h"

#include <cmath>

namespace survey {

bool IsZoneWidth(int width) { return width == 3 || width == 6; }

bool IsZone(int zone, int width) {
  return IsZoneWidth(width) && zone >= 1 && zone <= 360 / width;
}

int ZoneOfLongitude(double longitude, int width) {
  // The western edge of zone 1, and the number of zones a turn holds.
  const double west = width == 3 ? 1.5 : 0.0;
  const int zones = 360 / width;
  double east = std::fmod(longitude + west, 360.0);
  if (east < 0.0) east += 360.0;
  const int zone = static_cast<int>(std::floor(east / width)) + (width == 3 ? 0 : 1);
  // 3°: [-1.5, 1.5) comes out as zone 0, which is zone 120. A longitude a
  // hair west of a zone 1's western edge can round up to a whole turn: 6°
  // gives 61 then, the zone on that edge's other side.
  if (zone == 0) return zones;
  if (zone > zones) return zone - zones;
  return zone;
}

double CentralMeridianOf(int zone, int width) {
  const double meridian = width == 3 ? 3.0 * zone : 6.0 * zone - 3.0;
  return meridian > 180.0 ? meridian - 360.0 : meridian;
}

std::optional<int> ZoneOfMeridian(double meridian, int width) {
  if (!IsZoneWidth(width) || !std::isfinite(meridian)) return std::nullopt;
  const int zone = ZoneOfLongitude(meridian, width);
  if (LongitudeFromMeridian(meridian, CentralMeridianOf(zone, width)) != 0.0) return std::nullopt;
  return zone;
}

double LongitudeFromMeridian(double longitude, double meridian) {
  double d = std::remainder(longitude - meridian, 360.0);
  if (d <= -180.0) d += 360.0;
  return d;
}

}  // namespace survey
