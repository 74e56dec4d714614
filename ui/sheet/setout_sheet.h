#pragma once

// A setting-out sheet as the window shows, prints and exports it: where the
// instrument stands, what it sights, the check line, and one row per design
// point in the order given. Every text is the one corvane-calc writes for
// the same file and settings; the window only shows them.

#include <QString>
#include <optional>

#include "reader/row_settings.h"
#include "ui/sheet/sheet_rows.h"

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
};
