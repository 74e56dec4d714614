#include "core/alignment/road_point.h"

#include <variant>

namespace survey {

DesignHeight HeightAtChainage(const Profile* profile, double chainage) {
  if (!profile) return {};
  const OrError<double> height = profile->HeightAt(chainage);
  if (const double* metres = std::get_if<double>(&height))
    return {DesignHeight::Is::kHeight, *metres};
  return {DesignHeight::Is::kOutsideProfile, 0.0};
}

OrError<RoadStake> StakeOnRoad(const Alignment& alignment, const Profile* profile,
                               double chainage, double offset) {
  const OrError<StakePoint> stake = alignment.Stake(chainage, offset);
  if (const auto* fault = std::get_if<AlignmentError>(&stake)) return *fault;
  return RoadStake{std::get<StakePoint>(stake), HeightAtChainage(profile, chainage)};
}

OrError<RoadLocation> LocateOnRoad(const Alignment& alignment, const Profile* profile, double x,
                                   double y) {
  const OrError<Location> located = alignment.Locate(x, y);
  if (const auto* fault = std::get_if<AlignmentError>(&located)) return *fault;
  const Location& location = std::get<Location>(located);
  return RoadLocation{location, HeightAtChainage(profile, location.chainage)};
}

}  // namespace survey
