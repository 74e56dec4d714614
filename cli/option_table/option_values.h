#pragma once

// The readers of the option table's values: each checks only its value's
// form ("X,Y", a packed azimuth, 0 to 20 decimals); false where it is bad.

#include <cstddef>
#include <optional>
#include <string>

#include "cli/option_table/sheet_options.h"

namespace reading {

bool ReadDecimals(const std::string& text, int& decimals);

// "X,Y"
bool ReadPoint(const std::string& text, std::optional<Point>& point);

// A height in metres, as a row's height field is read.
bool ReadHeight(const std::string& text, std::optional<double>& height);

bool ReadName(const std::string& text, std::string& name);

// A packed azimuth from 0 to 360 that a row's azimuth field would accept;
// says itself what is wrong with one that has minutes or seconds of 60, or
// is negative.
bool ReadBacksightAzimuth(const std::string& text, SheetOptions& options, std::string& error);

// A length above 0, in metres.
bool ReadInterval(const std::string& text, std::optional<double>& metres);

// The most lines --skip-lines copies: more than any preamble.
inline constexpr std::size_t kMaxSkipLines = 1000000;

bool ReadSkipLines(const std::string& text, std::size_t& lines);

// A standard error: a number above 0.
bool ReadSigma(const std::string& text, std::optional<double>& sigma);

// "A,B": two numbers, 0 or more, not both 0.
bool ReadDistanceSigma(const std::string& text, std::optional<Point>& sigma);

}  // namespace reading
