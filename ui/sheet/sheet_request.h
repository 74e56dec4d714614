#pragma once

// What the setting-out window asks to be computed: the design file and its
// columns, the control file, the station and backsight, and the decimals.

#include <QString>

#include "ui/sheet/station_panel.h"

struct SheetRequest {
  QString path;            // the design file
  QString columns;         // its roles, as corvane-calc --columns takes them
  QString controlPath;     // empty: names are looked up in the design file
  QString controlColumns;  // empty: the design file's
  PointChoice station;
  PointChoice backsight;
  int angleDecimals = 4;     // whole seconds
  int distanceDecimals = 3;  // millimetres

  bool operator==(const SheetRequest&) const = default;
};
