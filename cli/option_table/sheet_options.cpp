#include "cli/option_table/sheet_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <tuple>

#include "cli/option_table/option_table.h"
#include "core/alignment/chainage_text.h"
#include "reader/fields/field_number.h"
#include "reader/fields/number_text.h"
#include "reader/road/road_tables.h"
#include "reader/road/stake_list.h"
#include "reader/rows/mode_rule.h"
#include "reader/sheet/sheet_error_text.h"

namespace reading {
namespace {

// "give --backsight or --backsight-azimuth, not both"
std::string OneOf(const std::vector<std::string_view>& given) {
  std::string text = "give ";
  for (std::size_t i = 0; i < given.size(); ++i) {
    if (i > 0) text += i + 1 == given.size() ? " or " : ", ";
    text += given[i];
  }
  return text + (given.size() == 2 ? ", not both" : ", only one");
}

// The tool's words for a request error found among the options.
std::string Say(SheetError::What what, SheetPart part = SheetPart::kStation) {
  SheetError error;
  error.what = what;
  error.part = part;
  return SheetErrorText(error);
}

// "forward, inverse and setout"
std::string ModesText(unsigned modes) {
  std::vector<std::string_view> names;
  for (unsigned mode = 0; (1u << mode) <= modes; ++mode) {
    // Intersect by angles and by distances share a name.
    const std::string_view name = ModeName(static_cast<Mode>(mode));
    if ((modes & (1u << mode)) != 0 && (names.empty() || names.back() != name)) {
      names.push_back(name);
    }
  }
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
    text += names[i];
  }
  return text;
}

// The first option given that `mode` does not take: "--every is for
// stake"; "" where there is none.
std::string OptionNotForMode(const SheetOptions& options, Mode mode) {
  const std::span<const SheetOption> table = SheetOptionTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    const SheetOption& option = table[i];
    if ((options.given & (1u << i)) != 0 && (option.modes & ModeBit(mode)) == 0) {
      const std::string alias =
          option.alias.empty() ? "" : " (or " + std::string(option.alias) + ")";
      return std::string(option.name) + alias + " is for " + ModesText(option.modes);
    }
  }
  return {};
}

// The options of the modes whose rows name known points, checked together
// with the others; "" or what is wrong.
std::string CheckNamedModes(const SheetOptions& options, Mode mode) {
  for (const auto& [given, option, owner] :
       {std::tuple{options.directionSigma.has_value(), "--direction-sigma", Mode::kFreeStation},
        std::tuple{options.distanceSigma.has_value(), "--distance-sigma", Mode::kFreeStation},
        std::tuple{!options.stationName.empty(), "--name", Mode::kFreeStation},
        std::tuple{options.byDistance, "--by-distance", Mode::kIntersect},
        std::tuple{options.right, "--right", Mode::kIntersect}}) {
    if (given && mode != owner) return std::string(option) + " is for " + ModeName(owner);
  }
  if (!NamesKnownPoints(mode)) return {};
  const std::string name = ModeName(mode);
  if (options.columns) return "--columns is for forward, inverse and setout";
  if (options.control.empty()) return name + " needs --control FILE";
  const bool station = options.station || !options.stationPoint.empty();
  if (mode == Mode::kOrient && !station)
    return "orient needs --station X,Y or --station-point NAME";
  if (mode != Mode::kOrient && station) return name + " takes no --station or --station-point";
  return {};
}

// The heights' options given, in the order of the table.
std::vector<std::string_view> HeightOptions(const SheetOptions& options) {
  std::vector<std::string_view> given;
  if (options.stationHeight) given.push_back("--station-height");
  if (options.instrumentHeight) given.push_back("--instrument-height");
  if (options.targetHeight) given.push_back("--target-height");
  if (options.earthCurvature) given.push_back("--earth-curvature");
  return given;
}

// The heights' options checked together: all or none of the instrument's
// and the target's; "" or what is wrong.
std::string CheckHeights(const SheetOptions& options, Mode mode) {
  const std::vector<std::string_view> given = HeightOptions(options);
  if (given.empty()) return {};
  if (mode != Mode::kSetout) return std::string(given[0]) + " is for setout";
  if (!options.instrumentHeight) return "heights need --instrument-height I";
  if (!options.targetHeight) return "heights need --target-height T";
  return {};
}

// The options that only setout takes, and the station's and the backsight's
// checked together; "" or what is wrong.
std::string CheckTogether(const SheetOptions& options, Mode mode, bool haveKnown,
                          bool setupNeeded) {
  std::vector<std::string_view> backsights;
  if (options.backsight) backsights.push_back("--backsight");
  if (!options.backsightPoint.empty()) backsights.push_back("--backsight-point");
  if (options.backsightAzimuth) backsights.push_back("--backsight-azimuth");
  if (mode != Mode::kSetout && !backsights.empty()) {
    return std::string(backsights[0]) + " is for setout";
  }
  if (std::string problem = CheckNamedModes(options, mode); !problem.empty()) return problem;
  if (std::string problem = OptionNotForMode(options, mode); !problem.empty()) return problem;
  if (options.station && !options.stationPoint.empty()) {
    return "give --station or --station-point, not both";
  }
  if (std::string problem = CheckHeights(options, mode); !problem.empty()) return problem;
  if (backsights.size() > 1) return OneOf(backsights);
  if (options.controlColumns && options.control.empty()) {
    return "--control-columns needs --control FILE";
  }
  const bool byName = !options.stationPoint.empty() || !options.backsightPoint.empty();
  if (byName && options.control.empty() && !haveKnown) {
    return Say(SheetError::What::kNoKnownPoints,
               options.stationPoint.empty() ? SheetPart::kBacksight : SheetPart::kStation);
  }
  const bool setout = mode == Mode::kSetout && setupNeeded;
  if (setout && !options.station && options.stationPoint.empty()) {
    return Say(SheetError::What::kNoStation);
  }
  if (setout && backsights.empty()) return Say(SheetError::What::kNoBacksight);
  if (!options.backsightPoint.empty() && options.backsightPoint == options.stationPoint) {
    return Say(SheetError::What::kBacksightIsStation, SheetPart::kBacksight);
  }
  return {};
}

// The station setup the options give; none without a station.
std::optional<StationSetup> SetupOf(const SheetOptions& options, Mode mode) {
  if (mode == Mode::kOrient || mode == Mode::kFreeStation) {
    OrientedStation setup;
    if (mode == Mode::kFreeStation) {
      setup.method = OrientedStation::Method::kFree;
      setup.name = options.stationName;
      if (options.directionSigma) setup.sigmas.directionSeconds = *options.directionSigma;
      if (options.distanceSigma) {
        setup.sigmas.distanceMm = options.distanceSigma->x;
        setup.sigmas.distancePpm = options.distanceSigma->y;
      }
    } else if (!options.stationPoint.empty()) {
      setup.station = PointName{options.stationPoint};
    } else {
      setup.station = *options.station;
    }
    return setup;
  }
  StationAndBacksight setup;
  if (!options.stationPoint.empty()) {
    setup.station = PointName{options.stationPoint};
  } else if (options.station) {
    setup.station = *options.station;
  } else {
    return std::nullopt;
  }
  if (!options.backsightPoint.empty()) {
    setup.backsight = PointName{options.backsightPoint};
  } else if (options.backsight) {
    setup.backsight = *options.backsight;
  } else if (options.backsightAzimuth) {
    setup.backsight = PackedAzimuth{*options.backsightAzimuth};
  }
  return setup;
}

// Reads a column list given with `option`; "" or what is wrong.
// The last `optional` numbers may have no column (a stake row's offset:
// then the centre line's); ReadColumns asks for the numbers in order.
std::string ColumnsOf(const std::string& list, std::span<const char* const> numbers, bool pointFile,
                      std::string_view option, std::vector<Column>& columns,
                      std::size_t optional = 0) {
  ColumnsError error = ReadColumns(list, numbers, pointFile, columns);
  for (std::size_t i = numbers.size() - optional; i < numbers.size(); ++i) {
    if (error.what == ColumnsError::What::kNoColumnFor && error.role == RoleOf(numbers[i])) {
      error = {};
    }
  }
  return error ? ColumnsErrorText(error, numbers, pointFile, option) : std::string();
}

}  // namespace

std::string RequestOf(const SheetOptions& options, Mode mode,
                      const KnownPointSource& withoutControl, SheetRequest& request,
                      bool setupNeeded) {
  request = SheetRequest();
  const bool haveKnown = !std::holds_alternative<std::monostate>(withoutControl);
  std::string problem = CheckTogether(options, mode, haveKnown, setupNeeded);
  if (!problem.empty()) return problem;
  request.mode = mode == Mode::kIntersect && options.byDistance ? Mode::kDistanceIntersect : mode;
  request.setup = SetupOf(options, mode);
  request.right = options.right;
  request.decimals = options.decimals;
  request.azimuthDecimals = options.azimuthDecimals;
  request.angleFormat = options.angleFormat;
  if (options.instrumentHeight) {
    request.heights = SightHeights{options.stationHeight, *options.instrumentHeight,
                                   *options.targetHeight, options.earthCurvature};
  }
  request.input = options.input;
  const bool pointFile = mode == Mode::kSetout;
  if (options.columns) {
    // Setout rows are always read from a station.
    const bool fromStation = pointFile || request.setup.has_value();
    problem = ColumnsOf(*options.columns, RowNumbers(mode, fromStation), pointFile, "--columns",
                        request.columns, RuleOf(mode).optionalFields);
    if (!problem.empty()) return problem;
  }
  const bool listsHeights =
      std::any_of(request.columns.begin(), request.columns.end(),
                  [](const Column& column) { return column.role == Column::Role::kHeight; });
  if (request.heights && !listsHeights) {
    return "heights need design heights: name the h column in --columns";
  }
  if (options.control.empty()) {
    request.known = withoutControl;
    return {};
  }
  ControlFile control{options.control, std::nullopt, std::nullopt};
  if (options.controlColumns) {
    control.columns.emplace();
    problem = ColumnsOf(*options.controlColumns, RowNumbers(Mode::kSetout, true), true,
                        "--control-columns", *control.columns);
    if (!problem.empty()) return problem;
  }
  request.known = std::move(control);
  return {};
}

std::string RoadRequestOf(const SheetOptions& options, RoadRequest& request) {
  request = RoadRequest();
  if (!options.alignment.empty() && !options.elements.empty()) {
    return "give --alignment or --elements, not both";
  }
  if (options.alignment.empty() && options.elements.empty()) {
    return "give the road: --alignment FILE (a JD table) or --elements FILE (an element table)";
  }
  if (!options.offsets.empty() && !options.every) return "--offsets needs --every D";
  if (!options.elements.empty()) {
    if (options.alignmentColumns) return "--alignment-columns is for --alignment";
    if (options.startChainage) {
      return "--start-chainage is for --alignment: an element table gives its start chainage";
    }
    request.table = RoadRequest::Table::kElements;
    request.path = options.elements;
  } else {
    request.path = options.alignment;
    request.startChainage = options.startChainage.value_or(0.0);
    if (options.alignmentColumns) {
      const ColumnsError error =
          ReadIntersectionColumns(*options.alignmentColumns, request.columns);
      if (error) {
        return ColumnsErrorText(error, IntersectionNumbers(), false, "--alignment-columns");
      }
    }
  }
  request.profile = options.profile;
  request.encoding = options.input.encoding;
  return {};
}

}  // namespace reading
