// The field readers a road's and an answer's angles go through: a chainage
// field as plain metres or K1+234.567, and an angle written packed or as
// D°M′S″ with the decimals of a packed angle.

#include <gtest/gtest.h>

#include <string>

#include "reader/fields/angle_text.h"
#include "reader/fields/chainage_field.h"

namespace {

TEST(ChainageField, ReadsMetresAndKilometrePlusMetresWithEitherDecimalMark) {
  struct Case {
    const char* text;
    double metres;
  };
  for (const Case& c : {Case{"1234.567", 1234.567}, Case{"K1+234.567", 1234.567},
                        Case{"K0+209,047", 209.047}, Case{"0", 0.0}, Case{"K12+000", 12000.0}}) {
    double value = -1.0;
    std::string problem;
    EXPECT_TRUE(reading::ReadChainageField("CHAINAGE", c.text, value, problem))
        << c.text << ": " << problem;
    EXPECT_EQ(value, c.metres) << c.text;
  }
}

TEST(ChainageField, SaysWhatItIsNotAndANumbersOwnFault) {
  double value = 0.0;
  std::string problem;
  EXPECT_FALSE(reading::ReadChainageField("CHAINAGE", "K1-20", value, problem));
  EXPECT_EQ(problem, "CHAINAGE is not a chainage (1234.567 or K1+234.567): \"K1-20\"");
  EXPECT_FALSE(reading::ReadChainageField("CHAINAGE", "1e999", value, problem));
  EXPECT_EQ(problem, "CHAINAGE is out of range: \"1e999\"");
}

TEST(AngleText, WritesPackedOrDmsRoundedToTheSamePlace) {
  struct Case {
    double packed;
    reading::AngleFormat format;
    int decimals;
    const char* text;
  };
  using reading::AngleFormat;
  const Case cases[] = {
      {109.514912, AngleFormat::kPacked, 4, "109.5149"},
      {109.514912, AngleFormat::kDms, 4, "109°51′49″"},
      {109.514912, AngleFormat::kDms, 6, "109°51′49.12″"},
      {109.514912, AngleFormat::kPacked, 6, "109.514912"},
  };
  for (const Case& c : cases) {
    std::string text;
    reading::AppendAngle(text, c.packed, c.format, c.decimals);
    EXPECT_EQ(text, c.text);
  }
  EXPECT_TRUE(reading::AngleDecimalsFit(AngleFormat::kPacked, 0));
  EXPECT_FALSE(reading::AngleDecimalsFit(AngleFormat::kDms, 3));
}

TEST(AngleText, TheFormatsAreNamedAsTheOptionTakesThem) {
  reading::AngleFormat format = reading::AngleFormat::kPacked;
  EXPECT_TRUE(reading::ReadAngleFormat("dms", format));
  EXPECT_EQ(format, reading::AngleFormat::kDms);
  EXPECT_EQ(reading::AngleFormatName(format), "dms");
  EXPECT_TRUE(reading::ReadAngleFormat("packed", format));
  EXPECT_EQ(format, reading::AngleFormat::kPacked);
  EXPECT_FALSE(reading::ReadAngleFormat("DMS", format));
  EXPECT_FALSE(reading::ReadAngleFormat("", format));
  EXPECT_EQ(format, reading::AngleFormat::kPacked);  // left as it was
}

}  // namespace
