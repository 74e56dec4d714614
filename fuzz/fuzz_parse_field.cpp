// Field text of any bytes: ParseField must read it without fault, only its
// first 35 characters may count, a field that is wholly a number must read
// the same through the tool's strict reader (and, where the tool takes it as
// in range, be finite and zero only when written so), a field with a
// decimal comma the same as with a point, and every value it yields must
// format (six decimals) the same through FormatResult and the tool's
// writer.

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/field_text.h"
#include "reader/fields/number_text.h"

namespace {

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = survey::ParseField(text);
  Require(Bits(value) == Bits(survey::ParseField(text.substr(0, survey::kFieldChars))));
  Require(value == value);  // never NaN

  std::size_t start = 0;
  const std::size_t length = survey::ScanNumber(text, start);
  Require(start + length <= text.size());

  double whole = 0.0;
  if (size <= survey::kFieldChars && reading::ReadWholeNumber(text, whole)) {
    Require(Bits(whole) == Bits(value));
    // A number in range is finite, and zero only when written as zero.
    double inRange = 0.0;
    if (reading::ReadFieldNumber(text, inRange) == reading::FieldNumber::kNumber) {
      Require(std::isfinite(inRange));
      Require(inRange != 0.0 ||
              text.substr(0, text.find_first_of("eEdD")).find_first_of("123456789") ==
                  std::string_view::npos);
    }
  }

  // A decimal comma read on the fast path reads as the field spelled with
  // a point.
  double comma = 0.0;
  if (size > 0 && size <= survey::kFieldChars &&
      reading::ReadPlainDecimal(text, comma, true) == size) {
    std::array<char, survey::kFieldChars> buffer;
    double point = 0.0;
    Require(reading::ReadWholeNumber(reading::WithDecimalPoint(text, buffer), point));
    Require(Bits(point) == Bits(comma));
  }

  const std::string formatted = survey::FormatResult(value);
  std::string fast;
  reading::AppendFixed(fast, value, 6);
  Require(fast == formatted);
  return 0;
}
