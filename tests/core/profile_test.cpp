#include "core/alignment/profile.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/alignment/chainage_text.h"

namespace {

using namespace survey;
using Kind = AlignmentError::Kind;

// Grades +2 % to K200 (H 104), -2 % to K500 (H 98), +2 % to K700.
// At K200, R 5000: T = 5000 * 0.04 / 2 = 100, a crest from K100 to K300;
//   K150: grade line 103, x = 50, y = 2500 / 10000 = 0.25 -> 102.75
//   K200: 104 - E = 104 - 100^2 / 10000 = 103
//   K250: grade line after 103, x = 50 from K300 -> 102.75
// At K500, R 2000: T = 2000 * 0.04 / 2 = 40, a sag from K460 to K540;
//   K480: grade line 98.4, x = 20, y = 400 / 4000 = 0.1 -> 98.5
const GradePoint kProfile[] = {{0, 100, 0}, {200, 104, 5000}, {500, 98, 2000}, {700, 102, 0}};

TEST(Profile, HeightsFollowTheGradeLinesAndTheirVerticalCurves) {
  const Profile profile = std::get<Profile>(Profile::Build(kProfile));
  const double expected[][2] = {{0, 100},      {50, 101},   {100, 102}, {150, 102.75}, {200, 103},
                                {250, 102.75}, {300, 102},  {400, 100}, {460, 98.8},   {480, 98.5},
                                {500, 98.4},   {540, 98.8}, {700, 102}};
  for (const auto& [k, h] : expected) {
    EXPECT_NEAR(std::get<double>(profile.HeightAt(k)), h, 1e-12) << k;
  }
  EXPECT_NEAR(profile.curves()[0].tangent, 100, 1e-12);
  EXPECT_NEAR(profile.curves()[1].external, 0.4, 1e-12);
}

TEST(Profile, EachBadProfileIsAnError) {
  struct Case {
    std::vector<GradePoint> points;
    Kind kind;
    std::size_t row;
    double value;
  };
  const Case cases[] = {
      {{{0, 100, 0}}, Kind::kTooFewPoints, AlignmentError::kNoRow, 0},
      {{{0, 100, 0}, {0, 101, 0}}, Kind::kSamePlace, 0, 0},
      {{{0, 100, 0}, {200, 101, 0}, {100, 99, 0}}, Kind::kOutOfOrder, 2, 100},
      {{{0, 100, 0}, {200, 104, -1}, {500, 98, 0}}, Kind::kBadRadius, 1, -1},
      // T = 100 at K200 and 40 at K500 overlap on 300 - 280 = 20 m fewer.
      {{{0, 100, 0}, {200, 104, 5000}, {280, 102.4, 2000}, {700, 110.8, 0}},
       Kind::kCurvesOverlap,
       1,
       40 + 100 - 80},
  };
  for (const Case& c : cases) {
    const auto got = Profile::Build(c.points);
    ASSERT_TRUE(std::holds_alternative<AlignmentError>(got)) << c.row;
    const AlignmentError& e = std::get<AlignmentError>(got);
    EXPECT_EQ(e.kind, c.kind);
    EXPECT_EQ(e.row, c.row);
    if (c.kind == Kind::kOutOfOrder || c.kind == Kind::kBadRadius ||
        c.kind == Kind::kCurvesOverlap) {
      EXPECT_NEAR(e.value, c.value, 1e-9);
    }
  }
  const Profile profile = std::get<Profile>(Profile::Build(kProfile));
  EXPECT_EQ(std::get<AlignmentError>(profile.HeightAt(700.001)).kind, Kind::kBesideRange);
}

TEST(ChainageText, ReadsPlainNumbersAndKilometrePlusMetres) {
  const std::pair<const char*, std::optional<double>> cases[] = {{"1234.567", 1234.567},
                                                                 {"K1+234.567", 1234.567},
                                                                 {" k0+5 ", 5.0},
                                                                 {"-K0+050", -50.0},
                                                                 {"K12+000", 12000.0},
                                                                 {"-3.5", -3.5},
                                                                 {"K1+1000", {}},
                                                                 {"K+5", {}},
                                                                 {"K1+-5", {}},
                                                                 {"K1", {}},
                                                                 {"12a", {}},
                                                                 {"", {}}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ReadChainage(text), value) << text;
}

TEST(ChainageText, WritesStakeNamesRoundedBeforeTheKilometreIsCut) {
  const std::tuple<double, int, const char*> cases[] = {
      {120, 0, "K0+120"},          {1234.5674, 3, "K1+234.567"}, {5, 3, "K0+005.000"},
      {999.9996, 3, "K1+000.000"}, {12000, 0, "K12+000"},        {-50, 0, "-K0+050"},
      {-0.0001, 3, "K0+000.000"}};
  for (const auto& [chainage, decimals, text] : cases) {
    EXPECT_EQ(FormatChainage(chainage, decimals), text) << chainage;
  }
}

}  // namespace
