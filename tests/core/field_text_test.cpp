#include "core/field_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

namespace {

using survey::FormatResult;
using survey::ParseField;

TEST(FieldText, ReadsLikeTheRuntimesDecimalStrtod) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"", 0.0},
      {"12", 12.0},
      {"  \t7", 7.0},  // leading white space is skipped
      {"+5.", 5.0},
      {"-.5", -0.5},
      {"12abc", 12.0},  // whatever follows the number is ignored
      {"abc", 0.0},     // text without a number reads as 0
      {".", 0.0},
      {"+", 0.0},
      {"1e3", 1000.0},
      {"1E-2", 0.01},
      {"1d3", 1000.0},  // the old runtime's D exponent
      {"1.5D+2x", 150.0},
      {"2e", 2.0},  // an exponent needs a digit
      {"2e+", 2.0},
      {"0x1A", 0.0},  // hexadecimal is not a number
      {"inf", 0.0},   // neither are infinity and NaN spellings
      {"-infinity", 0.0},
      {"nan", 0.0},
      {"1,5", 1.0},  // "." is the only decimal separator
      {"45.3025", 45.3025},
      {"1000.082282", 1000.082282},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseField(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(survey::FoldNumberForms(c.text), c.text);  // ASCII text reads as it always has
  }
}

// As a Chinese input method types them in full-width mode or with Chinese
// punctuation. The full-width comma is no decimal point, and a form cut off
// at the end of the text is left alone.
TEST(FieldText, FullWidthFormsReadAsTheirAsciiTwins) {
  const std::pair<const char*, double> cases[] = {
      {"１０００", 1000},  {"45。3025", 45.3025}, {"－６．５ｅ＋２", -650},
      {"−３Ｅ－１", -0.3}, {"　 ＋７ｘ", 7},      {"1４．８9", 14.89},
      {"９，５", 9},       {"１\xEF\xBC", 1}};
  for (const auto& [text, value] : cases)
    EXPECT_EQ(ParseField(survey::FoldNumberForms(text)), value) << text;
}

TEST(FieldText, OutOfRangeExponentsReadAsTheRuntimeReadsThem) {
  EXPECT_EQ(ParseField("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseField("-1d400"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseField("1e-400"), 0.0);
  EXPECT_EQ(ParseField("4.9e-324"), std::numeric_limits<double>::denorm_min());
}

TEST(FieldText, OnlyTheFirst35CharactersCount) {
  const std::string digits35(35, '1');
  EXPECT_EQ(ParseField(digits35 + "999"), ParseField(digits35));
  EXPECT_EQ(ParseField(std::string(34, ' ') + "12"), 1.0);
  EXPECT_EQ(ParseField(std::string(35, ' ') + "12"), 0.0);
  EXPECT_EQ(ParseField("1234567890.1234567890123456789e" + std::string("5")),
            1234567890.1234567890123456789e5);
  // The exponent beyond character 35 is cut off.
  EXPECT_EQ(ParseField("1.0000000000000000000000000000000002e3"), 1.0);
}

TEST(FieldText, FormatsAsPercentFOfAnyMagnitude) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {0.0, "0.000000"},
      {-0.0, "-0.000000"},
      {1070.0822823, "1070.082282"},
      {0.0000005000001, "0.000001"},
      {-10.0, "-10.000000"},
      {1e28, "9999999999999999583119736832.000000"},
      {-1e27, "-1000000000000000013287555072.000000"},
      {std::numeric_limits<double>::infinity(), "inf"},
      {-std::numeric_limits<double>::infinity(), "-inf"},
      {std::numeric_limits<double>::quiet_NaN(), "nan"},
      {-std::numeric_limits<double>::quiet_NaN(), "nan"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatResult(c.value), c.text);
  const std::string widest = FormatResult(-std::numeric_limits<double>::max());
  EXPECT_EQ(widest.size(), 1 + 309 + 1 + 6u);
  EXPECT_EQ(widest.substr(0, 5), "-1797");
  // An exact tie rounds to the even neighbour, as correctly rounded "%f" does.
  EXPECT_EQ(FormatResult(1000.0078125), "1000.007812");
}

TEST(FieldText, TheProcessLocaleNeverChangesTheDecimalPoint) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
#ifdef _WIN32
  const char* const german = "German_Germany.1252";
#else
  const char* const german = "de_DE.UTF-8";
#endif
  ASSERT_NE(std::setlocale(LC_ALL, german), nullptr)
      << "the " << german << " locale is missing: scripts/deps.sh creates it";
  EXPECT_EQ(ParseField("1.5"), 1.5);
  EXPECT_EQ(ParseField("1,5"), 1.0);
  EXPECT_EQ(ParseField("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(FormatResult(1070.082282), "1070.082282");
  std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
