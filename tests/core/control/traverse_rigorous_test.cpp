#include "core/control/traverse_rigorous.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/core/control/worked_traverse.h"

namespace {

using control_test::WorkedTraverse;
using survey::PlanePoint;
using survey::TraverseInput;
using survey::TraverseKind;

TEST(RigorousTraverse, OpenTraverseCarriesThePrioriErrorsOfItsAnglesAndDistances) {
  // Straight north from B (0, 0) in two legs of 100 m, no redundancy. By
  // propagation with 图根's sigmas (30" = 0.145444 mm/m, 15 mm): point 1
  // along 15 mm, across 100 m * 30" = 14.544 mm; point 2 along
  // 15 sqrt(2) = 21.213 mm, across sqrt(200^2 + 100^2) m * 30" = 32.5223 mm.
  TraverseInput in;
  in.kind = TraverseKind::kOpen;
  in.start = {0.0, 0.0};
  in.azimuthIn = 0.0;
  in.stations = {{180.0, 100.0, {}}, {180.0, 100.0, {}}, {{}, {}, {}}};
  in.limits = survey::TraverseGrade("图根").value();
  const auto result = survey::AdjustTraverseRigorously(in);
  ASSERT_TRUE(result.ok());
  const auto& r = result.value();
  EXPECT_EQ(r.redundancy, 0);
  EXPECT_EQ(r.sigma0, 1.0);
  EXPECT_NEAR(r.points[1].point.x, 100.0, 1e-9);
  EXPECT_NEAR(r.points[2].point.x, 200.0, 1e-9);
  EXPECT_NEAR(r.points[1].mxMm, 15.0, 1e-6);
  EXPECT_NEAR(r.points[1].myMm, 14.544410, 1e-5);
  EXPECT_NEAR(r.points[2].mxMm, 21.213203, 1e-5);
  EXPECT_NEAR(r.points[2].myMm, 32.522290, 1e-5);
  EXPECT_EQ(r.points[0].mxMm, 0.0);
  // Along and across are independent: point 2's ellipse lies across the
  // line (azimuth 90°), and point 2 is the weakest, mp sqrt(21.2132^2 + 32.5223^2) = 38.8291 mm.
  EXPECT_NEAR(r.points[1].majorMm, 15.0, 1e-5);
  EXPECT_NEAR(r.points[2].majorMm, 32.522290, 1e-5);
  EXPECT_NEAR(r.points[2].minorMm, 21.213203, 1e-5);
  EXPECT_NEAR(r.points[2].majorAzimuth, 90.0, 1e-6);
  EXPECT_NEAR(r.points[2].mpMm, 38.829105, 1e-5);
  EXPECT_EQ(r.weakest, 2u);
}

TEST(RigorousTraverse, AttachedTraverseMatchesAConditionAdjustmentOfTheSameObservations) {
  // Redundancy 3 (six angles, five distances, eight unknowns). Reference:
  // the same traverse adjusted by conditions instead (the azimuth, X and
  // Y conditions, iterated, worked apart from this code), with 图根's
  // sigmas 30" and 15 mm. It moves the points up to 13 mm from the compass
  // rule's (2299.800, 1303.826 ...): the distances take -10 to -11 mm each,
  // the angles +26.9 -5.4 -19.3 +2.2 +11.2 +20.5" (sum +36"), and
  // sigma0 = 1.2157, which scales the a-priori errors.
  const PlanePoint expected[] = {{2299.788418, 1303.821690},
                                 {2186.229017, 1384.005341},
                                 {2192.374948, 1556.457491},
                                 {2179.656442, 1655.701573}};
  const double angles[] = {26.924232, -5.425550, -19.336225, 2.170844, 11.209232, 20.469211};
  const double distances[] = {-9.708535, -11.053969, -10.368748, -11.274647, -11.273951};
  const auto result = survey::AdjustTraverseRigorously(WorkedTraverse());
  ASSERT_TRUE(result.ok());
  const auto& r = result.value();
  EXPECT_EQ(r.redundancy, 3);
  EXPECT_NEAR(r.sigma0, 1.2156837, 1e-6);
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(r.points[i + 1].point.x, expected[i].x, 1e-6) << i;
    EXPECT_NEAR(r.points[i + 1].point.y, expected[i].y, 1e-6) << i;
    EXPECT_GT(r.points[i + 1].mxMm, 0.0);
  }
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(r.angleSeconds[i], angles[i], 1e-4) << i;
  for (int i = 0; i < 5; ++i) EXPECT_NEAR(r.distanceMm[i], distances[i], 1e-4) << i;
  EXPECT_EQ(r.points.back().point.x, 2166.646);
  EXPECT_EQ(r.points.back().point.y, 1757.344);

  // Right angles: the same points, residuals of opposite sign.
  const auto right = survey::AdjustTraverseRigorously(control_test::WorkedTraverseRight()).value();
  for (int i = 0; i < 6; ++i) {
    EXPECT_NEAR(right.points[i].point.x, r.points[i].point.x, 1e-7);
    EXPECT_NEAR(right.angleSeconds[i], -r.angleSeconds[i], 1e-6);
  }
}

TEST(RigorousTraverse, ClosedLoopStaysOnItsStart) {
  TraverseInput in;
  in.kind = TraverseKind::kClosed;
  in.start = {1000.0, 1000.0};
  in.azimuthIn = 0.0;
  in.stations = {{180.0, 100.0, {}},
                 {90.0004, 100.002, {}},
                 {90.0002, 99.998, {}},
                 {90.0002, 100.0, {}},
                 {90.0002, {}, {}}};
  in.limits = survey::TraverseGrade("一级").value();
  const auto r = survey::AdjustTraverseRigorously(in).value();
  EXPECT_EQ(r.redundancy, 3);
  const PlanePoint corners[] = {{1100, 1000}, {1100, 900}, {1000, 900}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(r.points[i + 1].point.x, corners[i].x, 0.003) << i;
    EXPECT_NEAR(r.points[i + 1].point.y, corners[i].y, 0.003) << i;
  }
  EXPECT_EQ(r.points.back().point.x, 1000.0);
  EXPECT_EQ(r.points.back().mxMm, 0.0);
}

}  // namespace
