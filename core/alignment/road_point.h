#pragma once

// A point of a road with its design height, worked out the same for the
// tool's rows and the 线路 window's 正算 and 反算: staked from a chainage and
// an offset (plan point and the tangent's azimuth, stake), or located from
// a plan point (chainage and offset, locate), and in both the profile's
// height at the point's chainage where the road has a profile.

#include "core/alignment/alignment.h"
#include "core/alignment/profile.h"

namespace survey {

// The design height at a point's chainage: none where the road has no
// profile, the profile's height where it reaches that chainage, else that
// it does not (the point itself is still computed).
struct DesignHeight {
  enum class Is : unsigned char { kNoProfile, kHeight, kOutsideProfile };
  Is is = Is::kNoProfile;
  double metres = 0.0;  // kHeight
};

struct RoadStake {
  StakePoint point;
  DesignHeight height;
};

struct RoadLocation {
  Location location;
  DesignHeight height;
};

// The height of `profile` (none: the road has no profile) at `chainage`.
DesignHeight HeightAtChainage(const Profile* profile, double chainage);

// Alignment::Stake of `chainage` and `offset`, with the design height at
// `chainage`; its faults as Stake gives them.
OrError<RoadStake> StakeOnRoad(const Alignment& alignment, const Profile* profile,
                               double chainage, double offset);

// Alignment::Locate of (x, y), with the design height at the chainage found;
// its faults as Locate gives them.
OrError<RoadLocation> LocateOnRoad(const Alignment& alignment, const Profile* profile, double x,
                                   double y);

}  // namespace survey
