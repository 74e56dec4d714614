#pragma once

// A coordinate transformation job as the user sets it up, in the tool's
// options or the 坐标转换 window's fields: which job, its parameters, and
// how its answers are written. Angles here are decimal degrees, as the
// transformations take them; a packed angle the user typed is read into
// degrees by ReadSignedPacked (signed_angle.h), sign and all.

#include <optional>
#include <string>
#include <vector>

#include "core/transform/four_parameter_fit.h"
#include "core/transform/gauss_kruger.h"
#include "core/transform/plane_xy.h"
#include "reader/fields/angle_text.h"
#include "reader/rows/row_settings.h"

namespace reading {

// A construction grid: its origin in survey coordinates and either the
// azimuth of its A axis or a point of that axis (the azimuth is then the
// one from the origin to it).
struct GridJob {
  survey::PlaneXY origin{0.0, 0.0};          // metres
  std::optional<double> azimuth;             // degrees, 0 to 360
  std::optional<survey::PlaneXY> axisPoint;  // metres
};

// Four parameters to apply (four_parameters.h: theta clockwise, m the
// scale itself).
struct FourParameterJob {
  double dx = 0.0;  // metres
  double dy = 0.0;
  double theta = 0.0;  // degrees
  double m = 1.0;
};

// Four parameters to fit from common points.
struct FitJob {
  double limitMm = survey::kDefaultResidualLimitMm;  // a residual over it is marked "over"
  std::vector<std::string> leaveOut;  // names of the common points left out of the fit
};

struct TransformJob {
  // kGrid or kGridInverse; kFourParamFit, kFourParam or kFourParamInverse;
  // kProject or kProjectInverse; kRezone.
  Mode mode = Mode::kGrid;
  int decimals = 6;                    // of coordinates, 0 to 20
  std::optional<int> azimuthDecimals;  // of angles; unset: `decimals`
  AngleFormat angleFormat = AngleFormat::kPacked;
  bool degrees = false;  // project: B and L in decimal degrees, in and out
  DecimalMark decimalMark = DecimalMark::kUnknown;  // as RowSettings::decimalMark
  GridJob grid;
  FourParameterJob parameters;
  FitJob fit;
  survey::ProjectionSetup projection;  // project; rezone: the zone the points are in
  survey::ProjectionSetup to;          // rezone: the zone they go to
};

}  // namespace reading
