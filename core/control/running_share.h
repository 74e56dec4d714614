#pragma once

// How a closure is shared out in whole units (seconds of arc, millimetres)
// so that the table's columns add up and the corrections sum exactly to
// minus the closure.
//
// The rule is the running total: the exact running total of the
// corrections up to each station is rounded, half away from zero, and each
// correction is the difference of two consecutive rounded running totals.
// Each adjusted azimuth, coordinate or height is then the strictly
// proportional adjustment to the unit, never more than half a unit off it
// (at a tie, the way the running correction grows); each correction differs from its exact share by
// less than one unit; and the remainder of a share that does not divide falls where the running
// total crosses a half, spread along the line rather than heaped on its first or longest legs.
// Equal shares of -40" over six angles give -7 -6 -7 -7 -6 -7; -30 mm over sections of 6, 5, 5 and
// 4 stations gives -9 -8 -7 -6 (exactly -9, -7.5, -7.5, -6).

#include <cstdint>
#include <span>
#include <vector>

namespace survey {

// The whole number nearest to value, a half away from zero. A value within
// 1e-9 of a half counts as the half, so that lengths typed in decimals
// (whose binary doubles lie a hair beside them) round as written.
std::int64_t RoundHalfAway(double value);

// The exact running totals of `total` shared in proportion to `weights`
// (each above 0): total * (w1 + ... + wk) / (w1 + ... + wn), the last one
// exactly total.
std::vector<double> ProportionalRunningTotals(double total, std::span<const double> weights);

// The whole-unit steps between the rounded running totals: step k is
// RoundHalfAway(t[k]) - RoundHalfAway(t[k-1]), with t[-1] = 0.
std::vector<std::int64_t> RoundedSteps(std::span<const double> runningTotals);

}  // namespace survey
