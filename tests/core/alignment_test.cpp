#include "core/alignment/alignment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "core/alignment/chainage_text.h"
#include "core/alignment/element_table.h"
#include "core/alignment/intersection_table.h"
#include "core/field_text.h"

namespace {

using namespace survey;
using Kind = AlignmentError::Kind;
constexpr double kPi = std::numbers::pi;

// The plan displacement along a curve of heading h(t) = h0 + k0 t + rate t^2/2
// from 0 to s, by adaptive Simpson quadrature to 1e-12 m: the reference that
// the series in the code must meet.
struct Plan {
  double x, y;
};
Plan Sample(double h0, double k0, double rate, double t) {
  const double h = h0 + t * (k0 + 0.5 * rate * t);
  return {std::cos(h), std::sin(h)};
}
Plan Simpson(double h0, double k0, double rate, double a, double b, Plan fa, Plan fm, Plan fb,
             Plan whole, int depth) {
  const double m = 0.5 * (a + b), l = 0.5 * (a + m), r = 0.5 * (m + b), w = (b - a) / 12;
  const Plan fl = Sample(h0, k0, rate, l), fr = Sample(h0, k0, rate, r);
  const Plan left{w * (fa.x + 4 * fl.x + fm.x), w * (fa.y + 4 * fl.y + fm.y)};
  const Plan right{w * (fm.x + 4 * fr.x + fb.x), w * (fm.y + 4 * fr.y + fb.y)};
  const double dx = left.x + right.x - whole.x, dy = left.y + right.y - whole.y;
  if (depth > 40 || std::hypot(dx, dy) < 15e-13) {
    return {left.x + right.x + dx / 15, left.y + right.y + dy / 15};
  }
  const Plan p = Simpson(h0, k0, rate, a, m, fa, fl, fm, left, depth + 1);
  const Plan q = Simpson(h0, k0, rate, m, b, fm, fr, fb, right, depth + 1);
  return {p.x + q.x, p.y + q.y};
}
Plan Integrated(double h0, double k0, double rate, double s) {
  const Plan fa = Sample(h0, k0, rate, 0), fm = Sample(h0, k0, rate, s / 2),
             fb = Sample(h0, k0, rate, s);
  const Plan whole{s / 6 * (fa.x + 4 * fm.x + fb.x), s / 6 * (fa.y + 4 * fm.y + fb.y)};
  return Simpson(h0, k0, rate, 0, s, fa, fm, fb, whole, 0);
}

std::vector<IntersectionPoint> WorkedTable() {
  return {{"PSta", 437.58, 168.79},        {"JD1", 608.22, 314.43, 110, 55},
          {"JD2", 801.97, 163.79, 91, 43}, {"JD3", 967.29, 311.92, 85, 35},
          {"JD4", 850.67, 523.55, 350, 0}, {"PEnd", 852.11, 723.55}};
}

IntersectionAlignment Worked() {
  return std::get<IntersectionAlignment>(BuildFromIntersections(WorkedTable()));
}

std::string Fixed3(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", v);
  return text;
}

TEST(IntersectionTable, FirstCurveOfTheWorkedCaseReadsAsPublishedToTheMillimetre) {
  const IntersectionAlignment worked = Worked();
  const CurveRow& c = worked.curves[0];
  EXPECT_EQ(FormatResult(c.deflection), "-78.204368");  // 78°20'43.68" left
  EXPECT_EQ(Fixed3(c.tangentIn) + " " + Fixed3(c.tangentOut), "118.001 118.001");
  EXPECT_EQ(Fixed3(c.length) + " " + Fixed3(c.external) + " " + Fixed3(c.difference),
            "205.412 33.365 30.590");
  const std::string published[] = {"K0+106.340 518.465 237.825", "K0+161.340 563.001 269.837",
                                   "K0+209.047 608.982 281.073", "K0+256.753 655.427 271.947",
                                   "K0+311.753 701.377 242.001"};
  const CurvePoint* points[] = {&c.zh, &c.hy, &c.qz, &c.yh, &c.hz};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(FormatChainage(points[i]->chainage, 3) + " " + Fixed3(points[i]->x) + " " +
                  Fixed3(points[i]->y),
              published[i]);
  }
}

// Reference: each curve shot by numerical integration (30 digits), T1 found
// as the root that brings the curve's end onto the outgoing tangent; no p or
// q formulas. Chainage, X, Y of ZH, HY, QZ, YH, HZ.
TEST(IntersectionTable, EveryCurveOfTheWorkedCaseMatchesAnIntegratedReference) {
  struct Expected {
    double alpha, t, l, e, j, jd;
    double points[5][3];
  };
  const Expected expected[] = {
      {-78.2043679,
       118.001013,
       205.412498,
       33.365327,
       30.589529,
       224.341301,
       {{106.340288, 518.465270, 237.824990},
        {161.340288, 563.001227, 269.837221},
        {209.046536, 608.981501, 281.073364},
        {256.752785, 655.426628, 271.947208},
        {311.752785, 701.377046, 242.000697}}},
      {79.4333315,
       98.153506,
       169.624664,
       28.655236,
       26.682349,
       439.172782,
       {{341.019276, 724.481761, 224.036856},
        {384.019276, 760.309861, 200.453126},
        {425.831608, 800.970941, 192.427815},
        {467.643939, 840.973909, 203.267171},
        {510.643939, 875.071423, 229.290326}}},
      {76.5946532,
       85.559722,
       149.226250,
       24.374479,
       21.893195,
       634.466106,
       {{548.906384, 903.568002, 254.823826},
        {583.906384, 927.926506, 279.864897},
        {623.519508, 943.259768, 316.002056},
        {663.132633, 940.719628, 355.175401},
        {698.132633, 925.996420, 386.855348}}},
      {-29.1611107,
       91.395707,
       178.798739,
       11.736334,
       3.992675,
       854.207928,
       {{762.812220, 894.780194, 443.503350},
        {762.812220, 894.780194, 443.503350},
        {852.211590, 862.046610, 526.433448},
        {941.610960, 851.328032, 614.943339},
        {941.610960, 851.328032, 614.943339}}},
  };
  const IntersectionAlignment worked = Worked();
  ASSERT_EQ(worked.curves.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    const CurveRow& c = worked.curves[i];
    const Expected& x = expected[i];
    EXPECT_NEAR(c.deflection, x.alpha, 1e-7) << c.name;
    EXPECT_NEAR(c.tangentIn, x.t, 1e-6) << c.name;
    EXPECT_NEAR(c.tangentOut, x.t, 1e-6) << c.name;
    EXPECT_NEAR(c.length, x.l, 1e-6) << c.name;
    EXPECT_NEAR(c.external, x.e, 1e-6) << c.name;
    EXPECT_NEAR(c.difference, x.j, 1e-6) << c.name;
    EXPECT_NEAR(c.chainage, x.jd, 1e-6) << c.name;
    const CurvePoint* points[] = {&c.zh, &c.hy, &c.qz, &c.yh, &c.hz};
    for (int p = 0; p < 5; ++p) {
      EXPECT_NEAR(points[p]->chainage, x.points[p][0], 1e-6) << c.name << p;
      EXPECT_NEAR(points[p]->x, x.points[p][1], 1e-6) << c.name << p;
      EXPECT_NEAR(points[p]->y, x.points[p][2], 1e-6) << c.name << p;
    }
  }
  EXPECT_NEAR(worked.alignment.endChainage(), 1050.220436, 1e-6);
  std::string codes;
  for (const MainPoint& m : worked.alignment.mainPoints()) codes += MainPointCode(m.kind);
  EXPECT_EQ(codes, "BPZHHYQZYHHZZHHYQZYHHZZHHYQZYHHZZYQZYZEP");
}

// Unequal spirals (60 m in, 30 m out) on R 200 turning 50° right, against the
// same kind of integrated reference: T1, T2, E, J and QZ, HZ.
TEST(IntersectionTable, UnequalSpiralsGiveEachTangentItsOwnLength) {
  const IntersectionPoint table[] = {
      {"A", 0, 0}, {"JD1", 500, 0, 200, 60, 30}, {"B", 821.3938048432697, 383.022221559489}};
  const CurveRow c = std::get<IntersectionAlignment>(BuildFromIntersections(table)).curves[0];
  EXPECT_NEAR(c.tangentIn, 122.854941, 1e-6);
  EXPECT_NEAR(c.tangentOut, 109.079689, 1e-6);
  EXPECT_NEAR(c.external, 21.193438, 1e-6);
  EXPECT_NEAR(c.difference, 12.401705, 1e-6);
  EXPECT_NEAR(c.qz.chainage, 486.911521, 1e-6);
  EXPECT_NEAR(c.qz.x, 484.791086, 1e-6);
  EXPECT_NEAR(c.qz.y, 16.446381, 1e-6);
  EXPECT_NEAR(c.hz.chainage, 596.677984, 1e-6);
  EXPECT_NEAR(c.hz.x, 570.115073, 1e-6);
  EXPECT_NEAR(c.hz.y, 83.559890, 1e-6);
}

// Every stake inside a spiral, measured from the spiral's start, against
// the integrated clothoid: within a nanometre.
TEST(IntersectionTable, StakesInsideEverySpiralFollowTheIntegratedClothoid) {
  const Alignment a = Worked().alignment;
  int spirals = 0;
  for (const Element& e : a.elements()) {
    if (e.kind() != ElementKind::kSpiral) continue;
    ++spirals;
    const StakePoint start = std::get<StakePoint>(a.Stake(e.chainage));
    for (double s = 1; s <= e.length; s += 7) {
      const StakePoint p = std::get<StakePoint>(a.Stake(e.chainage + s));
      const Plan d = Integrated(e.heading, e.startCurvature, e.curvatureRate, s);
      EXPECT_NEAR(p.x - start.x, d.x, 1e-9) << e.chainage + s;
      EXPECT_NEAR(p.y - start.y, d.y, 1e-9) << e.chainage + s;
    }
  }
  EXPECT_EQ(spirals, 6);
}

// Spirals that turn a right angle, run from an arc into a tighter one (egg)
// or through a straight direction (S), long enough to be summed in pieces.
TEST(Element, SpiralsUpToARightAngleMatchTheIntegratedClothoid) {
  const Element spirals[] = {
      MakeElement(0, 100 * kPi, 10, 20, 0.3, 0, 0.01),          // 0 to R 100, turns 90°
      MakeElement(0, 120, -5, 7, 2.0, -1.0 / 400, -1.0 / 150),  // egg, left, R 400 to 150
      MakeElement(0, 200, 0, 0, -1.0, 1.0 / 120, -1.0 / 90),    // S: R 120 right to 90 left
  };
  for (const Element& e : spirals) {
    for (double s : {0.5, 33.3, e.length / 2, e.length}) {
      const ElementPoint p = PointAt(e, s);
      const Plan d = Integrated(e.heading, e.startCurvature, e.curvatureRate, s);
      EXPECT_NEAR(p.x - e.x, d.x, 1e-9) << s;
      EXPECT_NEAR(p.y - e.y, d.y, 1e-9) << s;
    }
  }
}

TEST(Alignment, LocateFindsTheChainageAndOffsetOfEveryStake) {
  const Alignment a = Worked().alignment;
  std::mt19937_64 random(26);
  std::uniform_real_distribution<double> chainage(a.startChainage(), a.endChainage());
  std::uniform_real_distribution<double> offset(-20, 20);
  for (int i = 0; i < 2000; ++i) {
    const double k = chainage(random), o = offset(random);
    const StakePoint p = std::get<StakePoint>(a.Stake(k, o));
    const OrError<Location> got = a.Locate(p.x, p.y);
    ASSERT_TRUE(std::holds_alternative<Location>(got)) << k << " " << o;
    EXPECT_NEAR(std::get<Location>(got).chainage, k, 1e-9) << o;
    EXPECT_NEAR(std::get<Location>(got).offset, o, 1e-9) << k;
  }
}

TEST(Alignment, ChainagesAndPointsBesideTheAlignmentAreErrors) {
  const Alignment a = Worked().alignment;
  for (double k : {-0.001, a.endChainage() + 0.001, std::nan("")}) {
    const auto got = a.Stake(k);
    ASSERT_TRUE(std::holds_alternative<AlignmentError>(got)) << k;
    EXPECT_EQ(std::get<AlignmentError>(got).kind, Kind::kBesideRange);
  }
  // 10 m past EP on the line from JD4 through it: square to no element.
  const auto behind = a.Locate(852.11 + 0.072, 723.55 + 9.9997);
  ASSERT_TRUE(std::holds_alternative<AlignmentError>(behind));
  EXPECT_EQ(std::get<AlignmentError>(behind).kind, Kind::kBesideNoElement);
}

TEST(IntersectionTable, EachBadDesignNamesItsPoints) {
  struct Case {
    std::vector<IntersectionPoint> points;
    Kind kind;
    std::string name, otherName;
    double value;
  };
  const double nan = std::nan("");
  const Case cases[] = {
      {{{"A", 0, 0}}, Kind::kTooFewPoints, "", "", nan},
      {{{"A", 0, 0}, {"JD1", 100, 0, 50}, {"JD2", 100, 0, 50}, {"B", 0, 9}},
       Kind::kSamePlace,
       "JD1",
       "JD2",
       nan},
      {{{"A", 0, 0}, {"JD1", 100, 0, 0}, {"B", 100, 100}}, Kind::kBadRadius, "JD1", "", 0},
      {{{"A", 0, 0}, {"JD1", 100, 0, 50, 10, -5}, {"B", 100, 100}},
       Kind::kNegativeSpiral,
       "JD1",
       "",
       -5},
      // A right angle on R 100 turns 157.080 m; two spirals of 200 m take 200.
      {{{"A", 0, 0}, {"JD1", 500, 0, 100, 200}, {"B", 500, 500}},
       Kind::kSpiralsTooLong,
       "JD1",
       "",
       50 * kPi - 200},
      {{{"A", 0, 0}, {"JD1", 100, 0, 50}, {"B", 50, 0}}, Kind::kTurnsBack, "JD1", "", nan},
      // T = R tan 45° = 100 on both sides, 50 m of line to B.
      {{{"A", 0, 0}, {"JD1", 100, 0, 100}, {"B", 100, 50}}, Kind::kCurvesOverlap, "JD1", "B", 50},
  };
  for (const Case& c : cases) {
    const auto got = BuildFromIntersections(c.points);
    ASSERT_TRUE(std::holds_alternative<AlignmentError>(got)) << c.name;
    const AlignmentError& e = std::get<AlignmentError>(got);
    EXPECT_EQ(e.kind, c.kind) << c.name;
    EXPECT_EQ(e.name + "|" + e.otherName, c.name + "|" + c.otherName);
    if (!std::isnan(c.value)) {
      EXPECT_NEAR(e.value, c.value, 1e-9) << c.name;
    }
  }
}

// An egg-shaped curve element by element: straight, spiral into R 300, arc,
// spiral from R 300 to R 200, arc, spiral out, straight.
TEST(ElementTable, AnEggShapedCurveChainsItsElementsAndNamesItsMainPoints) {
  const ElementRow rows[] = {{50, 0, 0},     {60, 0, 300}, {100, 300, 300}, {80, 300, 200},
                             {70, 200, 200}, {60, 200, 0}, {40, 0, 0}};
  const auto got = BuildFromElements({1000, 2000, 45.3025, 100}, rows);
  const Alignment& a = std::get<Alignment>(got);
  std::string codes;
  for (const MainPoint& m : a.mainPoints()) codes += std::string(MainPointCode(m.kind)) + " ";
  EXPECT_EQ(codes, "BP ZH HY GQ GQ YH HZ EP ");
  EXPECT_EQ(a.endChainage(), 560);
  // The egg spiral from its start, against the integrated clothoid.
  const Element& egg = a.elements()[3];
  EXPECT_EQ(egg.chainage, 310);
  const StakePoint start = std::get<StakePoint>(a.Stake(310));
  const StakePoint middle = std::get<StakePoint>(a.Stake(350));
  const Plan d = Integrated(egg.heading, 1.0 / 300, (1.0 / 200 - 1.0 / 300) / 80, 40);
  EXPECT_NEAR(middle.x - start.x, d.x, 1e-9);
  EXPECT_NEAR(middle.y - start.y, d.y, 1e-9);
  // The start azimuth 45°30'25" holds along the first straight.
  const StakePoint first = std::get<StakePoint>(a.Stake(120));
  EXPECT_EQ(FormatResult(first.azimuth), "45.302500");
  EXPECT_NEAR(first.x, 1000 + 20 * std::cos((45 + 30 / 60. + 25 / 3600.) * kPi / 180), 1e-12);
}

TEST(ElementTable, AnElementWithoutLengthOrTurningAFullCircleIsAnError) {
  const ElementRow rows[] = {{50, 0, 0}, {0, 100, 100}};
  const auto got = BuildFromElements({0, 0, 0, 0}, rows);
  ASSERT_TRUE(std::holds_alternative<AlignmentError>(got));
  EXPECT_EQ(std::get<AlignmentError>(got).kind, Kind::kBadLength);
  EXPECT_EQ(std::get<AlignmentError>(got).row, 1u);
  // 700 m on R 100 turn 401°; a spiral into R 1 over 1e7 m would take hours.
  for (const ElementRow loop : {ElementRow{700, 100, 100}, ElementRow{1e7, 0, -1}}) {
    const auto circle = BuildFromElements({0, 0, 0, 0}, {&loop, 1});
    ASSERT_TRUE(std::holds_alternative<AlignmentError>(circle));
    EXPECT_EQ(std::get<AlignmentError>(circle).kind, Kind::kFullCircle);
  }
  EXPECT_NEAR(std::get<AlignmentError>(BuildFromElements({0, 0, 0, 0}, {{{700, 100, 100}}})).value,
              700 / (100 * kPi) * 180, 1e-9);
  EXPECT_EQ(std::get<AlignmentError>(BuildFromElements({0, 0, 0, 0}, {})).kind,
            Kind::kTooFewPoints);
}

}  // namespace
