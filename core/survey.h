#pragma once

// The two computations of plane surveying, and the reading and writing of
// numbers as field text. X is the northing, Y the easting; azimuths are
// packed DMS, counted clockwise from north (+X towards +Y).

#include <string>
#include <string_view>

namespace survey {

// Only this many characters of a field take part in a computation.
inline constexpr std::size_t kFieldChars = 35;

struct ForwardResult {
  double x;
  double y;
};

struct InverseResult {
  // True when the two points are the same: no azimuth, no distance.
  bool identicalPoints;
  double azimuth;   // packed DMS, 0 to 360 inclusive
  double distance;  // not negative
  // The azimuth in decimal degrees, 0 to 360 inclusive, as it is computed
  // before it is packed: angles between directions are taken from these.
  double degrees;
};

// The number a field's text stands for, read like the C runtime's strtod in
// the "C" locale: leading white space, sign, digits, one ".", an exponent
// introduced by e, E, d or D. Only the first kFieldChars characters count,
// whatever follows the number is ignored, and text that does not start with
// a number reads as 0. Hexadecimal, infinity and NaN spellings are not
// numbers. Overflow reads as +-infinity, underflow as zero.
double ParseField(std::string_view text);

// The length of the number at the start of text by ParseField's rules, not
// counting leading white space; 0 when there is none. `start` receives the
// position where the number begins.
std::size_t ScanNumber(std::string_view text, std::size_t& start);

// The value of a number that ScanNumber has found (any length, exponent
// letter e, E, d or D), independent of the process locale.
double ConvertNumber(std::string_view number);

// A value as "%f" writes it in the "C" locale: six decimals, no grouping, no
// exponent, of any magnitude; "inf", "-inf" and "nan" for non-finite values.
std::string FormatResult(double value);

// End point from a start point, a packed azimuth and a distance.
ForwardResult ComputeForward(double x0, double y0, double azimuth, double distance);

// Packed azimuth and distance from the first point to the second.
InverseResult ComputeInverse(double x0, double y0, double x1, double y1);

// The angle turned clockwise from a backsight's direction to a point's, both
// in decimal degrees as ComputeInverse gives them (0 to 360): their
// difference, plus 360 where it is negative, packed; 0 to 360, never
// negative.
double TurnedAngle(double pointDegrees, double backsightDegrees);

}  // namespace survey
