#pragma once

// The station setup the 放样表 keeps between runs (setout_conf.h): the
// method picked (设站方式, as CStationPanel::Method counts it), the
// sightings and standard errors of the last setup on sightings, and the
// limits of its residuals; the station's own row is not kept, as the
// station and backsight rows are not. The record is a QVariantMap of plain
// values, so that QSettings writes it as text: a record that does not read
// back as a sound setup (a reading outside 0 to 360, a distance not above
// 0, ...) is not used.

#include <QVariant>

#include "reader/sheet/sheet_request.h"
#include "ui/sheet/setout_sheet.h"

QVariantMap SetupRecord(int method, const reading::OrientedStation& setup,
                        const SetupLimits& limits);

// Reads a record into the rest; false, with nothing changed, where it is
// none or not sound.
bool ReadSetupRecord(const QVariant& record, int& method, reading::OrientedStation& setup,
                     SetupLimits& limits);
