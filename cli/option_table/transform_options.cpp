#include "cli/option_table/transform_options.h"

#include <array>
#include <charconv>

#include "cli/option_table/option_values.h"
#include "cli/option_table/sheet_options.h"
#include "reader/fields/field_number.h"
#include "reader/transform/signed_angle.h"

namespace reading {
namespace {

using Reader = bool (*)(const std::string& value, TransformOptions& options, std::string& error);

// The mode words an option is for, a bit each.
constexpr unsigned kGridWord = 1, kFitWord = 2, kProjectWord = 4, kRezoneWord = 8;

struct TransformOption {
  std::string_view name;
  bool takesValue;
  const char* valueNeeds;
  Reader read;
  unsigned words;
};

bool ReadWhole(const std::string& text, std::optional<int>& value) {
  int read = 0;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, read);
  if (result.ec != std::errc() || result.ptr != end) return false;
  value = read;
  return true;
}

bool ReadWidth(const std::string& text, std::optional<int>& width) {
  return ReadWhole(text, width) && (*width == 3 || *width == 6);
}

bool ReadNumber(const std::string& text, std::optional<double>& value) {
  double read = 0.0;
  if (ReadFieldNumber(text, read) != FieldNumber::kNumber) return false;
  value = read;
  return true;
}

// A packed angle, any sign, into degrees; says itself what is wrong.
bool ReadAngle(const std::string& text, std::string_view name, std::optional<double>& degrees,
               std::string& error) {
  double read = 0.0;
  error = ReadSignedPacked(text, name, read);
  if (!error.empty()) return false;
  degrees = read;
  return true;
}

// The parts of a list at its commas: "a,,b" has three, the second empty.
std::vector<std::string> CommaParts(const std::string& text) {
  std::vector<std::string> parts;
  for (std::size_t at = 0;;) {
    const std::size_t comma = text.find(',', at);
    parts.push_back(text.substr(at, comma == std::string::npos ? std::string::npos : comma - at));
    if (comma == std::string::npos) return parts;
    at = comma + 1;
  }
}

// DX,DY,THETA,M: THETA packed.
bool ReadApply(const std::string& text, TransformOptions& options, std::string& error) {
  const std::vector<std::string> parts = CommaParts(text);
  std::optional<double> dx, dy, theta, m;
  if (parts.size() != 4 || !ReadNumber(parts[0], dx) || !ReadNumber(parts[1], dy) ||
      !ReadNumber(parts[3], m)) {
    return false;
  }
  if (!ReadAngle(parts[2], "--apply's THETA", theta, error)) return false;
  options.apply = FourParameterJob{*dx, *dy, *theta, *m};
  return true;
}

bool ReadLeaveOut(const std::string& text, TransformOptions& options, std::string&) {
  for (std::string& name : CommaParts(text)) {
    if (name.empty()) return false;
    options.leaveOut.push_back(std::move(name));
  }
  return true;
}

bool ReadEllipsoid(const std::string& text, TransformOptions& options, std::string&) {
  static constexpr std::array<std::pair<std::string_view, survey::Ellipsoid>, 4> kNames = {{
      {"cgcs2000", survey::Ellipsoid::kCgcs2000},
      {"wgs84", survey::Ellipsoid::kWgs84},
      {"xian80", survey::Ellipsoid::kXian80},
      {"beijing54", survey::Ellipsoid::kBeijing54},
  }};
  for (const auto& [name, ellipsoid] : kNames) {
    if (text == name) {
      options.ellipsoid = ellipsoid;
      return true;
    }
  }
  return false;
}

// An option's value read by `Read` into the member; a switch set.
template <auto Member, auto Read>
bool Take(const std::string& value, TransformOptions& options, std::string&) {
  return Read(value, options.*Member);
}
template <auto Member>
bool Switch(const std::string&, TransformOptions& options, std::string&) {
  options.*Member = true;
  return true;
}

// A packed angle option, named in what it says is wrong.
template <auto Member, const char* kName>
bool Angle(const std::string& value, TransformOptions& options, std::string& error) {
  return ReadAngle(value, kName, options.*Member, error);
}
constexpr char kAzimuth[] = "--azimuth";
constexpr char kCentralMeridian[] = "--central-meridian";
constexpr char kFromMeridian[] = "--from-meridian";
constexpr char kToMeridian[] = "--to-meridian";

using O = TransformOptions;

const std::array<TransformOption, 21> kOptions = {{
    {"--origin", true, "X0,Y0, two numbers", Take<&O::origin, ReadPoint>, kGridWord},
    {"--azimuth", true, "a packed azimuth", Angle<&O::azimuth, kAzimuth>, kGridWord},
    {"--axis-point", true, "X,Y, two numbers", Take<&O::axisPoint, ReadPoint>, kGridWord},
    {"--inverse", false, "", Switch<&O::inverse>, kGridWord | kFitWord | kProjectWord},
    {"--apply", true, "DX,DY,THETA,M: four numbers, THETA packed", ReadApply, kFitWord},
    {"--limit", true, "a number of millimetres above 0", Take<&O::limitMm, ReadNumber>, kFitWord},
    {"--leave-out", true, "NAME[,NAME...]", ReadLeaveOut, kFitWord},
    {"--zone", true, "a whole number", Take<&O::zone, ReadWhole>, kProjectWord},
    {"--zone-width", true, "3 or 6", Take<&O::zoneWidth, ReadWidth>, kProjectWord | kRezoneWord},
    {"--central-meridian", true, "a packed longitude",
     Angle<&O::centralMeridian, kCentralMeridian>, kProjectWord},
    {"--ellipsoid", true, "cgcs2000, wgs84, xian80 or beijing54", ReadEllipsoid,
     kProjectWord | kRezoneWord},
    {"--false-easting", true, "a number of metres", Take<&O::falseEasting, ReadNumber>,
     kProjectWord | kRezoneWord},
    {"--zone-prefix", false, "", Switch<&O::zonePrefix>, kProjectWord | kRezoneWord},
    {"--height-surface", true, "a height in metres", Take<&O::heightSurface, ReadNumber>,
     kProjectWord | kRezoneWord},
    {"--scale", true, "a number above 0", Take<&O::scale, ReadNumber>, kProjectWord | kRezoneWord},
    {"--degrees", false, "", Switch<&O::degrees>, kProjectWord},
    {"--from-zone", true, "a whole number", Take<&O::fromZone, ReadWhole>, kRezoneWord},
    {"--to-zone", true, "a whole number", Take<&O::toZone, ReadWhole>, kRezoneWord},
    {"--from-meridian", true, "a packed longitude", Angle<&O::fromMeridian, kFromMeridian>,
     kRezoneWord},
    {"--to-meridian", true, "a packed longitude", Angle<&O::toMeridian, kToMeridian>,
     kRezoneWord},
    {"--to-zone-width", true, "3 or 6", Take<&O::toZoneWidth, ReadWidth>, kRezoneWord},
}};

unsigned WordOf(Mode mode) {
  switch (mode) {
    case Mode::kGrid: return kGridWord;
    case Mode::kFourParamFit: return kFitWord;
    case Mode::kProject: return kProjectWord;
    case Mode::kRezone: return kRezoneWord;
    default: return 0;
  }
}

}  // namespace

bool TakeTransformOption(std::span<const std::string> args, std::size_t& at,
                         TransformOptions& options, std::string& error) {
  const std::string_view name = OptionName(args[at]);
  for (std::size_t i = 0; i < kOptions.size(); ++i) {
    const TransformOption& option = kOptions[i];
    if (option.words == 0 || name != option.name) continue;
    if ((options.given & (1u << i)) != 0) {
      error = std::string(name) + " given twice";
      return true;
    }
    options.given |= 1u << i;
    std::string value;
    if (!OptionValue(args, at, name, option.takesValue, value, error)) return true;
    if (!option.read(value, options, error) && error.empty()) {
      error = std::string(name) + " needs " + option.valueNeeds + ": " + value;
    }
    return true;
  }
  return false;
}

// The first option given that the mode word does not take: "--zone is for
// project"; "" where there is none.
std::string OptionNotForWord(const TransformOptions& options, Mode mode) {
  static constexpr std::array<const char*, 4> kWords = {"grid", "fourparam", "project", "rezone"};
  for (std::size_t i = 0; i < kOptions.size(); ++i) {
    if ((options.given & (1u << i)) == 0 || (kOptions[i].words & WordOf(mode)) != 0) continue;
    std::string words;
    for (std::size_t w = 0; w < kWords.size(); ++w) {
      if ((kOptions[i].words & (1u << w)) == 0) continue;
      words += std::string(words.empty() ? "" : " and ") + kWords[w];
    }
    return std::string(kOptions[i].name) + " is for " + words;
  }
  return {};
}

}  // namespace reading
