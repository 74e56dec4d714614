#include "core/alignment/chainage_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "core/field_text.h"

namespace survey {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// A number that is all of `text`, unsigned where `plain` is false.
std::optional<double> WholeNumber(std::string_view text, bool plain) {
  std::size_t start = 0;
  const std::size_t length = ScanNumber(text, start);
  if (length == 0 || start != 0 || length != text.size()) return std::nullopt;
  if (!plain && (text.front() == '+' || text.front() == '-')) return std::nullopt;
  return ConvertNumber(text);
}

}  // namespace

std::optional<double> ReadChainage(std::string_view text) {
  text = Trimmed(text);
  double sign = 1.0;
  if (text.starts_with('-') && text.size() > 1 && (text[1] == 'K' || text[1] == 'k')) {
    sign = -1.0;
    text.remove_prefix(1);
  }
  if (!text.starts_with('K') && !text.starts_with('k')) return WholeNumber(text, true);
  const std::size_t plus = text.find('+');
  if (plus == std::string_view::npos) return std::nullopt;
  const std::string_view km = text.substr(1, plus - 1);
  if (km.empty() || km.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  const auto metres = WholeNumber(text.substr(plus + 1), false);
  const auto kilometres = WholeNumber(km, false);
  if (!metres || !kilometres || !(*metres < 1000.0)) return std::nullopt;
  return sign * (*kilometres * 1000.0 + *metres);
}

std::string FormatChainage(double chainage, int decimals) {
  if (!std::isfinite(chainage)) return FormatResult(chainage);
  decimals = std::clamp(decimals, 0, 9);
  // Rounded as text first, so the kilometre is cut from the digits shown.
  std::array<char, 400> digits;
  const auto written = std::to_chars(digits.data(), digits.data() + digits.size(),
                                     std::fabs(chainage), std::chars_format::fixed, decimals);
  std::string_view text(digits.data(), written.ptr);
  const std::size_t point = std::min(text.find('.'), text.size());
  std::string out =
      std::signbit(chainage) && text.find_first_not_of("0.") != text.npos ? "-K" : "K";
  if (point > 3) {
    out.append(text.substr(0, point - 3));
  } else {
    out += '0';
  }
  out += '+';
  out.append(3 - std::min<std::size_t>(point, 3), '0');
  out.append(text.substr(point > 3 ? point - 3 : 0));
  return out;
}

}  // namespace survey
