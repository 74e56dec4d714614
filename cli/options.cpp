#include "cli/options.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

#include "core/packed_angle.h"
#include "core/survey.h"
#include "reader/number_text.h"
#include "reader/packed_digits.h"

namespace calc {
namespace {

struct ModeName {
  std::string_view name;
  reading::Mode mode;
};

constexpr std::array<ModeName, 3> kModes = {{{"forward", reading::Mode::kForward},
                                             {"inverse", reading::Mode::kInverse},
                                             {"setout", reading::Mode::kSetout}}};

// Reads an option's value (empty for a switch) into `options`; false when
// the value is bad, with options.error set where the reader says what is
// wrong itself (else the message says what the value needs).
using ValueReader = bool (*)(const std::string& value, Options& options);

struct OptionRule {
  std::string_view name;
  std::string_view alias;  // another spelling, or none
  bool takesValue;
  bool repeatable;         // else a second one is an error
  const char* valueNeeds;  // what a bad value is told it should be
  ValueReader read;
};

bool ReadDecimals(const std::string& text, int& decimals) {
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, decimals);
  return result.ec == std::errc() && result.ptr == end && decimals >= 0 &&
         decimals <= reading::kMaxDecimals;
}

// "X,Y"
bool ReadPoint(const std::string& text, reading::Station& point) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) return false;
  const std::string_view view(text);
  return reading::ReadFieldNumber(view.substr(0, comma), point.x) ==
             reading::FieldNumber::kNumber &&
         reading::ReadFieldNumber(view.substr(comma + 1), point.y) == reading::FieldNumber::kNumber;
}

// A packed azimuth from 0 to 360 that a row's azimuth field would accept;
// says itself what is wrong with one that has minutes or seconds of 60, or
// is negative.
bool ReadBacksightAzimuth(const std::string& text, Options& options) {
  double azimuth = 0.0;
  if (reading::ReadFieldNumber(text, azimuth) != reading::FieldNumber::kNumber) return false;
  std::string& error = options.error;
  switch (reading::FindAzimuthFault(text, azimuth)) {
    case reading::AzimuthFault::kMinutes:
      error = "--backsight-azimuth has minutes of 60 or more: " + text;
      return false;
    case reading::AzimuthFault::kSeconds:
      error = "--backsight-azimuth has seconds of 60 or more: " + text;
      return false;
    case reading::AzimuthFault::kNegative:
      error = "--backsight-azimuth is negative: " + text + " (add 360)";
      return false;
    case reading::AzimuthFault::kNone:
      break;
  }
  if (azimuth > 360.0) return false;
  options.backsightAzimuth = azimuth;
  return true;
}

constexpr std::array<OptionRule, 9> kOptions = {{
    {"--from", "--station", true, false, "X0,Y0, two numbers",
     [](const std::string& value, Options& options) {
       options.settings.hasStation = true;
       return ReadPoint(value, options.settings.station);
     }},
    {"--backsight", "", true, false, "X,Y, two numbers",
     [](const std::string& value, Options& options) {
       options.backsightPoint.emplace();
       return ReadPoint(value, *options.backsightPoint);
     }},
    {"--backsight-azimuth", "", true, false, "a packed azimuth from 0 to 360",
     ReadBacksightAzimuth},
    {"--columns", "", true, false, "",
     [](const std::string& value, Options& options) {
       options.columns = value;
       return true;
     }},
    {"--decimals", "", true, false, "a whole number from 0 to 20",
     [](const std::string& value, Options& options) {
       return ReadDecimals(value, options.settings.decimals);
     }},
    {"--azimuth-decimals", "", true, false, "a whole number from 0 to 20",
     [](const std::string& value, Options& options) {
       int decimals = 0;
       if (!ReadDecimals(value, decimals)) return false;
       options.settings.azimuthDecimals = decimals;
       return true;
     }},
    {"-i", "", true, true, "",
     [](const std::string& value, Options& options) {
       options.files.push_back(value);
       return true;
     }},
    {"--help", "-h", false, true, "",
     [](const std::string&, Options& options) {
       options.help = true;
       return true;
     }},
    {"--version", "", false, true, "",
     [](const std::string&, Options& options) {
       options.version = true;
       return true;
     }},
}};

// An argument that starts like a negative number is a value, not an option.
bool IsOption(const std::string& arg) {
  if (arg.size() < 2 || arg[0] != '-') return false;
  return !(arg[1] == '.' || (arg[1] >= '0' && arg[1] <= '9'));
}

// "say forward or inverse"
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

const OptionRule* FindOption(std::string_view name) {
  for (const OptionRule& rule : kOptions) {
    if (name == rule.name || (!rule.alias.empty() && name == rule.alias)) {
      return &rule;
    }
  }
  return nullptr;
}

// The state of reading a command line.
struct Reading {
  Options options;
  std::array<bool, kOptions.size()> given{};
  bool hasMode = false;
};

// Reads the option at args[at] (and its value), advancing `at`.
void ReadOption(const std::vector<std::string>& args, std::size_t& at, Reading& reading) {
  Options& options = reading.options;
  std::string name = args[at];
  std::string value;
  // "--name=value"
  const std::size_t equals = name.find('=');
  const bool inlineValue = name.starts_with("--") && equals != std::string::npos;
  if (inlineValue) {
    value = name.substr(equals + 1);
    name.resize(equals);
  }
  const OptionRule* rule = FindOption(name);
  if (rule == nullptr) {
    options.error = "unknown option " + args[at];
    return;
  }
  // Messages use the spelling given.
  bool& given = reading.given[static_cast<std::size_t>(rule - kOptions.data())];
  if (given && !rule->repeatable) {
    options.error = name + " given twice";
    return;
  }
  given = true;
  if (!rule->takesValue && inlineValue) {
    options.error = name + " takes no value";
    return;
  }
  if (rule->takesValue && !inlineValue) {
    if (at + 1 == args.size()) {
      options.error = name + " needs a value";
      return;
    }
    value = args[++at];
  }
  if (!rule->read(value, options) && options.error.empty()) {
    options.error = name + " needs " + rule->valueNeeds + ": " + value;
  }
}

// The direction that setout angles are turned from, and the note that
// shows it; false, with the error set, when there is none.
bool FindBacksight(Options& options) {
  reading::RowSettings& settings = options.settings;
  const int azimuthDecimals = settings.azimuthDecimals.value_or(settings.decimals);
  std::string note = "station to backsight: azimuth ";
  if (options.backsightAzimuth) {
    settings.backsightDegrees = survey::PackedToDegrees(*options.backsightAzimuth);
    reading::AppendPackedAngle(note, *options.backsightAzimuth, azimuthDecimals);
  } else {
    const reading::Station& station = settings.station;
    const reading::Station& backsight = *options.backsightPoint;
    const survey::InverseResult polar =
        survey::ComputeInverse(station.x, station.y, backsight.x, backsight.y);
    if (polar.identicalPoints) {
      options.error = "the backsight is the station: give another point";
      return false;
    }
    if (!std::isfinite(polar.distance)) {
      options.error = "the distance from station to backsight is out of range";
      return false;
    }
    settings.backsightDegrees = polar.degrees;
    reading::AppendPackedAngle(note, polar.azimuth, azimuthDecimals);
    note += " distance ";
    reading::AppendFixed(note, polar.distance, settings.decimals);
  }
  options.note = note;
  return true;
}

// The backsight options belong to setout, which needs a station and one
// backsight; false, with the error set, when they are amiss.
bool CheckSetout(Options& options) {
  const bool point = options.backsightPoint.has_value();
  const bool azimuth = options.backsightAzimuth.has_value();
  if (options.settings.mode != reading::Mode::kSetout) {
    if (point || azimuth) {
      options.error = std::string(point ? "--backsight" : "--backsight-azimuth") + " is for setout";
    }
    return !point && !azimuth;
  }
  if (!options.settings.hasStation) {
    options.error = "setout needs --station X,Y";
  } else if (point == azimuth) {
    options.error = point ? "give --backsight or --backsight-azimuth, not both"
                          : "setout needs --backsight X,Y or "
                            "--backsight-azimuth A";
  }
  return options.error.empty() && FindBacksight(options);
}

// The checks that need the whole command line.
void CheckComplete(Reading& reading) {
  Options& options = reading.options;
  if (!options.error.empty() || options.help || options.version) return;
  if (!reading.hasMode) {
    options.error = SayMode();
    return;
  }
  if (!CheckSetout(options)) return;
  if (options.columns) {
    options.error = reading::ReadColumns(
        *options.columns, reading::RowReader(options.settings).FieldNames(),
        options.settings.mode == reading::Mode::kSetout, options.settings.columns);
    if (!options.error.empty()) return;
  }
  if (options.values.empty()) return;
  if (!options.files.empty()) {
    options.error = "give values or -i FILE, not both";
    return;
  }
  const reading::RowReader reader(options.settings);
  const std::size_t columns = options.settings.columns.size();
  const std::size_t needed = reader.FieldNames().size();
  if (columns > 0 ? options.values.size() == columns
                  : (options.values.size() == needed || options.values.size() == needed + 1)) {
    return;
  }
  // Text where a number belongs is named before the values are counted.
  const std::vector<std::string_view> fields(options.values.begin(), options.values.end());
  std::string problem;
  if (!reader.CheckNumbers(fields, problem)) {
    options.error = problem.substr(std::string_view("ERROR: ").size());
    return;
  }
  options.error = columns > 0 ? "expected " + std::to_string(columns) + " values, one a column"
                              : "expected " + std::to_string(needed) +
                                    " values (optionally led by a point name)";
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
      ReadOption(args, at, reading);
    } else if (!reading.hasMode) {
      reading.hasMode = ReadMode(arg, options.settings.mode);
      if (!reading.hasMode) options.error = "unknown mode " + arg;
    } else {
      options.values.push_back(arg);
    }
  }
  CheckComplete(reading);
  return options;
}

const char* UsageText() {
  return "Usage: corvane-calc forward|inverse [OPTIONS] [VALUES...]\n"
         "       corvane-calc setout --station X,Y --backsight X,Y [OPTIONS]\n"
         "                           [VALUES...]\n"
         "       corvane-calc --help | --version\n"
         "\n"
         "Forward:  X0 Y0 AZIMUTH DISTANCE  ->  X Y\n"
         "Inverse:  X0 Y0 X1 Y1             ->  AZIMUTH DISTANCE\n"
         "Setout:   X Y                     ->  AZIMUTH ANGLE DISTANCE\n"
         "X is the northing, Y the easting; azimuths are packed DMS\n"
         "(45.302512 = 45 deg 30' 25.12\"), clockwise from north. Setout\n"
         "gives a sheet for setting out design points from a station: the\n"
         "azimuth and distance from the station to each point, and the\n"
         "ANGLE to turn clockwise from the backsight to it. The station to\n"
         "backsight azimuth and distance are written to standard error first.\n"
         "\n"
         "With VALUES, computes that one row. Without, reads one row a line\n"
         "from standard input or the -i files and writes one line per line.\n"
         "Fields are separated by blanks, tabs, commas or semicolons; answers\n"
         "keep the comma, semicolon or tab that follows a row's first field.\n"
         "A row with one field more than its numbers starts with a point name,\n"
         "which is echoed. Blank lines, lines starting with # and a first row\n"
         "without numbers (a header) are copied unchanged.\n"
         "\n"
         "Options:\n"
         "  --from X0,Y0   fix the station: rows hold AZIMUTH DISTANCE\n"
         "                 (forward) or X1 Y1 (inverse)\n"
         "  --station X,Y  the same; setout needs it\n"
         "  --backsight X,Y\n"
         "                 setout: the point the angles are turned from\n"
         "  --backsight-azimuth A\n"
         "                 setout: its azimuth instead (packed, 0 to 360)\n"
         "  --columns ROLES\n"
         "                 what each column holds, e.g. name,code,y,x,h:\n"
         "                 name, code, x, y, h or - (ignored) in setout;\n"
         "                 name, -, and x0, y0, azimuth, distance (forward)\n"
         "                 or x0, y0, x1, y1 (inverse). A row then has one\n"
         "                 field per column, ended by a comma, semicolon or\n"
         "                 tab (in a line without any, by blanks); an empty\n"
         "                 field is a field. A height must be a number or\n"
         "                 empty; codes are ignored\n"
         "  --decimals N   decimals of the results, 0 to 20 (default 6)\n"
         "  --azimuth-decimals N\n"
         "                 decimals of azimuths and angles, 0 to 20 (default:\n"
         "                 as --decimals); seconds that round to 60 carry\n"
         "                 into the minutes, and minutes into the degrees\n"
         "  -i FILE        read rows from FILE (repeatable; - is standard "
         "input)\n"
         "  -h, --help     show this help\n"
         "  --version      show the version\n"
         "\n"
         "Exit status:\n"
         "  0  every row computed\n"
         "  1  some row failed (its output line reads ERROR: ...)\n"
         "  2  bad usage, an input that cannot be opened or read, or output\n"
         "     that cannot be written\n";
}

}  // namespace calc
