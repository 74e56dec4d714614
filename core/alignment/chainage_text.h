#pragma once

// Chainages as crews write them: "K1+234.567" is 1234.567 m, the kilometres
// before the "+" and three whole metres after it. Reading also takes a plain
// number ("1234.567"); writing gives the stake names of a setting-out file.

#include <optional>
#include <string>
#include <string_view>

namespace survey {

// The chainage `text` stands for, in metres: a plain number as ParseField
// reads it (sign, digits, point, exponent), or "K" (or "k") with whole
// kilometres, "+" and the metres below 1000 ("K1+234.567", "K0+5" is 5 m);
// "-K0+050" is -50 m. The whole text must be the chainage, blanks at either
// end aside; anything else is none.
std::optional<double> ReadChainage(std::string_view text);

// "K1+234.567": the chainage rounded to `decimals` (0 to 9; others are taken as the nearer of them)
// as "%.Nf" rounds it in the "C" locale, then cut into kilometres and metres, the metres with at
// least three whole digits ("K0+005"; 999.9996 with three decimals is "K1+000.000"); a negative
// chainage has a "-" in front ("-K0+050"). Not finite: FormatResult's "inf", "-inf", "nan".
std::string FormatChainage(double chainage, int decimals);

}  // namespace survey
