#include "cli/option_table/sheet_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <tuple>

#include "core/alignment/chainage_text.h"
#include "reader/fields/field_number.h"
#include "reader/fields/number_text.h"
#include "reader/road/road_tables.h"
#include "reader/road/stake_list.h"
#include "reader/rows/mode_rule.h"
#include "reader/sheet/sheet_error_text.h"

namespace reading {
namespace {

// Reads an option's value (empty for a switch) into the options; false when
// the value is bad, with `error` set where the reader says what is wrong
// itself (else the message says what the value needs).
using ValueReader = bool (*)(const std::string& value, SheetOptions& options, std::string& error);

// The modes an option is for, a bit each.
constexpr unsigned ModeBit(Mode mode) { return 1u << static_cast<unsigned>(mode); }
constexpr unsigned kPointModes =
    ModeBit(Mode::kForward) | ModeBit(Mode::kInverse) | ModeBit(Mode::kSetout);
// Those that take a known station, and those that take known points.
constexpr unsigned kStationModes = kPointModes | ModeBit(Mode::kOrient);
constexpr unsigned kControlModes = kStationModes | ModeBit(Mode::kFreeStation) |
                                   ModeBit(Mode::kIntersect) |
                                   ModeBit(Mode::kDistanceIntersect);
constexpr unsigned kRowModes = kPointModes | ModeBit(Mode::kStake) | ModeBit(Mode::kLocate);
constexpr unsigned kRoadModes =
    ModeBit(Mode::kStake) | ModeBit(Mode::kLocate) | ModeBit(Mode::kAlignment);
constexpr unsigned kAllModes = kControlModes | kRowModes | kRoadModes;

struct SheetOption {
  std::string_view name;
  std::string_view alias;  // another spelling, or none
  bool takesValue;
  const char* valueNeeds;  // what a bad value is told it should be
  ValueReader read;
  unsigned modes = kAllModes;  // the modes that take it
};

bool ReadDecimals(const std::string& text, int& decimals) {
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, decimals);
  return result.ec == std::errc() && result.ptr == end && decimals >= 0 && decimals <= kMaxDecimals;
}

// "X,Y"
bool ReadPoint(const std::string& text, std::optional<Point>& point) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) return false;
  const std::string_view view(text);
  Point read{};
  if (ReadFieldNumber(view.substr(0, comma), read.x) != FieldNumber::kNumber ||
      ReadFieldNumber(view.substr(comma + 1), read.y) != FieldNumber::kNumber) {
    return false;
  }
  point = read;
  return true;
}

// A height in metres, as a row's height field is read.
bool ReadHeight(const std::string& text, std::optional<double>& height) {
  double value = 0.0;
  if (ReadFieldNumber(text, value) != FieldNumber::kNumber) return false;
  height = value;
  return true;
}

bool ReadName(const std::string& text, std::string& name) {
  name = text;
  return !text.empty();
}

// A packed azimuth from 0 to 360 that a row's azimuth field would accept;
// says itself what is wrong with one that has minutes or seconds of 60, or
// is negative.
bool ReadBacksightAzimuth(const std::string& text, SheetOptions& options, std::string& error) {
  double azimuth = 0.0;
  switch (ReadTypedAzimuth(text, azimuth)) {
    case TypedAzimuth::kMinutes:
      error = "--backsight-azimuth has minutes of 60 or more: " + text;
      return false;
    case TypedAzimuth::kSeconds:
      error = "--backsight-azimuth has seconds of 60 or more: " + text;
      return false;
    case TypedAzimuth::kNegative:
      error = "--backsight-azimuth is negative: " + text + " (add 360)";
      return false;
    case TypedAzimuth::kNotANumber:
    case TypedAzimuth::kOver360:
      return false;
    case TypedAzimuth::kAzimuth:
      break;
  }
  options.backsightAzimuth = azimuth;
  return true;
}

// A length above 0, in metres.
bool ReadInterval(const std::string& text, std::optional<double>& metres) {
  double read = 0.0;
  if (ReadFieldNumber(text, read) != FieldNumber::kNumber || !(read > 0.0)) return false;
  metres = read;
  return true;
}

// The most lines --skip-lines copies: more than any preamble.
constexpr std::size_t kMaxSkipLines = 1000000;

bool ReadSkipLines(const std::string& text, std::size_t& lines) {
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, lines);
  return result.ec == std::errc() && result.ptr == end && lines <= kMaxSkipLines;
}

// A standard error: a number above 0.
bool ReadSigma(const std::string& text, std::optional<double>& sigma) {
  double value = 0.0;
  if (ReadFieldNumber(text, value) != FieldNumber::kNumber || !(value > 0.0)) return false;
  sigma = value;
  return true;
}

// "A,B": two numbers, 0 or more, not both 0.
bool ReadDistanceSigma(const std::string& text, std::optional<Point>& sigma) {
  std::optional<Point> read;
  if (!ReadPoint(text, read) || !(read->x >= 0.0 && read->y >= 0.0 && read->x + read->y > 0.0))
    return false;
  sigma = read;
  return true;
}

constexpr std::array<SheetOption, 31> kOptions = {{
    {"--from", "--station", true, "X0,Y0, two numbers",
     [](const std::string& value, SheetOptions& options, std::string&) {
       return ReadPoint(value, options.station);
     },
     kStationModes},
    {"--station-point", "", true, "a point name",
     [](const std::string& value, SheetOptions& options, std::string&) {
       return ReadName(value, options.stationPoint);
     },
     kStationModes},
    {"--backsight", "", true, "X,Y, two numbers",
     [](const std::string& value, SheetOptions& options, std::string&) {
       return ReadPoint(value, options.backsight);
     }},
    {"--backsight-point", "", true, "a point name",
     [](const std::string& value, SheetOptions& options, std::string&) {
       return ReadName(value, options.backsightPoint);
     }},
    {"--backsight-azimuth", "", true, "a packed azimuth from 0 to 360", ReadBacksightAzimuth},
    {"--control", "", true, "a file",
     [](const std::string& value, SheetOptions& options, std::string&) {
       return ReadName(value, options.control);
     },
     kControlModes},
    {"--control-columns", "", true, "",
     [](const std::string& value, SheetOptions& options, std::string&) {
       options.controlColumns = value;
       return true;
     },
     kControlModes},
    {"--columns", "", true, "",
     [](const std::string& value, SheetOptions& options, std::string&) {
       options.columns = value;
       return true;
     },
     kRowModes},
    {"--decimals", "", true, "a whole number from 0 to 20",
     [](const std::string& value, SheetOptions& options, std::string&) {
       return ReadDecimals(value, options.decimals);
     }},
    {"--azimuth-decimals", "", true, "a whole number from 0 to 20",
     [](const std::string& value, SheetOptions& options, std::string&) {
       int decimals = 0;
       if (!ReadDecimals(value, decimals)) return false;
       options.azimuthDecimals = decimals;
       return true;
     }},
    {"--header", "", false, "",
     [](const std::string&, SheetOptions& options, std::string&) {
       options.header = true;
       return true;
     }},
    {"--direction-sigma", "", true, "a number of seconds above 0",
     [](const std::string& value, SheetOptions& options, std::string&) {
       return ReadSigma(value, options.directionSigma);
     }},
    {"--distance-sigma", "", true, "A,B: millimetres and ppm, 0 or more, not both 0",
     [](const std::string& value, SheetOptions& options, std::string&) {
       return ReadDistanceSigma(value, options.distanceSigma);
     }},
    {"--name", "", true, "a name",
     [](const std::string& value, SheetOptions& options, std::string&) {
       return ReadName(value, options.stationName);
     }},
    {"--by-distance", "", false, "",
     [](const std::string&, SheetOptions& options, std::string&) {
       options.byDistance = true;
       return true;
     }},
    {"--right", "", false, "",
     [](const std::string&, SheetOptions& options, std::string&) {
       options.right = true;
       return true;
     }},
    {"--angle-format", "", true, "packed or dms",
     [](const std::string& value, SheetOptions& options, std::string&) {
       return ReadAngleFormat(value, options.angleFormat);
     }},
    {"--station-height", "", true, "a height in metres",
     [](const std::string& value, SheetOptions& options, std::string&) {
       return ReadHeight(value, options.stationHeight);
     }},
    {"--instrument-height", "", true, "a height in metres",
     [](const std::string& value, SheetOptions& options, std::string&) {
       return ReadHeight(value, options.instrumentHeight);
     }},
    {"--target-height", "", true, "a height in metres",
     [](const std::string& value, SheetOptions& options, std::string&) {
       return ReadHeight(value, options.targetHeight);
     }},
    {"--earth-curvature", "", false, "",
     [](const std::string&, SheetOptions& options, std::string&) {
       options.earthCurvature = true;
       return true;
     }},
    {"--alignment", "", true, "a file",
     [](const std::string& value, SheetOptions& options, std::string&) {
       return ReadName(value, options.alignment);
     },
     kRoadModes},
    {"--elements", "", true, "a file",
     [](const std::string& value, SheetOptions& options, std::string&) {
       return ReadName(value, options.elements);
     },
     kRoadModes},
    {"--alignment-columns", "", true, "",
     [](const std::string& value, SheetOptions& options, std::string&) {
       options.alignmentColumns = value;
       return true;
     },
     kRoadModes},
    {"--start-chainage", "", true, "a chainage, 1234.567 or K1+234.567",
     [](const std::string& value, SheetOptions& options, std::string&) {
       options.startChainage = survey::ReadChainage(value);
       return options.startChainage.has_value() && std::isfinite(*options.startChainage);
     },
     kRoadModes},
    {"--profile", "", true, "a file",
     [](const std::string& value, SheetOptions& options, std::string&) {
       return ReadName(value, options.profile);
     },
     ModeBit(Mode::kStake) | ModeBit(Mode::kLocate)},
    {"--every", "", true, "a length above 0",
     [](const std::string& value, SheetOptions& options, std::string&) {
       return ReadInterval(value, options.every);
     },
     ModeBit(Mode::kStake)},
    {"--offsets", "", true, "offsets other than 0, each once, e.g. -10,10",
     [](const std::string& value, SheetOptions& options, std::string&) {
       return ReadOffsets(value, options.offsets);
     },
     ModeBit(Mode::kStake)},
    {"--encoding", "", true, "",
     [](const std::string& value, SheetOptions& options, std::string& error) {
       TextEncoding encoding = TextEncoding::kUtf8;
       error = FindEncoding(value, encoding);
       if (!error.empty()) {
         error = "--encoding: " + error;
         return false;
       }
       options.input.encoding = encoding;
       return true;
     }},
    {"--skip-lines", "", true, "a whole number from 0 to 1000000",
     [](const std::string& value, SheetOptions& options, std::string&) {
       return ReadSkipLines(value, options.input.skipLines);
     }},
    {"--decimal-mark", "", true, "\",\" or \".\"",
     [](const std::string& value, SheetOptions& options, std::string&) {
       if (value != "," && value != ".") return false;
       options.input.decimalMark = value == "," ? DecimalMark::kComma : DecimalMark::kPoint;
       return true;
     }},
}};

const SheetOption* FindOption(std::string_view name) {
  for (const SheetOption& option : kOptions) {
    if (name == option.name || (!option.alias.empty() && name == option.alias)) return &option;
  }
  return nullptr;
}

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
  for (std::size_t i = 0; i < kOptions.size(); ++i) {
    const SheetOption& option = kOptions[i];
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

std::string_view OptionName(std::string_view arg) {
  const std::size_t equals = arg.find('=');
  return arg.starts_with("--") && equals != std::string_view::npos ? arg.substr(0, equals) : arg;
}

bool OptionValue(std::span<const std::string> args, std::size_t& at, std::string_view name,
                 bool takesValue, std::string& value, std::string& error) {
  const std::string& arg = args[at];
  const bool inlineValue = arg.size() > name.size();  // "--name=value"
  if (!takesValue) {
    if (inlineValue) error = std::string(name) + " takes no value";
    value.clear();
    return !inlineValue;
  }
  if (inlineValue) {
    value = arg.substr(name.size() + 1);
    return true;
  }
  if (at + 1 == args.size()) {
    error = std::string(name) + " needs a value";
    return false;
  }
  value = args[++at];
  return true;
}

bool TakeSheetOption(std::span<const std::string> args, std::size_t& at, SheetOptions& options,
                     std::string& error) {
  const std::string_view name = OptionName(args[at]);
  const SheetOption* option = FindOption(name);
  if (option == nullptr) return false;
  // Messages use the spelling given.
  const unsigned bit = 1u << (option - kOptions.data());
  if ((options.given & bit) != 0) {
    error = std::string(name) + " given twice";
    return true;
  }
  options.given |= bit;
  std::string value;
  if (!OptionValue(args, at, name, option->takesValue, value, error)) return true;
  if (!option->read(value, options, error) && error.empty()) {
    error = std::string(name) + " needs " + option->valueNeeds + ": " + value;
  }
  return true;
}

std::string TakeSheetOptions(std::span<const std::string> args, SheetOptions& options,
                             std::vector<std::string>& rest) {
  std::string error;
  for (std::size_t at = 0; at < args.size() && error.empty(); ++at) {
    if (!TakeSheetOption(args, at, options, error)) rest.push_back(args[at]);
  }
  return error;
}

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

std::vector<std::string_view> GivenOptions(const SheetOptions& options) {
  std::vector<std::string_view> names;
  for (std::size_t i = 0; i < kOptions.size(); ++i) {
    if ((options.given & (1u << i)) != 0) names.push_back(kOptions[i].name);
  }
  return names;
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

std::string_view RoadOptionsHelp() {
  return "  --alignment FILE\n"
         "                 stake, locate, alignment: the road as a JD table,\n"
         "                 a row a point: NAME X Y [R [LS1 [LS2]]], BP first\n"
         "                 and EP last\n"
         "  --elements FILE\n"
         "                 the road as an element table: [NAME] X Y AZIMUTH\n"
         "                 CHAINAGE, then a row an element: [NAME] LENGTH R1 R2\n"
         "                 (radii + right, - left, empty or 0 infinite)\n"
         "  --alignment-columns ROLES\n"
         "                 the JD table's columns: name, x, y, r, ls1, ls2, -\n"
         "  --start-chainage K\n"
         "                 the chainage of the JD table's BP (default 0)\n"
         "  --profile FILE stake, locate: grade-change points, CHAINAGE HEIGHT\n"
         "                 [R], for the design height H\n"
         "  --every D      stake, without rows: the road's stakes, every\n"
         "                 multiple of D, the main points and the end\n"
         "  --offsets O,O,...\n"
         "                 with --every: side stakes at these offsets too\n"
         "                 (+ right, - left)\n";
}

std::string_view SheetOptionsHelp() {
  return "  --from X0,Y0   fix the station: rows hold AZIMUTH DISTANCE\n"
         "                 (forward) or X1 Y1 (inverse)\n"
         "  --station X,Y  the same; setout needs a station\n"
         "  --station-point NAME\n"
         "                 the station, by its name in the --control file\n"
         "  --backsight X,Y\n"
         "                 setout: the point the angles are turned from\n"
         "  --backsight-point NAME\n"
         "                 setout: the same, by its name in the --control file\n"
         "  --backsight-azimuth A\n"
         "                 setout: its azimuth instead (packed, 0 to 360)\n"
         "  --control FILE known points, one a row: NAME X Y, or as\n"
         "                 --control-columns (else --columns) says\n"
         "  --control-columns ROLES\n"
         "                 the control file's columns: name, x, y, code, h, -\n"
         "  --columns ROLES\n"
         "                 what each column holds, e.g. name,code,y,x,h:\n"
         "                 name, code, x, y, h or - (ignored) in setout;\n"
         "                 name, -, and x0, y0, azimuth, distance (forward)\n"
         "                 or x0, y0, x1, y1 (inverse). A row then has one\n"
         "                 field per column. A height must be a number or\n"
         "                 empty; setout answers carry the code and the height\n"
         "  --station-height H\n"
         "                 setout: the station's height (default: the h of\n"
         "                 --station-point in the --control file)\n"
         "  --instrument-height I, --target-height T\n"
         "                 setout: the instrument's height above the station\n"
         "                 and the target's above the design point; each\n"
         "                 answer with a design height then ends in DH (the\n"
         "                 target's height above the instrument), ZENITH and\n"
         "                 SLOPE (the zenith angle and slope distance to it)\n"
         "  --earth-curvature\n"
         "                 setout: correct ZENITH and SLOPE for the earth's\n"
         "                 curvature and refraction (K 0.14, R 6371 km)\n"
         "  --decimals N   decimals of the results, 0 to 20 (default 6)\n"
         "  --azimuth-decimals N\n"
         "                 decimals of azimuths and angles, 0 to 20 (default:\n"
         "                 as --decimals); seconds that round to 60 carry\n"
         "                 into the minutes, and minutes into the degrees\n"
         "  --angle-format packed|dms\n"
         "                 angles as packed DMS (default, 109.5149) or as\n"
         "                 D°MM′SS″ (109°51′49″), with 4 fewer decimals of\n"
         "                 the seconds than of a packed angle: dms needs 4\n"
         "                 or more\n"
         "  --header       before the first row's answer, a comment line with\n"
         "                 the station, the backsight and the check line (or\n"
         "                 the setup), and a header row naming the answer's columns\n"
         "  --direction-sigma S\n"
         "                 freestation: a reading's standard error, seconds\n"
         "                 (default 2)\n"
         "  --distance-sigma A,B\n"
         "                 freestation: a distance's, A mm + B ppm (default 2,2)\n"
         "  --name NAME    freestation: the station row's name (default STATION)\n"
         "  --by-distance  intersect: rows hold DISTANCE_A DISTANCE_B\n"
         "  --right        intersect: the new point on the right of A to B\n"
         "  --encoding NAME\n"
         "                 the encoding of inputs without a byte-order mark:\n"
         "                 utf-8, gb18030 (gbk, gb2312), big5, latin1,\n"
         "                 windows-1252, shift_jis, utf-16le, utf-16be\n"
         "                 (default: UTF-8 where the first line that is not\n"
         "                 ASCII is UTF-8, else GB18030)\n"
         "  --skip-lines N copy the first N lines of each input as they are\n"
         "                 (a title or an instrument's preamble)\n"
         "  --decimal-mark , | .\n"
         "                 the decimal mark of numbers where a comma may\n"
         "                 group thousands (\"498,350\"); by default the\n"
         "                 row or the rows before settle it\n";
}

}  // namespace reading
