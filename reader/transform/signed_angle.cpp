#include "reader/transform/signed_angle.h"

#include <array>
#include <charconv>
#include <cmath>

#include "core/packed_angle.h"
#include "reader/fields/field_number.h"

namespace reading {

SignedAngleFault FindSignedAngleFault(double packed) {
  std::array<char, 400> text;
  const auto written =
      std::to_chars(text.data(), text.data() + text.size(), std::fabs(packed),
                    std::chars_format::fixed);
  if (written.ec != std::errc()) return SignedAngleFault::kNone;
  const std::string_view digits(text.data(), static_cast<std::size_t>(written.ptr - text.data()));
  const std::size_t point = digits.find('.');
  if (point == std::string_view::npos) return SignedAngleFault::kNone;
  // A missing digit is a 0: 30.3 has minutes 30, 30.305 seconds 50.
  const auto digit = [&](std::size_t at) { return at < digits.size() ? digits[at] - '0' : 0; };
  if (digit(point + 1) >= 6) return SignedAngleFault::kMinutes;
  if (digit(point + 3) >= 6) return SignedAngleFault::kSeconds;
  return SignedAngleFault::kNone;
}

double SignedPackedToDegrees(double packed) {
  return std::copysign(survey::PackedToDegrees(std::fabs(packed)), packed);
}

double DegreesToSignedPacked(double degrees) {
  return std::copysign(survey::DegreesToPacked(std::fabs(degrees)), degrees);
}

std::string ReadSignedPacked(std::string_view text, std::string_view what, double& degrees) {
  double packed = 0.0;
  std::string problem;
  if (!ReadNumberField("", false, text, packed, problem)) {
    return std::string(what) + " needs a packed angle (30.3 is 30°30′): " + std::string(text);
  }
  switch (FindSignedAngleFault(packed)) {
    case SignedAngleFault::kMinutes:
      return std::string(what) + " has minutes of 60 or more: " + std::string(text);
    case SignedAngleFault::kSeconds:
      return std::string(what) + " has seconds of 60 or more: " + std::string(text);
    case SignedAngleFault::kNone:
      break;
  }
  degrees = SignedPackedToDegrees(packed);
  return {};
}

}  // namespace reading
