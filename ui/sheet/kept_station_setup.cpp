#include "ui/sheet/kept_station_setup.h"

#include <QVariantList>
#include <cmath>

namespace {

const QString kMethod = QStringLiteral("method");
const QString kSightings = QStringLiteral("sightings");
const QString kName = QStringLiteral("name");
const QString kReading = QStringLiteral("reading");
const QString kDistance = QStringLiteral("distance");
const QString kSigmas = QStringLiteral("sigmas");
const QString kLimits = QStringLiteral("limits");

// The numbers of a list, where each is a finite number and there are `count`.
bool numbers(const QVariant& list, int count, double* values) {
  const QVariantList read = list.toList();
  if (read.size() != count) return false;
  for (int at = 0; at < count; ++at) {
    bool ok = false;
    values[at] = read[at].toDouble(&ok);
    if (!ok || !std::isfinite(values[at])) return false;
  }
  return true;
}

}  // namespace

QVariantMap SetupRecord(int method, const reading::OrientedStation& setup,
                        const SetupLimits& limits) {
  QVariantList sightings;
  for (const reading::SetupSighting& sighting : setup.sightings) {
    QVariantMap kept{{kName, QString::fromStdString(sighting.name)}, {kReading, sighting.reading}};
    if (sighting.distance) kept.insert(kDistance, *sighting.distance);
    sightings.push_back(kept);
  }
  const reading::SetupSigmas& sigmas = setup.sigmas;
  return {{kMethod, method},
          {kSightings, sightings},
          {kSigmas, QVariantList{sigmas.directionSeconds, sigmas.distanceMm, sigmas.distancePpm}},
          {kLimits, QVariantList{limits.seconds, limits.millimetres}}};
}

bool ReadSetupRecord(const QVariant& record, int& method, reading::OrientedStation& setup,
                     SetupLimits& limits) {
  const QVariantMap map = record.toMap();
  bool ok = false;
  const int kept = map.value(kMethod).toInt(&ok);
  double sigmas[3];
  double bounds[2];
  if (!ok || kept < 0 || kept > 2 || !numbers(map.value(kSigmas), 3, sigmas) ||
      !numbers(map.value(kLimits), 2, bounds) || !(sigmas[0] > 0) || !(sigmas[1] >= 0) ||
      !(sigmas[2] >= 0) || !(sigmas[1] + sigmas[2] > 0) || !(bounds[0] > 0) || !(bounds[1] > 0))
    return false;
  std::vector<reading::SetupSighting> sightings;
  for (const QVariant& item : map.value(kSightings).toList()) {
    const QVariantMap sighting = item.toMap();
    reading::SetupSighting read{sighting.value(kName).toString().toStdString(), 0.0, std::nullopt};
    read.reading = sighting.value(kReading).toDouble(&ok);
    if (!ok || read.name.empty() || !(read.reading >= 0.0 && read.reading <= 360.0)) return false;
    if (sighting.contains(kDistance)) {
      read.distance = sighting.value(kDistance).toDouble(&ok);
      if (!ok || !(*read.distance > 0.0) || !std::isfinite(*read.distance)) return false;
    }
    sightings.push_back(std::move(read));
  }
  method = kept;
  setup.sightings = std::move(sightings);
  setup.sigmas = {sigmas[0], sigmas[1], sigmas[2]};
  limits = {bounds[0], bounds[1]};
  return true;
}
