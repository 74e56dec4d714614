#pragma once

// A setting-out sheet as the window shows, prints and exports it: where the
// instrument stands, what it sights, the check line, and one row per design
// point of the input in file order. Every text is the one corvane-calc
// writes for the same file and settings; the window only shows them.

#include <QString>
#include <memory>
#include <optional>

#include "ui/sheet/sheet_rows.h"

struct SheetPoint {
  QString name;    // empty where the point was typed as coordinates
  double x = 0.0;  // north, metres
  double y = 0.0;  // east, metres
};

// The decoded input and the reader's settings, kept so that the sheet can be
// written again as the tool writes it.
struct SheetInput;

struct SetoutSheet {
  QString source;  // the input file as the heading names it
  SheetPoint station;
  std::optional<SheetPoint> backsightPoint;  // unset where the backsight is an azimuth
  double backsightDegrees = 0.0;             // its direction, 0 <= A < 360 decimal degrees
  QString checkAzimuth;                      // station to backsight, packed, as the tool writes it
  QString checkDistance;                     // metres; empty where the backsight is an azimuth
  SheetRows rows;
  std::shared_ptr<const SheetInput> input;
};
