#include "reader/road/road_error_text.h"

#include "reader/fields/number_text.h"
#include "reader/text/shown_text.h"

namespace reading {
namespace {

using Kind = survey::AlignmentError::Kind;

std::string Length(double metres) {
  std::string text;
  AppendFixed(text, metres, 3);
  return text;
}

// "road.csv:3: " for the fault's row, "road.csv: " where it has none.
std::string Where(const RoadError& error) {
  return error.path + (error.line > 0 ? ":" + std::to_string(error.line) : std::string()) + ": ";
}

// A JD table's point by its name; an element by its name, else its place
// ("element 3", from 1).
std::string PointName(const RoadError& error, const std::string& name, std::size_t row) {
  std::string text;
  if (!name.empty() || error.table == RoadRequest::Table::kIntersections) {
    AppendShown(text, name);
    return text;
  }
  return "element " + std::to_string(row + 1);
}

std::string DesignText(const RoadError& error) {
  const survey::AlignmentError& fault = error.fault;
  const std::string one = PointName(error, fault.name, fault.row);
  const std::string other = PointName(error, fault.otherName, fault.otherRow);
  const bool elements = error.table == RoadRequest::Table::kElements;
  switch (fault.kind) {
    case Kind::kTooFewPoints:
      return elements ? "an element table needs its start row (X Y AZIMUTH CHAINAGE) and an "
                        "element or more"
                      : "a JD table needs two points or more, BP first and EP last";
    case Kind::kSamePlace:
      return one + " and " + other + " are at one place";
    case Kind::kBadRadius:
      return one + ": R must be above 0: " + Length(fault.value);
    case Kind::kNegativeSpiral:
      return one + ": a spiral length must not be below 0: " + Length(fault.value);
    case Kind::kSpiralsTooLong:
      return one + ": the spirals turn more than the deflection: the arc between them would be " +
             Length(fault.value) + " long";
    case Kind::kTurnsBack:
      return one + ": the route turns back on itself";
    case Kind::kCurvesOverlap:
      return one + " and " + other + ": the tangents of their curves are " + Length(fault.value) +
             " longer than the line between them: the curves overlap";
    case Kind::kBadLength:
      return one + ": LENGTH must be above 0: " + Length(fault.value);
    case Kind::kFullCircle:
      return one + " turns through " + Length(fault.value) + " degrees, more than a full circle";
    case Kind::kOutOfOrder:
    case Kind::kBesideRange:
    case Kind::kBesideNoElement:
      break;
  }
  return {};
}

std::string ProfileText(const RoadError& error) {
  const survey::AlignmentError& fault = error.fault;
  const std::string lines =
      "lines " + std::to_string(error.line) + " and " + std::to_string(error.otherLine);
  switch (fault.kind) {
    case Kind::kTooFewPoints:
      return "a profile needs two points or more";
    case Kind::kSamePlace:
      return "two points at one chainage (" + lines + ")";
    case Kind::kOutOfOrder:
      return "CHAINAGE " + Length(fault.value) + " is below the chainage before it";
    case Kind::kBadRadius:
      return "R must not be below 0: " + Length(fault.value);
    case Kind::kCurvesOverlap:
      return "the vertical curves of " + lines + " take " + Length(fault.value) +
             " more than the grade line between them";
    default:
      break;
  }
  return {};
}

}  // namespace

std::string RoadErrorText(const RoadError& error) {
  switch (error.what) {
    case RoadError::What::kFile:
      return FileErrorText(error.file);
    case RoadError::What::kDesign:
      return Where(error) + DesignText(error);
    case RoadError::What::kProfile:
      return Where(error) + ProfileText(error);
    case RoadError::What::kNone:
      break;
  }
  return {};
}

}  // namespace reading
