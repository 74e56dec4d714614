// The tool's words for why a coordinate transformation gives no answer.

#include <cstdio>

#include "reader/transform/transform_rows.h"

namespace reading {
namespace {

// A number as a message shows it: up to 10 significant digits.
std::string Number(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

}  // namespace

std::string TransformErrorText(const survey::TransformError& error) {
  using survey::TransformProblem;
  const std::string value = Number(error.value);
  switch (error.problem) {
    case TransformProblem::kNotANumber: return "a value is no finite number: " + value;
    case TransformProblem::kTooFewPoints:
      return value + " common points used, two or more needed";
    case TransformProblem::kIdenticalPoints: return "two common points are at one place";
    case TransformProblem::kAxisPointAtOrigin: return "the axis point is the origin";
    case TransformProblem::kBadScale: return "the scale must be above 0: " + value;
    case TransformProblem::kBadLimit: return "the residual limit must be above 0 mm: " + value;
    case TransformProblem::kLatitudeBeyondPole:
      return "B is beyond 90°: " + value + "° (a latitude from -90° to 90°)";
    case TransformProblem::kLongitudeOutsideZone:
      return "L is " + value + "° from the central meridian: no point of this zone";
    case TransformProblem::kBadZoneWidth: return "the zone width must be 3 or 6: " + value;
    case TransformProblem::kBadZone: return "no zone of this width is numbered " + value;
    case TransformProblem::kBadCentralMeridian:
      return "the central meridian " + value +
             "° is not from -180° to 180° or not the given zone's";
    case TransformProblem::kNoZoneNumber:
      return "the central meridian " + value + "° is no zone's: y can carry no zone number";
    case TransformProblem::kNoZone:
      return "no zone: give --zone N or --central-meridian L0, or y with the zone number in front";
    case TransformProblem::kZonePrefixMismatch:
      return "y carries zone number " + value + ", not the zone given";
    case TransformProblem::kBadHeightSurface:
      return "the height surface is too far below the ellipsoid: " + value + " m";
    case TransformProblem::kOffProjection: return "X is at or beyond the pole's: " + value;
  }
  return "no answer";
}

}  // namespace reading
