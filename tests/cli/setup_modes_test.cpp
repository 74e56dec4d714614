// corvane-calc orient, freestation and intersect as a user runs them: the
// worked cases (their printed figures in the comments), where each line of
// the output goes, and each way a setup, a row or a command line fails.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/calc_test.h"

namespace {

using calc_test::CalcTest;
using calc_test::Outcome;

// Known points: the worked cases', a station S with backsights 100 m north
// and 300 m east, points on a circle of 200 m about (1000, 1000) (T1 to T3)
// and on one line (L1 to L3).
constexpr const char* kControl =
    "GPS1 23171.431 55427.021\n"
    "GPS2 23657.763 55341.626\n"
    "GPS4 23997.311 55898.704\n"
    "GPS9 23575.902 55739.227\n"
    "P101 247985.580 658031.813\n"
    "P102 247759.380 657638.800\n"
    "P103 247431.381 658077.700\n"
    "A 6484.4043 8304.5835\n"
    "M 6435.1639 8313.2660\n"
    "B 6388.962 8356.6683\n"
    "C 6488.962 8356.678\n"
    "D 6335.6841 8387.8647\n"
    "E 5938.962 8789.6907\n"
    "N 6070.7851 8377.5158\n"
    "F 5788.962 8356.678\n"
    "G 6001.0235 8288.2740\n"
    "H 6188.962 8006.678\n"
    "Q 6464.7082 8308.0565\n"
    "S 0 0\n"
    "B1 100 0\n"
    "B2 0 300\n"
    "T1 1196.9616 1034.7296\n"
    "T2 871.4425 1153.2089\n"
    "T3 931.5960 812.0615\n"
    "L1 1100 1000\n"
    "L2 1250 1000\n"
    "L3 1400 1000\n";

class SetupModesTest : public CalcTest {
 protected:
  // corvane-calc MODE --control ctl.dat, then `args`.
  Outcome Run(const std::string& mode, std::vector<std::string> args,
              const std::string& input = "") {
    args.insert(args.begin(), {mode, "--control", File("ctl.dat", kControl).string()});
    return Calc(args, input);
  }
};

TEST_F(SetupModesTest, WorkedCasesComeOutAsPrinted) {
  const struct {
    std::string mode;
    std::vector<std::string> args;
    std::string input;
    std::string out;
    std::string err;
  } cases[] = {
      // Resection, printed (247973.2414, 657871.9494): no redundancy, every
      // residual 0, the standard errors a-priori.
      {"freestation",
       {"--decimals", "4"},
       "P101 22.4556\nP102 164.3859\nP103 96.2312\n",
       "STATION 247973.2414 657871.9494 62.4916 10.2080 32.0176\n"
       "P101 0.0000\nP102 0.0000\nP103 0.0000\n",
       ""},
      // Free station with distances, printed (6188.9593, 8356.6768), mX 3.5
      // mm, mY 1.7 mm; A +2.9" / +11.4 mm, F -3.8" / -12.7 mm.
      {"freestation",
       {"--distance-sigma", "5,2", "--decimals", "4", "--name", "S1"},
       "A 0.0000 299.991\nM 0.0010 250.008\nB 9.5955 200.010\nC 10.0010 300.005\n"
       "D 21.5952 149.995\nE 130.0008 500.006\nN 179.5955 119.993\nF 190.0005 400.010\n"
       "G 209.5956 199.992\nH 280.0006 350.005\nQ 359.5956 280.004\n",
       "S1 6188.9593 8356.6768 349.5958 3.5194 1.6550\n"
       "A 2.8814 11.4274\nM -6.8310 -5.6006\nB -1.9943 -7.3114\nC -7.3921 -2.3116\n"
       "D 10.5472 7.8220\nE -7.3886 -6.3345\nN 3.9955 4.5286\nF -3.7861 -12.6884\n"
       "G 5.5925 5.0418\nH -2.6162 -6.1678\nQ 6.9918 -1.5248\n",
       ""},
      // Forward intersection, printed (23997.362, 55441.321); and the mirror
      // image on the right of GPS2 to GPS4.
      {"intersect",
       {"--decimals", "3"},
       "P1 GPS2 GPS4 42.16355 31.22097\n",
       "P1 23997.362 55441.321\n",
       ""},
      {"intersect",
       {"--decimals", "3", "--right"},
       "P1 GPS2 GPS4 42.16355 31.22097\n",
       "P1 23590.754 55689.155\n",
       ""},
      // Distance intersection, printed (23203.136, 55652.795).
      {"intersect",
       {"--decimals", "3", "--by-distance"},
       "P2,GPS9,GPS1,382.655,227.989\n",
       "P2,23203.136,55652.795\n",
       ""},
      // Two backsights from S, weighted 100 to 300 by their distances: by
      // hand 349°59'55.5041", B1 +4.4959" (2.1797 mm at 100 m), B2 -1.4986"
      // (-2.1797 mm at 300 m).
      {"orient",
       {"--station-point", "S"},
       "B1 10.0000\nB2 100.0006\n",
       "B1 4.495855 2.179652\nB2 -1.498618 -2.179652\n",
       "corvane-calc: orientation 349.595550\n"},
  };
  for (const auto& c : cases) {
    const Outcome run = Run(c.mode, c.args, c.input);
    EXPECT_EQ(run.out, c.out) << c.input;
    EXPECT_EQ(run.err, c.err) << c.input;
    EXPECT_EQ(run.status, 0) << c.input;
  }
}

// Every line keeps its place: comments, blank lines and a header copied,
// rows that do not read or name unknown points as errors (at once on
// standard error), each sighting answered once the last is read; with
// --header the setup heads the answers, the input's header giving way.
TEST_F(SetupModesTest, EveryLineKeepsItsPlaceAndTheSetupHeadsTheAnswers) {
  const std::string input =
      "# from S, face left\n"
      "Name;Reading\n"
      "B1;10,0000\n"
      "\n"
      "B9;5\n"
      "B2;100,0006\n"
      "B1;45,6\n";
  const Outcome oriented =
      Run("orient", {"--station", "0,0", "--header", "--decimals", "2", "--azimuth-decimals", "4"},
          input);
  EXPECT_EQ(oriented.out,
            "# from S, face left\n"
            "# station X 0.00 Y 0.00 / orientation 349.5956\n"
            "NAME;RESIDUAL;LINEAR\n"
            "B1;4.50;2.18\n"
            "\n"
            "ERROR: B9: no point B9 in " +
                (dir_ / "ctl.dat").string() +
                "\n"
                "B2;-1.50;-2.18\n"
                "ERROR: B1: READING has minutes of 60 or more: \"45,6\"\n");
  EXPECT_EQ(oriented.err,
            "corvane-calc: stdin:5: B9: no point B9 in " + (dir_ / "ctl.dat").string() +
                "\n"
                "corvane-calc: stdin:7: B1: READING has minutes of 60 or more: \"45,6\"\n"
                "corvane-calc: orientation 349.5956\n");
  EXPECT_EQ(oriented.status, 1);

  // The station row first; a reading without a distance has an empty
  // residual, left out between blanks.
  const Outcome free =
      Run("freestation", {"--decimals", "1", "--azimuth-decimals", "4", "--header"},
          "# resection\nP101,22.4556,\nP102 164.3859\nP103 96.2312 -5\n"
          "P103 96.2312\n");
  EXPECT_EQ(free.out,
            "STATION,247973.2,657871.9,62.4916,10.2,32.0\n"
            "# resection\n"
            "# free station STATION X 247973.2 Y 657871.9 / orientation 62.4916 / mX 10.2 mY "
            "32.0 mm / sigma0 1.00\n"
            "NAME,V_READING,V_DISTANCE\n"
            "P101,0.0,\n"
            "P102 0.0\n"
            "ERROR: P103: DISTANCE is not above 0\n"
            "P103 0.0\n");
  EXPECT_EQ(free.status, 1);
}

// Sightings that fix no setup: one line on standard error says why, and
// so does every sighting's row in its place.
TEST_F(SetupModesTest, ASetupTheSightingsDoNotFixIsRefusedOnEveryRow) {
  const struct {
    std::string mode;
    std::vector<std::string> args;
    std::string input;
    std::string why;
  } cases[] = {
      {"orient",
       {"--station-point", "S"},
       "B1 10\n",
       "no orientation: orient needs readings to two or more backsights"},
      {"orient",
       {"--station-point", "S"},
       "B1 10\nS 20\n",
       "no orientation: backsight S (stdin:2) is the station"},
      {"freestation",
       {},
       "A 0 299.991\nA 0 299.991\n",
       "no station: A (stdin:2) is the same point as A (stdin:1)"},
      // The station on the circle through T1, T2 and T3; L1 to L3 in line with it.
      {"freestation",
       {},
       "T1 295\nT2 175\nT3 235\n",
       "no station: the station lies on or near the danger circle through the points "
       "(weakness 7237659.3, at most 10)"},
      {"freestation",
       {},
       "L1 0\nL2 0\nL3 0\n",
       "no station: the points lie in one line with the station: they fix nothing across it"},
  };
  for (const auto& c : cases) {
    const Outcome run = Run(c.mode, c.args, c.input);
    std::string out = c.mode == "freestation" ? "ERROR: " + c.why + "\n" : "";
    for (std::size_t at = 0; at < c.input.size(); at = c.input.find('\n', at) + 1)
      out += "ERROR: " + c.input.substr(at, c.input.find(' ', at) - at) + ": " + c.why + "\n";
    EXPECT_EQ(run.out, out);
    EXPECT_EQ(run.err, "corvane-calc: " + c.why + "\n");
    EXPECT_EQ(run.status, 1) << c.why;
  }
}

// A row of intersect that gives no point is an error in its place; the
// others are answered.
TEST_F(SetupModesTest, AnIntersectionThatGivesNoPointIsAnErrorInPlace) {
  const Outcome run = Run("intersect", {"--decimals", "3"},
                          "P1 GPS2 GPS9 30 40\n"
                          "P2 GPS2 GPS2 30 40\n"
                          "P3 GPS2 GPS7 30 40\n"
                          "P4 GPS2 GPS9 100 80\n"
                          "P5 GPS2 GPS9 0 40\n"
                          "P6 GPS2 GPS9 30\n"
                          "P7 GPS2 GPS9 30 40 50\n");
  EXPECT_EQ(run.out,
            "P1 23745.256 55605.161\n"
            "ERROR: P2: A and B are the same point\n"
            "ERROR: P3: B: no point GPS7 in " +
                (dir_ / "ctl.dat").string() +
                "\n"
                "ERROR: P4: ANGLE_A and ANGLE_B add up to 180 degrees or more\n"
                "ERROR: P5: ANGLE_A is not above 0\n"
                "ERROR: P6: missing field ANGLE_B\n"
                "ERROR: P7: 6 fields: intersect takes NAME A B ANGLE_A ANGLE_B\n");
  EXPECT_EQ(run.status, 1);
  const Outcome apart = Run("intersect", {"--by-distance"}, "P GPS2 GPS9 10 20\n");
  EXPECT_EQ(apart.out, "ERROR: P: the circles about A and B do not meet\n");
}

TEST_F(SetupModesTest, CommandLinesThatCannotWorkAreUsageErrors) {
  const struct {
    std::vector<std::string> args;
    std::string error;
  } cases[] = {
      {{"orient", "--station", "0,0"}, "orient needs --control FILE"},
      {{"orient", "--control", "c"}, "orient needs --station X,Y or --station-point NAME"},
      {{"freestation", "--control", "c", "--station", "0,0"},
       "freestation takes no --station or --station-point"},
      {{"freestation", "--control", "c", "--columns", "name,x,y"},
       "--columns is for forward, inverse and setout"},
      {{"freestation", "--control", "c", "--distance-sigma", "0,0"},
       "--distance-sigma needs A,B: millimetres and ppm, 0 or more, not both 0: 0,0"},
      {{"setout", "--station", "0,0", "--backsight-azimuth", "0", "--right"},
       "--right is for intersect"},
      {{"intersect", "--control", "c", "--name", "S"}, "--name is for freestation"},
  };
  for (const auto& c : cases) {
    const Outcome run = Calc(c.args);
    EXPECT_EQ(run.err, "corvane-calc: " + c.error + "\nTry 'corvane-calc --help'.\n");
    EXPECT_EQ(run.status, 2);
  }
  // An input that cannot be read answers nothing: a setup without some of
  // its rows is not the one asked for.
  const Outcome missing = Run("freestation", {"-i", "-", "-i", (dir_ / "none").string()},
                              "P101 22.4556\nP102 164.3859\nP103 96.2312\n");
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err, "corvane-calc: cannot open " + (dir_ / "none").string() +
                             ": No such file or directory\n");
  EXPECT_EQ(missing.status, 2);
  const Outcome few = Run("intersect", {"P", "GPS2", "30", "40"});
  EXPECT_EQ(
      few.err,
      "corvane-calc: expected 5 values: NAME A B and two numbers\nTry 'corvane-calc --help'.\n");
  // Rows given on the command line, one a value.
  const Outcome values = Run("orient", {"--station-point", "S", "--angle-format", "dms",
                                        "--azimuth-decimals", "4", "B1 10", "B2,100.0006"});
  EXPECT_EQ(values.out, "B1 4.495855 2.179652\nB2,-1.498618,-2.179652\n");
  EXPECT_EQ(values.err, "corvane-calc: orientation 349°59′56″\n");
}

}  // namespace
