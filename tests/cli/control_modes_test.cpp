// corvane-calc traverse and level as a user runs them: the worked cases
// (their published figures in the comments), synthetic lines worked out
// from known points (the angles and distances between them computed
// apart, to 0.001" and 1 um, so the table must give the points back and
// close to 0), the limits, and each way the rows or the command line fail.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/calc_test.h"

namespace {

using calc_test::CalcTest;
using calc_test::Outcome;

// The office's attached traverse: B and C known, the azimuth into B
// 237°59'30", out of C 46°45'24"; left angles and legs.
constexpr const char* kWorkedControl = "B 2507.698 1215.637\nC 2166.646 1757.344\n";
constexpr const char* kWorkedRows =
    "B 99.0100 225.848\n1 167.4536 139.026\n2 123.1124 172.572\n3 189.2036 100.067\n"
    "4 179.5918 102.483\nC 129.2724\n";
// fβ -36" (+6" an angle), fx -0.038, fy +0.068, f 0.077, K 1/9567; the
// points 1 to 4 as computed by the compass rule by hand.
constexpr const char* kWorkedTable =
    "B 99.0100 6 99.0106 157.0036 225.848 -207.910 88.210 12 -21 2507.698 1215.637\n"
    "1 167.4536 6 167.4542 144.4618 139.026 -113.565 80.195 7 -12 2299.800 1303.826\n"
    "2 123.1124 6 123.1130 87.5748 172.572 6.133 172.463 9 -16 2186.242 1384.009\n"
    "3 189.2036 6 189.2042 97.1830 100.067 -12.729 99.254 5 -9 2192.384 1556.456\n"
    "4 179.5918 6 179.5924 97.1754 102.483 -13.019 101.653 5 -10 2179.660 1655.701\n"
    "C 129.2724 6 129.2730 - - - - - - 2166.646 1757.344\n";

// Known points A (1000, 1000), P1 (1100, 1050), P2 (1180, 1200), Q (1050,
// 1250), E (1300, 1250); BS behind A, FS ahead of E.
constexpr const char* kSynthetic = "A 1000 1000\nE 1300 1250\nBS 900 1000\nFS 1400 1400\n";
constexpr const char* kSyntheticPoints =
    "A 206.3354 0 206.3354 26.3354 111.803 100.000 50.000 0 0 1000.000 1000.000\n"
    "P1 215.2145 0 215.2145 61.5539 170.000 80.000 150.000 0 0 1100.000 1050.000\n";

class ControlModesTest : public CalcTest {
 protected:
  // corvane-calc MODE --control FILE (holding `control`), then `args`.
  Outcome Run(const std::string& mode, const std::string& control, std::vector<std::string> args,
              const std::string& input = "") {
    args.insert(args.begin(), {mode, "--control", File("ctl.dat", control).string()});
    return Calc(args, input);
  }
  Outcome Worked(std::vector<std::string> more = {}) {
    std::vector<std::string> args = {"--start", "B", "--start-azimuth", "237.5930",
                                     "--end",   "C", "--end-azimuth",   "46.4524"};
    args.insert(args.end(), more.begin(), more.end());
    return Run("traverse", kWorkedControl, args, kWorkedRows);
  }
  Outcome Synthetic(std::vector<std::string> args, const std::string& rows) {
    return Run("traverse", kSynthetic, args, rows);
  }
};

TEST_F(ControlModesTest, WorkedTraverseComesOutAsComputedByHand) {
  const Outcome run = Worked();
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, std::string(kWorkedTable) +
                         "CLOSURE -36.0 147.0 -0.038 0.068 0.077 739.996 1/9567 1/2000\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(ControlModesTest, ClosuresOverTheirLimitsAreMarkedExitOneAndTheTableStands) {
  // 一级: 10" sqrt(6) = 24.5" and 1/15000.
  const Outcome run = Worked({"--grade", "一级"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, std::string(kWorkedTable) +
                         "CLOSURE -36.0 24.5 -0.038 0.068 0.077 739.996 1/9567 1/15000 "
                         "OVER_ANGLE OVER_RELATIVE\n");
  // Typed limits: 15" sqrt(6) = 36.7" holds, 1/10000 does not.
  const Outcome typed = Worked({"--angle-limit", "15", "--relative-limit", "10000"});
  EXPECT_EQ(typed.status, 1);
  EXPECT_NE(typed.out.find("CLOSURE -36.0 36.7 -0.038 0.068 0.077 739.996 1/9567 1/10000 "
                           "OVER_RELATIVE\n"),
            std::string::npos)
      << typed.out;
  // Each grade's limits on the same line.
  const struct {
    const char* grade;
    const char* limits;
  } grades[] = {{"图根", "147.0"}, {"三级", "58.8"}, {"二级", "39.2"}, {"一级", "24.5"}};
  for (const auto& [grade, limit] : grades) {
    const Outcome graded = Worked({"--grade", grade});
    EXPECT_NE(graded.out.find(std::string("CLOSURE -36.0 ") + limit + " "), std::string::npos)
        << grade;
  }
}

TEST_F(ControlModesTest, PointsReadBackAsSetoutsControl) {
  const Outcome points = Worked({"--points"});
  EXPECT_EQ(points.status, 0);
  EXPECT_EQ(points.out,
            "1 2299.800 1303.826\n2 2186.242 1384.009\n3 2192.384 1556.456\n4 2179.660 1655.701\n");
  EXPECT_EQ(points.err,
            "corvane-calc: CLOSURE -36.0 147.0 -0.038 0.068 0.077 739.996 1/9567 1/2000\n");
  // From 1 towards 2, point 3: the inverse of the points as listed.
  const Outcome setout =
      Calc({"setout", "--control", File("new.dat", points.out).string(), "--station-point", "1",
            "--backsight-point", "2", "--decimals", "3", "3", "2192.384", "1556.456"});
  EXPECT_EQ(setout.status, 0) << setout.err;
  EXPECT_EQ(setout.out, "3 113.021 328.154 274.518\n");
}

TEST_F(ControlModesTest, NoiseFreeTraversesGiveTheirPointsBackLeftOrRight) {
  const std::vector<std::string> attached = {"--start", "A", "--backsight", "BS",
                                             "--end",   "E", "--foresight", "FS"};
  const Outcome left = Synthetic(
      attached,
      "A 206.3354184 111.803399\nP1 215.2144863 170\nP2 140.4132467 130\nE 213.4124243\n");
  EXPECT_EQ(left.status, 0) << left.err;
  EXPECT_EQ(left.out.substr(0, std::string(kSyntheticPoints).size()), kSyntheticPoints);
  EXPECT_NE(left.out.find("\nCLOSURE 0.0 120.0 0.000 0.000 0.000 411.803 "), std::string::npos)
      << left.out;
  // The same traverse by its right angles (360° less the left ones).
  std::vector<std::string> right = attached;
  right.push_back("--right-angles");
  const Outcome turned = Synthetic(
      right,
      "A 153.2605816 111.803399\nP1 144.3815137 170\nP2 219.1827533 130\nE 146.1835757\n");
  EXPECT_EQ(turned.status, 0);
  EXPECT_NE(turned.out.find("P2 219.1828 0 219.1828 22.3712 130.000 120.000 50.000 0 0 "
                            "1180.000 1200.000\n"),
            std::string::npos)
      << turned.out;
  // Slope distances with their zenith angles (80°, 95°30'), given as
  // values, one row each: reduced to the same legs.
  std::vector<std::string> values = attached;
  values.insert(values.end(), {"A 206.3354184 111.803399", "P1 215.2144863 172.622524 80",
                               "P2 140.4132467 130.601262 95.3000", "E 213.4124243"});
  const Outcome slope = Synthetic(values, "");
  EXPECT_EQ(slope.status, 0) << slope.err;
  // The table to the millimetre (K's denominator of a closure of some
  // micrometres is no figure to compare).
  EXPECT_EQ(slope.out.substr(0, slope.out.find("1/")), left.out.substr(0, left.out.find("1/")));
  // 12" too much on P1: fβ +12 for left angles; the same error in the
  // turned circle makes the right angle 12" short, fβ -12.
  const Outcome noisy = Synthetic(
      attached,
      "A 206.3354184 111.803399\nP1 215.2156863 170\nP2 140.4132467 130\nE 213.4124243\n");
  EXPECT_NE(noisy.out.find("\nCLOSURE 12.0 120.0 "), std::string::npos) << noisy.out;
  const Outcome noisyRight = Synthetic(
      right,
      "A 153.2605816 111.803399\nP1 144.3803137 170\nP2 219.1827533 130\nE 146.1835757\n");
  EXPECT_NE(noisyRight.out.find("\nCLOSURE -12.0 120.0 "), std::string::npos) << noisyRight.out;
}

TEST_F(ControlModesTest, ClosedUnorientedAndOpenTraverses) {
  // A loop A P1 P2 Q A: the first angle connects the backsight, the
  // polygon's four angles sum to 720° + 0.
  const Outcome loop = Synthetic({"--start", "A", "--backsight", "BS", "--closed"},
                                 "A 206.3354184 111.803399\nP1 215.2144863 170\n"
                                 "P2 277.0205913 139.283883\nQ 279.4339283 254.950976\n"
                                 "A 307.5229941\n");
  EXPECT_EQ(loop.status, 0) << loop.err;
  EXPECT_NE(loop.out.find("\nQ 279.4339 0 279.4339 258.4124 254.951 -50.000 -250.000 0 0 "
                          "1050.000 1250.000\nA 307.5230 0 307.5230 - - - - - - 1000.000 "
                          "1000.000\nCLOSURE 0.0 120.0 0.000 0.000 0.000 676.038 "),
            std::string::npos)
      << loop.out;
  // Without orientation: the ends take no angle ("-"), the similarity
  // puts the points back.
  const Outcome free = Synthetic({"--start", "A", "--end", "E", "--points"},
                                 "A - 111.803399\nP1 215.2144863 170\nP2 140.4132467 130\nE -\n");
  EXPECT_EQ(free.status, 0) << free.err;
  EXPECT_EQ(free.out, "P1 1100.000 1050.000\nP2 1180.000 1200.000\n");
  EXPECT_NE(free.err.find("corvane-calc: CLOSURE - - 0.000 0.000 0.000 411.803 "),
            std::string::npos)
      << free.err;
  // Open: computed, unchecked.
  const Outcome open = Synthetic({"--start", "A", "--backsight", "BS"},
                                 "A 206.3354184 111.803399\nP1 215.2144863 170\nP2 -\n");
  EXPECT_EQ(open.status, 0);
  EXPECT_EQ(open.out.substr(0, std::string(kSyntheticPoints).size()), kSyntheticPoints);
  EXPECT_NE(open.out.find("P2 - - - - - - - - - 1180.000 1200.000\n"
                          "CLOSURE - - - - - 281.803 - - UNCHECKED\n"),
            std::string::npos)
      << open.out;
}

TEST_F(ControlModesTest, RowsKeepTheirSeparatorCommentsAndErrorsInPlace) {
  const Outcome csv = Synthetic({"--start", "A", "--backsight", "BS"},
                                "Name,Angle,Distance\nA,206.3354184,111.803399\n# the new one\n"
                                "P1,215.2144863,170\nP2,-\n");
  EXPECT_EQ(csv.status, 0) << csv.err;
  const std::string start = "Name,Angle,Distance\nA,206.3354,0,206.3354,26.3354,111.803,";
  EXPECT_EQ(csv.out.substr(0, start.size()), start);
  EXPECT_NE(csv.out.find("\n# the new one\nP1,215.2145,0,"), std::string::npos) << csv.out;
  EXPECT_NE(csv.out.find("\nCLOSURE,-,-,-,-,-,281.803,-,-,UNCHECKED\n"), std::string::npos);
  // A row that does not read: the line is not made of the others.
  const Outcome bad = Synthetic({"--start", "A", "--backsight", "BS"},
                                "A 206.3354184 111.803399\nP1 215.6144863 170\nP2 -\n");
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.out,
            "ERROR: A: no traverse: stdin:2 does not read: P1: ANGLE has minutes of 60 or more: "
            "\"215.6144863\"\n"
            "ERROR: P1: ANGLE has minutes of 60 or more: \"215.6144863\"\n"
            "ERROR: P2: no traverse: stdin:2 does not read: P1: ANGLE has minutes of 60 or more: "
            "\"215.6144863\"\n");
  EXPECT_EQ(bad.err.substr(0, 28), "corvane-calc: stdin:2: P1: A");
}

TEST_F(ControlModesTest, InputThatMakesNoLineExitsTwo) {
  const std::vector<std::string> open = {"--start", "A", "--backsight", "BS"};
  const struct {
    std::vector<std::string> args;
    std::string rows;
    std::string err;
  } cases[] = {
      {{"--start", "Z", "--backsight", "BS"}, "Z 1 10\nP 1\n", "--start: no point Z in "},
      {{"--start", "A", "--backsight", "BX"}, "A 1 10\nP 1\n", "--backsight: no point BX in "},
      {open, "A 206.3354184 111.803399\n", "too few legs to make the line"},
      {open, "A 206.3354184 -111.8\nP1 1 10\nP2 1\n", "stdin:1: leg 1: the distance is not above 0"},
      {open, "P1 206.3354184 111.8\nP2 1\n", "the first row is P1, not the start A"},
      {{"--start", "A", "--backsight", "BS", "--end", "E", "--foresight", "FS"},
       "A 1 10\nP 1 10\nQ 1\n",
       "the last row is Q, not E"},
      {open, "A - 10\nP1 1 10\nP2 1\n", "stdin:1: station 1 has no angle"},
  };
  for (const auto& [args, rows, err] : cases) {
    const Outcome run = Synthetic(args, rows);
    EXPECT_EQ(run.status, 2) << rows;
    EXPECT_NE(run.err.find(err), std::string::npos)
        << run.err;
  }
}

TEST_F(ControlModesTest, CommandLinesThatAskForNoOneLineAreRefused) {
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"traverse", "--start", "A"}, "traverse needs --control FILE"},
      {{"--backsight", "BS", "traverse"}, "--backsight needs X,Y, two numbers: BS"},
      {{"traverse", "--by-stations"}, "--by-stations is not for traverse"},
      {{"level", "--rigorous"}, "--rigorous is not for level"},
      {{"setout", "--start", "A"}, "--start is for traverse and level"},
      {{"traverse", "--decimals", "3"}, "--decimals is not for traverse"},
      {{"traverse", "--control", "c", "--start", "A", "--grade", "五级"},
       "--grade needs 图根, 三级, 二级 or 一级: 五级"},
      {{"level", "--control", "c", "--start", "A"},
       "give --end NAME, --closed or --out-and-back NAME"},
      {{"level", "--control", "c", "--start", "A", "--closed", "--end", "B"},
       "give one of --end, --closed and --out-and-back"},
  };
  for (const auto& [args, err] : cases) {
    const Outcome run = Calc(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "corvane-calc: " + err + "\nTry 'corvane-calc --help'.\n");
  }
  const Outcome both = Synthetic({"--start", "A", "--backsight", "BS", "--start-azimuth", "10"},
                                 "A 1 10\nP 1\n");
  EXPECT_EQ(both.status, 2);
  EXPECT_NE(both.err.find("give --backsight or --start-azimuth, not both"), std::string::npos);
}

// The published attached line: BM A 421.326 to BM B 425.062 over 6, 5, 5
// and 4 stations; fh +30 mm against 12 sqrt(20) = 53.7 mm (等外 by
// stations). Shared by the running total: -9 -8 -7 -6 (the published
// table gives -8 -8 -8 -6 and 421.470, 421.137).
TEST_F(ControlModesTest, WorkedLevellingLineComesOutByTheRunningTotal) {
  const Outcome run = Run("level", "BMA 421.326\nBMB 2166.646 1757.344 425.062\n",
                          {"--start", "BMA", "--end", "BMB", "--by-stations"},
                          "1 +0.152 6\n2 -0.325 5\n3 +1.428 5\nBMB +2.511 4\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "BMA - - - - 421.326\n1 6 0.152 -9 0.143 421.469\n2 5 -0.325 -8 -0.333 421.136\n"
            "3 5 1.428 -7 1.421 422.557\nBMB 4 2.511 -6 2.505 425.062\nCLOSURE 30.0 53.7\n");
  // 三等 by stations, 4 sqrt(20) = 17.9 mm: over, the table written.
  const Outcome strict = Run("level", "BMA 421.326\nBMB 425.062\n",
                             {"--start", "BMA", "--end", "BMB", "--by-stations", "--grade", "三等"},
                             "1 +0.152 6\n2 -0.325 5\n3 +1.428 5\nBMB +2.511 4\n");
  EXPECT_EQ(strict.status, 1);
  EXPECT_NE(strict.out.find("\nCLOSURE 30.0 17.9 OVER_CLOSURE\n"), std::string::npos);
  EXPECT_NE(strict.out.find("\n2 5 -0.325 -8 -0.333 421.136\n"), std::string::npos);
}

TEST_F(ControlModesTest, ClosedAndOutAndBackLevellingLines) {
  // Closed: fh -12 mm over 1.5 km (limit 40 sqrt(1.5) = 49.0), +4 +3 +5 by
  // the running total of 4, 7.2, 12.
  const Outcome closed = Run("level", "BMA 100\n", {"--start", "BMA", "--closed"},
                             "1 +1.234 0.5\n2 -0.500 0.4\nBMA -0.746 0.6\n");
  EXPECT_EQ(closed.status, 0) << closed.err;
  EXPECT_EQ(closed.out,
            "BMA - - - - 100.000\n1 0.500 1.234 4 1.238 101.238\n2 0.400 -0.500 3 -0.497 "
            "100.741\nBMA 0.600 -0.746 5 -0.741 100.000\nCLOSURE -12.0 49.0\n");
  // Out to T and back: fh = 1.500 - 1.506 = -6 mm on 0.5 km one way (limit
  // 28.3); the run out takes +3 mm, T the mean of the two runs, 101.503.
  const Outcome back = Run("level", "BMA 100\n", {"--start", "BMA", "--out-and-back", "T"},
                           "1 +1.000 0.3\nT +0.500 0.2\n1 -0.502 0.2\nBMA -1.004 0.3\n");
  EXPECT_EQ(back.status, 0) << back.err;
  EXPECT_EQ(back.out,
            "BMA - - - - 100.000\n1 0.300 1.000 2 1.002 101.002\nT 0.200 0.500 1 0.501 101.503\n"
            "1 0.200 -0.502 - - -\nBMA 0.300 -1.004 - - -\nCLOSURE -6.0 28.3\n");
  const Outcome points = Run("level", "BMA 100\n",
                             {"--start", "BMA", "--out-and-back", "T", "--points"},
                             "1 +1.000 0.3\nT +0.500 0.2\n1 -0.502 0.2\nBMA -1.004 0.3\n");
  EXPECT_EQ(points.out, "1 101.002\nT 101.503\n");
  // Read back as a levelling control file, the points are benchmarks.
  const Outcome onwards = Run("level", points.out, {"--start", "1", "--end", "T"},
                              "X +0.250 0.1\nT +0.251 0.1\n");
  EXPECT_EQ(onwards.out,
            "1 - - - - 101.002\nX 0.100 0.250 0 0.250 101.252\nT 0.100 0.251 0 0.251 101.503\n"
            "CLOSURE 0.0 17.9\n");
}

TEST_F(ControlModesTest, LevellingLinesTheRowsDoNotMakeExitTwo) {
  const struct {
    std::vector<std::string> args;
    std::string rows;
    std::string err;
  } cases[] = {
      {{"--start", "BMX", "--closed"}, "BMA 1 1\n", "--start: no point BMX in "},
      {{"--start", "BMA", "--end", "BMZ"}, "BMZ 1 1\n", "--end: no point BMZ in "},
      {{"--start", "BMA", "--closed"}, "1 1 1\n2 1 1\n", "the last row is 2, not BMA"},
      {{"--start", "BMA", "--closed"}, "1 1 -1\nBMA 1 1\n",
       "stdin:1: section 1: the length is not above 0"},
      {{"--start", "BMA", "--closed", "--by-stations"}, "1 1 2.5\nBMA 1 1\n",
       "stdin:1: section 1: the length is not above 0, or the stations"},
      {{"--start", "BMA", "--out-and-back", "T"}, "1 1 1\nBMA 1 1\n",
       "no row ends on the turning point T"},
      {{"--start", "BMA", "--out-and-back", "T"}, "T 1 1\n", "no run back after the turning point T"},
      {{"--start", "BMA", "--closed"}, "1 1\nBMA 1 1\n", "stdin:1: 1: missing field LENGTH"},
  };
  for (const auto& [args, rows, err] : cases) {
    const Outcome run = Run("level", "BMA 100\n", args, rows);
    EXPECT_EQ(run.status, 2) << rows;
    EXPECT_NE(run.err.find(err), std::string::npos) << run.err;
  }
}

}  // namespace
