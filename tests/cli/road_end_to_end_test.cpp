// corvane-calc along a road, run as a user runs it: the textbook's JD table
// (X north, Y east) whose first curve is published as JD1: deflection
// 78°20'43.7" left, T 118.001, L 205.412, E 33.365, J 30.590, ZH K0+106.340
// (518.465, 237.825), HY K0+161.340 (563.001, 269.837), QZ K0+209.047
// (608.982, 281.073), YH K0+256.753 (655.427, 271.947), HZ K0+311.753
// (701.377, 242.001).

#include <gtest/gtest.h>

#include <string>

#include "tests/cli/calc_test.h"

namespace {

using namespace calc_test;

const char* const kJdTable =
    "PSta,437.58,168.79\n"
    "JD1,608.22,314.43,110,55\n"
    "JD2,801.97,163.79,91,43\n"
    "JD3,967.29,311.92,85,35\n"
    "JD4,850.67,523.55,350,0\n"
    "PEnd,852.11,723.55\n";

// Grade-change points from K0+000 to K1+100, past the road's end.
const char* const kProfile =
    "CHAINAGE,HEIGHT,R\n"
    "K0+000,100.00\n"
    "K0+400,108.00,3000\n"
    "K0+800,102.00,5000\n"
    "K1+100,103.00\n";

class RoadTest : public CalcTest {
 protected:
  void SetUp() override {
    CalcTest::SetUp();
    jd_ = File("jd.csv", kJdTable).string();
    profile_ = File("profile.csv", kProfile).string();
  }
  std::string jd_, profile_;
};

// The textbook's curves; JD4, a plain circular curve (Ls = 0), has its
// start ZY under ZH and HY alike and its end YZ under YH and HZ.
TEST_F(RoadTest, TheCurveTableOfTheWorkedCaseReadsAsPublished) {
  const Outcome run = Calc(
      {"alignment", "--alignment", jd_, "--header", "--decimals", "3", "--azimuth-decimals", "5"});
  EXPECT_EQ(run.out,
            "NAME,X,Y,ALPHA,R,LS1,LS2,T1,T2,L,E,J,JD,ZH,HY,QZ,YH,HZ\n"
            "PSta,437.580,168.790,,,,,,,,,,K0+000.000,,,,,\n"
            "JD1,608.220,314.430,-78.20437,110.000,55.000,55.000,118.001,118.001,205.412,33.365,"
            "30.590,K0+224.341,K0+106.340,K0+161.340,K0+209.047,K0+256.753,K0+311.753\n"
            "JD2,801.970,163.790,79.43333,91.000,43.000,43.000,98.154,98.154,169.625,28.655,"
            "26.682,K0+439.173,K0+341.019,K0+384.019,K0+425.832,K0+467.644,K0+510.644\n"
            "JD3,967.290,311.920,76.59465,85.000,35.000,35.000,85.560,85.560,149.226,24.374,"
            "21.893,K0+634.466,K0+548.906,K0+583.906,K0+623.520,K0+663.133,K0+698.133\n"
            "JD4,850.670,523.550,-29.16111,350.000,0.000,0.000,91.396,91.396,178.799,11.736,"
            "3.993,K0+854.208,K0+762.812,K0+762.812,K0+852.212,K0+941.611,K0+941.611\n"
            "PEnd,852.110,723.550,,,,,,,,,,K1+050.220,,,,,\n");
  EXPECT_EQ(run.status, 0);
}

// JD1's curve typed element by element: its main points fall where the JD
// table puts them.
TEST_F(RoadTest, AnElementTableGivesItsMainPoints) {
  const std::string elements = File("elements.csv",
                                    "PSta,437.58,168.79,40.2849859491,K0+000\n"
                                    ",106.340288,,\n"
                                    ",55,0,-110\n"
                                    ",95.412498,-110,-110\n"
                                    ",55,-110,0\n"
                                    ",100,,\n")
                                   .string();
  const Outcome run = Calc({"alignment", "--elements", elements, "--header", "--decimals", "3",
                            "--azimuth-decimals", "4"});
  EXPECT_EQ(run.out,
            "POINT,K,X,Y,AZIMUTH\n"
            "BP,K0+000.000,437.580,168.790,40.2850\n"
            "ZH,K0+106.340,518.465,237.825,40.2850\n"
            "HY,K0+161.340,563.001,269.837,26.0924\n"
            "YH,K0+256.753,655.427,271.947,336.2732\n"
            "HZ,K0+311.753,701.377,242.001,322.0806\n"
            "EP,K0+411.753,780.323,180.620,322.0806\n");
  EXPECT_EQ(run.status, 0);
}

TEST_F(RoadTest, StakeAndLocateRowsAnswerLineForLine) {
  Outcome run = Calc({"stake", "--alignment", jd_, "--profile", profile_, "--decimals", "3",
                      "--azimuth-decimals", "4"},
                     "K0+106.340288\n"
                     "QZ,K0+209.046536,0\n"
                     "256.752785;-5,5\n"
                     "P9 311.752785 10\n"
                     "1050.3\n");
  EXPECT_EQ(run.out,
            "518.465 237.825 40.2850 102.127\n"
            "QZ,608.982,281.073,1.1828,104.181\n"
            "653.230;266.905;336.2732;105.135\n"
            "P9 707.515 249.895 322.0806 106.235\n"
            "ERROR: CHAINAGE is beyond the end of the alignment, K1+050.220\n");
  EXPECT_EQ(run.err,
            "corvane-calc: stdin:5: CHAINAGE is beyond the end of the alignment, K1+050.220\n");
  EXPECT_EQ(run.status, 1);

  run = Calc({"locate", "--alignment", jd_, "--decimals", "3", "--header"},
             "# measured\n"
             "P1 608.982 281.073\n"
             "707.515,249.895\n"
             "P2 2000 2000\n");
  EXPECT_EQ(run.out,
            "# measured\n"
            "NAME K OFFSET\n"
            "P1 209.047 -0.000\n"
            "311.753,10.000\n"
            "ERROR: P2: point lies beside no element of the alignment\n");
  EXPECT_EQ(run.status, 1);

  // A spreadsheet's semicolon file: a decimal comma in K form too, and no
  // offset column (the centre line).
  run = Calc({"stake", "--alignment", jd_, "--columns", "name,chainage", "--decimals", "3"},
             "Name;K\nQZ;K0+209,046536\n");
  EXPECT_EQ(run.out, "Name;K\nQZ;608.982;281.073;1.183\n");
  EXPECT_EQ(run.status, 0);

  run = Calc({"stake", "--alignment", jd_, "--profile", profile_, "--start-chainage", "K2+000",
              "--decimals", "3", "--", "K2+100", "-2"});
  EXPECT_EQ(run.out,
            "ERROR: no design height: CHAINAGE is outside the profile, K0+000.000 "
            "to K1+100.000\n");
  EXPECT_EQ(run.status, 1);
}

// The stakes every 20 m with side stakes 10 m left and right are a design
// file that setout reads as it is, its columns named: each stake's sheet
// row is the one of the same point typed.
TEST_F(RoadTest, TheRoadsStakesAreADesignFileForSetout) {
  const Outcome stakes =
      Calc({"stake", "--alignment", jd_, "--profile", profile_, "--every", "20", "--offsets",
            "-10,10", "--header", "--decimals", "3", "--azimuth-decimals", "4"});
  ASSERT_EQ(stakes.status, 0);
  EXPECT_TRUE(
      stakes.out.starts_with("NAME,K,OFFSET,X,Y,AZIMUTH,H\n"
                             "K0+000 BP,0.000,0.000,437.580,168.790,40.2850,100.000\n"
                             "K0+000 BP L10,0.000,-10.000,444.072,161.184,40.2850,"
                             "100.000\n"
                             "K0+000 BP R10,0.000,10.000,431.088,176.396,40.2850,"
                             "100.000\n"
                             "K0+020,20.000,0.000,452.793,181.774,40.2850,100.400\n"));
  EXPECT_NE(stakes.out.find("\nK0+209.047 QZ L10,209.047,-10.000,609.210,271.076,1.1828,"
                            "104.181\n"),
            std::string::npos);
  EXPECT_TRUE(
      stakes.out.ends_with("K1+050.220 EP R10,1050.220,10.000,842.110,723.622,"
                           "89.3515,102.834\n"));

  const std::string design = File("stakes.csv", stakes.out).string();
  const std::vector<std::string> setout = {"setout",      "--station",          "700,300",
                                           "--backsight", "437.58,168.79",      "--decimals",
                                           "3",           "--azimuth-decimals", "4"};
  std::vector<std::string> sheet = setout;
  sheet.insert(sheet.end(), {"--columns", "name,-,-,x,y,-,h", "-i", design});
  const Outcome run = Calc(sheet);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 217);
  EXPECT_NE(run.out.find("\nK0+209.047 QZ L10,197.4015,351.0621,95.286,104.181\n"),
            std::string::npos);
  std::vector<std::string> typed = setout;
  typed.insert(typed.end(),
               {"--columns", "name,x,y,h", "K0+209.047 QZ L10", "609.210", "271.076", "104.181"});
  EXPECT_EQ(Calc(typed).out, "\"K0+209.047 QZ L10\" 197.4015 351.0621 95.286 104.181\n");
}

// Each way a road cannot be read stops the tool with one line naming the
// file, the line and the points, exit status 2. The lengths were computed
// apart, with the usual series for p and q (good to 0.01 mm here): JD2 of
// R 300 turns 122.746° towards PEnd, T 571.594 against JD1's 118.001 on a
// line of 245.421; JD1 of R 20 turns 18.719°, its spirals 157.6°.
TEST_F(RoadTest, ARoadThatCannotBeReadIsAUsageError) {
  struct Case {
    std::string table;
    std::string message;
  };
  const Case cases[] = {
      {"PSta,437.58,168.79\nJD1,608.22,314.43,11O,55\nPEnd,852.11,723.55\n",
       "road.csv:2: JD1: R is not a number: \"11O\""},
      {"PSta,437.58,168.79\nJD1,608.22,314.43,110,55\nJD2,801.97,163.79,300,43\n"
       "PEnd,852.11,723.55\n",
       "road.csv:2: JD1 and JD2: the tangents of their curves are 444.174 longer than the line "
       "between them: the curves overlap"},
      {"PSta,437.58,168.79\nJD1,608.22,314.43,20,55\nPEnd,852.11,723.55\n",
       "road.csv:2: JD1: the spirals turn more than the deflection: the arc between them would "
       "be -48.466 long"},
  };
  for (const Case& c : cases) {
    const std::string road = File("road.csv", c.table).string();
    const Outcome run = Calc({"stake", "--alignment", road, "100"});
    EXPECT_EQ(run.err, "corvane-calc: " + road.substr(0, road.size() - 8) + c.message +
                           "\nTry 'corvane-calc --help'.\n");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.status, 2);
  }
}

}  // namespace
