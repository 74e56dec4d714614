#pragma once

// The zones of the Gauss-Krüger projection, numbered eastward from
// Greenwich: 6° zone n runs from 6(n - 1)° to 6n° east with its central
// meridian at 6n - 3° (zones 1 to 60); 3° zone n is centred on 3n° and runs
// half a zone either side (zones 1 to 120, zone 120 centred on 0°). China
// lies in the 6° zones 13 to 23 and the 3° zones 25 to 45. Longitudes and
// meridians in decimal degrees, east positive, any turn of 360° alike.

#include <optional>

namespace survey {

// Whether `width` (degrees) is one of 3 and 6.
bool IsZoneWidth(int width);

// Whether `zone` is a zone of a width: 1 to 360 / width.
bool IsZone(int zone, int width);

// The zone a longitude lies in (a longitude on a 3° zone's edge, 1.5° from
// two central meridians, lies in the eastern one; on a 6° zone's edge, in the
// eastern one too). `width` is 3 or 6; `longitude` finite.
int ZoneOfLongitude(double longitude, int width);

// A zone's central meridian, -180 < L0 <= 180 (3° zone 60 is 180°, 6° zone
// 31 is -177°).
double CentralMeridianOf(int zone, int width);

// The zone whose central meridian `meridian` is, if it is one's.
std::optional<int> ZoneOfMeridian(double meridian, int width);

// The difference longitude - meridian, -180 < d <= 180.
double LongitudeFromMeridian(double longitude, double meridian);

}  // namespace survey
