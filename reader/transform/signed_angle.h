#pragma once

// Packed DMS angles that may be negative: latitudes south, longitudes west,
// a rotation anticlockwise, a convergence west of the central meridian.
// The notation's own conversion floors (-30.30 would read as -31° + 30′ =
// -30.5° only by luck of the digits, and -0.0001 as -1°01′01″ less a
// second); here the sign is taken off, the digits converted, and the sign
// put back: -30.30 is -30.5°, -0.0001 is -1″.

#include <string>
#include <string_view>

namespace reading {

// What keeps a packed angle from being one.
enum class SignedAngleFault : unsigned char {
  kNone,
  kMinutes,  // minutes digits of 60 or more: 30.6 is no angle
  kSeconds,  // seconds digits of 60 or more: 30.5960
};

// The fault of the packed angle `packed`, judged on the digits of the
// shortest decimal text that reads back as it (30.5960 typed is the double
// written 30.596: seconds digits 60), which are the digits typed for any
// angle typed with up to 15 significant digits.
SignedAngleFault FindSignedAngleFault(double packed);

// Packed DMS -> decimal degrees and back, the sign kept.
double SignedPackedToDegrees(double packed);
double DegreesToSignedPacked(double degrees);

// Reads a packed angle typed on its own (an option's value, a window's
// field) into degrees: a number, minutes and seconds digits below 60, any
// sign. Returns "" or what is wrong, naming the angle `what`
// ("--azimuth has seconds of 60 or more: 30.5960").
std::string ReadSignedPacked(std::string_view text, std::string_view what, double& degrees);

}  // namespace reading
