#include "reader/fields/packed_digits.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <limits>
#include <random>
#include <sstream>
#include <string>

#include "reader/fields/number_text.h"

namespace {

TEST(PackedDigits, ReadsMinutesAndSecondsFromTheWrittenDigits) {
  struct Case {
    const char* text;
    int minutes;
    int seconds;
  };
  const Case cases[] = {
      {"45.302512", 30, 25},
      {"45.30", 30, 0},
      {"45.3", 30, 0},
      {"45", 0, 0},
      {"45.", 0, 0},
      {".5959", 59, 59},
      {"-45.3025", 30, 25},
      {"+0.0001", 0, 1},
      {"45.6", 60, 0},
      {"45.0060", 0, 60},
      {"359.5999", 59, 99},
      {"4530.25e-2", 30, 25},
      {"0.4530d2", 30, 0},
      {"45302512E-6", 30, 25},
      {"4.53025e1", 30, 25},
      {"45.3025e-9", 0, 0},
      {"1e400", 0, 0},
      {"1e-400", 0, 0},
      {"0.0000000001e7", 0, 10},
  };
  for (const Case& c : cases) {
    const reading::PackedDigits digits = reading::ReadPackedDigits(c.text);
    EXPECT_EQ(digits.minutes, c.minutes) << c.text;
    EXPECT_EQ(digits.seconds, c.seconds) << c.text;
  }
}

TEST(PackedDigits, PlainDecimalsFindTheSameAzimuthFaults) {
  const char* texts[] = {"45.302512", "45.6",    "45.59",    "45.5960", "45.0060",
                         "45.006",    "45.0059", "-45.3",    "-45.7",   "-0",
                         "-0.0001",   "360",     "360.",     ".6",      "+.0060",
                         "7.595999",  "0.00",    "12.34567", "-12.5960"};
  for (const char* text : texts) {
    const double value = std::stod(text);
    EXPECT_EQ(reading::FindPlainAzimuthFault(text, value), reading::FindAzimuthFault(text, value))
        << text;
  }
}

}  // namespace

namespace {

std::string Angle(double packed, int decimals) {
  std::string text;
  reading::AppendPackedAngle(text, packed, decimals);
  return text;
}

// Whether the minutes and seconds digits written in `text` are below 60.
bool IsValidPackedText(const std::string& text) {
  const std::size_t point = text.find('.');
  if (point == std::string::npos) return true;
  const std::string digits = text.substr(point + 1) + "0000";
  return digits[0] < '6' && digits[2] < '6';
}

// The angle a packed text (at most twelve decimals) stands for, in units of
// 10^-8 seconds.
long long Units(const std::string& text) {
  const std::size_t point = text.find('.');
  std::string decimals = point == std::string::npos ? "" : text.substr(point + 1);
  decimals.resize(12, '0');
  const long long degrees = std::stoll(text.substr(0, point));
  const long long minutes = std::stoll(decimals.substr(0, 2));
  const long long seconds = std::stoll(decimals.substr(2, 2));
  return ((degrees * 60 + minutes) * 60 + seconds) * 100'000'000 + std::stoll(decimals.substr(4));
}

// The angle unit of the last of `decimals` packed decimals, in 10^-8 s.
long long UnitOfDecimals(int decimals) {
  const long long units[] = {3600'00000000, 600'00000000, 60'00000000, 10'00000000, 1'00000000};
  if (decimals < 4) return units[decimals];
  long long unit = units[4];
  for (int i = 4; i < decimals; ++i) unit /= 10;
  return unit;
}

TEST(PackedAngle, SecondsAndMinutesOfSixtyCarryOnTheWrittenDigits) {
  struct Case {
    double packed;
    int decimals;
    const char* text;
  };
  const Case cases[] = {
      {45.345970, 4, "45.3500"},  // 45°34'59.70"
      {45.345970, 3, "45.350"},
      {45.345970, 2, "45.35"},
      {45.345970, 5, "45.34597"},
      {359.5959999, 2, "360.00"},  // 359°59'59.99"
      {359.5959999, 1, "360.0"},
      {359.5959999, 0, "360"},
      {359.5959999, 6, "360.000000"},  // the form shows 359.596000
      {359.59599999, 7, "360.0000000"},
      {99.5959999, 4, "100.0000"},
      {9.5959999, 4, "10.0000"},
      {0.0059999, 4, "0.0100"},
      {12.5959999, 6, "13.000000"},
      // to whole minutes or degrees, 30 seconds or minutes round up
      {45.3040, 2, "45.31"},
      {45.302999, 2, "45.30"},
      {45.3030, 2, "45.31"},
      {45.5930, 2, "46.00"},
      {45.2959999, 0, "45"},
      {45.2959999999999, 2, "45.30"},
      {45.30, 0, "46"},
      {359.30, 0, "360"},
      {0.0030, 2, "0.01"},
      // digits below 60 stay as "%f" writes them
      {45.302512, 6, "45.302512"},
      {269.5959994, 6, "269.595999"},
      {45.5959, 4, "45.5959"},
      {90.0000015352345, 6, "90.000002"},
      {360.0, 6, "360.000000"},
      {0.0, 0, "0"},
      {-0.0, 6, "-0.000000"},
      // the double nearest to whole minutes, a hair below them, is those
      // minutes; one further below reads as its digits say, 99 seconds
      {45.30, 16, "45.3000000000000000"},
      {-45.30, 20, "-45.30000000000000000000"},
      {45.2999999999999, 16, "45.3039999999998977"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Angle(c.packed, c.decimals), c.text) << c.packed << " at " << c.decimals;
  }
}

TEST(PackedAngle, AnglesRoundToTheirLastDigitAndOnlyThoseWithSixtyChange) {
  std::mt19937_64 random(5);
  for (int i = 0; i < 300000; ++i) {
    // Up to six decimals of a second, far from any rounding tie of the
    // double that holds them.
    const long long exact = static_cast<long long>(random() % 360) * 3600'00000000 +
                            static_cast<long long>(random() % 60) * 60'00000000 +
                            static_cast<long long>(random() % 60'000000) * 100;
    std::ostringstream text;
    text << exact / 3600'00000000 << '.' << std::setfill('0') << std::setw(2)
         << exact / 60'00000000 % 60 << std::setw(10) << exact % 60'00000000;
    const double packed = std::stod(text.str());
    const int decimals = static_cast<int>(random() % 12);
    const long long unit = UnitOfDecimals(decimals);
    if (exact % unit == unit / 2) continue;  // a tie: the double decides
    const long long nearest = (exact + unit / 2) / unit * unit;
    const std::string angle = Angle(packed, decimals);
    ASSERT_TRUE(IsValidPackedText(angle)) << angle;
    ASSERT_EQ(Units(angle), nearest) << text.str() << " at " << decimals;
    std::string fixed;
    reading::AppendFixed(fixed, packed, decimals);
    if (IsValidPackedText(fixed) && decimals != 0 && decimals != 2) {
      ASSERT_EQ(angle, fixed);
    }
  }
}

}  // namespace

namespace {

TEST(DmsAngle, SecondsRoundAsThePackedAngleWithFourMoreDecimals) {
  struct Case {
    double packed;
    int secondsDecimals;
    const char* text;
  };
  const Case cases[] = {
      {109.514912, 0, "109°51′49″"},
      {109.514912, 2, "109°51′49.12″"},
      // 59.9999″ carries into the minutes where its decimals are dropped
      {10.2959999, 0, "10°30′00″"},
      {10.2959999, 3, "10°29′59.999″"},
      // 359°59′59.99″: 360 stays 360
      {359.595999, 0, "360°00′00″"},
      {359.595999, 1, "360°00′00.0″"},
      // whole minutes, also where the double lies a hair below them
      {45.30, 16, "45°30′00.0000000000000000″"},
      {0.0, 0, "0°00′00″"},
      // past sixteen decimals the packed text is longer than --decimals
      // allows: the exact digits of the double
      {45.302512, 20, "45°30′25.12000000000114141585″"},
      {359.596, 20, "360°00′00.00000000003637978807″"},
  };
  for (const Case& c : cases) {
    std::string text;
    reading::AppendDmsAngle(text, c.packed, c.secondsDecimals);
    EXPECT_EQ(text, c.text) << c.packed << " at " << c.secondsDecimals;
  }
}

TEST(DmsAngle, TheLongestTextHasRoomForAllItsDigits) {
  std::string text;
  reading::AppendDmsAngle(text, -std::numeric_limits<double>::max(), reading::kMaxDecimals);
  // A sign, 309 digits, the marks, 2 + 2 + 21 digits.
  EXPECT_EQ(text.size(), 343u);
  EXPECT_TRUE(text.starts_with("-17976931348623157") &&
              text.ends_with("°00′00.00000000000000000000″"));
}

}  // namespace
