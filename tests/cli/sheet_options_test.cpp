#include "cli/option_table/sheet_options.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "reader/sheet/sheet_error_text.h"
#include "reader/sheet/sheet_resolver.h"

namespace {

using reading::KnownPoints;
using reading::Point;
using reading::SheetError;
using reading::SheetOptions;
using reading::SheetRequest;

// A control file as field software exports it: a header, a comment, points
// in the columns name,code,y,x,h, and one name given twice.
const char* const kControl =
    "Name,Code,E,N,H\r\n"
    "# traverse 7\r\n"
    "A1,,500000.000,3350000.000,20.5\r\n"
    "A2,nail,500020.000,3350150.000,\r\n"
    "\"A 3\",,500100,3350000,\r\n"
    "B1,,1,2,\r\n"
    "B1,,3,4,\r\n";

KnownPoints Control() {
  std::vector<reading::Column> columns;
  const char* const numbers[] = {"X", "Y"};
  EXPECT_FALSE(reading::ReadColumns("name,code,y,x,h", numbers, true, columns));
  KnownPoints points;
  EXPECT_FALSE(points.Read(kControl, columns, "ctl.dat"));
  return points;
}

// The setout request of these options, names looked up among known points
// where no --control is given.
SheetRequest Request(const std::vector<std::string>& args) {
  SheetOptions options;
  std::vector<std::string> rest;
  EXPECT_EQ(reading::TakeSheetOptions(args, options, rest), "");
  SheetRequest request;
  EXPECT_EQ(reading::RequestOf(options, reading::Mode::kSetout, reading::DesignNames(), request),
            "");
  return request;
}

// What the tool says about these options: "" when the sheet resolves.
std::string Resolved(const std::vector<std::string>& args, reading::Mode mode,
                     const KnownPoints* known) {
  SheetOptions options;
  std::vector<std::string> rest;
  std::string problem = reading::TakeSheetOptions(args, options, rest);
  SheetRequest request;
  if (problem.empty()) {
    const reading::KnownPointSource without =
        known ? reading::KnownPointSource(reading::DesignNames()) : std::monostate();
    problem = reading::RequestOf(options, mode, without, request);
  }
  reading::Sheet sheet;
  if (problem.empty())
    problem = reading::SheetErrorText(reading::ResolveSheet(request, sheet, known));
  return problem;
}

std::string Found(const KnownPoints& points, std::string_view name, Point& point) {
  const KnownPoints::Found found = points.Find(name, point);
  switch (found.what) {
    case KnownPoints::Found::What::kFound:
      return "";
    case KnownPoints::Found::What::kMissing:
      return "missing";
    case KnownPoints::Found::What::kTwice:
      return "lines " + std::to_string(found.line) + " and " + std::to_string(found.twiceLine);
  }
  return "?";
}

TEST(KnownPoints, AreFoundByNameAndANameGivenTwiceIsNone) {
  const KnownPoints points = Control();
  Point point{};
  EXPECT_EQ(Found(points, "A2", point), "");
  EXPECT_EQ(point.x, 3350150.0);
  EXPECT_EQ(point.y, 500020.0);
  EXPECT_EQ(Found(points, "A 3", point), "");
  EXPECT_EQ(Found(points, "A9", point), "missing");
  EXPECT_EQ(Found(points, "B1", point), "lines 6 and 7");
  EXPECT_EQ(points.Names(), (std::vector<std::string>{"A1", "A2", "A 3", "B1"}));
}

TEST(KnownPoints, ARowThatDoesNotReadRefusesTheFile) {
  const std::pair<const char*, const char*> cases[] = {
      {"A1 3350000 500000\nA2 3350150 x\n", "ctl.dat:2: A2: Y is not a number: \"x\""},
      {"A1 3350000 500000\n3350150 500020\n", "ctl.dat:2: a known point needs a name"},
      {"A1 3350000 500000 20.5 9\n",
       "ctl.dat:1: A1: 5 fields: setout takes X Y, led by a name or not; say which field is "
       "which, e.g. --columns name,code,y,x,h"},
  };
  for (const auto& [text, error] : cases) {
    KnownPoints points;
    EXPECT_EQ(reading::FileErrorText(points.Read(text, {}, "ctl.dat")), error);
  }
}

TEST(ResolveSheet, TakesTheStationAndTheBacksightByName) {
  const KnownPoints points = Control();
  const SheetRequest request =
      Request({"--station-point=A1", "design.dat", "--backsight-point", "A2", "--decimals", "3",
               "--azimuth-decimals=4", "--columns", "name,code,y,x,h", "--header"});
  reading::Sheet sheet;
  ASSERT_FALSE(reading::ResolveSheet(request, sheet, &points));
  EXPECT_EQ(sheet.settings.station.x, 3350000.0);
  EXPECT_EQ(sheet.settings.station.y, 500000.0);
  EXPECT_EQ(sheet.settings.columns.size(), 5u);
  EXPECT_EQ(sheet.checkLine, "station to backsight: azimuth 7.3541 distance 151.327");
  EXPECT_EQ(sheet.headerComment,
            "# station A1 X 3350000.000 Y 500000.000 / backsight A2 X 3350150.000 Y 500020.000 "
            "/ azimuth 7.3541 distance 151.327");
}

TEST(ResolveSheet, SaysWhatIsWrongInOneLine) {
  const KnownPoints points = Control();
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"--station-point", "A1", "--backsight-point", "A1"},
       "the backsight is the station: give another point"},
      {{"--station-point", "A1", "--backsight-point", "A9"},
       "--backsight-point: no point A9 in "
       "ctl.dat"},
      {{"--station-point", "B1", "--backsight-point", "A2"},
       "--station-point: ctl.dat names B1 twice (lines 6 and 7)"},
      {{"--station", "0,0", "--station-point", "A1", "--backsight-azimuth", "0"},
       "give --station or --station-point, not both"},
      {{"--station-point", "A1", "--backsight", "1,1", "--backsight-point", "A2"},
       "give --backsight or --backsight-point, not both"},
      {{"--station", "0,0", "--backsight", "1,1", "--backsight-point", "A2",
        "--backsight-azimuth=0"},
       "give --backsight, --backsight-point or --backsight-azimuth, only one"},
      {{"--station", "0,0", "--backsight-azimuth", "0", "--control-columns", "name,x,y"},
       "--control-columns needs --control FILE"},
      {{"--station-point", "A1", "--backsight-azimuth", "0", "--control", "ctl.dat",
        "--control-columns", "x,y"},
       "--control-columns needs a name column"},
      {{"--station-point", "A1", "--backsight-azimuth", "0", "--control", "ctl.dat", "--columns",
        "x,y"},
       "--control: known points need names: give --control-columns"},
      {{"--station-point", "A1", "--backsight-azimuth", "0", "--control", "ctl.dat",
        "--control-columns", "name,x,z"},
       "--control-columns: unknown role \"z\"; the roles are name, code, x, y, h and -"},
  };
  for (const auto& [args, error] : cases) {
    const bool control = std::find(args.begin(), args.end(), "--control") != args.end();
    EXPECT_EQ(Resolved(args, reading::Mode::kSetout, control ? nullptr : &points), error);
  }
  EXPECT_EQ(Resolved({"--station-point", "A1"}, reading::Mode::kForward, nullptr),
            "--station-point needs --control FILE");
}

// The sight's heights and the angles' format: what is missing or cannot
// be, each in one line.
TEST(ResolveSheet, SaysWhatTheHeightsAndTheAnglesNeed) {
  const KnownPoints points = Control();
  const std::vector<std::string> sight = {
      "--backsight-azimuth", "0",   "--columns",       "name,code,y,x,h",
      "--instrument-height", "1.5", "--target-height", "1.3"};
  const auto with = [&sight](std::vector<std::string> args) {
    args.insert(args.end(), sight.begin(), sight.end());
    return args;
  };
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {with({"--station-point", "A2"}),
       "--station-point A2 has no height in ctl.dat: give --station-height H"},
      {with({"--station", "0,0"}), "heights need --station-height H"},
      {{"--station-point", "A1", "--backsight-azimuth", "0", "--columns", "name,code,y,x,h",
        "--target-height", "1.3"},
       "heights need --instrument-height I"},
      {{"--station-point", "A1", "--backsight-azimuth", "0", "--columns", "name,code,y,x,h",
        "--instrument-height", "1.3", "--earth-curvature"},
       "heights need --target-height T"},
      {{"--station-point", "A1", "--backsight-azimuth", "0", "--instrument-height", "1.5",
        "--target-height", "1.3"},
       "heights need design heights: name the h column in --columns"},
      {with({"--station-point", "A1", "--station-height", "2O.5"}),
       "--station-height needs a height in metres: 2O.5"},
      {{"--station-point", "A1", "--backsight-azimuth", "0", "--angle-format", "deg"},
       "--angle-format needs packed or dms: deg"},
      {{"--station-point", "A1", "--backsight-azimuth", "0", "--angle-format", "dms",
        "--azimuth-decimals", "3"},
       "--angle-format dms needs 4 or more decimals of angles (--azimuth-decimals, else "
       "--decimals): 4 is whole seconds"},
      {{"--station-point", "A1", "--backsight-azimuth", "0", "--angle-format", "dms", "--decimals",
        "2"},
       "--angle-format dms needs 4 or more decimals of angles (--azimuth-decimals, else "
       "--decimals): 4 is whole seconds"},
  };
  for (const auto& [args, error] : cases) {
    EXPECT_EQ(Resolved(args, reading::Mode::kSetout, &points), error);
  }
  EXPECT_EQ(Resolved({"--instrument-height", "1.5"}, reading::Mode::kInverse, nullptr),
            "--instrument-height is for setout");
  EXPECT_EQ(Resolved(with({"--station-point", "A1"}), reading::Mode::kSetout, &points), "");
}

// The program's window with a control file: a name not among the control
// points is looked up among the design file's own, and only there.
TEST(ResolveSheet, LooksNamesUpInTheDesignPointsAfterTheControlPoints) {
  KnownPoints control = Control();
  auto design = std::make_shared<KnownPoints>();
  ASSERT_FALSE(design->Read("A1 1 1\nD1 3350100 500100\nD2 5 5\nD2 6 6\n", {}, "design.dat"));
  control.LookAlsoIn(design);
  const struct {
    const char* station;
    double x, y;  // where it is found
    const char* error;
  } cases[] = {
      {"A1", 3350000, 500000, ""},  // the control file's, though the design file has one too
      {"D1", 3350100, 500100, ""},
      {"D2", 0, 0, "--station-point: design.dat names D2 twice (lines 3 and 4)"},
      {"B1", 0, 0, "--station-point: ctl.dat names B1 twice (lines 6 and 7)"},
      {"Z9", 0, 0, "--station-point: no point Z9 in ctl.dat"},
  };
  for (const auto& given : cases) {
    const SheetRequest request =
        Request({"--station-point", given.station, "--backsight-azimuth", "0"});
    reading::Sheet sheet;
    EXPECT_EQ(reading::SheetErrorText(reading::ResolveSheet(request, sheet, &control)),
              given.error)
        << given.station;
    if (*given.error) continue;
    EXPECT_EQ(sheet.settings.station.x, given.x) << given.station;
    EXPECT_EQ(sheet.settings.station.y, given.y) << given.station;
    EXPECT_EQ(sheet.stationName, given.station);
  }
}

}  // namespace
