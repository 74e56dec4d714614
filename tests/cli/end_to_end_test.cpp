// Runs the built corvane-calc and checks what a user or a script sees:
// standard output, the line numbers on standard error and the exit status.

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/calc_test.h"

namespace {

using namespace calc_test;
namespace fs = std::filesystem;
using namespace std::string_literals;

TEST_F(CalcTest, OneComputationFromTheCommandLine) {
  Outcome run = Calc({"forward", "1000", "2000", "45.3025", "100"});
  EXPECT_EQ(run.out, "1070.082282 2071.333539\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.status, 0);

  run = Calc({"inverse", "1000", "2000", "1070", "2071.4"});
  EXPECT_EQ(run.out, "45.340216 99.989799\n");
  EXPECT_EQ(run.status, 0);

  run = Calc({"inverse", "--from", "0,0", "T1", "-100", "0"});
  EXPECT_EQ(run.out, "T1 180.000001 100.000000\n");

  run = Calc({"forward", "--decimals", "3", "--", "-1000", "-2000", "45", "1"});
  EXPECT_EQ(run.out, "-999.293 -1999.293\n");

  run = Calc({"inverse", "5", "5", "5", "5"});
  EXPECT_EQ(run.out, "ERROR: identical points\n");
  EXPECT_EQ(run.err, "corvane-calc: identical points\n");
  EXPECT_EQ(run.status, 1);
}

TEST_F(CalcTest, RowsFromStandardInputAnswerLineForLine) {
  const Outcome run = Calc({"forward"},
                           "# set-out list\r\n"
                           "\r\n"
                           "P1 1000 2000 45.3025 100\r\n"
                           "1000,2000,45.3025,100\r\n"
                           "1000;2000;90;10");
  EXPECT_EQ(run.out,
            "# set-out list\n"
            "\n"
            "P1 1070.082282 2071.333539\n"
            "1070.082282,2071.333539\n"
            "1000.000000;2010.000000\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.status, 0);
}

TEST_F(CalcTest, StationModeComputesSetOutData) {
  const Outcome run =
      Calc({"inverse", "--from=1000,2000"}, "A 1070 2071.4\nB 1000 2100\nS 1000 2000\n");
  EXPECT_EQ(run.out,
            "A 45.340216 99.989799\n"
            "B 90.000001 100.000000\n"
            "ERROR: S: identical points\n");
  EXPECT_EQ(run.err, "corvane-calc: stdin:3: S: identical points\n");
  EXPECT_EQ(run.status, 1);

  const Outcome polar = Calc({"forward", "--from", "1000,2000"}, "45.3025 100\n");
  EXPECT_EQ(polar.out, "1070.082282 2071.333539\n");
}

TEST_F(CalcTest, BadRowsAreReportedWithTheirLineNumbersAndTheRestComputed) {
  const Outcome run = Calc({"forward"},
                           "0 0 0 10\n"
                           "0 0 45.6 10\n"
                           "# fine\n"
                           "0 0 abc 10\n"
                           "0 0 0\n"
                           "0 0 0 10\n");
  EXPECT_EQ(run.out,
            "10.000000 0.000000\n"
            "ERROR: AZIMUTH has minutes of 60 or more: \"45.6\"\n"
            "# fine\n"
            "ERROR: AZIMUTH is not a number: \"abc\"\n"
            "ERROR: missing field DISTANCE\n"
            "10.000000 0.000000\n");
  EXPECT_EQ(run.err,
            "corvane-calc: stdin:2: AZIMUTH has minutes of 60 or more: \"45.6\"\n"
            "corvane-calc: stdin:4: AZIMUTH is not a number: \"abc\"\n"
            "corvane-calc: stdin:5: missing field DISTANCE\n");
  EXPECT_EQ(run.status, 1);
}

TEST_F(CalcTest, FilesAreReadInTurnAndNamedInMessages) {
  const fs::path a = File("a.txt", "0 0 0 10\n");
  const fs::path b = File("b.txt", "# b\n0 0 x 10\n");
  const Outcome run =
      Calc({"forward", "-i", a.string(), "-i", "-", "-i", b.string()}, "0 0 90 10\n");
  EXPECT_EQ(run.out,
            "10.000000 0.000000\n"
            "0.000000 10.000000\n"
            "# b\n"
            "ERROR: AZIMUTH is not a number: \"x\"\n");
  EXPECT_EQ(run.err, "corvane-calc: " + b.string() + ":2: AZIMUTH is not a number: \"x\"\n");
  EXPECT_EQ(run.status, 1);

  const Outcome missing = Calc({"forward", "-i", (dir_ / "none.txt").string()});
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find("cannot open"), std::string::npos);
  EXPECT_EQ(missing.status, 2);
}

TEST_F(CalcTest, FilesFromSpreadsheetsAndEditorsAreRead) {
  // A byte-order mark and a header, each at the start of its own input.
  const fs::path a = File("a.csv",
                          "\xEF\xBB\xBFX0,Y0,AZ,D\r\n"
                          "1000,2000,45.3025,100\r\n");
  const fs::path b = File("b.txt",
                          "# list b\n"
                          "\n"
                          "Point\tX0\tY0\tAZ\tD\n"
                          "101\t0\t0\t90\t10\n"
                          "Point\tX0\tY0\tAZ\tD\n");
  const fs::path c = File("c.txt",
                          "\xEF\xBB\xBF"
                          "0 0 0 10\n");
  const Outcome run = Calc({"forward", "-i", a.string(), "-i", b.string(), "-i", c.string()});
  EXPECT_EQ(run.out,
            "X0,Y0,AZ,D\n"
            "1070.082282,2071.333539\n"
            "# list b\n"
            "\n"
            "Point\tX0\tY0\tAZ\tD\n"
            "101\t0.000000\t10.000000\n"
            "ERROR: Point: X0 is not a number: \"X0\"\n"
            "10.000000 0.000000\n");
  EXPECT_EQ(run.err, "corvane-calc: " + b.string() + ":5: Point: X0 is not a number: \"X0\"\n");
  EXPECT_EQ(run.status, 1);
}

TEST_F(CalcTest, BadUsageExitsWithTwoAndOneLineThatSaysWhy) {
  const std::vector<std::vector<std::string>> bad = {{},
                                                     {"sideways"},
                                                     {"forward", "--decimals", "x"},
                                                     {"forward", "--from", "1"},
                                                     {"forward", "1", "2"},
                                                     {"forward", "--bogus"}};
  for (const auto& args : bad) {
    const Outcome run = Calc(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    // The line that says why, then where to read on, as GNU tools do.
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
    EXPECT_EQ(run.err.rfind("corvane-calc: ", 0), 0u) << run.err;
    EXPECT_TRUE(run.err.ends_with("\nTry 'corvane-calc --help'.\n")) << run.err;
  }
  const Outcome help = Calc({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: corvane-calc", 0), 0u);
  // Every exit status of the manual, with what it covers.
  const std::string manual = ReadFile(CORVANE_MAN_PAGE);
  const std::string statuses = manual.substr(
      manual.find(".SH EXIT STATUS"), manual.find(".SH EXAMPLES") - manual.find(".SH EXIT STATUS"));
  for (const char* status : {"0", "1", "2"}) {
    EXPECT_NE(statuses.find(std::string(".B ") + status + "\n"), std::string::npos);
    EXPECT_NE(help.out.find(std::string("  ") + status + "  "), std::string::npos) << status;
  }
  for (const char* cause : {"cannot be opened", "read", "cannot be written"}) {
    EXPECT_NE(statuses.find(cause), std::string::npos) << cause;
    EXPECT_NE(help.out.find(cause), std::string::npos) << cause;
  }
  EXPECT_EQ(Calc({"--version"}).out, "corvane-calc 1.0.0.1\n");
}

TEST_F(CalcTest, OutputThatCannotBeWrittenFailsEveryModeOnce) {
  const fs::path a = File("a.txt", "0 0 0 10\n");
  const fs::path b = File("b.txt", "0 0 0 10\n");
  const std::vector<std::vector<std::string>> commands = {
      {"forward", "0", "0", "90", "10"},
      {"inverse", "5", "5", "5", "5"},  // a failed row, written all the same
      {"--help"},
      {"--version"},
      {"forward"},
      {"forward", "-i", a.string(), "-i", b.string()}};
  for (const Output output : {Output::kFull, Output::kClosed}) {
    for (const auto& args : commands) {
      const Outcome run = Calc(args, "0 0 90 10\n", output);
      const std::string where = args[0] + (output == Output::kFull ? " full" : " closed");
      EXPECT_EQ(run.status, 2) << where;
      const std::string message = "corvane-calc: cannot write: ";
      const std::string::size_type at = run.err.find(message);
      EXPECT_NE(at, std::string::npos) << where << ": " << run.err;
      EXPECT_EQ(run.err.find(message, at + 1), std::string::npos) << where;
    }
  }
}

TEST_F(CalcTest, SettingOutSheetFromAPointFile) {
  // name,code,east,north,height as field software exports it
  const fs::path dat = File("design.dat",
                            "\xEF\xBB\xBFName,Code,E,N,H\r\n"
                            "K12,,2100.000,1100.000,21.300\r\n"
                            "K13,kerb,2050.5,1000,\r\n"
                            "# the station itself\r\n"
                            "S1,,2000,1000,20.1\r\n"
                            "K14,,1900,1100,x\r\n");
  const Outcome run =
      Calc({"setout", "--station", "1000,2000", "--backsight", "1000,2100", "--columns",
            "name,code,y,x,h", "--azimuth-decimals", "4", "-i", dat.string()});
  EXPECT_EQ(run.out,
            "Name,Code,E,N,H\n"
            "K12,,45.0000,315.0000,141.421356,21.300\n"
            "K13,kerb,90.0000,0.0000,50.500000,\n"
            "# the station itself\n"
            "ERROR: S1: point is on the station\n"
            "ERROR: K14: H is not a number: \"x\"\n");
  EXPECT_EQ(run.err,
            "corvane-calc: station to backsight: azimuth 90.0000 distance "
            "100.000000\n"
            "corvane-calc: " +
                dat.string() +
                ":5: S1: point is on the station\n"
                "corvane-calc: " +
                dat.string() + ":6: K14: H is not a number: \"x\"\n");
  EXPECT_EQ(run.status, 1);

  const Outcome one =
      Calc({"setout", "--station", "0,0", "--backsight-azimuth", "90", "P1", "100", "0"});
  EXPECT_EQ(one.out, "P1 0.000000 270.000000 100.000000\n");
  EXPECT_EQ(one.err, "corvane-calc: station to backsight: azimuth 90.000000\n");
  EXPECT_EQ(one.status, 0);

  const Outcome same = Calc({"setout", "--station", "5,5", "--backsight", "5,5"}, "1 1\n");
  EXPECT_EQ(same.status, 2);
  EXPECT_EQ(same.out, "");
  EXPECT_EQ(same.err.rfind("corvane-calc: the backsight is the station", 0), 0u);
}

// Files as they really come: each gives the right answer, or an error in
// its place and exit status 1, never a silent guess.
TEST_F(CalcTest, RealFilesGiveTheAnswerOrAnErrorInPlace) {
  const std::vector<std::string> setout = {"setout", "--station", "3512900,498300", "--backsight",
                                           "3513000,498300"};
  auto with = [&](std::vector<std::string> more) {
    more.insert(more.begin(), setout.begin(), setout.end());
    return more;
  };
  // A spreadsheet's "Unicode text": UTF-16 with a mark, tabs, decimal commas.
  std::string utf16 = "\xFF\xFE";
  for (const char c : std::string("Name\tC\r\nK1\t\t498301,2\t3512930,5\r\n")) {
    utf16 += c;
    utf16 += '\0';
  }
  const fs::path unicode = File("unicode.txt", utf16);
  struct Case {
    std::vector<std::string> args;
    std::string input;
    std::string out;
    int status;
  };
  const Case cases[] = {
      {{"forward", "--from", "1000,2000"}, "45;100,5\n", "1071.064232;2071.064231\n", 0},
      // the README's design.dat without --columns
      {with({}), "K4,,499950.500,3349920.250,\n",
       "ERROR: K4: 5 fields: setout takes X Y, led by a name or not; say which field is which, "
       "e.g. --columns name,code,y,x,h\n",
       1},
      {with({"--columns", "name,code,y,x,h"}),
       "K1,,498301.2O,3512930.5O,\nK2,,498301.2,3512930.5,\n",
       "ERROR: K1: Y is not a number: \"498301.2O\" (a title or preamble line? --skip-lines 1 "
       "copies the first line as it is)\nK2,,2.151115,2.151115,30.523597,\n",
       1},
      {with({"--columns", "name,code,y,x,h"}),
       "\"K1\",\"\",498301.2,3512930.5,21.3\n\"K1, kerb\",,498301.2,3512930.5,\n",
       "K1,,2.151115,2.151115,30.523597,21.3\n\"K1, kerb\",,2.151115,2.151115,30.523597,\n", 0},
      {with({"--columns", "name,code,y,x", "-i", unicode.string()}), "",
       "Name\tC\nK1\t\t2.151115\t2.151115\t30.523597\n", 0},
      {with({}), "K\x1b[2J1 3512930.5 498301.2\n", "K\\x1b[2J1 2.151115 2.151115 30.523597\n", 0},
      // a north-first file read by an east-first list: refused in place, not 4,263 km away
      {with({"--columns", "name,code,y,x,h"}), "K1,,3512930.5,498301.2,\n",
       "ERROR: K1: read by the column list the point is 4263308.923418 from the station, with x "
       "and y the other way round 30.523597: for a file that gives east first say --columns "
       "name,code,y,x,h, for north first --columns name,code,x,y,h\n",
       1},
  };
  for (const Case& c : cases) {
    const Outcome run = Calc(c.args, c.input);
    EXPECT_EQ(run.out, c.out) << c.input;
    EXPECT_EQ(run.status, c.status) << c.input;
  }
  const Outcome utf32 = Calc(with({}), std::string("\xFF\xFE\0\0K\0\0\0", 8));
  EXPECT_EQ(utf32.out, "");
  EXPECT_EQ(utf32.status, 2);
  EXPECT_TRUE(
      utf32.err.ends_with("corvane-calc: stdin: UTF-32 text is not read: save it as UTF-8 "
                          "or UTF-16\n"))
      << utf32.err;
}

// The station and the backsight taken by name from a control file give the
// sheet of the same points typed, to the character.
TEST_F(CalcTest, ASheetByPointNamesIsTheSheetOfTheTypedPoints) {
  const fs::path control = File("ctl.dat",
                                "# control, as exported\n"
                                "A1;;500000,000;3350000,000;20,0\n"
                                "A2;;500020,000;3350150,000;\n");
  const fs::path design = File("design.dat",
                               "K1,,500012.345,3350108.210,21.300\n"
                               "K2,kerb,500087.900,3350064.112,21.150\n"
                               "S7,,500000.000,3350000.000,20.500\n");
  const std::vector<std::string> common = {"setout",     "--columns", "name,code,y,x,h",
                                           "--decimals", "3",         "--azimuth-decimals",
                                           "4",          "-i",        design.string()};
  std::vector<std::string> byName = {"--control", control.string(),    "--station-point",
                                     "A1",        "--backsight-point", "A2"};
  std::vector<std::string> typed = {"--station", "3350000,500000", "--backsight", "3350150,500020"};
  byName.insert(byName.begin(), common.begin(), common.end());
  typed.insert(typed.begin(), common.begin(), common.end());
  const Outcome named = Calc(byName);
  const Outcome numbers = Calc(typed);
  EXPECT_EQ(named.out,
            "K1,,6.3030,358.5449,108.912,21.300\n"
            "K2,kerb,53.5338,46.1758,108.797,21.150\n"
            "ERROR: S7: point is on the station\n");
  EXPECT_EQ(named.out, numbers.out);
  EXPECT_EQ(named.err, numbers.err);
  EXPECT_EQ(named.status, 1);
}

// Heights to stake, angles as the instrument shows them. The station A1
// takes its height, 20.000, from the control file's h; I = 1.552, T = 1.300.
// By hand: P1 is 40 north and 30 east, D = 50; ΔH = 57.752 + 1.300 − 20.000
// − 1.552 = 37.500, a 3-4-5 triangle: S = 62.500, z = atan2(50, 37.5) =
// 53.1301024° = 53°07′48.37″. P2, 1000 m east: ΔH = 0.100, z = 90° −
// atan(0.0001) = 89°59′39.37″; corrected, the target is sighted f =
// 0.86·1000²/(2·6371000) = 0.0675 m lower, v = 0.0325, z = 90° −
// atan(0.0000325) = 89°59′53.30″, and P1's f = 0.00017 m turns its 48.37″
// into 48.81″. P3 has no design height: its sight is left empty.
TEST_F(CalcTest, HeightsAndAnglesAsTheInstrumentShowsThem) {
  const fs::path control = File("ctl.dat", "A1,,500000.000,3350000.000,20.000\n");
  const fs::path design = File("design.dat",
                               "P1,,500030.000,3350040.000,57.752\n"
                               "P2,far,501000.000,3350000.000,20.352\n"
                               "P3,,499990.000,3349990.000,\n");
  std::vector<std::string> args = {"setout",
                                   "--control",
                                   control.string(),
                                   "--station-point",
                                   "A1",
                                   "--backsight-azimuth",
                                   "0",
                                   "--columns",
                                   "name,code,y,x,h",
                                   "--decimals",
                                   "3",
                                   "--azimuth-decimals",
                                   "6",
                                   "--instrument-height",
                                   "1.552",
                                   "--target-height=1.300",
                                   "--angle-format",
                                   "dms",
                                   "--header",
                                   "-i",
                                   design.string()};
  const std::string station =
      "# station A1 X 3350000.000 Y 500000.000 / backsight azimuth 0°00′00.00″ / heights station "
      "20.000 instrument 1.552 target 1.300 / ";
  Outcome run = Calc(args);
  EXPECT_EQ(run.out, station +
                         "curvature and refraction not corrected\n"
                         "NAME,CODE,AZIMUTH,ANGLE,DISTANCE,H,DH,ZENITH,SLOPE\n"
                         "P1,,36°52′11.63″,36°52′11.63″,50.000,57.752,37.500,53°07′48.37″,62.500\n"
                         "P2,far,90°00′00.01″,90°00′00.01″,1000.000,20.352,0.100,89°59′39.37″,"
                         "1000.000\n"
                         "P3,,224°59′59.99″,224°59′59.99″,14.142,,,,\n");
  EXPECT_EQ(run.err, "corvane-calc: station to backsight: azimuth 0°00′00.00″\n");
  EXPECT_EQ(run.status, 0);
  args.push_back("--earth-curvature");
  run = Calc(args);
  EXPECT_EQ(run.out, station +
                         "curvature and refraction corrected (K 0.14, R 6371 km)\n"
                         "NAME,CODE,AZIMUTH,ANGLE,DISTANCE,H,DH,ZENITH,SLOPE\n"
                         "P1,,36°52′11.63″,36°52′11.63″,50.000,57.752,37.500,53°07′48.81″,62.500\n"
                         "P2,far,90°00′00.01″,90°00′00.01″,1000.000,20.352,0.100,89°59′53.30″,"
                         "1000.000\n"
                         "P3,,224°59′59.99″,224°59′59.99″,14.142,,,,\n");
  // A height typed for the station stands in for the control file's.
  args.insert(args.end() - 3, {"--station-height", "19.9"});
  run = Calc(args);
  EXPECT_NE(run.out.find("\nP1,,36°52′11.63″,36°52′11.63″,50.000,57.752,37.600,"),
            std::string::npos)
      << run.out;
}

// --header: a sheet worth saving from a spreadsheet's quoted, decimal-comma
// file; its own header gives way to the sheet's.
TEST_F(CalcTest, ASheetWithAHeaderFromAQuotedDecimalCommaFile) {
  const fs::path csv = File("design.csv",
                            "\"Name\";\"Code\";\"E\";\"N\";\"H\"\r\n"
                            "\"K1\";\"\";\"500012,345\";\"3350108,210\";\"21,300\"\r\n"
                            "\"K2\";\"kerb\";\"500087,900\";\"3350064,112\";\"21,150\"\r\n");
  const Outcome run = Calc({"setout", "--station", "3350000,500000", "--backsight",
                            "3350150,500020", "--columns", "name,code,y,x,h", "--decimals", "3",
                            "--azimuth-decimals", "4", "--header", "-i", csv.string()});
  EXPECT_EQ(run.out,
            "# station X 3350000.000 Y 500000.000 / backsight X 3350150.000 Y 500020.000 / "
            "azimuth 7.3541 distance 151.327\n"
            "NAME;CODE;AZIMUTH;ANGLE;DISTANCE;H\n"
            "K1;;6.3030;358.5449;108.912;21.300\n"
            "K2;kerb;53.5338;46.1758;108.797;21.150\n");
  EXPECT_EQ(run.status, 0);
}

// Points in every direction from the station and on the lines where angles
// wrap: the station, the backsight, due north, just either side of them.
// The expected lines were checked against the awk reference of bench/cli
// (survey.awk), which writes the same but where "%f" shows 60 seconds
// (P2's 314.596000, which is 315 degrees), and against the core's inverse
// computation for 20,000 random points.
TEST_F(CalcTest, SettingOutSheetsWhereAnglesWrap) {
  const fs::path dat = File("points.dat",
                            "P0,,498765.432,3351234.567,12.5\n"
                            "P1,,498865.432,3351334.567,12.5\n"
                            "P2,,498765.432,3351334.567,12.5\n"
                            "P3,,498765.431,3351334.567,12.5\n"
                            "P4,,498765.433,3351334.567,12.5\n"
                            "P5,,498865.432,3351334.568,12.5\n"
                            "P6,,498865.432,3351334.566,12.5\n"
                            "P7,,498765.433,3351234.567,12.5\n"
                            "P8,,498765.432,3351234.566,12.5\n"
                            "P9,,498665.432,3351134.567,12.5\n"
                            "P10,,498665.432,3351234.567,12.5\n"
                            "P11,,498865.432,3351234.5670001,12.5\n");
  struct Run {
    std::vector<std::string> options;
    std::string sheet;
  };
  const Run runs[] = {
      {{"--backsight", "3351334.567,498865.432"},
       "ERROR: P0: point is on the station\n"
       "P1,,45.000000,0.000000,141.421356,12.5\n"
       "P2,,0.000000,315.000000,100.000000,12.5\n"
       "P3,,359.595794,314.595793,100.000000,12.5\n"
       "P4,,0.000206,315.000206,100.000000,12.5\n"
       "P5,,44.595897,359.595897,141.422063,12.5\n"
       "P6,,45.000103,0.000103,141.420649,12.5\n"
       "P7,,90.000001,45.000000,0.001000,12.5\n"
       "P8,,180.000001,135.000001,0.001000,12.5\n"
       "P9,,224.595999,179.595999,141.421356,12.5\n"
       "P10,,269.595999,224.595999,100.000000,12.5\n"
       "P11,,90.000001,45.000000,100.000000,12.5\n"},
      {{"--backsight", "3351334.567,498865.432", "--decimals", "3", "--azimuth-decimals", "4"},
       "ERROR: P0: point is on the station\n"
       "P1,,45.0000,0.0000,141.421,12.5\n"
       "P2,,0.0000,315.0000,100.000,12.5\n"
       "P3,,359.5958,314.5958,100.000,12.5\n"
       "P4,,0.0002,315.0002,100.000,12.5\n"
       "P5,,44.5959,359.5959,141.422,12.5\n"
       "P6,,45.0001,0.0001,141.421,12.5\n"
       "P7,,90.0000,45.0000,0.001,12.5\n"
       "P8,,180.0000,135.0000,0.001,12.5\n"
       "P9,,225.0000,180.0000,141.421,12.5\n"
       "P10,,270.0000,225.0000,100.000,12.5\n"
       "P11,,90.0000,45.0000,100.000,12.5\n"},
      // The backsight a hair short of north: whole minutes.
      {{"--backsight-azimuth", "359.595999", "--azimuth-decimals", "2"},
       "ERROR: P0: point is on the station\n"
       "P1,,45.00,45.00,141.421356,12.5\n"
       "P2,,0.00,0.00,100.000000,12.5\n"
       "P3,,360.00,360.00,100.000000,12.5\n"
       "P4,,0.00,0.00,100.000000,12.5\n"
       "P5,,45.00,45.00,141.422063,12.5\n"
       "P6,,45.00,45.00,141.420649,12.5\n"
       "P7,,90.00,90.00,0.001000,12.5\n"
       "P8,,180.00,180.00,0.001000,12.5\n"
       "P9,,225.00,225.00,141.421356,12.5\n"
       "P10,,270.00,270.00,100.000000,12.5\n"
       "P11,,90.00,90.00,100.000000,12.5\n"},
  };
  for (const Run& r : runs) {
    std::vector<std::string> args = {"setout",    "--station",       "3351234.567,498765.432",
                                     "--columns", "name,code,y,x,h", "-i",
                                     dat.string()};
    args.insert(args.end(), r.options.begin(), r.options.end());
    const Outcome run = Calc(args);
    EXPECT_EQ(run.out, r.sheet) << r.options[0];
    EXPECT_EQ(run.status, 1);  // the station itself
  }
  // Every bit of the doubles shows.
  const Outcome bits =
      Calc({"setout", "--station", "3351234.567,498765.432", "--backsight",
            "3351334.567,498865.432", "--decimals", "20", "P9", "3351134.567", "498665.432"});
  EXPECT_EQ(bits.out,
            "P9 224.59599917097338561689 179.59599889463115118815 141.42135623730951010657\n");
}

// Reads one line from `fd`, waiting at most 10 s for it; "" on time-out.
std::string ReadLineWithin10s(int fd) {
  std::string line;
  char c = 0;
  pollfd ready{fd, POLLIN, 0};
  while (poll(&ready, 1, 10000) == 1 && read(fd, &c, 1) == 1 && c != '\n') {
    line += c;
  }
  return line;
}

TEST_F(CalcTest, EachRowIsAnsweredBeforeTheNextIsWaitedFor) {
  int toCalc[2];
  int fromCalc[2];
  ASSERT_EQ(pipe(toCalc), 0);
  ASSERT_EQ(pipe(fromCalc), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, toCalc[0], 0);
  posix_spawn_file_actions_adddup2(&actions, fromCalc[1], 1);
  posix_spawn_file_actions_addclose(&actions, toCalc[1]);
  posix_spawn_file_actions_addclose(&actions, fromCalc[0]);
  char* argv[] = {const_cast<char*>(CORVANE_CALC), const_cast<char*>("inverse"), nullptr};
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, CORVANE_CALC, &actions, nullptr, argv, environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  close(toCalc[0]);
  close(fromCalc[1]);
  // A script that writes a row and waits for its answer before the next.
  for (int i = 1; i <= 10; ++i) {
    const std::string row = "P" + std::to_string(i) + " 0 0 0 " + std::to_string(i) + "\n";
    ASSERT_EQ(write(toCalc[1], row.data(), row.size()), static_cast<ssize_t>(row.size()));
    EXPECT_EQ(ReadLineWithin10s(fromCalc[0]),
              "P" + std::to_string(i) + " 90.000001 " + std::to_string(i) + ".000000")
        << "row " << i;
    if (HasFailure()) break;
  }
  close(toCalc[1]);
  int status = 0;
  waitpid(pid, &status, 0);
  close(fromCalc[0]);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(CalcTest, LargeInputsStreamInOrderInLittleMemory) {
  std::string rows;
  constexpr int kRows = 300000;
  for (int i = 0; i < kRows; ++i) {
    rows += "P" + std::to_string(i) + " " + std::to_string(i) + " 0 " +
            std::to_string(i % 7 == 0 ? i : i + 1) + " 0\n";
  }
  const fs::path input = File("big.txt", rows);
  const Outcome run = Calc({"inverse", "-i", input.string()});
  EXPECT_EQ(run.status, 1);
  std::istringstream lines(run.out);
  std::string line;
  int count = 0;
  int errors = 0;
  while (std::getline(lines, line)) {
    const std::string name = "P" + std::to_string(count);
    if (count % 7 == 0) {
      EXPECT_EQ(line, "ERROR: " + name + ": identical points") << count;
      ++errors;
    } else {
      EXPECT_EQ(line, name + " 0.000000 1.000000") << count;
    }
    ++count;
    if (HasFailure()) break;
  }
  EXPECT_EQ(count, kRows);
  // Every failed row is on standard error with its line number.
  EXPECT_NE(run.err.find(":299965: P299964: identical points\n"), std::string::npos);
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), errors);
#if !defined(__SANITIZE_ADDRESS__)
  // The tool streams its rows rather than holding them: its peak resident
  // size (the child's ru_maxrss, its allocator's arenas included) stays
  // under 16 MiB for 300,000 rows.
  EXPECT_LT(run.peakKib, 16 * 1024)
      << "corvane-calc inverse on " << kRows << " rows peaked at " << run.peakKib
      << " KiB resident (ru_maxrss); the bound is 16384 KiB (16 MiB)";
#endif
}

// Files as Chinese offices have them: the bytes of a file in, the answer
// lines and the exit status out. Each row is one shape; the point answered
// is the same wherever it reads (X 3512991, Y 498361 from the station
// 3512930, 498350, sighting 3512990, 498360, or the same on a local grid),
// so an answer other than "10.1320,0.4535,61.984" is a shape read wrong.

using Args = std::vector<std::string>;

Args Setout(Args more) {
  Args args = {"setout",      "--station",          "3512930,498350",
               "--backsight", "3512990,498360",     "--decimals",
               "3",           "--azimuth-decimals", "4"};
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

// The same point on a local grid, where a thousands separator and a decimal
// comma both give a number.
Args Local(Args more) {
  Args args = {"setout",     "--station",  "12930,8350", "--backsight",
               "12990,8360", "--decimals", "3",          "--azimuth-decimals",
               "4",          "--columns",  "name,y,x"};
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

const std::string kFiveColumns = "name,code,y,x,h";

struct Shape {
  const char* shape;
  Args args;
  std::string in;
  std::string out;
  int status;
  std::string control = "";  // a control file, given with --control
};

TEST_F(CalcTest, FileShapesGiveTheirAnswersOrAnErrorInPlace) {
  const Shape shapes[] = {
      // Encodings: GBK found, others named; names written in UTF-8.
      {"GBK, found", Setout({"--columns", kFiveColumns}),
       "\xbf\xd8\xd6\xc6\xb5\xe3\x32,\xd6\xd0\xcf\xdf,498361,3512991,\n",
       "控制点2,中线,10.1320,0.4535,61.984,\n", 0},
      {"GBK control file, found", Setout({"--columns", kFiveColumns}), "K2,,498361,3512991,\n",
       "K2,,10.1320,0.4535,61.984,\n", 0,
       "\xbf\xd8\xd6\xc6\xb5\xe3\x31,,498350,3512930,\n\xbf\xd8\xd6\xc6\xb5\xe3\x32,,498360,"
       "3512990,\n"},
      {"Big5, named", Setout({"--columns", kFiveColumns, "--encoding", "big5"}),
       "\xb1\xb1\xa4\xe8,,498361,3512991,\n", "控方,,10.1320,0.4535,61.984,\n", 0},
      {"Latin-1, named", Setout({"--columns", kFiveColumns, "--encoding", "latin1"}),
       "Stra\xdf"
       "e,,498361,3512991,\n",
       "Straße,,10.1320,0.4535,61.984,\n", 0},
      {"Shift_JIS, named", Setout({"--columns", kFiveColumns, "--encoding", "sjis"}),
       "\x93\x8c\x8b\x9e,,498361,3512991,\n", "東京,,10.1320,0.4535,61.984,\n", 0},
      {"UTF-16LE without a mark, named",
       Setout({"--columns", kFiveColumns, "--encoding", "UTF-16LE"}),
       "\xa7\x63\x36\x52,\0,\0"
       "4\0"
       "9\0"
       "8\0"
       "3\0"
       "6\0"
       "1\0,\0"
       "3\0"
       "5\0"
       "1\0"
       "2\0"
       "9\0"
       "9\0"
       "1\0,\0\n\0"s,
       "控制,,10.1320,0.4535,61.984,\n", 0},
      {"a GBK line among UTF-8 ones", Setout({"--columns", kFiveColumns}),
       "K1,中线,498361,3512991,\nK2,中线,498361,3512991,\n"
       "\xbf\xd8\xd6\xc6\xb5\xe3\x32,,498361,3512991,\n",
       "K1,中线,10.1320,0.4535,61.984,\nK2,中线,10.1320,0.4535,61.984,\n"
       "ERROR: line is not UTF-8 text: say the input's encoding with --encoding NAME\n",
       1},
      {"a UTF-8 line in a file found to be GBK", Setout({"--columns", kFiveColumns}),
       "\xbf\xd8\xd6\xc6\xb5\xe3\x32,,498361,3512991,\nK3,中线,498361,3512991,\n",
       "控制点2,,10.1320,0.4535,61.984,\n"
       "ERROR: line reads as GB18030 and as UTF-8 text: say which with --encoding NAME\n",
       1},
      {"UTF-16 without a mark, Chinese first", Setout({"--columns", kFiveColumns}),
       "\xa7\x63\x36\x52"
       "1\0,\0,\0"
       "4\0\n\0"s,
       "", 2},
      // Line ends and stream marks.
      {"CR alone ends each line", Setout({"--columns", kFiveColumns}),
       "K1,,498361,3512991,\rK2,,498361,3512991,\rK3,,498361,3512991,\r",
       "K1,,10.1320,0.4535,61.984,\nK2,,10.1320,0.4535,61.984,\nK3,,10.1320,0.4535,61.984,\n", 0},
      {"a stray CR among CRLF", Setout({"--columns", kFiveColumns}),
       "K1,,498361,3512991,\r\nK2,,498361,3512991,\rK3,,498361,3512991,\r\n",
       "K1,,10.1320,0.4535,61.984,\nK2,,10.1320,0.4535,61.984,\nK3,,10.1320,0.4535,61.984,\n", 0},
      {"a last Ctrl-Z", Setout({"--columns", kFiveColumns}), "K1,,498361,3512991,\r\n\x1a",
       "K1,,10.1320,0.4535,61.984,\n", 0},
      {"a byte-order mark inside joined files", Setout({"--columns", kFiveColumns}),
       "Name,Code,E,N,H\nK1,,498361,3512991,\n\xef\xbb\xbfName,Code,E,N,H\nK2,,498361,3512991,\n",
       "Name,Code,E,N,H\nK1,,10.1320,0.4535,61.984,\nName,Code,E,N,H\nK2,,10.1320,0.4535,61.984,\n",
       0},
      // What is a row, what is copied.
      {"#N/A where a number belongs in a first row",
       Setout({"--columns", kFiveColumns, "--header"}), "K1,kerb,#N/A,#N/A,\nK2,,498361,3512991,\n",
       "# station X 3512930.000 Y 498350.000 / backsight X 3512990.000 Y 498360.000 / azimuth "
       "9.2744 distance 60.828\nNAME,CODE,AZIMUTH,ANGLE,DISTANCE,H\n"
       "ERROR: K1: Y is not a number: \"#N/A\" (a spreadsheet's error value)\n"
       "K2,,10.1320,0.4535,61.984,\n",
       1},
      {"#VALUE! as a first row's name", Setout({"--columns", kFiveColumns}),
       "#VALUE!,,498361,3512991,\n", "\"#VALUE!\",,10.1320,0.4535,61.984,\n", 0},
      {"empty numbers in a first row", Setout({"--columns", kFiveColumns}), "K1,kerb,,,\n",
       "ERROR: K1: Y is not a number: \"\" (a title or preamble line? --skip-lines 1 copies the "
       "first line as it is)\n",
       1},
      {"full-width digits in a first row", Setout({"--columns", kFiveColumns}),
       "K1,,４９８３６１,３５１２９９１,\n",
       "ERROR: K1: Y is not a number: \"４９８３６１\" (the line holds a full-width digit \"４\" "
       "U+FF14: write numbers in ASCII)\n",
       1},
      {"an ideographic space between a first row's fields", Setout({"--columns", "name,y,x"}),
       "K1　498361　3512991\n",
       "ERROR: K1　498361　3512991: missing field Y (the line holds an ideographic space \"　\" "
       "U+3000: part fields with ASCII commas, semicolons, tabs or blanks)\n",
       1},
      {"a no-break space between a first row's fields", Setout({"--columns", "name,y,x"}),
       "K1\xc2\xa0"
       "498361\xc2\xa0"
       "3512991\n",
       "ERROR: K1\xc2\xa0"
       "498361\xc2\xa0"
       "3512991: missing field Y (the line holds a no-break "
       "space \"\xc2\xa0\" U+00A0: part fields with ASCII commas, semicolons, tabs or blanks)\n",
       1},
      {"full-width commas between a first row's fields", Setout({"--columns", "name,y,x"}),
       "K1，498361，3512991\n",
       "ERROR: K1，498361，3512991: missing field Y (the line holds a full-width comma \"，\" "
       "U+FF0C: part fields with ASCII commas, semicolons, tabs or blanks)\n",
       1},
      {"a title above the header", Setout({"--columns", kFiveColumns}),
       "放样坐标 2026年12月\n点名,编码,东,北,高程\nK1,,498361,3512991,\n",
       "放样坐标 2026年12月\n点名,编码,东,北,高程\nK1,,10.1320,0.4535,61.984,\n", 0},
      {"a title in GBK above the header, and --header",
       Setout({"--columns", kFiveColumns, "--header"}),
       "\xb7\xc5\xd1\xf9\xd7\xf8\xb1\xea 2026\xc4\xea"
       "12\xd4\xc2\nName,Code,E,N,H\n"
       "K1,,498361,3512991,\n",
       "放样坐标 2026年12月\n# station X 3512930.000 Y 498350.000 / backsight X 3512990.000 Y "
       "498360.000 / azimuth 9.2744 distance 60.828\nNAME,CODE,AZIMUTH,ANGLE,DISTANCE,H\n"
       "K1,,10.1320,0.4535,61.984,\n",
       0},
      {"a spreadsheet's empty rows", Setout({"--columns", kFiveColumns}),
       "K1,,498361,3512991,\n,,,,\n;;;;\nK2,,498361,3512991,\n",
       "K1,,10.1320,0.4535,61.984,\n,,,,\n;;;;\nK2,,10.1320,0.4535,61.984,\n", 0},
      {"an instrument's preamble", Setout({"--columns", kFiveColumns}),
       "Job: ROAD1\nDate: 12/03/2026\nPtID,Code,E,N,Z\nK1,,498361,3512991,\n",
       "Job: ROAD1\nERROR: Date:: missing field Y (a title or preamble line? --skip-lines 2 "
       "copies the first 2 lines as they are)\nPtID,Code,E,N,Z\nK1,,10.1320,0.4535,61.984,\n",
       1},
      {"a preamble line of words and numbers, without a column list", Setout({}),
       "Instrument TS 5 2026\nK1,3512991,498361\n",
       "ERROR: Instrument: 4 fields: setout takes X Y, led by a name or not; say which field is "
       "which, e.g. --columns name,x,y,- (a title or preamble line? --skip-lines 1 copies the "
       "first line as it is)\nK1,10.1320,0.4535,61.984\n",
       1},
      {"the preamble skipped", Setout({"--columns", kFiveColumns, "--skip-lines", "2"}),
       "Job: ROAD1\nDate: 12/03/2026\nPtID,Code,E,N,Z\nK1,,498361,3512991,\n",
       "Job: ROAD1\nDate: 12/03/2026\nPtID,Code,E,N,Z\nK1,,10.1320,0.4535,61.984,\n", 0},
      {"X Y H without names", Setout({}), "3512991.000 498361.000 21.300\n1001 3512991 498361\n",
       "ERROR: 3 numbers, the first with a decimal mark or an exponent: read as NAME X Y it is "
       "the name \"3512991.000\", as X Y H it is X; say which with --columns name,x,y or "
       "--columns x,y,h\n1001 10.1320 0.4535 61.984\n",
       1},
      {"forward: a decimal first field of five",
       {"forward"},
       "12.5 1000 2000 45.3025 100\n",
       "ERROR: 5 numbers, the first with a decimal mark or an exponent: read as NAME X0 Y0 "
       "AZIMUTH DISTANCE it is the name \"12.5\", as X0 Y0 AZIMUTH DISTANCE and one more field "
       "it is X0; say which with --columns name,x0,y0,azimuth,distance or --columns "
       "x0,y0,azimuth,distance,-\n",
       1},
      {"inverse: an exponent first field of five",
       {"inverse"},
       "1e3 0 0 100 100\n",
       "ERROR: 5 numbers, the first with a decimal mark or an exponent: read as NAME X0 Y0 X1 "
       "Y1 it is the name \"1e3\", as X0 Y0 X1 Y1 and one more field it is X0; say which with "
       "--columns name,x0,y0,x1,y1 or --columns x0,y0,x1,y1,-\n",
       1},
      // Commas that group thousands.
      {"a quoted thousands separator, the row in points", Setout({"--columns", "name,y,x"}),
       "P1,\"498,361\",3512991.000\n", "P1,10.1320,0.4535,61.984\n", 0},
      {"thousands settled by the rows before", Local({}),
       "P0,8360.5,12990\nP1,\"8,361\",\"12,991\"\n",
       "P0,9.5534,0.2750,60.912\nP1,10.1320,0.4535,61.984\n", 0},
      {"thousands or a decimal comma: nothing settles it", Local({}), "P1,\"8,361\",\"12,991\"\n",
       "ERROR: P1: Y \"8,361\" is 8361 where the comma groups thousands, 8.361 where it is the "
       "decimal mark: say which with --decimal-mark . or --decimal-mark ,\n",
       1},
      {"--decimal-mark . settles it", Local({"--decimal-mark", "."}), "P1,\"8,361\",\"12,991\"\n",
       "P1,10.1320,0.4535,61.984\n", 0},
      {"a comma before a point groups", Setout({"--columns", kFiveColumns}),
       "K1;;\"498,361\";\"3,512,991.0\";\"1,021.5\"\n", "K1;;10.1320;0.4535;61.984;1021.5\n", 0},
      // Names and codes that would split the answer line.
      {"a semicolon in a CSV code", Setout({"--columns", kFiveColumns}),
       "K1,\"kerb; north\",498361,3512991,\n", "K1,\"kerb; north\",10.1320,0.4535,61.984,\n", 0},
      {"a tab in a CSV code", Setout({"--columns", kFiveColumns}), "K1,\"a\tb\",498361,3512991,\n",
       "K1,\"a\tb\",10.1320,0.4535,61.984,\n", 0},
      {"a comma in a name between blanks", Setout({}), "\"K,1\" 3512991 498361\n",
       "\"K,1\" 10.1320 0.4535 61.984\n", 0},
  };
  for (const Shape& shape : shapes) {
    Args args = shape.args;
    if (!shape.control.empty()) {
      args.insert(args.end(), {"--control", File("ctl.dat", shape.control).string(),
                               "--station-point", "控制点1", "--backsight-point", "控制点2"});
      args.erase(args.begin() + 1, args.begin() + 5);  // the typed station and backsight
    }
    const Outcome run = Calc(args, shape.in);
    EXPECT_EQ(run.out, shape.out) << shape.shape;
    EXPECT_EQ(run.status, shape.status) << shape.shape;
  }
}

// Bad values of the new options are usage errors; a row that does not
// decode is named on standard error by its line.
TEST_F(CalcTest, EncodingOptionsAndRowsThatDoNotDecodeAreNamed) {
  const Outcome unknown = Calc(Setout({"--encoding", "koi8-r"}), "");
  EXPECT_EQ(unknown.err,
            "corvane-calc: --encoding: unknown encoding \"koi8-r\" (known: utf-8, gb18030 (also "
            "gbk, gb2312), big5, latin1, windows-1252, shift_jis, utf-16le, utf-16be)\n"
            "Try 'corvane-calc --help'.\n");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_TRUE(Calc(Setout({"--decimal-mark", ";"}), "")
                  .err.starts_with("corvane-calc: --decimal-mark needs \",\" or \".\": ;\n"));
  const Outcome gbk = Calc(Setout({"--columns", kFiveColumns}),
                           "K1,中线,498361,3512991,\n\xbf\xd8\xd6\xc6\xb5\xe3\x32,,1,2,\n");
  EXPECT_TRUE(
      gbk.err.ends_with("corvane-calc: stdin:1: line reads as GB18030 and as UTF-8 text: "
                        "say which with --encoding NAME\n"))
      << gbk.err;
}

// A CASS file in GBK whose names and codes are the words crews use: 桩
// (D7 AE) and 路缘 (C2 B7 D4 B5) are valid UTF-8 too, 中桩, 井盖 and 坎上
// are not. The file is GBK, every row of it: 桩1,路缘 first, and a hundred
// rows of such words alone before the others.
TEST_F(CalcTest, AGbkCassFileOfTheWordsCrewsUseReadsWhole) {
  const std::string gbk[] = {"\xd7\xae", "\xc2\xb7\xd4\xb5", "\xd6\xd0\xd7\xae", "\xbe\xae\xb8\xc7",
                             "\xbf\xb2\xc9\xcf"};
  const std::string utf8[] = {"桩", "路缘", "中桩", "井盖", "坎上"};
  std::string file;
  std::string answers;
  for (int i = 1; i <= 2000; ++i) {
    const int name = i <= 100 ? 0 : i % 5;
    const int code = i <= 100 ? 1 : i / 5 % 5;
    file += gbk[name] + std::to_string(i) + "," + gbk[code] + ",498361,3512991,\r\n";
    answers += utf8[name] + std::to_string(i) + "," + utf8[code] + ",10.1320,0.4535,61.984,\n";
  }
  const Outcome run = Calc(Setout({"--columns", kFiveColumns}), file);
  EXPECT_EQ(run.out, answers);
  EXPECT_EQ(run.status, 0) << run.err;
}

}  // namespace
