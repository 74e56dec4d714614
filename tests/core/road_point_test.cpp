// A point of a road with its design height, both ways: what the tool's
// stake and locate rows and the 线路 window's 正算 and 反算 each give.

#include "core/alignment/road_point.h"

#include <gtest/gtest.h>

#include <variant>

#include "core/alignment/element_table.h"

namespace {

using namespace survey;
using Is = DesignHeight::Is;

// A straight due east from (1000, 2000) at K0, 800 m long.
Alignment Straight() {
  const ElementRow rows[] = {{800.0, 0.0, 0.0}};
  return std::get<Alignment>(BuildFromElements({1000.0, 2000.0, 90.0, 0.0}, rows));
}

// Grades +2 % to K200 (H 104), -2 % to K500 (H 98), +2 % to K700, with
// vertical curves of R 5000 and 2000 (heights worked by hand in
// profile_test.cpp: K150 102.75, K480 98.5). It stops short of the road.
Profile Heights() {
  const GradePoint points[] = {{0, 100, 0}, {200, 104, 5000}, {500, 98, 2000}, {700, 102, 0}};
  return std::get<Profile>(Profile::Build(points));
}

TEST(RoadPoint, AStakeGivesItsPointAndTheProfilesHeightAtItsChainage) {
  const Alignment road = Straight();
  const Profile profile = Heights();
  const auto stake = StakeOnRoad(road, &profile, 150.0, 5.0);
  ASSERT_TRUE(std::holds_alternative<RoadStake>(stake));
  const RoadStake& staked = std::get<RoadStake>(stake);
  EXPECT_NEAR(staked.point.x, 995.0, 1e-9);  // 5 m right of due east: south
  EXPECT_NEAR(staked.point.y, 2150.0, 1e-9);
  EXPECT_NEAR(staked.point.azimuth, 90.0, 1e-12);
  EXPECT_EQ(staked.height.is, Is::kHeight);
  EXPECT_NEAR(staked.height.metres, 102.75, 1e-12);
}

TEST(RoadPoint, APointBeyondTheProfileIsComputedWithoutAHeight) {
  const Alignment road = Straight();
  const Profile profile = Heights();
  const RoadStake staked = std::get<RoadStake>(StakeOnRoad(road, &profile, 750.0, 0.0));
  EXPECT_NEAR(staked.point.y, 2750.0, 1e-9);
  EXPECT_EQ(staked.height.is, Is::kOutsideProfile);
  const RoadLocation located = std::get<RoadLocation>(LocateOnRoad(road, &profile, 1000.0, 2760.0));
  EXPECT_NEAR(located.location.chainage, 760.0, 1e-9);
  EXPECT_EQ(located.height.is, Is::kOutsideProfile);
}

TEST(RoadPoint, ARoadWithoutAProfileHasNoHeightToGive) {
  const Alignment road = Straight();
  EXPECT_EQ(std::get<RoadStake>(StakeOnRoad(road, nullptr, 150.0, 0.0)).height.is,
            Is::kNoProfile);
  EXPECT_EQ(std::get<RoadLocation>(LocateOnRoad(road, nullptr, 1000.0, 2100.0)).height.is,
            Is::kNoProfile);
  EXPECT_EQ(HeightAtChainage(nullptr, 100.0).is, Is::kNoProfile);
}

TEST(RoadPoint, ALocatedPointGivesItsChainageOffsetAndHeight) {
  const Alignment road = Straight();
  const Profile profile = Heights();
  const auto located = LocateOnRoad(road, &profile, 1003.0, 2480.0);
  ASSERT_TRUE(std::holds_alternative<RoadLocation>(located));
  const RoadLocation& location = std::get<RoadLocation>(located);
  EXPECT_NEAR(location.location.chainage, 480.0, 1e-9);
  EXPECT_NEAR(location.location.offset, -3.0, 1e-9);  // north of due east: left
  EXPECT_EQ(location.height.is, Is::kHeight);
  EXPECT_NEAR(location.height.metres, 98.5, 1e-12);
}

TEST(RoadPoint, APointOffTheRoadIsTheAlignmentsFault) {
  const Alignment road = Straight();
  const Profile profile = Heights();
  const auto stake = StakeOnRoad(road, &profile, 900.0, 0.0);
  ASSERT_TRUE(std::holds_alternative<AlignmentError>(stake));
  EXPECT_EQ(std::get<AlignmentError>(stake).kind, AlignmentError::Kind::kBesideRange);
  const auto located = LocateOnRoad(road, &profile, 1000.0, 2900.0);
  ASSERT_TRUE(std::holds_alternative<AlignmentError>(located));
  EXPECT_EQ(std::get<AlignmentError>(located).kind, AlignmentError::Kind::kBesideNoElement);
}

}  // namespace
