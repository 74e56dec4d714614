#include "reader/sheet_resolver.h"

#include <algorithm>
#include <cmath>

#include "core/packed_angle.h"
#include "core/survey.h"
#include "reader/mode_rule.h"
#include "reader/number_text.h"
#include "reader/packed_digits.h"
#include "reader/shown_text.h"

namespace reading {
namespace {

SheetError Error(SheetError::What what, SheetPart part = SheetPart::kStation) {
  SheetError error;
  error.what = what;
  error.part = part;
  return error;
}

// "X 3350000.000 Y 500000.000", after the name where there is one.
std::string ShownPoint(std::string_view name, const Point& point, int decimals) {
  std::string text;
  if (!name.empty()) {
    AppendShown(text, name);
    text += ' ';
  }
  text += "X ";
  AppendFixed(text, point.x, decimals);
  text += " Y ";
  AppendFixed(text, point.y, decimals);
  return text;
}

// Where names are looked up: `first`, then, for a name not there, `more`
// (either may be null).
struct Lookup {
  const KnownPoints* first;
  const KnownPoints* more;
};

// The point of `part` named `name`, into `point`.
SheetError FindPoint(const Lookup& known, SheetPart part, const std::string& name, Point& point) {
  const KnownPoints* in = known.first ? known.first : known.more;
  if (in == nullptr) return Error(SheetError::What::kNoKnownPoints, part);
  KnownPoints::Found found = in->Find(name, point);
  if (found.what == KnownPoints::Found::What::kMissing && in != known.more && known.more) {
    const KnownPoints::Found more = known.more->Find(name, point);
    if (more.what != KnownPoints::Found::What::kMissing) {
      in = known.more;
      found = more;
    }
  }
  if (found.what == KnownPoints::Found::What::kFound) return {};
  SheetError error =
      Error(found.what == KnownPoints::Found::What::kMissing ? SheetError::What::kNoSuchPoint
                                                             : SheetError::What::kNamedTwice,
            part);
  error.name = name;
  error.source = in->source();
  error.line = found.line;
  error.otherLine = found.twiceLine;
  return error;
}

// A point given by name or typed.
template <class Given>
SheetError PlacePoint(const Lookup& known, SheetPart part, const Given& given,
                      std::string& name, Point& point) {
  if (const auto* byName = std::get_if<PointName>(&given)) {
    name = byName->name;
    return FindPoint(known, part, byName->name, point);
  }
  point = std::get<Point>(given);
  return {};
}

// The direction that setout angles are turned from, and the check line.
SheetError FindBacksight(const Backsight& given, const Lookup& known, Sheet& sheet) {
  RowSettings& settings = sheet.settings;
  const int azimuthDecimals = settings.azimuthDecimals.value_or(settings.decimals);
  if (const auto* azimuth = std::get_if<PackedAzimuth>(&given)) {
    if (!(azimuth->packed >= 0.0 && azimuth->packed <= 360.0)) {
      return Error(SheetError::What::kAzimuthOutOfRange, SheetPart::kBacksight);
    }
    settings.backsightDegrees = survey::PackedToDegrees(azimuth->packed);
    AppendPackedAngle(sheet.checkAzimuth, azimuth->packed, azimuthDecimals);
  } else {
    Point backsight{};
    if (const auto* byName = std::get_if<PointName>(&given)) {
      if (!sheet.stationName.empty() && byName->name == sheet.stationName) {
        return Error(SheetError::What::kBacksightIsStation, SheetPart::kBacksight);
      }
      sheet.backsightName = byName->name;
      if (SheetError error = FindPoint(known, SheetPart::kBacksight, byName->name, backsight)) {
        return error;
      }
    } else {
      backsight = std::get<Point>(given);
    }
    sheet.backsight = backsight;
    const Point& station = settings.station;
    const survey::InverseResult polar =
        survey::ComputeInverse(station.x, station.y, backsight.x, backsight.y);
    if (polar.identicalPoints) {
      return Error(SheetError::What::kBacksightIsStation, SheetPart::kBacksight);
    }
    if (!std::isfinite(polar.distance)) {
      return Error(SheetError::What::kOutOfRange, SheetPart::kBacksight);
    }
    settings.backsightDegrees = polar.degrees;
    AppendPackedAngle(sheet.checkAzimuth, polar.azimuth, azimuthDecimals);
    AppendFixed(sheet.checkDistance, polar.distance, settings.decimals);
  }
  sheet.checkLine = "station to backsight: azimuth " + sheet.checkAzimuth;
  if (!sheet.checkDistance.empty()) sheet.checkLine += " distance " + sheet.checkDistance;
  return {};
}

// The comment line --header writes: the station and, in setout, the
// backsight and the check line's numbers; "" without a station.
std::string HeaderComment(const Sheet& sheet) {
  const RowSettings& settings = sheet.settings;
  if (!settings.hasStation) return {};
  std::string text =
      "# station " + ShownPoint(sheet.stationName, settings.station, settings.decimals);
  if (settings.mode != Mode::kSetout) return text;
  text += " / backsight ";
  if (sheet.backsight) {
    text += ShownPoint(sheet.backsightName, *sheet.backsight, settings.decimals) + " / ";
  }
  text += "azimuth " + sheet.checkAzimuth;
  if (!sheet.checkDistance.empty()) text += " distance " + sheet.checkDistance;
  return text;
}

bool NamesPoints(const std::vector<Column>& columns) {
  return columns.empty() || std::any_of(columns.begin(), columns.end(), [](const Column& c) {
           return c.role == Column::Role::kName;
         });
}

}  // namespace

std::span<const char* const> RowNumbers(Mode mode, bool fromStation) {
  return std::span<const char* const>(RuleOf(mode).fields).subspan(fromStation ? 2 : 0);
}

SheetError ControlColumns(const SheetRequest& request, const ControlFile& control,
                          std::vector<Column>& columns) {
  columns = control.columns.value_or(request.columns);
  if (NamesPoints(columns)) return {};
  return Error(
      control.columns ? SheetError::What::kControlNeedsNames : SheetError::What::kColumnsNeedNames,
      control.columns ? SheetPart::kControlColumns : SheetPart::kColumns);
}

SheetError ResolveSheet(const SheetRequest& request, Sheet& sheet, const KnownPoints* known,
                        const KnownPoints* more) {
  sheet = Sheet();
  RowSettings& settings = sheet.settings;
  settings.mode = request.mode;
  settings.decimals = request.decimals;
  settings.azimuthDecimals = request.azimuthDecimals;
  settings.hasStation = request.setup.has_value();
  settings.columns = request.columns;
  const bool setout = request.mode == Mode::kSetout;
  if (setout && !request.setup) return Error(SheetError::What::kNoStation);
  if (!request.setup) return {};
  const StationAndBacksight& given = std::get<StationAndBacksight>(*request.setup);
  if (setout && !given.backsight) {
    return Error(SheetError::What::kNoBacksight, SheetPart::kBacksight);
  }
  KnownPoints control;
  const auto* file = std::get_if<ControlFile>(&request.known);
  if (known == nullptr && file != nullptr) {
    std::vector<Column> columns;
    if (SheetError error = ControlColumns(request, *file, columns)) return error;
    if (FileError read = control.ReadFile(file->path, columns)) {
      SheetError error = Error(SheetError::What::kControlFile, SheetPart::kControl);
      error.file = std::move(read);
      return error;
    }
    known = &control;
  }
  const Lookup lookup{known, more};
  if (SheetError error = PlacePoint(lookup, SheetPart::kStation, given.station, sheet.stationName,
                                    settings.station)) {
    return error;
  }
  if (setout) {
    if (SheetError error = FindBacksight(*given.backsight, lookup, sheet)) return error;
  }
  sheet.headerComment = HeaderComment(sheet);
  return {};
}

}  // namespace reading
