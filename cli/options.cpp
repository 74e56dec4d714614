#include "cli/options.h"

#include <charconv>

#include "cli/number_text.h"

namespace calc {
namespace {

// An argument that starts like a negative number is a value, not an option.
bool IsOption(const std::string& arg) {
  if (arg.size() < 2 || arg[0] != '-') return false;
  return !(arg[1] == '.' || (arg[1] >= '0' && arg[1] <= '9'));
}

bool ReadDecimals(const std::string& text, int& decimals) {
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, decimals);
  return result.ec == std::errc() && result.ptr == end && decimals >= 0 &&
         decimals <= kMaxDecimals;
}

bool ReadStation(const std::string& text, Station& station) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) return false;
  const std::string_view view(text);
  return ReadFieldNumber(view.substr(0, comma), station.x) ==
             FieldNumber::kNumber &&
         ReadFieldNumber(view.substr(comma + 1), station.y) ==
             FieldNumber::kNumber;
}

bool ReadMode(const std::string& word, Mode& mode) {
  if (word == "forward") {
    mode = Mode::kForward;
  } else if (word == "inverse") {
    mode = Mode::kInverse;
  } else {
    return false;
  }
  return true;
}

// Splits "--name=value" into name and value; other arguments keep no value.
void SplitInlineValue(std::string& arg, std::string& value, bool& hasValue) {
  const std::size_t equals = arg.find('=');
  hasValue = arg.rfind("--", 0) == 0 && equals != std::string::npos;
  if (!hasValue) return;
  value = arg.substr(equals + 1);
  arg.resize(equals);
}

// Reads the option at args[at] (and its value), advancing `at`.
void ReadOption(const std::vector<std::string>& args, std::size_t& at,
                Options& options) {
  std::string name = args[at];
  std::string value;
  bool hasValue = false;
  SplitInlineValue(name, value, hasValue);
  if (name == "--help" || name == "-h") {
    options.help = true;
    return;
  }
  if (name == "--version") {
    options.version = true;
    return;
  }
  if (name != "--from" && name != "--decimals" &&
      name != "--azimuth-decimals" && name != "-i") {
    options.error = "unknown option " + args[at];
    return;
  }
  if (!hasValue) {
    if (at + 1 == args.size()) {
      options.error = name + " needs a value";
      return;
    }
    value = args[++at];
  }
  if (name == "-i") {
    options.files.push_back(value);
  } else if (name == "--from") {
    options.settings.hasStation = true;
    if (!ReadStation(value, options.settings.station)) {
      options.error = "--from needs X0,Y0, two numbers: " + value;
    }
  } else if (name == "--decimals") {
    if (!ReadDecimals(value, options.settings.decimals)) {
      options.error = "--decimals needs a whole number from 0 to 20: " + value;
    }
  } else {
    int decimals = 0;
    if (!ReadDecimals(value, decimals)) {
      options.error =
          "--azimuth-decimals needs a whole number from 0 to 20: " + value;
    }
    options.settings.azimuthDecimals = decimals;
  }
}

// The checks that need the whole command line.
void CheckComplete(bool hasMode, Options& options) {
  if (!options.error.empty() || options.help || options.version) return;
  if (!hasMode) {
    options.error = "say forward or inverse";
    return;
  }
  if (options.values.empty()) return;
  if (!options.files.empty()) {
    options.error = "give values or -i FILE, not both";
    return;
  }
  const std::size_t needed =
      RowReader(options.settings).FieldNames().size();
  if (options.values.size() != needed && options.values.size() != needed + 1) {
    options.error = "expected " + std::to_string(needed) +
                    " values (optionally led by a point name)";
  }
}

}  // namespace

Options ParseOptions(const std::vector<std::string>& args) {
  Options options;
  bool hasMode = false;
  bool optionsEnded = false;
  for (std::size_t at = 0; at < args.size() && options.error.empty(); ++at) {
    const std::string& arg = args[at];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && IsOption(arg)) {
      ReadOption(args, at, options);
    } else if (!hasMode) {
      hasMode = ReadMode(arg, options.settings.mode);
      if (!hasMode) options.error = "unknown mode " + arg;
    } else {
      options.values.push_back(arg);
    }
  }
  CheckComplete(hasMode, options);
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
         "Exit status: 0 every row computed, 1 some row failed (its output\n"
         "line reads ERROR: ...), 2 bad usage or unreadable input.\n";
}

}  // namespace calc
