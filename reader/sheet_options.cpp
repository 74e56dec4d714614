#include "reader/sheet_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "core/packed_angle.h"
#include "core/survey.h"
#include "reader/number_text.h"
#include "reader/packed_digits.h"
#include "reader/shown_text.h"

namespace reading {
namespace {

// Reads an option's value (empty for a switch) into the request; false when
// the value is bad, with `error` set where the reader says what is wrong
// itself (else the message says what the value needs).
using ValueReader = bool (*)(const std::string& value, SheetRequest& request, std::string& error);

struct SheetOption {
  std::string_view name;
  std::string_view alias;  // another spelling, or none
  bool takesValue;
  const char* valueNeeds;  // what a bad value is told it should be
  ValueReader read;
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

bool ReadName(const std::string& text, std::string& name) {
  name = text;
  return !text.empty();
}

// A packed azimuth from 0 to 360 that a row's azimuth field would accept;
// says itself what is wrong with one that has minutes or seconds of 60, or
// is negative.
bool ReadBacksightAzimuth(const std::string& text, SheetRequest& request, std::string& error) {
  double azimuth = 0.0;
  if (ReadFieldNumber(text, azimuth) != FieldNumber::kNumber) return false;
  switch (FindAzimuthFault(text, azimuth)) {
    case AzimuthFault::kMinutes:
      error = "--backsight-azimuth has minutes of 60 or more: " + text;
      return false;
    case AzimuthFault::kSeconds:
      error = "--backsight-azimuth has seconds of 60 or more: " + text;
      return false;
    case AzimuthFault::kNegative:
      error = "--backsight-azimuth is negative: " + text + " (add 360)";
      return false;
    case AzimuthFault::kNone:
      break;
  }
  if (azimuth > 360.0) return false;
  request.backsightAzimuth = azimuth;
  return true;
}

constexpr std::array<SheetOption, 11> kOptions = {{
    {"--from", "--station", true, "X0,Y0, two numbers",
     [](const std::string& value, SheetRequest& request, std::string&) {
       return ReadPoint(value, request.station);
     }},
    {"--station-point", "", true, "a point name",
     [](const std::string& value, SheetRequest& request, std::string&) {
       return ReadName(value, request.stationPoint);
     }},
    {"--backsight", "", true, "X,Y, two numbers",
     [](const std::string& value, SheetRequest& request, std::string&) {
       return ReadPoint(value, request.backsight);
     }},
    {"--backsight-point", "", true, "a point name",
     [](const std::string& value, SheetRequest& request, std::string&) {
       return ReadName(value, request.backsightPoint);
     }},
    {"--backsight-azimuth", "", true, "a packed azimuth from 0 to 360", ReadBacksightAzimuth},
    {"--control", "", true, "a file",
     [](const std::string& value, SheetRequest& request, std::string&) {
       return ReadName(value, request.control);
     }},
    {"--control-columns", "", true, "",
     [](const std::string& value, SheetRequest& request, std::string&) {
       request.controlColumns = value;
       return true;
     }},
    {"--columns", "", true, "",
     [](const std::string& value, SheetRequest& request, std::string&) {
       request.columns = value;
       return true;
     }},
    {"--decimals", "", true, "a whole number from 0 to 20",
     [](const std::string& value, SheetRequest& request, std::string&) {
       return ReadDecimals(value, request.decimals);
     }},
    {"--azimuth-decimals", "", true, "a whole number from 0 to 20",
     [](const std::string& value, SheetRequest& request, std::string&) {
       int decimals = 0;
       if (!ReadDecimals(value, decimals)) return false;
       request.azimuthDecimals = decimals;
       return true;
     }},
    {"--header", "", false, "",
     [](const std::string&, SheetRequest& request, std::string&) {
       request.header = true;
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

// The direction that setout angles are turned from, and the check line;
// "" or what is wrong.
std::string FindBacksight(const SheetRequest& request, Sheet& sheet) {
  RowSettings& settings = sheet.settings;
  const int azimuthDecimals = settings.azimuthDecimals.value_or(settings.decimals);
  if (request.backsightAzimuth) {
    settings.backsightDegrees = survey::PackedToDegrees(*request.backsightAzimuth);
    AppendPackedAngle(sheet.checkAzimuth, *request.backsightAzimuth, azimuthDecimals);
  } else {
    const Point& station = settings.station;
    const Point& backsight = *sheet.backsight;
    const survey::InverseResult polar =
        survey::ComputeInverse(station.x, station.y, backsight.x, backsight.y);
    if (polar.identicalPoints) return "the backsight is the station: give another point";
    if (!std::isfinite(polar.distance)) {
      return "the distance from station to backsight is out of range";
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

// The columns the control file is read by; "" or what is wrong.
std::string ControlColumns(const SheetRequest& request, const Sheet& sheet,
                           std::vector<Column>& columns) {
  static constexpr std::array<const char*, 2> kPoint = {"X", "Y"};
  if (request.controlColumns) {
    const std::string problem =
        ReadColumns(*request.controlColumns, kPoint, true, columns, "--control-columns");
    if (!problem.empty()) return problem;
  } else {
    columns = sheet.settings.columns;
  }
  const bool named = columns.empty() || std::any_of(columns.begin(), columns.end(), [](auto& c) {
                       return c.role == Column::Role::kName;
                     });
  if (named) return {};
  return request.controlColumns ? "--control-columns needs a name column"
                                : "--control: known points need names: give --control-columns";
}

// Finds `name` among the points for `option`; "" or what is wrong.
std::string FindPoint(const KnownPoints* points, std::string_view option, const std::string& name,
                      Point& point) {
  const std::string problem = points->Find(name, point);
  return problem.empty() ? problem : std::string(option) + ": " + problem;
}

// The options that only setout takes, the station and the columns checked
// together; "" or what is wrong.
std::string CheckTogether(const SheetRequest& request, Mode mode, bool haveKnown) {
  std::vector<std::string_view> backsights;
  if (request.backsight) backsights.push_back("--backsight");
  if (!request.backsightPoint.empty()) backsights.push_back("--backsight-point");
  if (request.backsightAzimuth) backsights.push_back("--backsight-azimuth");
  if (mode != Mode::kSetout && !backsights.empty()) {
    return std::string(backsights[0]) + " is for setout";
  }
  if (request.station && !request.stationPoint.empty()) {
    return "give --station or --station-point, not both";
  }
  if (backsights.size() > 1) return OneOf(backsights);
  if (request.controlColumns && request.control.empty()) {
    return "--control-columns needs --control FILE";
  }
  const bool byName = !request.stationPoint.empty() || !request.backsightPoint.empty();
  if (byName && request.control.empty() && !haveKnown) {
    return std::string(request.stationPoint.empty() ? "--backsight-point" : "--station-point") +
           " needs --control FILE";
  }
  if (mode == Mode::kSetout && !request.station && request.stationPoint.empty()) {
    return "setout needs --station X,Y or --station-point NAME";
  }
  if (mode == Mode::kSetout && backsights.empty()) {
    return "setout needs --backsight X,Y, --backsight-point NAME or --backsight-azimuth A";
  }
  if (!request.backsightPoint.empty() && request.backsightPoint == request.stationPoint) {
    return "the backsight is the station: give another point";
  }
  return {};
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

bool TakeSheetOption(std::span<const std::string> args, std::size_t& at, SheetRequest& request,
                     std::string& error) {
  const std::string_view name = OptionName(args[at]);
  const SheetOption* option = FindOption(name);
  if (option == nullptr) return false;
  // Messages use the spelling given.
  const unsigned bit = 1u << (option - kOptions.data());
  if ((request.given & bit) != 0) {
    error = std::string(name) + " given twice";
    return true;
  }
  request.given |= bit;
  std::string value;
  if (!OptionValue(args, at, name, option->takesValue, value, error)) return true;
  if (!option->read(value, request, error) && error.empty()) {
    error = std::string(name) + " needs " + option->valueNeeds + ": " + value;
  }
  return true;
}

std::string TakeSheetOptions(std::span<const std::string> args, SheetRequest& request,
                             std::vector<std::string>& rest) {
  std::string error;
  for (std::size_t at = 0; at < args.size() && error.empty(); ++at) {
    if (!TakeSheetOption(args, at, request, error)) rest.push_back(args[at]);
  }
  return error;
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
         "  --decimals N   decimals of the results, 0 to 20 (default 6)\n"
         "  --azimuth-decimals N\n"
         "                 decimals of azimuths and angles, 0 to 20 (default:\n"
         "                 as --decimals); seconds that round to 60 carry\n"
         "                 into the minutes, and minutes into the degrees\n"
         "  --header       before the first row's answer, a comment line with\n"
         "                 the station, the backsight and the check line, and\n"
         "                 a header row naming the answer's columns\n";
}

std::string ResolveSheet(const SheetRequest& request, Mode mode, Sheet& sheet,
                         const KnownPoints* known) {
  sheet = Sheet();
  std::string problem = CheckTogether(request, mode, known != nullptr);
  if (!problem.empty()) return problem;
  RowSettings& settings = sheet.settings;
  settings.mode = mode;
  settings.decimals = request.decimals;
  settings.azimuthDecimals = request.azimuthDecimals;
  settings.hasStation = request.station || !request.stationPoint.empty();
  sheet.header = request.header;
  if (request.columns) {
    problem = ReadColumns(*request.columns, RowReader(settings).FieldNames(), mode == Mode::kSetout,
                          settings.columns);
    if (!problem.empty()) return problem;
  }
  KnownPoints control;
  const KnownPoints* points = known;
  if (known == nullptr && !request.control.empty()) {
    std::vector<Column> columns;
    problem = ControlColumns(request, sheet, columns);
    if (problem.empty()) problem = control.ReadFile(request.control, columns);
    if (!problem.empty()) return problem;
    points = &control;
  }
  if (!request.stationPoint.empty()) {
    sheet.stationName = request.stationPoint;
    problem = FindPoint(points, "--station-point", request.stationPoint, settings.station);
  } else if (request.station) {
    settings.station = *request.station;
  }
  if (problem.empty() && !request.backsightPoint.empty()) {
    sheet.backsightName = request.backsightPoint;
    Point backsight{};
    problem = FindPoint(points, "--backsight-point", request.backsightPoint, backsight);
    sheet.backsight = backsight;
  } else if (request.backsight) {
    sheet.backsight = *request.backsight;
  }
  if (problem.empty() && mode == Mode::kSetout) problem = FindBacksight(request, sheet);
  if (!problem.empty()) return problem;
  sheet.headerComment = HeaderComment(sheet);
  return {};
}

}  // namespace reading
