#include "cli/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using calc::ParseOptions;
using reading::Mode;

TEST(Options, ReadsModeStationDecimalsFilesAndValues) {
  const calc::Options options =
      ParseOptions({"inverse", "--from", "-1000.5,2000", "--decimals=3", "-i", "a.txt", "-i", "-"});
  ASSERT_EQ(options.error, "");
  EXPECT_EQ(options.sheet.settings.mode, Mode::kInverse);
  EXPECT_TRUE(options.sheet.settings.hasStation);
  EXPECT_EQ(options.sheet.settings.station.x, -1000.5);
  EXPECT_EQ(options.sheet.settings.station.y, 2000.0);
  EXPECT_EQ(options.sheet.settings.decimals, 3);
  EXPECT_FALSE(options.sheet.settings.azimuthDecimals.has_value());
  EXPECT_EQ(options.files, (std::vector<std::string>{"a.txt", "-"}));

  // Negative values are values, not options; "--" ends the options.
  const calc::Options negative = ParseOptions({"forward", "-1", "-.5", "--", "-45", "--decimals"});
  ASSERT_EQ(negative.error, "");
  EXPECT_EQ(negative.sheet.settings.mode, Mode::kForward);
  EXPECT_EQ(negative.values, (std::vector<std::string>{"-1", "-.5", "-45", "--decimals"}));
  EXPECT_EQ(ParseOptions({"forward", "P1", "1", "2", "3", "4"}).error, "");
  const calc::Options azimuth =
      ParseOptions({"inverse", "--azimuth-decimals", "4", "--decimals=2"});
  EXPECT_EQ(azimuth.sheet.settings.decimals, 2);
  EXPECT_EQ(azimuth.sheet.settings.azimuthDecimals, 4);
  EXPECT_TRUE(ParseOptions({"--help"}).help);
  EXPECT_TRUE(ParseOptions({"--version"}).version);
}

// The longest list --columns takes, for setout: x,y and 30 ignored.
std::string MostColumns() {
  std::string list = "x,y";
  for (int i = 0; i < 30; ++i) list += ",-";
  return list;
}

TEST(Options, SetoutFindsTheBacksightDirectionAndShowsIt) {
  const calc::Options point = ParseOptions({"setout", "--station", "0,0", "--backsight", "70,71.4",
                                            "--decimals=3", "--azimuth-decimals=4"});
  ASSERT_EQ(point.error, "");
  EXPECT_EQ(point.sheet.settings.mode, Mode::kSetout);
  EXPECT_TRUE(point.sheet.settings.hasStation);
  EXPECT_EQ(point.sheet.settings.backsightDegrees, 45.567267187151714);
  EXPECT_EQ(point.sheet.checkLine, "station to backsight: azimuth 45.3402 distance 99.990");

  const calc::Options azimuth =
      ParseOptions({"setout", "--from=0,0", "--backsight-azimuth=45.3025"});
  ASSERT_EQ(azimuth.error, "");
  // 45 + 30/60 + 25/3600, the double nearest to 45°30'25".
  EXPECT_EQ(azimuth.sheet.settings.backsightDegrees, 45.50694444444444);
  EXPECT_EQ(azimuth.sheet.checkLine, "station to backsight: azimuth 45.302500");
  EXPECT_EQ(ParseOptions({"setout", "--station", "0,0", "--backsight-azimuth", "360", "--columns",
                          "-,x,y,-,h,code,-,name"})
                .error,
            "");
  EXPECT_EQ(ParseOptions({"setout", "--station", "0,0", "--backsight-azimuth", "0", "--columns",
                          MostColumns()})
                .sheet.settings.columns.size(),
            32u);
  EXPECT_EQ(ParseOptions({"forward", "--columns", "azimuth,-,y0,x0,distance"})
                .sheet.settings.columns.size(),
            5u);
}

TEST(Options, BadSetoutsAndColumnListsSayWhatIsWrong) {
  const std::vector<std::string> setout = {"setout", "--station", "0,0", "--backsight", "100,0"};
  auto with = [&](std::vector<std::string> more) {
    more.insert(more.begin(), setout.begin(), setout.end());
    return more;
  };
  struct Case {
    std::vector<std::string> args;
    const char* error;
  };
  const Case cases[] = {
      {{"setout", "--backsight", "1,1"}, "setout needs --station X,Y or --station-point NAME"},
      {{"setout", "--station", "1,1"},
       "setout needs --backsight X,Y, --backsight-point NAME or --backsight-azimuth A"},
      {with({"--backsight-azimuth", "0"}), "give --backsight or --backsight-azimuth, not both"},
      {{"setout", "--station", "1,-2", "--backsight", "1,-2"},
       "the backsight is the station: give another point"},
      {{"setout", "--station", "-1e308,0", "--backsight", "1e308,0"},
       "the distance from station to backsight is out of range"},
      {{"setout", "--station", "0,0", "--backsight-azimuth", "45.6"},
       "--backsight-azimuth has minutes of 60 or more: 45.6"},
      {{"setout", "--station", "0,0", "--backsight-azimuth", "45.0060"},
       "--backsight-azimuth has seconds of 60 or more: 45.0060"},
      {{"setout", "--station", "0,0", "--backsight-azimuth", "-0.0001"},
       "--backsight-azimuth is negative: -0.0001 (add 360)"},
      {{"setout", "--station", "0,0", "--backsight-azimuth", "360.0001"},
       "--backsight-azimuth needs a packed azimuth from 0 to 360: 360.0001"},
      {{"setout", "--station", "0,0", "--backsight-azimuth", "N45E"},
       "--backsight-azimuth needs a packed azimuth from 0 to 360: N45E"},
      {{"setout", "--station", "0"}, "--station needs X0,Y0, two numbers: 0"},
      {with({"--station", "1,1"}), "--station given twice"},
      {{"forward", "--backsight", "1,1"}, "--backsight is for setout"},
      {{"inverse", "--backsight-azimuth", "1"}, "--backsight-azimuth is for setout"},
      {with({"--columns", "name,code,y,x,z"}),
       "--columns: unknown role \"z\"; the roles are name, code, x, y, h and -"},
      {with({"--columns", "name,X,Y"}),
       "--columns: unknown role \"X\"; the roles are name, code, x, y, h and -"},
      {with({"--columns", "name,,x,y"}),
       "--columns: unknown role \"\"; the roles are name, code, x, y, h and -"},
      {with({"--columns", "name,x,y,x"}), "--columns: role x given twice"},
      {with({"--columns", "name,code,y,h"}), "--columns: no column for x"},
      {with({"--columns", MostColumns() + ",-"}), "--columns: more than 32 columns"},
      {{"forward", "--columns", "x0,y0,az,distance"},
       "--columns: unknown role \"az\"; the roles are name, x0, y0, azimuth, "
       "distance and -"},
      {{"forward", "--from", "0,0", "--columns", "x0,y0,azimuth,distance"},
       "--columns: unknown role \"x0\"; the roles are name, azimuth, distance "
       "and -"},
      {{"inverse", "--columns", "x0,y0,x1,y1,h"},
       "--columns: unknown role \"h\"; the roles are name, x0, y0, x1, y1 and -"},
      {with({"--columns", "name,x,y", "1", "2"}), "expected 3 values, one a column"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseOptions(c.args).error, c.error) << c.error;
  }
}

TEST(Options, BadCommandLinesSayWhatIsWrong) {
  struct Case {
    std::vector<std::string> args;
    const char* error;
  };
  const Case cases[] = {
      {{}, "say forward, inverse, setout, stake, locate, alignment, orient, freestation, intersect, "
       "grid, fourparam, project or rezone"},
      {{"--decimals", "3"},
       "say forward, inverse, setout, stake, locate, alignment, orient, freestation, intersect, "
       "grid, fourparam, project or rezone"},
      {{"sideways"}, "unknown mode sideways"},
      {{"forward", "--fast"}, "unknown option --fast"},
      {{"forward", "--decimals"}, "--decimals needs a value"},
      {{"forward", "--decimals", "21"}, "--decimals needs a whole number from 0 to 20: 21"},
      {{"forward", "--decimals=-1"}, "--decimals needs a whole number from 0 to 20: -1"},
      {{"forward", "--decimals", "3x"}, "--decimals needs a whole number from 0 to 20: 3x"},
      {{"forward", "--azimuth-decimals=21"},
       "--azimuth-decimals needs a whole number from 0 to 20: 21"},
      {{"forward", "--from", "1000"}, "--from needs X0,Y0, two numbers: 1000"},
      {{"forward", "--from", "1000, 2000"}, "--from needs X0,Y0, two numbers: 1000, 2000"},
      {{"forward", "--from", "1e999,0"}, "--from needs X0,Y0, two numbers: 1e999,0"},
      {{"forward", "--from", "0,1e-999"}, "--from needs X0,Y0, two numbers: 0,1e-999"},
      {{"forward", "--from", "0,0", "--from=1,1"}, "--from given twice"},
      {{"forward", "--decimals=2", "--decimals", "3"}, "--decimals given twice"},
      {{"inverse", "--azimuth-decimals=2", "--azimuth-decimals=2"},
       "--azimuth-decimals given twice"},
      {{"--help=foo"}, "--help takes no value"},
      {{"forward", "--version=2"}, "--version takes no value"},
      {{"forward", "-i", "a", "1", "2", "3", "4"}, "give values or -i FILE, not both"},
      {{"forward", "1", "2", "3"}, "expected 4 values (optionally led by a point name)"},
      // text where a number belongs is named before the values are counted
      {{"forward", "0", "0", "abc"}, "AZIMUTH is not a number: \"abc\""},
      {{"forward", "P1", "0", "0", "-1", "1", "2"}, "P1: AZIMUTH is negative: \"-1\" (add 360)"},
      {{"inverse", "--from", "0,0", "1", "2", "3", "4"},
       "expected 2 values (optionally led by a point name)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseOptions(c.args).error, c.error) << c.error;
  }
}

// The road's options, checked before any file is read.
TEST(Options, BadRoadCommandLinesSayWhatIsWrong) {
  struct Case {
    std::vector<std::string> args;
    const char* error;
  };
  const Case cases[] = {
      {{"stake", "120"},
       "give the road: --alignment FILE (a JD table) or --elements FILE (an element table)"},
      {{"locate", "--alignment", "a", "--elements", "b"},
       "give --alignment or --elements, not both"},
      {{"stake", "--alignment", "a", "--station", "1,2"},
       "--from (or --station) is for forward, inverse, setout and orient"},
      {{"setout", "--station", "1,2", "--backsight", "3,4", "--alignment", "a"},
       "--alignment is for stake, locate and alignment"},
      {{"locate", "--alignment", "a", "--every", "20"}, "--every is for stake"},
      {{"orient", "--station", "1,2", "--control", "c", "--every", "20"},
       "--every is for stake"},
      {{"freestation", "--control", "c", "--profile", "p"}, "--profile is for stake and locate"},
      {{"intersect", "--control", "c", "--alignment", "a"},
       "--alignment is for stake, locate and alignment"},
      {{"stake", "--alignment", "a", "--control", "c"},
       "--control is for forward, inverse, setout, orient, freestation and intersect"},
      {{"alignment", "--alignment", "a", "--profile", "p"}, "--profile is for stake and locate"},
      {{"alignment", "--alignment", "a", "--columns", "name,x,y"},
       "--columns is for forward, inverse, setout, stake and locate"},
      {{"stake", "--alignment", "a", "--offsets", "-10,10"}, "--offsets needs --every D"},
      {{"stake", "--every", "0"}, "--every needs a length above 0: 0"},
      {{"stake", "--offsets", "10,-5,10"},
       "--offsets needs offsets other than 0, each once, e.g. -10,10: 10,-5,10"},
      {{"stake", "--start-chainage", "K1-200"},
       "--start-chainage needs a chainage, 1234.567 or K1+234.567: K1-200"},
      {{"stake", "--elements", "e", "--start-chainage", "100"},
       "--start-chainage is for --alignment: an element table gives its start chainage"},
      {{"stake", "--elements", "e", "--alignment-columns", "name,x,y"},
       "--alignment-columns is for --alignment"},
      {{"stake", "--alignment", "a", "--alignment-columns", "name,y"},
       "--alignment-columns: no column for x"},
      {{"stake", "--alignment", "a", "--alignment-columns", "x,y,r"},
       "--alignment-columns: no column for name"},
      {{"alignment", "--alignment", "a", "100"},
       "alignment reads no rows: give no values nor -i FILE"},
      {{"stake", "--alignment", "a", "--every", "20", "-i", "rows.txt"},
       "give --every or rows (values, -i FILE), not both"},
      {{"stake", "--alignment", "/nonexistent/road.csv"},
       "cannot open /nonexistent/road.csv: No such file or directory"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseOptions(c.args).error, c.error) << c.error;
  }
}

}  // namespace

namespace {

TEST(Options, TransformationWordsPickTheirModeByTheirOptions) {
  const struct {
    std::vector<std::string> args;
    Mode mode;
  } cases[] = {
      {{"grid", "--origin", "1,2", "--azimuth", "30"}, Mode::kGrid},
      {{"--inverse", "grid", "--origin=1,2", "--axis-point", "3,4"}, Mode::kGridInverse},
      {{"fourparam"}, Mode::kFourParamFit},
      {{"fourparam", "--apply", "1,2,-0.3,1.000012"}, Mode::kFourParam},
      {{"fourparam", "--apply", "1,2,0,1", "--inverse"}, Mode::kFourParamInverse},
      {{"project"}, Mode::kProject},
      {{"project", "--zone", "38", "--inverse"}, Mode::kProjectInverse},
      {{"rezone", "--from-zone", "20", "--zone-width", "6", "--to-zone", "39", "--to-zone-width",
        "3"},
       Mode::kRezone},
  };
  for (const auto& c : cases) {
    const calc::Options options = ParseOptions(c.args);
    ASSERT_EQ(options.error, "") << c.args[0];
    EXPECT_EQ(options.sheet.settings.mode, c.mode) << c.args[0];
    ASSERT_NE(options.transform, nullptr);
    EXPECT_NE(options.sheet.settings.transform, nullptr);
  }
  // The header comment states the job; -0.3 stays -30′.
  EXPECT_EQ(ParseOptions({"fourparam", "--apply", "1,2,-0.3,1.000012", "--decimals", "2"})
                .sheet.headerComment,
            "# four parameters DX DY THETA M 1.00 2.00 -0.30 1.00001200");
  EXPECT_EQ(ParseOptions({"rezone", "--from-zone", "20", "--zone-width", "6", "--to-meridian",
                          "-117", "--decimals", "1"})
                .sheet.headerComment,
            "# rezone from CGCS2000 6° zone 20, false easting 500000.0 / to CGCS2000 6° zone, "
            "central meridian -117.0, false easting 500000.0");
}

TEST(Options, BadTransformationOptionsSayWhatIsWrong) {
  const struct {
    std::vector<std::string> args;
    std::string error;
  } cases[] = {
      {{"grid", "--origin", "1,2", "--origin", "3,4"}, "--origin given twice"},
      {{"grid", "--origin", "1"}, "--origin needs X0,Y0, two numbers: 1"},
      {{"grid", "--origin", "0,0", "--azimuth", "1", "--axis-point", "1,1"},
       "give --azimuth or --axis-point, not both"},
      {{"fourparam", "--apply", "1,2,30.6,1"}, "--apply's THETA has minutes of 60 or more: 30.6"},
      {{"fourparam", "--apply", "1,2,0,1", "--limit", "5"}, "--limit is for a fit: give no --apply"},
      {{"fourparam", "--leave-out", "A,,B"}, "--leave-out needs NAME[,NAME...]: A,,B"},
      {{"fourparam", "--limit", "0"}, "the residual limit must be above 0 mm: 0"},
      {{"project", "--ellipsoid", "krassovsky"},
       "--ellipsoid needs cgcs2000, wgs84, xian80 or beijing54: krassovsky"},
      {{"project", "--central-meridian", "114.6"},
       "--central-meridian has minutes of 60 or more: 114.6"},
      {{"project", "--zone", "38", "--central-meridian", "117"},
       "give --zone or --central-meridian, not both"},
      {{"project", "--zone-prefix", "--central-meridian", "114.3"},
       "the central meridian 114.5° is no zone's: y can carry no zone number"},
      {{"rezone", "--from-zone", "38"},
       "rezone needs the zone they go to: --to-zone M or --to-meridian L0"},
      {{"rezone", "--from-zone", "38", "--to-zone", "39", "--degrees"}, "--degrees is for project"},
      {{"grid", "--origin", "0,0", "--azimuth", "0", "--columns", "name,x,y"},
       "--columns is for forward, inverse, setout, stake and locate"},
      {{"inverse", "--origin", "0,0"}, "--origin is for grid"},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseOptions(c.args).error, c.error) << c.args[1];
}

}  // namespace
