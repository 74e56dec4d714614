#include "cli/options.h"

#include <array>
#include <string_view>

#include "cli/option_table/sheet_options.h"
#include "cli/option_table/transform_options.h"
#include "reader/road/road_error_text.h"
#include "reader/road/road_rows.h"
#include "reader/rows/mode_rule.h"
#include "reader/sheet/sheet_error_text.h"

namespace calc {
namespace {

struct ModeName {
  std::string_view name;
  reading::Mode mode;
};

constexpr std::array<ModeName, 15> kModes = {{{"forward", reading::Mode::kForward},
                                             {"inverse", reading::Mode::kInverse},
                                             {"setout", reading::Mode::kSetout},
                                             {"stake", reading::Mode::kStake},
                                             {"locate", reading::Mode::kLocate},
                                             {"alignment", reading::Mode::kAlignment},
                                             {"orient", reading::Mode::kOrient},
                                             {"freestation", reading::Mode::kFreeStation},
                                             {"intersect", reading::Mode::kIntersect},
                                             {"grid", reading::Mode::kGrid},
                                             {"fourparam", reading::Mode::kFourParamFit},
                                             {"project", reading::Mode::kProject},
                                             {"rezone", reading::Mode::kRezone},
                                             {"traverse", reading::Mode::kTraverse},
                                             {"level", reading::Mode::kLevel}}};

// An argument that starts like a negative number is a value, not an option.
bool IsOption(const std::string& arg) {
  if (arg.size() < 2 || arg[0] != '-') return false;
  return !(arg[1] == '.' || (arg[1] >= '0' && arg[1] <= '9'));
}

// "say forward, inverse or setout"
std::string SayMode() {
  std::string text = "say ";
  for (std::size_t i = 0; i < kModes.size(); ++i) {
    if (i > 0) text += i + 1 == kModes.size() ? " or " : ", ";
    text += kModes[i].name;
  }
  return text;
}

bool ReadMode(const std::string& word, reading::Mode& mode) {
  for (const ModeName& known : kModes) {
    if (word == known.name) {
      mode = known.mode;
      return true;
    }
  }
  return false;
}

// The state of reading a command line.
struct Reading {
  Options options;
  reading::SheetOptions given;
  reading::TransformOptions transform;
  reading::ControlOptions control;
  reading::Mode mode = reading::Mode::kForward;
  bool hasMode = false;
};

// Reads the tool's own options (-i, --help, --version) at args[at], and
// its value, advancing `at`; false for any other.
bool ReadOwnOption(const std::vector<std::string>& args, std::size_t& at, Reading& reading) {
  Options& options = reading.options;
  const std::string_view name = reading::OptionName(args[at]);
  std::string value;
  if (name == "-i") {
    if (reading::OptionValue(args, at, name, true, value, options.error)) {
      options.files.push_back(value);
    }
  } else if (name == "--help" || name == "-h") {
    options.help = reading::OptionValue(args, at, name, false, value, options.error);
  } else if (name == "--version") {
    options.version = reading::OptionValue(args, at, name, false, value, options.error);
  } else {
    return false;
  }
  return true;
}

bool IsRoadMode(reading::Mode mode) {
  return mode == reading::Mode::kStake || mode == reading::Mode::kLocate ||
         mode == reading::Mode::kAlignment;
}

// Reads the road of a road mode into the sheet's settings; what is wrong
// with its options or its files, or "".
std::string TakeRoad(Reading& reading) {
  Options& options = reading.options;
  const reading::SheetOptions& given = reading.given;
  const bool rows = !options.values.empty() || !options.files.empty();
  if (reading.mode == reading::Mode::kAlignment && rows) {
    return "alignment reads no rows: give no values nor -i FILE";
  }
  if (given.every && rows) return "give --every or rows (values, -i FILE), not both";
  reading::RoadRequest request;
  std::string problem = reading::RoadRequestOf(given, request);
  if (!problem.empty()) return problem;
  auto design = std::make_shared<reading::RoadDesign>();
  if (const reading::RoadError error = reading::ReadRoad(request, *design)) {
    return reading::RoadErrorText(error);
  }
  options.road = reading::MakeRoadRows(std::move(design), given.decimals);
  options.sheet.settings.road = options.road;
  if (given.every) {
    options.every.emplace();
    options.every->interval = *given.every;
    options.every->offsets = given.offsets;
  }
  return {};
}

// "expected 4 values (optionally led by a point name)"; "expected 1 or 2
// values, or a point name and 2" where the last may be left out.
std::string ExpectedValues(reading::Mode mode, std::size_t needed) {
  const std::size_t optional = reading::RuleOf(mode).optionalFields;
  if (optional == 0) {
    return "expected " + std::to_string(needed) + " values (optionally led by a point name)";
  }
  return "expected " + std::to_string(needed - optional) + " or " + std::to_string(needed) +
         " values, or a point name and " + std::to_string(needed);
}

// A transformation mode's job: its rows, and the settings they are read
// with; "" or what is wrong with its options.
std::string TakeTransform(Reading& reading) {
  Options& options = reading.options;
  // A mode that is no transformation's takes none of their options.
  if (!reading::IsTransformMode(reading.mode)) {
    return reading::OptionNotForWord(reading.transform, reading.mode);
  }
  reading::TransformJob job;
  std::string problem = reading::TransformJobOf(reading.transform, reading.given, reading.mode, job);
  if (!problem.empty()) return problem;
  const auto made = reading::MakeTransformRows(job);
  if (!made.ok()) return reading::TransformErrorText(made.error());
  options.transform = std::make_shared<const reading::TransformRows>(made.value());
  options.sheet.settings = options.transform->settings();
  options.sheet.headerComment = options.transform->comment();
  reading.mode = job.mode;
  return {};
}

// Reads an option at args[at]: a transformation mode's own table first
// (it and the control lines' table may have an option of one name), then
// the control lines' options, the sheet options', then the transformation
// options for the others (a mode given after its options, or one that takes
// none, which the checks refuse); false for an option of no table.
bool TakeOption(const std::vector<std::string>& args, std::size_t& at, Reading& reading) {
  std::string& error = reading.options.error;
  if (reading.hasMode && reading::IsTransformMode(reading.mode) &&
      reading::TakeTransformOption(args, at, reading.transform, error)) {
    return true;
  }
  const std::optional<reading::Mode> mode =
      reading.hasMode ? std::optional(reading.mode) : std::nullopt;
  return reading::TakeControlOption(args, at, mode, reading.control, error) ||
         reading::TakeSheetOption(args, at, reading.given, error) ||
         reading::TakeTransformOption(args, at, reading.transform, error);
}

// Values given on the command line as the one row of a mode that answers
// row by row: "" where their count fits the mode's row, else what is wrong
// with them.
std::string CheckValuesOfOneRow(const Reading& reading) {
  const Options& options = reading.options;
  const reading::RowReader reader(options.sheet.settings);
  const std::size_t columns = options.sheet.settings.columns.size();
  // An intersection's name fields are all needed; a stake row's offset
  // may be left out.
  const reading::ModeRule& rule = reading::RuleOf(options.sheet.settings.mode);
  const std::size_t names = rule.nameCount;
  const std::size_t needed = reader.FieldNames().size() + names;
  const std::size_t least = needed - (names == 0 ? rule.optionalFields : 0);
  if (columns > 0 ? options.values.size() == columns
                  : (options.values.size() >= least &&
                     options.values.size() <= needed + (names == 0 ? 1 : 0))) {
    return {};
  }
  // Text where a number belongs is named before the values are counted.
  const std::vector<std::string_view> fields(options.values.begin(), options.values.end());
  std::string problem;
  if (!reader.CheckNumbers(fields, problem)) return problem.substr(reading::kErrorPrefix.size());
  return columns > 0 ? "expected " + std::to_string(columns) + " values, one a column"
         : names > 0 ? "expected " + std::to_string(needed) + " values: NAME A B and two numbers"
                     : ExpectedValues(reading.mode, needed);
}

// The checks that need the whole command line.
void CheckComplete(Reading& reading) {
  Options& options = reading.options;
  if (!options.error.empty() || options.help || options.version) return;
  if (!reading.hasMode) {
    options.error = SayMode();
    return;
  }
  reading::ControlJob job;
  options.error = reading::ControlJobOf(reading.control, reading.given, reading.mode, job);
  if (!options.error.empty()) return;
  if (reading::IsControlLine(reading.mode)) {
    options.error = reading::OptionNotForWord(reading.transform, reading.mode);
    if (!options.error.empty()) return;
    // Its values are its rows, one each.
    if (!options.values.empty() && !options.files.empty())
      options.error = "give values or -i FILE, not both";
    options.control = std::move(job);
    return;
  }
  reading::SheetRequest request;
  options.error = reading::RequestOf(reading.given, reading.mode, std::monostate(), request);
  if (!options.error.empty()) return;
  if (const reading::SheetError error = reading::ResolveSheet(request, options.sheet)) {
    options.error = reading::SheetErrorText(error);
    return;
  }
  options.header = reading.given.header;
  options.error = TakeTransform(reading);
  if (!options.error.empty()) return;
  if (IsRoadMode(reading.mode)) {
    options.error = TakeRoad(reading);
    if (!options.error.empty()) return;
  }
  if (options.values.empty()) return;
  if (!options.files.empty()) {
    options.error = "give values or -i FILE, not both";
    return;
  }
  // A setup's values are its rows, one each.
  if (reading::AnswersAfterLastRow(reading.mode)) return;
  options.error = CheckValuesOfOneRow(reading);
}

}  // namespace

Options ParseOptions(const std::vector<std::string>& args) {
  Reading reading;
  Options& options = reading.options;
  bool optionsEnded = false;
  for (std::size_t at = 0; at < args.size() && options.error.empty(); ++at) {
    const std::string& arg = args[at];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && IsOption(arg)) {
      if (!ReadOwnOption(args, at, reading) && !TakeOption(args, at, reading)) {
        options.error = "unknown option " + arg;
      }
    } else if (!reading.hasMode) {
      reading.hasMode = ReadMode(arg, reading.mode);
      if (!reading.hasMode) options.error = "unknown mode " + arg;
    } else {
      options.values.push_back(arg);
    }
  }
  CheckComplete(reading);
  return options;
}

std::string UsageText() {
  return std::string(
             "Usage: corvane-calc forward|inverse [OPTIONS] [VALUES...]\n"
             "       corvane-calc setout --station X,Y (--backsight X,Y |\n"
             "                           --backsight-azimuth A) [OPTIONS] [VALUES...]\n"
             "       corvane-calc setout --control FILE --station-point NAME\n"
             "                           --backsight-point NAME [OPTIONS] [VALUES...]\n"
             "       corvane-calc stake|locate (--alignment FILE | --elements FILE)\n"
             "                           [--profile FILE] [OPTIONS] [VALUES...]\n"
             "       corvane-calc stake (--alignment FILE | --elements FILE) --every D\n"
             "                           [--offsets O,O,...] [--profile FILE] [OPTIONS]\n"
             "       corvane-calc alignment (--alignment FILE | --elements FILE)\n"
             "                           [--start-chainage K] [OPTIONS]\n"
             "       corvane-calc orient (--station X,Y | --station-point NAME)\n"
             "                           --control FILE [OPTIONS] [ROWS...]\n"
             "       corvane-calc freestation --control FILE [--direction-sigma S]\n"
             "                           [--distance-sigma A,B] [--name NAME] [OPTIONS] [ROWS...]\n"
             "       corvane-calc intersect --control FILE [--by-distance] [--right]\n"
             "                           [OPTIONS] [VALUES...]\n"
             "       corvane-calc grid --origin X0,Y0 (--azimuth A | --axis-point X,Y)\n"
             "                           [--inverse] [OPTIONS] [VALUES...]\n"
             "       corvane-calc fourparam [--limit MM] [--leave-out NAME,...] [OPTIONS] [ROWS...]\n"
             "       corvane-calc fourparam --apply DX,DY,THETA,M [--inverse] [OPTIONS] [VALUES...]\n"
             "       corvane-calc project [--zone N | --central-meridian L0] [--inverse]\n"
             "                           [OPTIONS] [VALUES...]\n"
             "       corvane-calc rezone (--from-zone N | --from-meridian L0)\n"
             "                           (--to-zone M | --to-meridian L0) [OPTIONS] [VALUES...]\n"
             "       corvane-calc traverse --control FILE --start NAME\n"
             "                           (--backsight NAME | --start-azimuth A)\n"
             "                           [--end NAME (--foresight NAME | --end-azimuth A)]\n"
             "                           [--closed] [--right-angles] [--grade G] [--rigorous]\n"
             "                           [--points] [OPTIONS] [ROWS...]\n"
             "       corvane-calc traverse --control FILE --start NAME --end NAME [...]\n"
             "       corvane-calc level --control FILE --start NAME (--end NAME | --closed |\n"
             "                           --out-and-back NAME) [--by-stations] [--grade G]\n"
             "                           [--points] [OPTIONS] [ROWS...]\n"
             "       corvane-calc --help | --version\n"
             "\n"
             "Forward:  X0 Y0 AZIMUTH DISTANCE  ->  X Y\n"
             "Inverse:  X0 Y0 X1 Y1             ->  AZIMUTH DISTANCE\n"
             "Setout:   X Y                     ->  AZIMUTH ANGLE DISTANCE [DH ZENITH SLOPE]\n"
             "Stake:    CHAINAGE [OFFSET]       ->  X Y AZIMUTH [H]\n"
             "Locate:   X Y                     ->  K OFFSET [H]\n"
             "Orient:   NAME READING            ->  NAME RESIDUAL LINEAR\n"
             "Free station: NAME READING [DISTANCE] -> NAME V_READING V_DISTANCE,\n"
             "          after the station row STATION X Y ORIENTATION MX MY\n"
             "Intersect: NAME A B ANGLE_A ANGLE_B (or DISTANCE_A DISTANCE_B) -> NAME X Y\n"
             "Grid:     NAME A B                ->  NAME X Y  (--inverse: X Y -> A B)\n"
             "Fourparam: NAME x y X Y           ->  PARAMS DX DY THETA M SIGMA0, then\n"
             "          NAME VX VY [over|out|out-over] (mm), after the last row;\n"
             "          --apply: NAME x y -> NAME X Y  (THETA clockwise, M the scale)\n"
             "Project:  NAME B L                ->  NAME X Y CONVERGENCE SCALE\n"
             "          (--inverse: NAME X Y -> NAME B L; angles packed, any sign)\n"
             "Rezone:   NAME X Y                ->  NAME X Y in the other zone\n"
             "Traverse: NAME ANGLE [DISTANCE] [ZENITH] -> NAME ANGLE V CORRECTED AZIMUTH\n"
             "          DISTANCE DX DY VX VY X Y [MX MY MP],\n"
             "          then CLOSURE F_BETA LIMIT FX FY F SUM_D K LIMIT\n"
             "Level:    TO DH LENGTH            ->  NAME LENGTH DH V CORRECTED H,\n"
             "          then CLOSURE FH LIMIT\n"
             "X is the northing, Y the easting; azimuths are packed DMS\n"
             "(45.302512 = 45 deg 30' 25.12\"), clockwise from north. Setout\n"
             "gives a sheet for setting out design points from a station: the\n"
             "azimuth and distance from the station to each point, and the\n"
             "ANGLE to turn clockwise from the backsight to it. The station to\n"
             "backsight azimuth and distance are written to standard error first.\n"
             "Stake and locate go along a road: a chainage (1234.567 or\n"
             "K1+234.567) and an offset (+ right, - left) give the point and the\n"
             "tangent's azimuth, a point its chainage K and offset; with --profile\n"
             "the design height H too. Alignment writes the road's curve table\n"
             "(an element table's main points), stake --every its stakes, as CSV.\n"
             "\n"
             "Orient, freestation and intersect look NAME, A and B up in the\n"
             "--control file. Orient and freestation take every row as a sighting\n"
             "of one station setup (READING the horizontal circle reading, packed;\n"
             "DISTANCE horizontal, metres) and answer each row in its place once\n"
             "the last is read: residuals computed minus observed, in seconds and\n"
             "millimetres; orient writes the orientation (the azimuth of the\n"
             "circle's zero) to standard error. ROWS given on the command line are\n"
             "one row each. Intersect gives the new point from the angles at A and\n"
             "B between the line AB and it (or its distances from them), on the\n"
             "left of the line from A to B.\n"
             "\n"
             "Traverse and level take every row as an observation of one line, in\n"
             "the order of travel, and write its table once the last is read: a\n"
             "traverse's stations from --start (angles packed, \"-\" where a station\n"
             "takes none; the last has no distance; ZENITH makes DISTANCE a slope\n"
             "one), a levelling line's sections, each named by the point it ends\n"
             "on (LENGTH in km, or stations). Corrections are whole seconds and\n"
             "millimetres (V, VX, VY), shared by the running total; \"-\" marks a\n"
             "cell that does not apply. A closure over its limit is marked on the\n"
             "CLOSURE line (OVER_ANGLE, OVER_RELATIVE, OVER_CLOSURE); an open\n"
             "traverse is UNCHECKED. --points writes only the new points, which\n"
             "read back as a --control file.\n"
             "\n"
             "With VALUES, computes that one row. Without, reads one row a line\n"
             "from standard input or the -i files and writes one line per line.\n"
             "A line is split at its semicolons, else its tabs, else its commas,\n"
             "else at runs of blanks; each semicolon, tab or comma ends a field.\n"
             "A comma inside a field is a decimal comma (1,5 in 10;1,5). Fields\n"
             "may be quoted (\"K1, kerb\"). Answers keep the row's separator. A\n"
             "row with one field more than its numbers starts with a point name.\n"
             "Blank lines, lines starting with #, a spreadsheet's empty rows\n"
             "(,,,,) and the lines without numbers before the first row (a title,\n"
             "a header) are copied, control bytes escaped. UTF-8, GBK (found from\n"
             "the input's first lines), UTF-16 with a byte-order mark, and what\n"
             "--encoding names are read; names are written in UTF-8.\n"
             "\n"
             "Options:\n") +
         std::string(reading::SheetOptionsHelp()) + std::string(reading::RoadOptionsHelp()) +
         std::string(reading::TransformOptionsHelp()) +
         std::string(reading::ControlOptionsHelp()) +
         "  -i FILE        read rows from FILE (repeatable; - is standard input)\n"
         "  -h, --help     show this help\n"
         "  --version      show the version\n"
         "\n"
         "Exit status:\n"
         "  0  every row computed\n"
         "  1  some row failed (its output line reads ERROR: ...); traverse,\n"
         "     level: a closure exceeds its limit (the table is written)\n"
         "  2  bad usage, an input that cannot be opened or read or whose\n"
         "     encoding is refused, or output that cannot be written;\n"
         "     traverse, level: the rows make no line\n";
}

}  // namespace calc
