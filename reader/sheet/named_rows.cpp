#include "reader/sheet/named_rows.h"

#include <cmath>
#include <tuple>

#include "core/setup/intersection.h"
#include "reader/sheet/known_point_lookup.h"
#include "reader/sheet/setup_text.h"
#include "reader/sheet/sheet_error_text.h"

namespace reading {
namespace {

// The known point `name` of the row's field `field` ("" for the row's own
// name), into `point`; "" or what is wrong.
std::string FindRowPoint(const RowSettings& settings, const char* field, std::string_view name,
                         survey::PlanePoint& point) {
  std::string problem;
  if (field[0] != '\0') problem = std::string(field) + ": ";
  if (name.empty()) return std::string(field[0] != '\0' ? field : "NAME") + " is empty";
  Point found{};
  const SheetError error = FindKnownPoint(settings.known.get(), SheetPart::kStation, name, found);
  if (error) return problem + KnownPointText(error);
  point = {found.x, found.y};
  return {};
}

}  // namespace

std::string ComputeNamedRow(const RowSettings& settings, const std::string_view* names,
                            const double* values, LineAnswer& answer) {
  answer.hasPoint = false;
  if (settings.mode == Mode::kOrient || settings.mode == Mode::kFreeStation) {
    survey::PlanePoint point{};
    if (std::string problem = FindRowPoint(settings, "", names[0], point); !problem.empty())
      return problem;
    // A distance left out is NaN.
    if (settings.mode == Mode::kFreeStation && values[1] <= 0.0) return "DISTANCE is not above 0";
    answer.point = {point.x, point.y};
    answer.hasPoint = true;
    answer.results = {values[0], settings.mode == Mode::kFreeStation ? values[1] : NAN, 0.0};
    return {};
  }
  if (names[0].empty()) return "NAME is empty";
  survey::PlanePoint a{}, b{};
  for (const auto& [field, name, point] :
       {std::tuple{"A", names[1], &a}, std::tuple{"B", names[2], &b}}) {
    if (std::string problem = FindRowPoint(settings, field, name, *point); !problem.empty())
      return problem;
  }
  const survey::Side side = settings.right ? survey::Side::kRight : survey::Side::kLeft;
  const bool byDistance = settings.mode == Mode::kDistanceIntersect;
  const survey::SetupOutcome<survey::PlanePoint> point =
      byDistance ? survey::IntersectByDistances(a, b, values[0], values[1], side)
                 : survey::IntersectByAngles(a, b, values[0], values[1], side);
  if (!point.ok()) return IntersectionErrorText(point.error(), byDistance);
  answer.point = {point.value().x, point.value().y};
  answer.results = {point.value().x, point.value().y, 0.0};
  if (!std::isfinite(answer.point.x) || !std::isfinite(answer.point.y))
    return "the new point is out of range";
  answer.hasPoint = true;
  return {};
}

}  // namespace reading
