#include "cli/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using calc::Mode;
using calc::ParseOptions;

TEST(Options, ReadsModeStationDecimalsFilesAndValues) {
  const calc::Options options = ParseOptions(
      {"inverse", "--from", "-1000.5,2000", "--decimals=3", "-i", "a.txt",
       "-i", "-"});
  ASSERT_EQ(options.error, "");
  EXPECT_EQ(options.settings.mode, Mode::kInverse);
  EXPECT_TRUE(options.settings.hasStation);
  EXPECT_EQ(options.settings.station.x, -1000.5);
  EXPECT_EQ(options.settings.station.y, 2000.0);
  EXPECT_EQ(options.settings.decimals, 3);
  EXPECT_FALSE(options.settings.azimuthDecimals.has_value());
  EXPECT_EQ(options.files, (std::vector<std::string>{"a.txt", "-"}));

  // Negative values are values, not options; "--" ends the options.
  const calc::Options negative =
      ParseOptions({"forward", "-1", "-.5", "--", "-45", "--decimals"});
  ASSERT_EQ(negative.error, "");
  EXPECT_EQ(negative.settings.mode, Mode::kForward);
  EXPECT_EQ(negative.values,
            (std::vector<std::string>{"-1", "-.5", "-45", "--decimals"}));
  EXPECT_EQ(ParseOptions({"forward", "P1", "1", "2", "3", "4"}).error, "");
  const calc::Options azimuth =
      ParseOptions({"inverse", "--azimuth-decimals", "4", "--decimals=2"});
  EXPECT_EQ(azimuth.settings.decimals, 2);
  EXPECT_EQ(azimuth.settings.azimuthDecimals, 4);
  EXPECT_TRUE(ParseOptions({"--help"}).help);
  EXPECT_TRUE(ParseOptions({"--version"}).version);
}

TEST(Options, BadCommandLinesSayWhatIsWrong) {
  struct Case {
    std::vector<std::string> args;
    const char* error;
  };
  const Case cases[] = {
      {{}, "say forward or inverse"},
      {{"--decimals", "3"}, "say forward or inverse"},
      {{"sideways"}, "unknown mode sideways"},
      {{"forward", "--fast"}, "unknown option --fast"},
      {{"forward", "--decimals"}, "--decimals needs a value"},
      {{"forward", "--decimals", "21"},
       "--decimals needs a whole number from 0 to 20: 21"},
      {{"forward", "--decimals=-1"},
       "--decimals needs a whole number from 0 to 20: -1"},
      {{"forward", "--decimals", "3x"},
       "--decimals needs a whole number from 0 to 20: 3x"},
      {{"forward", "--azimuth-decimals=21"},
       "--azimuth-decimals needs a whole number from 0 to 20: 21"},
      {{"forward", "--from", "1000"}, "--from needs X0,Y0, two numbers: 1000"},
      {{"forward", "--from", "1000, 2000"},
       "--from needs X0,Y0, two numbers: 1000, 2000"},
      {{"forward", "--from", "1e999,0"},
       "--from needs X0,Y0, two numbers: 1e999,0"},
      {{"forward", "--from", "0,1e-999"},
       "--from needs X0,Y0, two numbers: 0,1e-999"},
      {{"forward", "--from", "0,0", "--from=1,1"}, "--from given twice"},
      {{"forward", "--decimals=2", "--decimals", "3"}, "--decimals given twice"},
      {{"inverse", "--azimuth-decimals=2", "--azimuth-decimals=2"},
       "--azimuth-decimals given twice"},
      {{"--help=foo"}, "--help takes no value"},
      {{"forward", "--version=2"}, "--version takes no value"},
      {{"forward", "-i", "a", "1", "2", "3", "4"},
       "give values or -i FILE, not both"},
      {{"forward", "1", "2", "3"},
       "expected 4 values (optionally led by a point name)"},
      // text where a number belongs is named before the values are counted
      {{"forward", "0", "0", "abc"}, "AZIMUTH is not a number: \"abc\""},
      {{"forward", "P1", "0", "0", "-1", "1", "2"},
       "P1: AZIMUTH is negative: \"-1\" (add 360)"},
      {{"inverse", "--from", "0,0", "1", "2", "3", "4"},
       "expected 2 values (optionally led by a point name)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseOptions(c.args).error, c.error) << c.error;
  }
}

}  // namespace
