// Runs the built corvane-calc and checks what a user or a script sees:
// standard output, the line numbers on standard error and the exit status.

#include <gtest/gtest.h>
#include <poll.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/calc_test.h"

namespace {

namespace fs = std::filesystem;

using calc_test::CalcTest;
using calc_test::Outcome;
using calc_test::ReadFile;

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
       "ERROR: K1: Y is not a number: \"498301.2O\"\nK2,,2.151115,2.151115,30.523597,\n", 1},
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
  EXPECT_LT(run.peakKib, 16 * 1024);
#endif
}

}  // namespace
