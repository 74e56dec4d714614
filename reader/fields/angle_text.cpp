#include "reader/fields/angle_text.h"

#include <array>

namespace reading {

void AppendAngle(std::string& out, double packed, AngleFormat format, int decimals) {
  std::array<char, kMaxAngleTextChars> text;
  out.append(text.data(), WriteAngle(text.data(), packed, format, decimals));
}

std::string_view AngleFormatName(AngleFormat format) {
  return format == AngleFormat::kDms ? "dms" : "packed";
}

bool ReadAngleFormat(std::string_view name, AngleFormat& format) {
  for (const AngleFormat known : {AngleFormat::kPacked, AngleFormat::kDms}) {
    if (name == AngleFormatName(known)) {
      format = known;
      return true;
    }
  }
  return false;
}

}  // namespace reading
