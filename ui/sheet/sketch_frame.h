#pragma once

// Where the plan of a setting-out sheet sits in a drawing area
// (ui/common/plan_frame.h): fitted to the station, the backsight point and
// every design point.

#include "ui/common/plan_frame.h"

struct SetoutSheet;

using SketchFrame = PlanFrame;

// The ground of the station, the backsight point and every design point (a
// listing, before a station is chosen: its points).
PlanBounds SketchBounds(const SetoutSheet& sheet);

// The frame that shows SketchBounds in an area of `size`, keeping `margin`
// free at each side and `band` more at the top and the bottom
// (SketchPainter::BandHeight). A sheet whose points all coincide is shown
// at one pixel a millimetre.
SketchFrame FitSketch(const SetoutSheet& sheet, QSizeF size, double margin, double band = 0.0);
