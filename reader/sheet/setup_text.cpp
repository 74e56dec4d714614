#include "reader/sheet/setup_text.h"

#include <cmath>

#include "core/setup/free_station.h"
#include "reader/fields/number_text.h"

namespace reading {
namespace {

using survey::SetupProblem;

// "weakness 35.2, at most 10", or nothing where there is no measure.
std::string Weakness(double measure) {
  if (!std::isfinite(measure)) return {};
  std::string text = " (weakness ";
  AppendFixed(text, measure, 1);
  text += ", at most ";
  AppendFixed(text, survey::kWeakestGeometry, 0);
  return text + ")";
}

}  // namespace

std::string SetupErrorText(const survey::SetupError& error, bool freeStation,
                           const SightingLabel& label) {
  const std::size_t at = error.sighting;
  switch (error.problem) {
    case SetupProblem::kTooFewObservations:
      return freeStation ? "freestation needs readings to three or more points, or distances to "
                           "two or more"
                         : "orient needs readings to two or more backsights";
    case SetupProblem::kBadCoordinate:
      return at == survey::kNoSighting ? "the station's coordinates are no numbers"
                                       : "the coordinates of " + label(at) + " are no numbers";
    case SetupProblem::kBadReading:
      return "the reading to " + label(at) + " is no number";
    case SetupProblem::kBadDistance:
      return "the distance to " + label(at) + " is not above 0";
    case SetupProblem::kBadSigma:
      return "the standard errors must be above 0";
    case SetupProblem::kPointTwice:
      return label(at) + " is the same point as " + label(error.other);
    case SetupProblem::kTargetAtStation:
      return freeStation
                 ? "the station comes out on " + label(at) + ", whose direction then means nothing"
                 : "backsight " + label(at) + " is the station";
    case SetupProblem::kTargetsInLine:
      return "the points lie in one line with the station: they fix nothing across it" +
             Weakness(error.measure);
    case SetupProblem::kDangerCircle:
      return "the station lies on or near the danger circle through the points" +
             Weakness(error.measure);
    case SetupProblem::kNoConvergence:
      return "the readings fit no station";
    case SetupProblem::kKnownPointsCoincide:
    case SetupProblem::kNoIntersection:
      break;
  }
  return "no station";
}

std::string IntersectionErrorText(const survey::SetupError& error, bool byDistance) {
  const char* side = error.sighting == 1 ? "B" : "A";
  switch (error.problem) {
    case SetupProblem::kKnownPointsCoincide:
      return "A and B are the same point";
    case SetupProblem::kNoIntersection:
      if (error.sighting == survey::kNoSighting) {
        return byDistance ? "the circles about A and B do not meet"
                          : "ANGLE_A and ANGLE_B add up to 180 degrees or more";
      }
      return std::string("ANGLE_") + side + " is not above 0";
    case SetupProblem::kBadDistance:
      return std::string("DISTANCE_") + side + " is not above 0";
    case SetupProblem::kBadReading:
      return std::string("ANGLE_") + side + " is no number";
    case SetupProblem::kBadCoordinate:
      return std::string("the coordinates of ") + side + " are no numbers";
    default:
      break;
  }
  return "no intersection";
}

}  // namespace reading
