#include "reader/sheet/sheet_resolver.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "core/packed_angle.h"
#include "core/field_text.h"
#include "core/survey.h"
#include "reader/fields/angle_text.h"
#include "reader/fields/number_text.h"
#include "reader/rows/mode_rule.h"
#include "reader/sheet/known_point_lookup.h"
#include "reader/sheet/named_rows.h"
#include "reader/sheet/station_setup.h"
#include "reader/text/shown_text.h"

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

// A point given by name (with its height, where it has one) or typed.
template <class Given>
SheetError PlacePoint(const KnownPoints* known, SheetPart part, const Given& given,
                      std::string& name, Point& point, std::optional<double>& height) {
  if (const auto* byName = std::get_if<PointName>(&given)) {
    name = byName->name;
    return FindKnownPoint(known, part, byName->name, point, &height);
  }
  point = std::get<Point>(given);
  return {};
}

// The direction that setout angles are turned from, and the check line.
SheetError FindBacksight(const Backsight& given, const KnownPoints* known, Sheet& sheet) {
  RowSettings& settings = sheet.settings;
  const int azimuthDecimals = settings.azimuthDecimals.value_or(settings.decimals);
  if (const auto* azimuth = std::get_if<PackedAzimuth>(&given)) {
    if (!(azimuth->packed >= 0.0 && azimuth->packed <= 360.0)) {
      return Error(SheetError::What::kAzimuthOutOfRange, SheetPart::kBacksight);
    }
    settings.backsightDegrees = survey::PackedToDegrees(azimuth->packed);
    AppendAngle(sheet.checkAzimuth, azimuth->packed, settings.angleFormat, azimuthDecimals);
  } else {
    Point backsight{};
    if (const auto* byName = std::get_if<PointName>(&given)) {
      if (!sheet.stationName.empty() && byName->name == sheet.stationName) {
        return Error(SheetError::What::kBacksightIsStation, SheetPart::kBacksight);
      }
      sheet.backsightName = byName->name;
      std::optional<double> height;
      if (SheetError error =
              FindKnownPoint(known, SheetPart::kBacksight, byName->name, backsight, &height)) {
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
    AppendAngle(sheet.checkAzimuth, polar.azimuth, settings.angleFormat, azimuthDecimals);
    AppendFixed(sheet.checkDistance, polar.distance, settings.decimals);
  }
  sheet.checkLine = "station to backsight: azimuth " + sheet.checkAzimuth;
  if (!sheet.checkDistance.empty()) sheet.checkLine += " distance " + sheet.checkDistance;
  return {};
}

// The sight's heights as the station's height, or what is missing; the
// station's own height (`own`, where it is a known point's) stands in for
// one not typed.
SheetError PlaceHeights(const SightHeights& given, const std::optional<double>& own,
                        const std::string& stationName, const KnownPoints* known,
                        RowSettings& settings) {
  const std::optional<double> station = given.station ? given.station : own;
  if (!station) {
    SheetError error = Error(SheetError::What::kNoStationHeight);
    error.name = stationName;
    if (known != nullptr && !stationName.empty()) error.source = known->source();
    return error;
  }
  settings.heights =
      survey::HeightSetup{*station, given.instrument, given.target, given.earthCorrection};
  return {};
}

// A number in its shortest text: "0.14", "6371".
std::string Shortest(double value) {
  std::array<char, 32> text;
  return std::string(text.data(), std::to_chars(text.data(), text.data() + text.size(), value).ptr);
}

// " / heights station 20.000 instrument 1.500 target 1.800 / ..." and
// whether the earth's curvature and refraction are corrected.
std::string HeightsComment(const survey::HeightSetup& heights, int decimals) {
  std::string text = " / heights station ";
  AppendFixed(text, heights.stationHeight, decimals);
  text += " instrument ";
  AppendFixed(text, heights.instrumentHeight, decimals);
  text += " target ";
  AppendFixed(text, heights.targetHeight, decimals);
  if (!heights.earthCorrection) return text + " / curvature and refraction not corrected";
  return text + " / curvature and refraction corrected (K " +
         Shortest(survey::kRefractionCoefficient) + ", R " +
         Shortest(survey::kEarthRadius / 1000.0) + " km)";
}

// The comment line --header writes: the station and, in setout, the
// backsight and the check line's numbers and the sight's heights; ""
// without a station.
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
  if (settings.heights) text += HeightsComment(*settings.heights, settings.decimals);
  return text;
}

bool NamesPoints(const std::vector<Column>& columns) {
  return columns.empty() || std::any_of(columns.begin(), columns.end(), [](const Column& c) {
           return c.role == Column::Role::kName;
         });
}

}  // namespace

SheetError ControlColumns(const SheetRequest& request, const ControlFile& control,
                          std::vector<Column>& columns) {
  columns = control.columns.value_or(request.columns);
  if (NamesPoints(columns)) return {};
  return Error(
      control.columns ? SheetError::What::kControlNeedsNames : SheetError::What::kColumnsNeedNames,
      control.columns ? SheetPart::kControlColumns : SheetPart::kColumns);
}

namespace {

// The station and the orientation of a station setup: in setout worked
// out from its sightings and taken as a typed station and a backsight
// azimuth; for corvane-calc orient only the known station, and for
// freestation nothing yet (their rows are the sightings).
SheetError PlaceOriented(const OrientedStation& given, const KnownPoints* known, Sheet& sheet) {
  RowSettings& settings = sheet.settings;
  sheet.oriented = given;
  if (settings.mode == Mode::kOrient) {
    std::optional<double> height;
    return PlacePoint(known, SheetPart::kStation, *given.station, sheet.stationName,
                      settings.station, height);
  }
  if (settings.mode != Mode::kSetout) return {};
  SetupAnswer answer;
  if (SheetError error = ComputeSetup(given, known, answer)) return error;
  SheetSetup setup = ForSheet(given, answer, settings.decimals,
                              settings.azimuthDecimals.value_or(settings.decimals));
  settings.station = setup.station;
  const PackedAzimuth orientation{setup.packed};
  sheet.setup = std::move(setup);
  return FindBacksight(orientation, known, sheet);
}

}  // namespace

namespace {

// What the request gives the rows as it is, before any point is looked up.
void TakeSettings(const SheetRequest& request, Sheet& sheet) {
  RowSettings& settings = sheet.settings;
  settings.mode = request.mode;
  settings.decimals = request.decimals;
  settings.azimuthDecimals = request.azimuthDecimals;
  settings.angleFormat = request.angleFormat;
  settings.hasStation = request.setup.has_value();
  settings.columns = request.columns;
  settings.decimalMark = request.input.decimalMark;
  sheet.input = request.input;
  settings.right = request.right;
  if (NamesKnownPoints(request.mode)) settings.namedRow = ComputeNamedRow;
}

// The request's control file read into `control`, which `known` then
// points to, where no known points are given; kNone or why it does not read.
SheetError ReadControl(const SheetRequest& request, KnownPoints& control,
                       const KnownPoints*& known) {
  const auto* file = std::get_if<ControlFile>(&request.known);
  if (known == nullptr && file != nullptr) {
    std::vector<Column> columns;
    if (SheetError error = ControlColumns(request, *file, columns)) return error;
    if (FileError read =
            control.ReadFile(file->path, columns, file->input.value_or(request.input))) {
      SheetError error = Error(SheetError::What::kControlFile, SheetPart::kControl);
      error.file = std::move(read);
      return error;
    }
    known = &control;
  }
  return {};
}

// The station (and setout's backsight) of the request into the sheet, and
// the station's height where it is a known point with one; kNone or what
// keeps it from being placed.
SheetError PlaceStation(const SheetRequest& request, const StationAndBacksight* given,
                        const KnownPoints* known, Sheet& sheet,
                        std::optional<double>& stationHeight) {
  RowSettings& settings = sheet.settings;
  const bool setout = request.mode == Mode::kSetout;
  if (!given) {
    settings.hasStation = request.mode == Mode::kOrient || setout;
    if (request.setup) {
      const auto& oriented = std::get<OrientedStation>(*request.setup);
      if (SheetError error = PlaceOriented(oriented, known, sheet)) return error;
      // A known station's own height.
      const auto* byName = oriented.station ? std::get_if<PointName>(&*oriented.station) : nullptr;
      Point ignored{};
      if (byName) FindKnownPoint(known, SheetPart::kStation, byName->name, ignored, &stationHeight);
    }
  } else {
    if (SheetError error = PlacePoint(known, SheetPart::kStation, given->station, sheet.stationName,
                                      settings.station, stationHeight)) {
      return error;
    }
    if (setout) {
      if (SheetError error = FindBacksight(*given->backsight, known, sheet)) return error;
    }
  }
  return {};
}

}  // namespace

SheetError ResolveSheet(const SheetRequest& request, Sheet& sheet, const KnownPoints* known) {
  TakeSettings(request, sheet);
  RowSettings& settings = sheet.settings;
  if (!AngleDecimalsFit(request.angleFormat, request.azimuthDecimals.value_or(request.decimals))) {
    return Error(SheetError::What::kDmsNeedsSeconds, SheetPart::kAngles);
  }
  const bool setout = request.mode == Mode::kSetout;
  const bool named = NamesKnownPoints(request.mode);
  if (setout && !request.setup) return Error(SheetError::What::kNoStation);
  if (!request.setup && !named) return {};
  const auto* given = request.setup ? std::get_if<StationAndBacksight>(&*request.setup) : nullptr;
  if (setout && given && !given->backsight) {
    return Error(SheetError::What::kNoBacksight, SheetPart::kBacksight);
  }
  auto control = std::make_shared<KnownPoints>();
  if (SheetError error = ReadControl(request, *control, known)) return error;
  // The rows look names up as they are read.
  if (named && known != nullptr) {
    settings.known =
        known == control.get() ? std::move(control) : std::make_shared<KnownPoints>(*known);
    known = settings.known.get();
  }
  std::optional<double> stationHeight;
  if (SheetError error = PlaceStation(request, given, known, sheet, stationHeight)) return error;
  if (setout && request.heights) {
    const std::string& station = sheet.setup ? sheet.setup->name : sheet.stationName;
    if (SheetError error = PlaceHeights(*request.heights, stationHeight, station, known, settings))
      return error;
  }
  sheet.headerComment = HeaderComment(sheet);
  return {};
}

}  // namespace reading
