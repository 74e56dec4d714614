#include "core/packed_angle.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "core/field_text.h"

namespace {

using survey::DegreesToPacked;
using survey::PackedToDegrees;

constexpr double kOneSixtieth = 0.016666666666666666;

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

// The value of a decimal text, as a surveyor types it.
double Typed(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

// The conversion steps taken literally, without any guard: the oracle for
// inputs that lie far from a whole minute.
double LiteralPackedToDegrees(double a) {
  const double m = std::floor(std::fmod(a, 1.0) * 100.0);
  const double t = std::floor(a) + m * kOneSixtieth;
  return t + std::fmod(a * 100.0, 1.0) * 0.027777777777777776;
}

double LiteralDegreesToPacked(double d) {
  const double m = std::floor(std::fmod(d, 1.0) * 60.0);
  const double t = std::floor(d) + m * 0.01;
  return t + std::fmod(d * 60.0, 1.0) * 0.006;
}

TEST(AngleUnits, FactorsHoldTheirExactBitsFromTheProgramsPi) {
  EXPECT_EQ(survey::kPi, 3.1415926);
  EXPECT_EQ(Bits(survey::kDegToRad), 0x3F91DF469D353918u);
  EXPECT_EQ(Bits(survey::kRadToDeg), 0x404CA5DC22969FAAu);
  EXPECT_EQ(survey::kDegToRad, 3.1415926 / 180.0);
  EXPECT_EQ(survey::kRadToDeg, 180.0 / 3.1415926);
}

TEST(PackedAngle, WorkedValuesHoldToTheBit) {
  struct Case {
    double packed;
    double degrees;
  };
  const Case cases[] = {
      {45.3025, 45.50694444444444},   {0.0001, 0.0002777777777777778},
      {12.5959, 12.999722222222225},  {45.6, 46.0},  // 60 minutes are not rejected
      {-45.3025, -46.52361111111111}, {0.0, 0.0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Bits(PackedToDegrees(c.packed)), Bits(c.degrees)) << c.packed;
  }
  EXPECT_EQ(DegreesToPacked(45.50694444444444), 45.302499999999995);
  EXPECT_EQ(survey::FormatResult(DegreesToPacked(45.50694444444444)), "45.302500");
  // Just short of a whole degree: 59 minutes and about 60 seconds.
  const double packed = DegreesToPacked(269.9999984647655);
  EXPECT_EQ(survey::FormatResult(packed), "269.595999");
  EXPECT_EQ(Bits(packed), Bits(LiteralDegreesToPacked(269.9999984647655)));
}

// 45.30 is the double 45.29999999999999716, whose minute digits taken
// literally read 29: every whole minute must read as itself.
TEST(PackedAngle, WholeMinutesReadAsThemselvesForEveryMinute) {
  const int degrees[] = {0, 1, 7, 30, 45, 89, 90, 179, 180, 269, 359, 1234};
  for (int d : degrees) {
    for (int m = 0; m < 60; ++m) {
      char text[32];
      std::snprintf(text, sizeof text, "%d.%02d", d, m);
      const double expected = d + m * kOneSixtieth;
      EXPECT_EQ(Bits(PackedToDegrees(Typed(text))), Bits(expected)) << text;
      // The same with a minus sign: floor and the signed remainder apply
      // to the exact value, so -45.30 is -46 - 30/60.
      const std::string negative = std::string("-") + text;
      const double negExpected = m == 0 ? -static_cast<double>(d) : -(d + 1) + (-m) * kOneSixtieth;
      EXPECT_EQ(Bits(PackedToDegrees(Typed(negative)) + 0.0), Bits(negExpected + 0.0)) << negative;
    }
  }
  EXPECT_EQ(PackedToDegrees(45.30), 45.5);
  EXPECT_EQ(PackedToDegrees(30.15), 30.25);
  EXPECT_EQ(PackedToDegrees(45.40), 45 + 40 * kOneSixtieth);
}

TEST(PackedAngle, SecondsDigitsZeroWithAFractionFurtherDownAreKept) {
  // 45°30'00.01", 45°30'00.001", 30°15'00.0001": a little above the minute.
  const char* texts[] = {"45.300001", "45.3000001", "30.1500000001", "45.4000005"};
  for (const char* text : texts) {
    const double packed = Typed(text);
    const double degrees = PackedToDegrees(packed);
    EXPECT_EQ(Bits(degrees), Bits(LiteralPackedToDegrees(packed))) << text;
  }
  EXPECT_GT(PackedToDegrees(Typed("45.3000001")), 45.5);
  EXPECT_LT(PackedToDegrees(Typed("45.3000001")), 45.5 + 0.002 / 3600);
}

// The guard may only touch values within a hair of a whole minute: anything
// with seconds well away from 00 is exactly the literal steps' result.
TEST(PackedAngle, ValuesAwayFromWholeMinutesFollowTheStepsExactly) {
  std::mt19937_64 random(20261208);
  std::uniform_int_distribution<int> degree(-400, 400);
  std::uniform_int_distribution<int> minute(0, 59);
  std::uniform_real_distribution<double> second(0.01, 59.99);
  for (int i = 0; i < 200000; ++i) {
    char text[48];
    std::snprintf(text, sizeof text, "%d.%02d%07.4f", degree(random), minute(random),
                  second(random));
    std::string digits(text);
    digits.erase(digits.find('.', digits.find('.') + 1), 1);  // packed form
    const double packed = Typed(digits);
    ASSERT_EQ(Bits(PackedToDegrees(packed)), Bits(LiteralPackedToDegrees(packed))) << digits;
    const double angle = std::ldexp(static_cast<double>(random() >> 11), -44);
    const double minutes = angle * 60.0;
    if (std::fabs(minutes - std::nearbyint(minutes)) > 1e-9) {
      ASSERT_EQ(Bits(DegreesToPacked(angle)), Bits(LiteralDegreesToPacked(angle))) << angle;
    }
  }
}

TEST(PackedAngle, ValidAnglesSurviveTheRoundTripToTheSixDecimalText) {
  for (int d = 0; d < 360; ++d) {
    for (int m = 0; m < 60; ++m) {
      for (int s = 0; s < 60; ++s) {
        char text[32];
        std::snprintf(text, sizeof text, "%d.%02d%02d", d, m, s);
        ASSERT_EQ(survey::FormatResult(DegreesToPacked(PackedToDegrees(Typed(text)))),
                  std::string(text) + "00");
      }
    }
  }
  // Fractions of a second, sampled.
  for (int d = 3; d < 360; d += 41) {
    for (int m = 0; m < 60; ++m) {
      for (int s = 1; s < 6000; s += 97) {
        char text[32];
        std::snprintf(text, sizeof text, "%d.%02d%04d", d, m, s);
        ASSERT_EQ(survey::FormatResult(DegreesToPacked(PackedToDegrees(Typed(text)))), text);
      }
    }
  }
}

// Decimal degrees a hair below a whole minute (as atan2 can produce) must
// pack as that minute: 1°01' must not come out as 1°00' or 0°30'60".
TEST(PackedAngle, DegreesAHairBelowAWholeMinutePackAsThatMinute) {
  EXPECT_EQ(survey::FormatResult(DegreesToPacked(1 + kOneSixtieth)), "1.010000");
  EXPECT_EQ(survey::FormatResult(DegreesToPacked(31 * kOneSixtieth)), "0.310000");
  EXPECT_EQ(DegreesToPacked(360.0), 360.0);
  EXPECT_EQ(DegreesToPacked(-1.5), -2.3);  // floor and signed remainder, as ever
}

}  // namespace
