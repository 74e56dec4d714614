#include "core/control/control_error.h"

namespace survey {
namespace {

std::string Where(const ControlError& error, const char* what) {
  if (error.index == kNoStation) return std::string("the line");
  return std::string(what) + " " + std::to_string(error.index + 1);
}

}  // namespace

std::string DescribeControlError(const ControlError& error) {
  switch (error.problem) {
    case ControlProblem::kTooFewLegs:
      return "too few legs to make the line";
    case ControlProblem::kMissingAngle:
      return Where(error, "station") + " has no angle";
    case ControlProblem::kBadAngle:
      return Where(error, "station") + ": an angle is no number or out of range";
    case ControlProblem::kMissingDistance:
      return Where(error, "station") + " has no distance to the next station";
    case ControlProblem::kBadDistance:
      return Where(error, "leg") + ": the distance is not above 0";
    case ControlProblem::kBadLength:
      return Where(error, "section") +
             ": the length is not above 0, or the stations are not a whole number above 0";
    case ControlProblem::kBadCoordinate:
      return "a known coordinate, height or height difference is no number";
    case ControlProblem::kMissingEnd:
      return "the line has no known end point";
    case ControlProblem::kEndsCoincide:
      return "the start and the end are one point: they fix no scale and no rotation";
    case ControlProblem::kSightOnStation:
      return "a backsight or foresight is the station itself";
    case ControlProblem::kUnknownGrade:
      return "unknown grade";
    case ControlProblem::kBadLimit:
      return "a limit must be a number above 0";
    case ControlProblem::kNoConvergence:
      return "the observations fit no set of points";
  }
  return "no table";
}

}  // namespace survey
