#include "reader/sheet/station_setup.h"

#include <algorithm>

#include "core/setup/free_station.h"
#include "core/setup/orientation.h"
#include "reader/fields/field_number.h"
#include "reader/fields/number_text.h"
#include "reader/fields/packed_digits.h"
#include "reader/sheet/known_point_lookup.h"

namespace reading {

survey::SetupOutcome<SetupAnswer> SolveSetup(const Point* station,
                                             std::span<const survey::Sighting> sightings,
                                             const SetupSigmas& sigmas) {
  SetupAnswer answer;
  if (station != nullptr) {
    const auto oriented = survey::OrientOnBacksights({station->x, station->y}, sightings);
    if (!oriented.ok()) return oriented.error();
    answer.station = *station;
    answer.degrees = oriented.value().degrees;
    answer.orientation = oriented.value().orientation;
    answer.residuals = oriented.value().residuals;
    return answer;
  }
  const auto free = survey::ComputeFreeStation(
      sightings, {sigmas.directionSeconds, sigmas.distanceMm, sigmas.distancePpm});
  if (!free.ok()) return free.error();
  const survey::FreeStation& found = free.value();
  answer.free = true;
  answer.station = {found.station.x, found.station.y};
  answer.degrees = found.degrees;
  answer.orientation = found.orientation;
  answer.residuals = found.residuals;
  answer.mxMm = found.mxMm;
  answer.myMm = found.myMm;
  answer.orientationSeconds = found.orientationSeconds;
  answer.sigma0 = found.sigma0;
  answer.redundancy = found.redundancy;
  return answer;
}

SheetError ComputeSetup(const OrientedStation& setup, const KnownPoints* known,
                        SetupAnswer& answer) {
  const bool free = setup.method == OrientedStation::Method::kFree;
  Point station{};
  if (!free) {
    if (!setup.station) {
      SheetError error;
      error.what = SheetError::What::kNoStation;
      return error;
    }
    if (const auto* byName = std::get_if<PointName>(&*setup.station)) {
      if (SheetError error = FindKnownPoint(known, SheetPart::kStation, byName->name, station))
        return error;
    } else {
      station = std::get<Point>(*setup.station);
    }
  }
  std::vector<survey::Sighting> sightings;
  sightings.reserve(setup.sightings.size());
  for (std::size_t i = 0; i < setup.sightings.size(); ++i) {
    const SetupSighting& given = setup.sightings[i];
    Point point{};
    if (SheetError error = FindKnownPoint(known, SheetPart::kSighting, given.name, point)) {
      error.sighting = i;
      return error;
    }
    sightings.push_back({{point.x, point.y}, given.reading, given.distance});
  }
  const auto solved = SolveSetup(free ? nullptr : &station, sightings, setup.sigmas);
  if (!solved.ok()) {
    SheetError error;
    error.what = SheetError::What::kSetup;
    error.setup = solved.error();
    error.freeStation = free;
    return error;
  }
  answer = solved.value();
  return {};
}

SheetSetup ForSheet(const OrientedStation& setup, const SetupAnswer& answer, int decimals,
                    int angleDecimals) {
  SheetSetup sheet;
  sheet.answer = answer;
  if (!setup.station) {
    sheet.name = setup.name;
  } else if (const auto* byName = std::get_if<PointName>(&*setup.station)) {
    sheet.name = byName->name;
  }
  const int lengths = std::max(decimals, kSetupDecimals);
  AppendFixed(sheet.x, answer.station.x, lengths);
  AppendFixed(sheet.y, answer.station.y, lengths);
  AppendPackedAngle(sheet.orientation, answer.orientation,
                    std::max(angleDecimals, kSetupAngleDecimals));
  // Read back as the tool reads its options: the same texts, the same bits.
  ReadFieldNumber(sheet.x, sheet.station.x);
  ReadFieldNumber(sheet.y, sheet.station.y);
  ReadTypedAzimuth(sheet.orientation, sheet.packed);
  return sheet;
}

}  // namespace reading
