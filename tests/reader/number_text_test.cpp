#include "reader/fields/number_text.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "core/field_text.h"

namespace {

using reading::AppendFixed;
using reading::ReadWholeNumber;

// "%.Nf" by the general conversion, the reference for the fast path.
std::string Reference(double value, int decimals) {
  if (std::isnan(value)) return "nan";
  std::array<char, 400> buffer;
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, decimals);
  return std::string(buffer.data(), result.ptr);
}

std::string Fixed(double value, int decimals) {
  std::string text;
  AppendFixed(text, value, decimals);
  return text;
}

TEST(WholeNumber, AcceptsOnlyFieldsThatAreOneNumberThroughout) {
  const char* numbers[] = {"12",
                           "-0",
                           "+5.",
                           "-.5",
                           "1e3",
                           "1E-2",
                           "1d3",
                           "1.5D+2",
                           "007",
                           "45.3025",
                           "1e400",
                           "1e-400",
                           "12345678901234567890123",
                           "3313133.309",
                           "0.000000000000000000001"};
  for (const char* text : numbers) {
    double value = 0.0;
    ASSERT_TRUE(ReadWholeNumber(text, value)) << text;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(value),
              std::bit_cast<std::uint64_t>(survey::ParseField(text)))
        << text;
  }
  const char* notNumbers[] = {"",    " 12",  "12 ", "12abc", "abc", ".",     "+",   "-",     "2e",
                              "2e+", "0x1A", "inf", "nan",   "1,5", "1.2.3", "--1", "1e3.5", "\t7"};
  for (const char* text : notNumbers) {
    double value = 0.0;
    EXPECT_FALSE(ReadWholeNumber(text, value)) << '"' << text << '"';
  }
}

TEST(WholeNumber, PlainDecimalsReadToTheSameBitsAsTheGeneralConversion) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 200000; ++i) {
    const int digits = 1 + static_cast<int>(random() % 19);
    std::string text = std::to_string(random() % 10'000'000'000'000'000'000ull)
                           .substr(0, static_cast<std::size_t>(digits));
    const std::size_t point = random() % (text.size() + 1);
    if (random() % 4 != 0) text.insert(point, ".");
    if (random() % 2 != 0) text.insert(0, "-");
    double value = 0.0;
    ASSERT_TRUE(ReadWholeNumber(text, value)) << text;
    ASSERT_EQ(std::bit_cast<std::uint64_t>(value),
              std::bit_cast<std::uint64_t>(survey::ConvertNumber(text)))
        << text;
    // In a row the number is followed by more text, which must not count.
    static const char* const kFollowers[] = {" 1234567", ",abcdefgh", ";",       "\t9",
                                             "/",        ":0",        "\xff\x80"};
    // (Beyond 2^53 the plain reading declines, alone as in a row.)
    const std::string row = text + kFollowers[random() % std::size(kFollowers)];
    double alone = 0.0;
    double inRow = 0.0;
    const std::size_t length = reading::ReadPlainDecimal(text, alone);
    ASSERT_TRUE(length == text.size() || length == 0) << text;
    ASSERT_EQ(reading::ReadPlainDecimal(row, inRow), length) << row;
    if (length != 0) {
      ASSERT_EQ(std::bit_cast<std::uint64_t>(inRow), std::bit_cast<std::uint64_t>(value)) << row;
    }
  }
}

TEST(Fixed, SixDecimalsAreExactlyTheResultFieldText) {
  const double values[] = {0.0,
                           -0.0,
                           -1e-9,  // rounds to zero and keeps its sign
                           1070.0822821,
                           1000.0078125,  // an exact tie
                           0.0000005,
                           9007199254.740991,
                           9007199254.740993,
                           3313133.3095,
                           1e28,
                           -1e27,
                           std::numeric_limits<double>::max(),
                           std::numeric_limits<double>::denorm_min(),
                           std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::quiet_NaN()};
  for (const double value : values) {
    EXPECT_EQ(Fixed(value, 6), survey::FormatResult(value)) << value;
  }
}

TEST(Fixed, EveryDecimalCountMatchesTheGeneralConversionNearTies) {
  std::mt19937_64 random(11);
  for (int i = 0; i < 300000; ++i) {
    const int decimals = static_cast<int>(random() % (reading::kMaxDecimals + 1));
    // A value a few units in the last place from a rounding tie, or any
    // value of the usual magnitudes.
    const double step = std::pow(10.0, -decimals);
    const double tie = (static_cast<double>(random() % 10'000'000'000ull) + 0.5) * step;
    double value = tie;
    for (int ulps = static_cast<int>(random() % 9) - 4; ulps != 0; ulps += ulps > 0 ? -1 : 1) {
      value = std::nextafter(value, ulps > 0 ? INFINITY : -INFINITY);
    }
    if (random() % 3 == 0) {
      value = std::ldexp(static_cast<double>(random() % (1ull << 53)),
                         static_cast<int>(random() % 80) - 60);
    }
    if (random() % 2 != 0) value = -value;
    ASSERT_EQ(Fixed(value, decimals), Reference(value, decimals))
        << std::hexfloat << value << " decimals " << decimals;
  }
}

TEST(Fixed, OtherDecimalCounts) {
  EXPECT_EQ(Fixed(1070.082282, 0), "1070");
  EXPECT_EQ(Fixed(2.5, 0), Reference(2.5, 0));
  EXPECT_EQ(Fixed(-0.4, 0), "-0");
  EXPECT_EQ(Fixed(1070.0822821, 3), "1070.082");
  EXPECT_EQ(Fixed(0.1, 20), "0.10000000000000000555");
  EXPECT_EQ(Fixed(1e22, 2), "10000000000000000000000.00");
  EXPECT_EQ(Fixed(-std::numeric_limits<double>::infinity(), 3), "-inf");
}

}  // namespace
