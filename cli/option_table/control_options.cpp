#include "cli/option_table/control_options.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "cli/option_table/option_table.h"
#include "cli/option_table/option_values.h"
#include "core/control/limits.h"
#include "reader/fields/field_number.h"
#include "reader/rows/mode_rule.h"

namespace reading {
namespace {

using Reader = bool (*)(const std::string& value, ControlOptions& options);

constexpr unsigned kTraverse = 1;
constexpr unsigned kLevel = 2;
constexpr unsigned kBoth = kTraverse | kLevel;

struct ControlOption {
  std::string_view name;
  bool takesValue;
  const char* valueNeeds;
  Reader read;
  unsigned modes;
};

bool ReadAzimuth(const std::string& value, std::optional<double>& azimuth) {
  double packed = 0.0;
  if (ReadTypedAzimuth(value, packed) != TypedAzimuth::kAzimuth) return false;
  azimuth = packed;
  return true;
}

constexpr const char* kName = "a point name";
constexpr const char* kAzimuth = "a packed azimuth from 0 to 360";
constexpr const char* kAbove0 = "a number above 0";

constexpr std::array<ControlOption, 17> kOptions = {{
    {"--start", true, kName,
     [](const std::string& v, ControlOptions& o) { return ReadName(v, o.start); }, kBoth},
    {"--backsight", true, kName,
     [](const std::string& v, ControlOptions& o) { return ReadName(v, o.backsight); }, kTraverse},
    {"--start-azimuth", true, kAzimuth,
     [](const std::string& v, ControlOptions& o) { return ReadAzimuth(v, o.startAzimuth); },
     kTraverse},
    {"--end", true, kName,
     [](const std::string& v, ControlOptions& o) { return ReadName(v, o.end); }, kBoth},
    {"--foresight", true, kName,
     [](const std::string& v, ControlOptions& o) { return ReadName(v, o.foresight); }, kTraverse},
    {"--end-azimuth", true, kAzimuth,
     [](const std::string& v, ControlOptions& o) { return ReadAzimuth(v, o.endAzimuth); },
     kTraverse},
    {"--closed", false, "",
     [](const std::string&, ControlOptions& o) { return o.closed = true; }, kBoth},
    {"--out-and-back", true, kName,
     [](const std::string& v, ControlOptions& o) { return ReadName(v, o.turn); }, kLevel},
    {"--right-angles", false, "",
     [](const std::string&, ControlOptions& o) { return o.rightAngles = true; }, kTraverse},
    {"--by-stations", false, "",
     [](const std::string&, ControlOptions& o) { return o.byStations = true; }, kLevel},
    {"--grade", true, "a grade",
     [](const std::string& v, ControlOptions& o) { return ReadName(v, o.grade); }, kBoth},
    {"--angle-limit", true, kAbove0,
     [](const std::string& v, ControlOptions& o) { return ReadSigma(v, o.angleLimit); },
     kTraverse},
    {"--relative-limit", true, kAbove0,
     [](const std::string& v, ControlOptions& o) { return ReadSigma(v, o.relativeLimit); },
     kTraverse},
    {"--limit", true, kAbove0,
     [](const std::string& v, ControlOptions& o) { return ReadSigma(v, o.limit); }, kLevel},
    {"--rigorous", false, "",
     [](const std::string&, ControlOptions& o) { return o.rigorous = true; }, kTraverse},
    {"--points", false, "",
     [](const std::string&, ControlOptions& o) { return o.points = true; }, kBoth},
}};

// The sheet options a control line takes, and the one of them only a
// traverse does.
constexpr std::array<std::string_view, 7> kSheetOptions = {
    "--control",       "--control-columns", "--angle-format", "--azimuth-decimals",
    "--encoding",      "--skip-lines",      "--decimal-mark"};

unsigned BitOf(Mode mode) { return mode == Mode::kTraverse ? kTraverse : kLevel; }

std::string ModeWord(Mode mode) { return mode == Mode::kTraverse ? "traverse" : "level"; }

}  // namespace

bool TakeControlOption(std::span<const std::string> args, std::size_t& at,
                       std::optional<Mode> mode, ControlOptions& options, std::string& error) {
  const std::string_view name = OptionName(args[at]);
  const ControlOption* option = nullptr;
  for (const ControlOption& known : kOptions)
    if (known.name == name) option = &known;
  if (option == nullptr) return false;
  // Before the mode word, and in other modes, --backsight is the sheet's.
  const bool control = mode && IsControlLine(*mode);
  if (!control && FindOption(name) != nullptr) return false;
  const unsigned bit = 1u << (option - kOptions.data());
  if ((options.given & bit) != 0) {
    error = std::string(name) + " given twice";
    return true;
  }
  options.given |= bit;
  std::string value;
  if (!OptionValue(args, at, name, option->takesValue, value, error)) return true;
  if (!option->read(value, options)) {
    error = std::string(name) + " needs " + option->valueNeeds + ": " + value;
  }
  return true;
}

namespace {

// Each option given is one the mode takes.
std::string CheckModes(const ControlOptions& options, const SheetOptions& sheet, Mode mode) {
  const bool control = IsControlLine(mode);
  for (std::size_t i = 0; i < kOptions.size(); ++i) {
    if ((options.given & (1u << i)) == 0) continue;
    const ControlOption& option = kOptions[i];
    if (!control) {
      return std::string(option.name) + " is for " +
             (option.modes == kBoth ? "traverse and level" : ModeWord(
                 option.modes == kTraverse ? Mode::kTraverse : Mode::kLevel));
    }
    if ((option.modes & BitOf(mode)) == 0)
      return std::string(option.name) + " is not for " + ModeWord(mode);
  }
  if (!control) return {};
  for (const std::string_view given : GivenOptions(sheet)) {
    const bool taken = std::find(kSheetOptions.begin(), kSheetOptions.end(), given) !=
                       kSheetOptions.end();
    if (!taken || (given == "--control-columns" && mode == Mode::kLevel))
      return std::string(given) + " is not for " + ModeWord(mode);
  }
  return {};
}

// The traverse's limits: a grade, typed ones, or 图根.
std::string TraverseLimitsOf(const ControlOptions& options, survey::TraverseLimits& limits) {
  const bool typed = options.angleLimit || options.relativeLimit;
  if (typed && !options.grade.empty())
    return "give --grade or --angle-limit and --relative-limit, not both";
  if (typed) {
    if (!options.angleLimit || !options.relativeLimit)
      return "give --angle-limit and --relative-limit together";
    limits = survey::TypedTraverseLimits(*options.angleLimit, *options.relativeLimit).value();
    return {};
  }
  const auto grade = survey::TraverseGrade(options.grade.empty() ? "图根" : options.grade);
  if (!grade.ok()) return "--grade needs 图根, 三级, 二级 or 一级: " + options.grade;
  limits = grade.value();
  return {};
}

// The levelling line's limits: a grade, a typed one, or 等外.
std::string LevelLimitsOf(const ControlOptions& options, survey::LevelLimits& limits) {
  if (options.limit && !options.grade.empty()) return "give --grade or --limit, not both";
  if (options.limit) {
    limits = survey::TypedLevelLimits(*options.limit).value();
    return {};
  }
  const auto grade = survey::LevelGrade(options.grade.empty() ? "等外" : options.grade);
  if (!grade.ok()) return "--grade needs 等外, 图根, 四等 or 三等: " + options.grade;
  limits = grade.value();
  return {};
}

// The levelling line's kind: one of --end, --closed, --out-and-back.
std::string LevelKindOf(const ControlOptions& options) {
  const int kinds = (options.end.empty() ? 0 : 1) + (options.closed ? 1 : 0) +
                    (options.turn.empty() ? 0 : 1);
  if (kinds == 0) return "give --end NAME, --closed or --out-and-back NAME";
  if (kinds > 1) return "give one of --end, --closed and --out-and-back";
  return {};
}

}  // namespace

std::string ControlJobOf(const ControlOptions& options, const SheetOptions& sheet, Mode mode,
                         ControlJob& job) {
  if (std::string problem = CheckModes(options, sheet, mode); !problem.empty()) return problem;
  if (!IsControlLine(mode)) return {};
  if (sheet.control.empty()) return ModeWord(mode) + " needs --control FILE";
  if (options.start.empty()) return ModeWord(mode) + " needs --start NAME";
  job = {};
  job.mode = mode;
  job.rigorous = options.rigorous;
  job.points = options.points;
  job.control = sheet.control;
  job.input = sheet.input;
  job.format.angleFormat = sheet.angleFormat;
  job.format.angleDecimals = sheet.azimuthDecimals.value_or(job.format.angleDecimals);
  if (!AngleDecimalsFit(job.format.angleFormat, job.format.angleDecimals))
    return "--angle-format dms needs --azimuth-decimals 4 or more";
  if (sheet.controlColumns) {
    const auto numbers = RowNumbers(Mode::kSetout, true);
    if (const ColumnsError error = ReadColumns(*sheet.controlColumns, numbers, true, job.columns))
      return ColumnsErrorText(error, numbers, true, "--control-columns");
    if (std::none_of(job.columns.begin(), job.columns.end(),
                     [](const Column& column) { return column.role == Column::Role::kName; }))
      return "--control-columns: the control file needs a name column";
  }
  if (mode == Mode::kTraverse) {
    TraverseRequest& asked = job.traverse;
    asked = {options.start,     options.backsight, options.startAzimuth, options.end,
             options.foresight, options.endAzimuth, options.closed};
    asked.side = options.rightAngles ? survey::AngleSide::kRight : survey::AngleSide::kLeft;
    return TraverseLimitsOf(options, asked.limits);
  }
  if (std::string problem = LevelKindOf(options); !problem.empty()) return problem;
  LevelRequest& asked = job.level;
  asked.start = options.start;
  asked.end = options.end;
  asked.closed = options.closed;
  asked.turn = options.turn;
  asked.count = options.byStations ? survey::LevelCount::kStations : survey::LevelCount::kLength;
  return LevelLimitsOf(options, asked.limits);
}

std::string_view ControlOptionsHelp() {
  return "  --start NAME   traverse, level: the known point (benchmark) the line\n"
         "                 starts on, by its name in the --control file\n"
         "  --backsight NAME, --start-azimuth A\n"
         "                 traverse (after the mode word): the known point\n"
         "                 behind the start, or the azimuth into it; neither:\n"
         "                 a traverse without orientation from --start to --end\n"
         "  --end NAME     the known point (benchmark) the line ends on\n"
         "  --foresight NAME, --end-azimuth A\n"
         "                 traverse: the known point ahead of the end, or the\n"
         "                 azimuth out of it\n"
         "  --closed       a loop back to --start\n"
         "  --out-and-back NAME\n"
         "                 level: run out to NAME and back to --start\n"
         "  --right-angles traverse: the angles are right of the way (else left)\n"
         "  --by-stations  level: LENGTH counts stations (else km)\n"
         "  --grade G      the limits: 图根 (default), 三级, 二级, 一级 (traverse);\n"
         "                 等外 (default), 图根, 四等, 三等 (level)\n"
         "  --angle-limit K --relative-limit N\n"
         "                 traverse: typed limits, K\" times sqrt(n), 1/N\n"
         "  --limit K      level: a typed limit, K mm times sqrt(L) or sqrt(n)\n"
         "  --rigorous     traverse: adjust by least squares, with each point's\n"
         "                 standard errors MX MY MP (mm)\n"
         "  --points       only the new points: NAME X Y (traverse, for setout\n"
         "                 --control), NAME H (level)\n";
}

}  // namespace reading
