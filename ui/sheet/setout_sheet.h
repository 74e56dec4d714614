#pragma once

// A setting-out sheet as the window shows, prints and exports it: where the
// instrument stands, what it sights, the check line, and one row per design
// point in the order given. Every text is the one corvane-calc writes for
// the same file and settings; the window only shows them.

#include <QString>
#include <cmath>
#include <optional>

#include "reader/rows/row_settings.h"
#include "reader/sheet/sheet_request.h"
#include "reader/sheet/station_setup.h"
#include "ui/sheet/sheet_rows.h"

// The residuals over which a setup's sighting is marked, as the user sets
// them: a reading's in seconds, a distance's in millimetres.
struct SetupLimits {
  double seconds = 10.0;
  double millimetres = 10.0;
  bool operator==(const SetupLimits&) const = default;

  bool overSeconds(double residual) const { return std::abs(residual) > seconds; }
  bool overMillimetres(double residual) const { return std::abs(residual) > millimetres; }
};

struct SheetPoint {
  QString name;    // empty where the point was typed as coordinates
  double x = 0.0;  // north, metres
  double y = 0.0;  // east, metres
};

struct SetoutSheet {
  // The design points listed before a station is chosen: each row has its
  // name, code, height and point (or its error), and nothing else; the
  // station, the backsight and the check texts are unset.
  bool listed = false;
  QString source;  // the heading's name: the design file's, or the title of a caller's points
  QString path;    // the design file; empty for a caller's points
  SheetPoint station;
  std::optional<SheetPoint> backsightPoint;  // unset where the backsight is an azimuth
  double backsightDegrees = 0.0;             // its direction, 0 <= A < 360 decimal degrees
  QString checkAzimuth;                      // station to backsight, packed, as the tool writes it
  QString checkDistance;                     // metres; empty where the backsight is an azimuth
  SheetRows rows;
  reading::RowSettings settings;  // what the rows were read with, to write them again
  // A station setup on sightings (多后视定向, 自由设站): its sightings as
  // typed, what it gives as the sheet takes it (the station above is its
  // rounded station, backsightDegrees its rounded orientation), and the
  // limits its residuals are marked by; unset for a station and backsight.
  std::optional<reading::OrientedStation> oriented;
  std::optional<reading::SheetSetup> setup;
  SetupLimits limits;
};
