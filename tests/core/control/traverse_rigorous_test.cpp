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
  EXPECT_NEAR(r.points[1].mxMm, 15.0, 1e-6);
  EXPECT_NEAR(r.points[1].myMm, 14.544410, 1e-5);
  EXPECT_NEAR(r.points[2].mxMm, 21.213203, 1e-5);
  EXPECT_NEAR(r.points[2].myMm, 32.522290, 1e-5);
  // Along and across are independent: point 2's ellipse lies across the
  // line (azimuth 90°), and point 2 is the weakest.
  EXPECT_NEAR(r.points[2].majorMm, 32.522290, 1e-5);
  EXPECT_NEAR(r.points[2].minorMm, 21.213203, 1e-5);
  EXPECT_NEAR(r.points[2].majorAzimuth, 90.0, 1e-6);
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
  const auto result = survey::AdjustTraverseRigorously(WorkedTraverse());
  ASSERT_TRUE(result.ok());
  const auto& r = result.value();
  EXPECT_EQ(r.redundancy, 3);
  EXPECT_NEAR(r.sigma0, 1.2156837, 1e-6);
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(r.points[i + 1].point.x, expected[i].x, 1e-6) << i;
    EXPECT_NEAR(r.points[i + 1].point.y, expected[i].y, 1e-6) << i;
  }
  EXPECT_NEAR(r.angleSeconds[2], -19.336225, 1e-4);
  EXPECT_NEAR(r.distanceMm[1], -11.053969, 1e-4);
  // Its table: the same closures, the residuals as corrections, the
  // columns onto the adjusted points to the millimetre.
  const survey::TraverseResult& t = r.table;
  EXPECT_DOUBLE_EQ(t.angle->seconds, -36.0);
  EXPECT_NEAR(t.rows[0].correctionSeconds, 26.924232, 1e-4);
  EXPECT_NEAR(t.rows[4].point.y, 1655.702, 1e-9);
  for (int i = 0; i < 5; ++i) {
    const auto& leg = *t.rows[i].leg;
    EXPECT_NEAR(t.rows[i].point.y + leg.dy + leg.vy, t.rows[i + 1].point.y, 1e-9) << i;
  }
  EXPECT_EQ(t.rows[5].point.y, 1757.344);
}

}  // namespace
