#include "reader/road/road_design.h"

#include <variant>

#include "core/alignment/element_table.h"
#include "reader/road/road_tables.h"

namespace reading {
namespace {

RoadError FileFault(RoadRequest::Table table, FileError file) {
  RoadError error;
  error.what = RoadError::What::kFile;
  error.table = table;
  error.file = std::move(file);
  return error;
}

// The fault of a table's rows, with their lines in `lines` (the rows' own,
// a row past the last one is the line after it).
RoadError BuildFault(RoadError::What what, RoadRequest::Table table,
                     const survey::AlignmentError& fault, const std::string& path,
                     const std::vector<std::size_t>& lines) {
  RoadError error;
  error.what = what;
  error.table = table;
  error.fault = fault;
  error.path = path;
  const auto lineOf = [&lines](std::size_t row) -> std::size_t {
    return row < lines.size() ? lines[row] : 0;
  };
  error.line = lineOf(fault.row);
  error.otherLine = lineOf(fault.otherRow);
  return error;
}

RoadError ReadIntersections(const RoadRequest& request, RoadDesign& design) {
  IntersectionRows rows;
  if (FileError error = ReadIntersectionRows(request.path, request.columns, rows, request.encoding)) {
    return FileFault(request.table, std::move(error));
  }
  auto built = survey::BuildFromIntersections(rows.points, request.startChainage);
  if (const auto* fault = std::get_if<survey::AlignmentError>(&built)) {
    return BuildFault(RoadError::What::kDesign, request.table, *fault, request.path, rows.lines);
  }
  auto& road = std::get<survey::IntersectionAlignment>(built);
  design.alignment = std::move(road.alignment);
  design.curves = std::move(road.curves);
  for (survey::IntersectionPoint& point : rows.points) {
    design.pointNames.push_back(std::move(point.name));
  }
  return {};
}

RoadError ReadElements(const RoadRequest& request, RoadDesign& design) {
  ElementRows rows;
  if (FileError error = ReadElementRows(request.path, rows, request.encoding)) {
    return FileFault(request.table, std::move(error));
  }
  auto built = rows.startLine == 0 ? survey::OrError<survey::Alignment>(survey::AlignmentError{
                                         survey::AlignmentError::Kind::kTooFewPoints})
                                   : survey::BuildFromElements(rows.start, rows.rows);
  if (auto* fault = std::get_if<survey::AlignmentError>(&built)) {
    // The element table's rows are named where the file names them.
    const auto nameOf = [&rows](std::size_t row) {
      return row < rows.names.size() ? rows.names[row] : std::string();
    };
    fault->name = nameOf(fault->row);
    fault->otherName = nameOf(fault->otherRow);
    return BuildFault(RoadError::What::kDesign, request.table, *fault, request.path, rows.lines);
  }
  design.alignment = std::move(std::get<survey::Alignment>(built));
  design.elementNames = std::move(rows.names);
  return {};
}

}  // namespace

RoadError ReadRoad(const RoadRequest& request, RoadDesign& design) {
  design = RoadDesign();
  design.request = request;
  RoadError error = request.table == RoadRequest::Table::kIntersections
                        ? ReadIntersections(request, design)
                        : ReadElements(request, design);
  if (error || request.profile.empty()) return error;
  ProfileRows rows;
  if (FileError read = ReadProfileRows(request.profile, rows, request.encoding)) {
    error = FileFault(request.table, std::move(read));
    error.inProfile = true;
    return error;
  }
  auto built = survey::Profile::Build(rows.points);
  if (const auto* fault = std::get_if<survey::AlignmentError>(&built)) {
    error =
        BuildFault(RoadError::What::kProfile, request.table, *fault, request.profile, rows.lines);
    error.inProfile = true;
    return error;
  }
  design.profile = std::move(std::get<survey::Profile>(built));
  return {};
}

}  // namespace reading
