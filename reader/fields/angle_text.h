#pragma once

// How the answers write an angle (an azimuth, a setting-out angle, a zenith
// angle, the check line's azimuth): packed DMS as the calculator writes it
// ("109.5149"), or degrees, minutes and seconds with their marks as an
// instrument shows them ("109°51′49″"). The one place that picks between
// the two writers of packed_digits.h.
//
// Both take the decimals of a packed angle (RowSettings::azimuthDecimals):
// four is whole seconds. D°M′S″ writes the seconds with four fewer, so
// that both texts of one setting round to the same place: 4 gives
// "109°51′49″", 6 gives "109°51′49.12″". Fewer than four decimals (tens of
// seconds, whole minutes, whole degrees) have no D°M′S″ text of their own:
// a sheet that asks for one is refused (SheetError::kDmsNeedsSeconds).

#include <string>
#include <string_view>

#include "reader/fields/packed_digits.h"

namespace reading {

enum class AngleFormat : unsigned char {
  kPacked,  // d.mmss, the default
  kDms,     // D°MM′SS″
};

// The fewest decimals of a packed angle that D°M′S″ takes: whole seconds.
inline constexpr int kDmsLeastDecimals = 4;

// Whether angles in `format` can be written with `decimals` (0 to
// kMaxDecimals).
constexpr bool AngleDecimalsFit(AngleFormat format, int decimals) {
  return format == AngleFormat::kPacked || decimals >= kDmsLeastDecimals;
}

// The most bytes WriteAngle writes.
inline constexpr std::size_t kMaxAngleTextChars =
    kMaxDmsAngleChars > kMaxAngleChars ? kMaxDmsAngleChars : kMaxAngleChars;

// Writes the packed angle `packed` in `format` with `decimals` (where
// AngleDecimalsFit) at `at`, where there is room for kMaxAngleTextChars
// bytes; returns where it ends. Inline: the answers write two or three
// angles a row.
inline char* WriteAngle(char* at, double packed, AngleFormat format, int decimals) {
  return format == AngleFormat::kDms ? WriteDmsAngle(at, packed, decimals - kDmsLeastDecimals)
                                     : WritePackedAngle(at, packed, decimals);
}

// The same, appended.
void AppendAngle(std::string& out, double packed, AngleFormat format, int decimals);

// "packed", "dms": the names --angle-format takes.
std::string_view AngleFormatName(AngleFormat format);

// The format named `name`; false where it names none.
bool ReadAngleFormat(std::string_view name, AngleFormat& format);

}  // namespace reading
