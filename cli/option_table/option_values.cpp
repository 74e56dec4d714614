#include "cli/option_table/option_values.h"

#include <charconv>
#include <cmath>

#include "reader/fields/field_number.h"
#include "reader/fields/number_text.h"

namespace reading {

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

}  // namespace reading
