#include "cli/options.h"

#include <array>
#include <charconv>
#include <string_view>

#include "cli/number_text.h"

namespace calc {
namespace {

struct ModeName {
  std::string_view name;
  Mode mode;
};

constexpr std::array<ModeName, 2> kModes = {{{"forward", Mode::kForward},
                                             {"inverse", Mode::kInverse}}};

// Reads an option's value (empty for a switch) into `options`; false when
// the value is bad.
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
         decimals <= kMaxDecimals;
}

bool ReadStation(const std::string& text, Options& options) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) return false;
  const std::string_view view(text);
  Station& station = options.settings.station;
  options.settings.hasStation = true;
  return ReadFieldNumber(view.substr(0, comma), station.x) ==
             FieldNumber::kNumber &&
         ReadFieldNumber(view.substr(comma + 1), station.y) ==
             FieldNumber::kNumber;
}

constexpr std::array<OptionRule, 6> kOptions = {{
    {"--from", "", true, false, "X0,Y0, two numbers", ReadStation},
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

bool ReadMode(const std::string& word, Mode& mode) {
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
void ReadOption(const std::vector<std::string>& args, std::size_t& at,
                Reading& reading) {
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
  bool& given = reading.given[static_cast<std::size_t>(rule - kOptions.data())];
  if (given && !rule->repeatable) {
    options.error = std::string(rule->name) + " given twice";
    return;
  }
  given = true;
  if (!rule->takesValue && inlineValue) {
    options.error = std::string(rule->name) + " takes no value";
    return;
  }
  if (rule->takesValue && !inlineValue) {
    if (at + 1 == args.size()) {
      options.error = std::string(rule->name) + " needs a value";
      return;
    }
    value = args[++at];
  }
  if (!rule->read(value, options)) {
    options.error = std::string(rule->name) + " needs " + rule->valueNeeds +
                    ": " + value;
  }
}

// The checks that need the whole command line.
void CheckComplete(Reading& reading) {
  Options& options = reading.options;
  if (!options.error.empty() || options.help || options.version) return;
  if (!reading.hasMode) {
    options.error = SayMode();
    return;
  }
  if (options.values.empty()) return;
  if (!options.files.empty()) {
    options.error = "give values or -i FILE, not both";
    return;
  }
  const RowReader reader(options.settings);
  const std::size_t needed = reader.FieldNames().size();
  if (options.values.size() == needed || options.values.size() == needed + 1) {
    return;
  }
  // Text where a number belongs is named before the values are counted.
  const std::vector<std::string_view> fields(options.values.begin(),
                                             options.values.end());
  std::string problem;
  if (!reader.CheckNumbers(fields, problem)) {
    options.error = problem.substr(std::string_view("ERROR: ").size());
    return;
  }
  options.error = "expected " + std::to_string(needed) +
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
         "       corvane-calc --help | --version\n"
         "\n"
         "Forward:  X0 Y0 AZIMUTH DISTANCE  ->  X Y\n"
         "Inverse:  X0 Y0 X1 Y1             ->  AZIMUTH DISTANCE\n"
         "X is the northing, Y the easting; azimuths are packed DMS\n"
         "(45.302512 = 45 deg 30' 25.12\"), clockwise from north.\n"
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
         "  --decimals N   decimals of the results, 0 to 20 (default 6)\n"
         "  --azimuth-decimals N\n"
         "                 decimals of azimuths, 0 to 20 (default: as\n"
         "                 --decimals); seconds that round to 60 carry\n"
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
