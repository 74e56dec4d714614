// corvane-calc grid, fourparam, project and rezone as a user runs them: the
// worked cases (published or checked against GeographicLib's
// TransverseMercatorProj, in the comments), a fit's lines, the answers read
// back by setout, and each way a job, a row or a command line fails.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/calc_test.h"

namespace {

using calc_test::CalcTest;
using calc_test::Outcome;
namespace fs = std::filesystem;

TEST_F(CalcTest, TransformationWorkedCasesComeOutAsPublished) {
  const struct {
    std::vector<std::string> args;
    std::string out;
    std::string err;
  } cases[] = {
      // CGCS2000, 30°30′ N 114°20′ E, 3° zone 38; TransverseMercatorProj:
      // convergence 0.16918089270°, scale 1.00001262682.
      {{"project", "--zone", "38", "--decimals", "4", "P1", "30.3", "114.2"},
       "P1 3375588.9766 531999.7306 0.10090512 1.0000126268\n", ""},
      {{"project", "--zone", "38", "--zone-prefix", "--decimals", "4", "P1", "30.3", "114.2"},
       "P1 3375588.9766 38531999.7306 0.10090512 1.0000126268\n", ""},
      {{"project", "--central-meridian", "117", "--decimals", "4", "30.3", "114.2"},
       "3378567.2079 243957.7165 -1.21150209 1.0008085017\n", ""},
      // Without a zone, the point's own: 114°20′ lies in zone 38.
      {{"project", "--decimals", "4", "--zone-prefix", "30.3", "114.2"},
       "3375588.9766 38531999.7306 0.10090512 1.0000126268\n", ""},
      {{"project", "--zone", "38", "--degrees", "--decimals", "4", "30.5", "114.3333333333333"},
       "3375588.9766 531999.7306 0.10090512 1.0000126268\n", ""},
      // The inverse gives the input back to 0.0001″; with the zone number in
      // front of y, the zone is read from it.
      {{"project", "--zone", "38", "--inverse", "--decimals", "4", "--angle-format", "dms", "P1",
        "3375588.9766", "531999.7306"},
       "P1 30°30′00.0000″ 114°20′00.0000″\n", ""},
      {{"project", "--inverse", "--decimals", "4", "3375588.9766", "38531999.7306"},
       "30.30000000 114.20000000\n", ""},
      // South and west of Greenwich: the signs kept, -30°30′ is no -31°30′.
      {{"project", "--zone", "120", "--decimals", "4", "S", "-30.3", "-0.2"},
       "S -3375588.9766 468000.2694 0.10090512 1.0000126268\n", ""},
      // The published set, θ -1.244048″ in the other convention.
      {{"fourparam", "--apply", "-9597.3572,0.6112,0.0001244048,0.304794780637", "--decimals",
        "3", "Q", "2546506.957", "542256.609"},
       "Q 766563.675 165282.277\n", ""},
      {{"fourparam", "--apply", "-9597.3572,0.6112,0.0001244048,0.304794780637", "--inverse",
        "--decimals", "2", "Q", "766563.675", "165282.277"},
       "Q 2546506.96 542256.61\n", ""},
      // A rotation of -30′: 1000 cos 0.5°, -1000 sin 0.5°.
      {{"fourparam", "--apply", "0,0,-0.3,1", "--decimals", "3", "1000", "0"},
       "999.962 -8.727\n", ""},
      // The construction grid from its origin and a point of its A axis.
      {{"grid", "--origin", "2824713.180,352382.268", "--axis-point", "2824602.670,352538.910",
        "--inverse", "--decimals", "3", "--azimuth-decimals", "7", "P", "2824711.766",
        "352399.348"},
       "P 14.771 -8.691\n", "corvane-calc: grid azimuth 125.1209869\n"},
      {{"grid", "--origin", "1000,2000", "--azimuth", "30", "--decimals", "3", "P", "10", "0"},
       "P 1008.660 2005.000\n", ""},
      // Zone 38 to 39 and back: the 117° point's x and y.
      {{"rezone", "--from-zone", "38", "--to-zone", "39", "--decimals", "4", "3375588.976606",
        "531999.730620"},
       "3378567.2079 243957.7165\n", ""},
      {{"rezone", "--from-zone", "39", "--to-zone", "38", "--decimals", "4", "3378567.207908",
        "39243957.716454"},
       "3375588.9766 531999.7306\n", ""},
  };
  for (const auto& c : cases) {
    const Outcome run = Calc(c.args);
    EXPECT_EQ(run.out, c.out) << c.args[0] << " " << c.args[1];
    EXPECT_EQ(run.err, c.err) << c.args[0];
    EXPECT_EQ(run.status, 0) << c.args[0];
  }
}

// Three common points, by exact least squares: VX VY (-2.5, 2.5), (2.5, 0),
// (0, -2.5) mm, θ -5.156362″, m 1.0000500003, sigma0 3.5355 mm.
constexpr const char* kCommon = "# site\nA 0 0 100 200\nB 100 0 200 200\nC 0 100 100 300.01\n";

TEST_F(CalcTest, FourParametersAreFittedWithEveryResidualInItsPlace) {
  const Outcome fit = Calc({"fourparam", "--decimals", "4", "--azimuth-decimals", "8", "--limit",
                            "3"},
                           kCommon);
  EXPECT_EQ(fit.out,
            "PARAMS 99.9975 200.0025 -0.00051564 1.0000500003 3.5\n# site\n"
            "A -2.5 2.5 over\nB 2.5 0.0\nC 0.0 -2.5\n");
  EXPECT_EQ(fit.status, 0);
  // Left out, C is given its residual against the fit of A and B.
  const Outcome out = Calc({"fourparam", "--decimals", "4", "--leave-out", "C", "--limit", "3",
                            "--header"},
                           kCommon);
  EXPECT_EQ(out.out,
            "PARAMS 100.0000 200.0000 0.0000 1.0000000000 -\n"
            "# four parameters from common points / limit 3.0 mm / left out C\n"
            "NAME VX VY MARK\n# site\nA 0.0 0.0\nB 0.0 0.0\nC 0.0 -10.0 out-over\n");
}

TEST_F(CalcTest, AFitWithoutEnoughPointsSaysWhyOnEveryRow) {
  const Outcome one = Calc({"fourparam"}, "A 0 0 100 200\nB 1 2\n");
  EXPECT_EQ(one.out,
            "ERROR: no fit: 1 common point used, two or more needed\n"
            "ERROR: A: no fit: 1 common point used, two or more needed\n"
            "ERROR: x is not a number: \"B\"\n");
  EXPECT_EQ(one.status, 1);
  const Outcome same = Calc({"fourparam"}, "A 0 0 100 200\nB 0 0 300 200\n");
  EXPECT_EQ(same.out.substr(0, same.out.find('\n')),
            "ERROR: no fit: A and B are at one place in one of the systems");
  const Outcome absent = Calc({"fourparam", "--leave-out", "Z"}, kCommon);
  EXPECT_EQ(absent.out.substr(0, absent.out.find('\n')),
            "ERROR: no fit: no common point Z to leave out");
  EXPECT_EQ(absent.status, 1);
}

TEST_F(CalcTest, ARowThatIsNoAngleOrNoPointOfTheZoneFailsInItsPlace) {
  const Outcome run = Calc({"project", "--zone", "38", "--decimals", "4"},
                           "P1 30.5960 114.2\nP2 30.6 114.2\nP3 91 114.2\nP4 30 125\nP5 30.3 "
                           "114.2\n");
  EXPECT_EQ(run.out,
            "ERROR: P1: B has seconds of 60 or more\nERROR: P2: B has minutes of 60 or more\n"
            "ERROR: P3: B is beyond 90°: 91° (a latitude from -90° to 90°)\n"
            "ERROR: P4: L is 11° from the central meridian: no point of this zone\n"
            "P5 3375588.9766 531999.7306 0.10090512 1.0000126268\n");
  EXPECT_EQ(run.status, 1);
  const Outcome noZone = Calc({"project", "--inverse"}, "3375588.9766 531999.7306\n");
  EXPECT_EQ(noZone.out.substr(0, 16), "ERROR: no zone: ");
  EXPECT_EQ(noZone.status, 1);
}

TEST_F(CalcTest, ATransformationWithoutItsJobIsRefusedNotRunAsAnother) {
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"grid", "1", "2"}, "grid needs --origin X0,Y0"},
      {{"grid", "--origin", "1,2", "1", "2"},
       "grid needs --azimuth A (of its A axis) or --axis-point X,Y (a point of the A axis)"},
      {{"grid", "--origin", "1,2", "--axis-point", "1,2", "1", "2"},
       "the axis point is the origin"},
      {{"grid", "--origin", "0,0", "--azimuth", "30.5960", "1", "2"},
       "--azimuth has seconds of 60 or more: 30.5960"},
      {{"fourparam", "--inverse"}, "--inverse is for --apply: a fit reads x y X Y"},
      {{"fourparam", "--apply", "1,2,3"}, "--apply needs DX,DY,THETA,M: four numbers, THETA packed: 1,2,3"},
      {{"fourparam", "--apply", "0,0,0,0", "1", "2"}, "the scale must be above 0: 0"},
      {{"project", "--zone", "38", "--central-meridian", "114", "1", "2"},
       "give --zone or --central-meridian, not both"},
      {{"project", "--zone", "121", "1", "2"}, "no zone of this width is numbered 121"},
      {{"project", "--zone-width", "4", "1", "2"}, "--zone-width needs 3 or 6: 4"},
      {{"rezone", "--to-zone", "39", "1", "2"},
       "rezone needs the zone the points are in: --from-zone N or --from-meridian L0"},
      {{"project", "--limit", "3", "1", "2"}, "--limit is for fourparam"},
      {{"forward", "--zone", "38", "0", "0", "0", "1"}, "--zone is for project"},
      {{"grid", "--origin", "0,0", "--azimuth", "0", "--station", "1,2", "1", "2"},
       "--from (or --station) is for forward, inverse, setout and orient"},
  };
  for (const auto& c : cases) {
    const Outcome run = Calc(c.args);
    EXPECT_EQ(run.err, "corvane-calc: " + c.err + "\nTry 'corvane-calc --help'.\n") << c.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.status, 2) << c.err;
  }
}

TEST_F(CalcTest, TransformedPointsReadBackIntoSetout) {
  // Grid points as design points, in the file's own separator.
  const Outcome grid = Calc({"grid", "--origin", "1000,2000", "--azimuth", "90", "--decimals",
                             "3"},
                            "P1,10,0\nP2,0,10\n");
  ASSERT_EQ(grid.out, "P1,1000.000,2010.000\nP2,990.000,2000.000\n");
  const fs::path design = File("design.csv", grid.out);
  const Outcome setout = Calc({"setout", "--station", "1000,2000", "--backsight-azimuth", "0",
                               "--decimals", "3", "-i", design.string()});
  EXPECT_EQ(setout.out, "P1,90.000,90.000,10.000\nP2,180.000,180.000,10.000\n");
  // Projected points as control points, their convergence and scale left out.
  const Outcome projected =
      Calc({"project", "--zone", "38", "--decimals", "4"}, "K1 30.3 114.2\nK2 30.3 114.21\n");
  const fs::path control = File("control.txt", projected.out);
  // The backsight itself set out from the station: at 0 from itself.
  const fs::path backsight = File("k2.txt", projected.out.substr(projected.out.find("K2")));
  const Outcome byName = Calc({"setout", "--control", control.string(), "--control-columns",
                               "name,x,y,-,-", "--station-point", "K1", "--backsight-point", "K2",
                               "--columns", "name,x,y,-,-", "--decimals", "4", "-i",
                               backsight.string()});
  EXPECT_EQ(byName.status, 0) << byName.err;
  EXPECT_NE(byName.out.find(" 0.0000 "), std::string::npos) << byName.out;
}

}  // namespace
