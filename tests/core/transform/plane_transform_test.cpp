#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <vector>

#include "core/transform/construction_grid.h"
#include "core/transform/four_parameter_fit.h"
#include "core/transform/four_parameters.h"

namespace {

using survey::CommonPoint;
using survey::ConstructionGrid;
using survey::FitFourParameters;
using survey::FourParameters;
using survey::PlaneXY;
using survey::TransformProblem;

constexpr double kHalfMm = 5e-4;

// Printed to the mm: the origin, a point of the A axis and P, whose A and B
// come out as printed with B negative to the left of the A axis (B is the A
// axis turned clockwise, as Y is X); the azimuth from a separate computation.
TEST(ConstructionGrid, WorkedCaseFromTheAxisBothWays) {
  const auto grid = ConstructionGrid::FromAxis({2824713.180, 352382.268}, {2824602.670, 352538.910});
  ASSERT_TRUE(grid.ok());
  EXPECT_NEAR(grid.value().azimuthDegrees(), 125 + 12 / 60.0 + 9.868657 / 3600.0, 1e-9);
  const PlaneXY p = grid.value().ToGrid({2824711.766, 352399.348});
  EXPECT_NEAR(p.x, 14.771, kHalfMm);
  EXPECT_NEAR(p.y, -8.691, kHalfMm);
  // due west: an azimuth of 270, not -90
  EXPECT_DOUBLE_EQ(ConstructionGrid::FromAxis({100, 200}, {100, 190}).value().azimuthDegrees(), 270);
}

// One published set whose tool writes X = dx + m (x cos t + y sin t): its
// t of -1.244048" is +1.244048" here.
TEST(FourParameters, PublishedSetWithTheRotationClockwise) {
  const auto p = FourParameters::Make(-9597.3572, 0.6112, 1.244048 / 3600, 0.304794780637);
  ASSERT_TRUE(p.ok());
  const PlaneXY target = p.value().Forward({2546506.957, 542256.609});
  EXPECT_NEAR(target.x, 766563.675, kHalfMm);
  EXPECT_NEAR(target.y, 165282.277, kHalfMm);
}

TEST(PlaneTransforms, RoundTripsOnRandomPointsComeBackToATenthOfAMillimetre) {
  std::mt19937_64 random(34);
  std::uniform_real_distribution<double> north(2.5e6, 4.5e6), east(3e5, 7e5), local(-2000, 2000);
  std::uniform_real_distribution<double> turn(0, 360), scale(0.999, 1.001);
  for (int i = 0; i < 200; ++i) {
    const auto grid = ConstructionGrid::Make({north(random), east(random)}, turn(random));
    const auto four = FourParameters::Make(local(random), local(random), turn(random), scale(random));
    const PlaneXY p{north(random), east(random)};
    for (const PlaneXY q : {grid.value().ToSurvey(grid.value().ToGrid(p)),
                            four.value().Inverse(four.value().Forward(p))}) {
      EXPECT_NEAR(q.x, p.x, 1e-4);
      EXPECT_NEAR(q.y, p.y, 1e-4);
    }
  }
}

// Four points on a city grid and a local one. The fits and residuals below
// come from the normal equations of the four unknowns solved in exact
// rational arithmetic, a computation apart from the one under test; the
// fourth target is 40 mm, -25 mm off the first three's fit, to the mm.
std::vector<CommonPoint> FourCommonPoints() {
  return {{{3381200.104, 533120.347}, {21500.012, 8300.450}},
          {{3381650.882, 533890.126}, {21950.803, 9070.238}},
          {{3380910.557, 534010.731}, {21210.490, 9190.812}},
          {{3381420.300, 533500.900}, {21720.259, 8680.976}}};
}

TEST(FourParameterFit, HandComputedResidualsMarksAndPointsLeftOut) {
  std::vector<CommonPoint> points = FourCommonPoints();
  const auto all = FitFourParameters(points);
  ASSERT_TRUE(all.ok());
  const double lengths[] = {25.532794, 20.150354, 10.916127, 33.536507};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(all.value().residuals[i].lengthMm, lengths[i], 1e-5) << i;
    EXPECT_EQ(all.value().residuals[i].overLimit, i != 2) << i;
    EXPECT_EQ(FitFourParameters(points, 30).value().residuals[i].overLimit, i == 3) << i;
  }
  EXPECT_NEAR(*all.value().sigma0Mm, 23.988640, 1e-5);

  // The fourth left out: the three's fit, and the fourth's residual against it.
  points[3].used = false;
  const auto three = FitFourParameters(points);
  ASSERT_TRUE(three.ok());
  const FourParameters& p = three.value().parameters;
  EXPECT_NEAR(p.dx(), -3359659.824433977, 1e-6);
  EXPECT_NEAR(p.dy(), -524813.025436240, 1e-6);
  EXPECT_NEAR(p.scale(), 0.999988070893180, 1e-12);
  EXPECT_NEAR(p.rotationDegrees() * 3600, -0.031090037, 1e-7);
  const double expected[][2] = {
      {13.224370, 2.276188}, {-5.036982, -15.974532}, {-8.187388, 13.698345}, {-40.345012, 24.703341}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(three.value().residuals[i].vxMm, expected[i][0], 1e-5) << i;
    EXPECT_NEAR(three.value().residuals[i].vyMm, expected[i][1], 1e-5) << i;
    EXPECT_EQ(three.value().residuals[i].overLimit, i == 3) << i;
  }
  EXPECT_NEAR(*three.value().sigma0Mm, 18.911634, 1e-5);
}

TEST(FourParameterFit, NoiseFreePointsGiveTheParametersBackAndTwoFitExactly) {
  const auto truth = FourParameters::Make(-3359693.7059, -524827.8151, -0.5 / 3600, 1.0000123);
  std::mt19937_64 random(2000);
  std::uniform_real_distribution<double> north(3.37e6, 3.39e6), east(5.2e5, 5.4e5);
  for (const std::size_t count : {2u, 12u}) {
    std::vector<CommonPoint> points;
    for (std::size_t i = 0; i < count; ++i) {
      const PlaneXY source{north(random), east(random)};
      points.push_back({source, truth.value().Forward(source)});
    }
    const auto fit = FitFourParameters(points);
    ASSERT_TRUE(fit.ok()) << count;
    const FourParameters& p = fit.value().parameters;
    EXPECT_NEAR(p.dx(), -3359693.7059, 1e-5) << count;
    EXPECT_NEAR(p.rotationDegrees() * 3600, -0.5, 1e-6) << count;
    EXPECT_NEAR(p.scale(), 1.0000123, 1e-12) << count;
    for (const auto& r : fit.value().residuals) EXPECT_LT(r.lengthMm, 1e-3) << count;
    EXPECT_EQ(fit.value().sigma0Mm.has_value(), count > 2) << count;  // none with two
  }
}

TEST(FourParameterFit, RefusesTooFewAndIdenticalPoints) {
  const CommonPoint a{{100, 200}, {1100, 1200}}, b{{300, 200}, {1300, 1200}};
  const CommonPoint leftOut{{100, 500}, {1100, 1500}, false};
  constexpr std::size_t kNone = survey::TransformError::kNoPoint;
  for (const auto& [points, problem, point, other] : {
           std::tuple{std::vector{a, leftOut}, TransformProblem::kTooFewPoints, kNone, kNone},
           // at one place in the source, then in the target system
           std::tuple{std::vector{a, b, CommonPoint{{100, 200}, {5, 5}}},
                      TransformProblem::kIdenticalPoints, std::size_t{0}, std::size_t{2}},
           std::tuple{std::vector{b, a, CommonPoint{{9, 9}, {1300, 1200}}},
                      TransformProblem::kIdenticalPoints, std::size_t{0}, std::size_t{2}},
       }) {
    const auto fit = FitFourParameters(points);
    ASSERT_FALSE(fit.ok());
    EXPECT_EQ(fit.error().problem, problem);
    EXPECT_EQ(fit.error().point, point);
    EXPECT_EQ(fit.error().other, other);
  }
  // a point left out at another's place is no fault
  EXPECT_TRUE(FitFourParameters(std::vector{a, b, CommonPoint{a.source, a.target, false}}).ok());
  EXPECT_EQ(ConstructionGrid::FromAxis({5, 5}, {5, 5}).error().problem,
            TransformProblem::kAxisPointAtOrigin);
}

}  // namespace
