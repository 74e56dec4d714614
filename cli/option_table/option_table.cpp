#include "cli/option_table/option_table.h"

#include <array>
#include <cmath>

#include "cli/option_table/option_values.h"
#include "core/alignment/chainage_text.h"
#include "reader/road/stake_list.h"

namespace reading {
namespace {

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

}  // namespace

std::span<const SheetOption> SheetOptionTable() { return kOptions; }

const SheetOption* FindOption(std::string_view name) {
  for (const SheetOption& option : kOptions) {
    if (name == option.name || (!option.alias.empty() && name == option.alias)) return &option;
  }
  return nullptr;
}

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
  const unsigned bit = 1u << (option - SheetOptionTable().data());
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

std::vector<std::string_view> GivenOptions(const SheetOptions& options) {
  std::vector<std::string_view> names;
  for (std::size_t i = 0; i < kOptions.size(); ++i) {
    if ((options.given & (1u << i)) != 0) names.push_back(kOptions[i].name);
  }
  return names;
}

}  // namespace reading
