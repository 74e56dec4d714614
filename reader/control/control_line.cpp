#include "reader/control/control_line.h"

#include <array>
#include <cmath>
#include <tuple>

#include "reader/text/shown_text.h"

namespace reading {
namespace {

using What = LineError::What;
using Part = LineError::Part;

LineError ErrorOf(What what, std::string name = {}, std::string expected = {}) {
  LineError error;
  error.what = what;
  error.name = std::move(name);
  error.expected = std::move(expected);
  return error;
}

LineError RequestError(std::string text) {
  LineError error = ErrorOf(What::kRequest);
  error.text = std::move(text);
  return error;
}

// What a lookup found, as a line error of `part`.
LineError NotFound(const KnownPoints::Found& found, Part part, std::string_view name) {
  LineError error = ErrorOf(found.what == KnownPoints::Found::What::kTwice ? What::kNamedTwice
                                                                           : What::kNoSuchPoint,
                            std::string(name));
  error.part = part;
  error.line = found.line;
  error.twiceLine = found.twiceLine;
  return error;
}

// The known point `name` of `part`, into `point`.
LineError FindPoint(const KnownPoints& known, Part part, std::string_view name,
                    survey::PlanePoint& point) {
  Point found{};
  const KnownPoints::Found what = known.Find(name, found);
  if (what.what != KnownPoints::Found::What::kFound) return NotFound(what, part, name);
  point = {found.x, found.y};
  return {};
}

// A number left out (NaN) is none.
std::optional<double> Given(double value) {
  return std::isnan(value) ? std::nullopt : std::optional<double>(value);
}

// Whether the rows start on `first` and end on `last` ("" for any).
LineError CheckEnds(std::span<const Observation> rows, const std::string& first,
                    const std::string& last) {
  if (!first.empty() && rows.front().name != first)
    return ErrorOf(What::kFirstRow, rows.front().name, first);
  if (!last.empty() && rows.back().name != last)
    return ErrorOf(What::kLastRow, rows.back().name, last);
  return {};
}

// The request's checks that need no points: one orientation at each end
// where the kind takes one.
LineError CheckTraverseRequest(const TraverseRequest& request) {
  if (!request.backsight.empty() && request.startAzimuth)
    return RequestError("give --backsight or --start-azimuth, not both");
  if (!request.foresight.empty() && request.endAzimuth)
    return RequestError("give --foresight or --end-azimuth, not both");
  const bool endOriented = !request.foresight.empty() || request.endAzimuth;
  const survey::TraverseKind kind = KindOf(request);
  if (request.closed && !request.end.empty())
    return RequestError("a closed traverse ends on its start: give no --end");
  if (kind == survey::TraverseKind::kUnoriented && request.end.empty())
    return RequestError(
        "give --backsight or --start-azimuth, or --end for a traverse without orientation");
  if (kind == survey::TraverseKind::kUnoriented && endOriented)
    return RequestError("an orientation at the end needs one at the start");
  if (kind == survey::TraverseKind::kAttached && !endOriented)
    return RequestError("--end needs --foresight or --end-azimuth");
  if ((kind == survey::TraverseKind::kOpen || kind == survey::TraverseKind::kClosed) &&
      endOriented)
    return RequestError("--foresight and --end-azimuth need --end");
  return {};
}

}  // namespace

survey::TraverseKind KindOf(const TraverseRequest& request) {
  if (request.backsight.empty() && !request.startAzimuth) return survey::TraverseKind::kUnoriented;
  if (request.closed) return survey::TraverseKind::kClosed;
  return request.end.empty() ? survey::TraverseKind::kOpen : survey::TraverseKind::kAttached;
}

survey::LevelKind KindOf(const LevelRequest& request) {
  if (request.closed) return survey::LevelKind::kClosed;
  return request.turn.empty() ? survey::LevelKind::kAttached : survey::LevelKind::kOutAndBack;
}

LineError MakeTraverse(const TraverseRequest& request, const KnownPoints& known,
                       std::span<const Observation> rows, survey::TraverseInput& input) {
  if (LineError error = CheckTraverseRequest(request)) return error;
  input = {};
  input.kind = KindOf(request);
  input.side = request.side;
  input.limits = request.limits;
  if (LineError error = FindPoint(known, Part::kStart, request.start, input.start)) return error;
  if (!request.end.empty()) {
    input.end.emplace();
    if (LineError error = FindPoint(known, Part::kEnd, request.end, *input.end)) return error;
  }
  for (const auto& [name, part, point] :
       {std::tuple{&request.backsight, Part::kBacksight, &input.backsight},
        std::tuple{&request.foresight, Part::kForesight, &input.foresight}}) {
    if (name->empty()) continue;
    point->emplace();
    if (LineError error = FindPoint(known, part, *name, **point)) return error;
  }
  input.azimuthIn = request.startAzimuth.value_or(0.0);
  input.azimuthOut = request.endAzimuth.value_or(0.0);
  if (rows.empty()) return ErrorOf(What::kNoRows);
  const std::string& last = input.kind == survey::TraverseKind::kClosed ? request.start
                                                                        : request.end;
  if (LineError error = CheckEnds(rows, request.start, last)) return error;
  for (const Observation& row : rows) {
    input.stations.push_back(
        {Given(row.values[0]), Given(row.values[1]), Given(row.values[2])});
  }
  return {};
}

LineError MakeLevelLine(const LevelRequest& request, const LevelHeights& known,
                        std::span<const Observation> rows, survey::LevelInput& input) {
  input = {};
  input.kind = KindOf(request);
  input.count = request.count;
  input.limits = request.limits;
  if (const auto found = known.Find(request.start, input.startHeight);
      found.what != KnownPoints::Found::What::kFound)
    return NotFound(found, Part::kStart, request.start);
  if (input.kind == survey::LevelKind::kAttached) {
    double height = 0.0;
    if (const auto found = known.Find(request.end, height);
        found.what != KnownPoints::Found::What::kFound)
      return NotFound(found, Part::kEnd, request.end);
    input.endHeight = height;
  }
  if (rows.empty()) return ErrorOf(What::kNoRows);
  std::size_t out = rows.size();
  if (input.kind == survey::LevelKind::kOutAndBack) {
    out = 0;
    while (out < rows.size() && rows[out].name != request.turn) ++out;
    if (out == rows.size()) return ErrorOf(What::kNoTurn, request.turn);
    if (++out == rows.size()) return ErrorOf(What::kNoRunBack, request.turn);
  }
  const std::string& last = input.kind == survey::LevelKind::kAttached ? request.end : request.start;
  if (LineError error = CheckEnds(rows, {}, last)) return error;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    (i < out ? input.sections : input.back).push_back({rows[i].values[0], rows[i].values[1]});
  }
  return {};
}

LineError LineErrorOf(const survey::ControlError& control, std::span<const Observation> rows) {
  LineError error = ErrorOf(What::kLine);
  error.control = control;
  if (control.index < rows.size()) error.where = rows[control.index].where;
  return error;
}

LineError RowFailed(const ControlRows& rows) {
  LineError error = ErrorOf(What::kRowFailed);
  error.where = rows.firstFailure();
  error.text = rows.firstFailureText();
  return error;
}

std::string LineErrorText(const LineError& error, const std::string& source) {
  static constexpr std::array<const char*, 4> kParts = {"--start", "--backsight", "--end",
                                                        "--foresight"};
  const std::string part = kParts[static_cast<std::size_t>(error.part)];
  std::string name;
  AppendShown(name, error.name);
  std::string expected;
  AppendShown(expected, error.expected);
  switch (error.what) {
    case What::kRequest: return error.text;
    case What::kNoSuchPoint: return part + ": no point " + name + " in " + source;
    case What::kNamedTwice:
      return part + ": " + name + " is given twice in " + source + ", lines " +
             std::to_string(error.line) + " and " + std::to_string(error.twiceLine);
    case What::kRowFailed: return error.where + " does not read: " + error.text;
    case What::kNoRows: return "no rows: too few legs to make the line";
    case What::kFirstRow:
      return "the first row is " + name + ", not the start " + expected;
    case What::kLastRow: return "the last row is " + name + ", not " + expected;
    case What::kNoTurn: return "no row ends on the turning point " + name;
    case What::kNoRunBack: return "no run back after the turning point " + name;
    case What::kLine:
      return (error.where.empty() ? "" : error.where + ": ") +
             survey::DescribeControlError(error.control);
    case What::kNone: break;
  }
  return {};
}

}  // namespace reading
