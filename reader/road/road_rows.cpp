#include "reader/road/road_rows.h"

#include <algorithm>
#include <cmath>
#include <variant>

#include "core/alignment/chainage_text.h"
#include "core/alignment/road_point.h"

namespace reading {
namespace {

// Where a row falls beside the alignment: the words every such row gets.
constexpr const char* kBesideNoElement = "point lies beside no element of the alignment";

}  // namespace

std::shared_ptr<const RoadRows> MakeRoadRows(std::shared_ptr<const RoadDesign> design,
                                             int decimals) {
  auto rows = std::make_shared<RoadRows>();
  const int shown = std::min(decimals, 9);
  const auto chainage = [shown](double metres) { return survey::FormatChainage(metres, shown); };
  const survey::Alignment& alignment = design->alignment;
  rows->beforeStart =
      "CHAINAGE is before the start of the alignment, " + chainage(alignment.startChainage());
  rows->beyondEnd =
      "CHAINAGE is beyond the end of the alignment, " + chainage(alignment.endChainage());
  if (design->profile) {
    const std::string range = ", " + chainage(design->profile->startChainage()) + " to " +
                              chainage(design->profile->endChainage());
    rows->stakeOutsideProfile = "no design height: CHAINAGE is outside the profile" + range;
    rows->locateOutsideProfile =
        "no design height: the point's chainage is outside the profile" + range;
  }
  rows->design = std::move(design);
  return rows;
}

bool RoadRows::HasProfile() const { return design->profile.has_value(); }

const char* RoadRows::ComputeRow(const RowSettings& settings, const double* values,
                                 LineAnswer& answer) const {
  const RoadDesign& design = *this->design;
  const survey::Profile* profile = design.profile ? &*design.profile : nullptr;
  std::array<double, 4>& results = answer.results;
  survey::DesignHeight height;
  if (settings.mode == Mode::kStake) {
    const double chainage = values[0];
    const auto stake = survey::StakeOnRoad(design.alignment, profile, chainage, values[1]);
    if (std::holds_alternative<survey::AlignmentError>(stake))
      return (chainage < design.alignment.startChainage() ? beforeStart : beyondEnd).c_str();
    const survey::RoadStake& staked = std::get<survey::RoadStake>(stake);
    results = {staked.point.x, staked.point.y, staked.point.azimuth, 0.0};
    answer.point = {staked.point.x, staked.point.y};  // ComputeRow marks it once it is finite
    height = staked.height;
  } else {
    answer.point = {values[0], values[1]};
    answer.hasPoint = true;
    const auto located = survey::LocateOnRoad(design.alignment, profile, values[0], values[1]);
    if (std::holds_alternative<survey::AlignmentError>(located)) return kBesideNoElement;
    const survey::RoadLocation& location = std::get<survey::RoadLocation>(located);
    results = {location.location.chainage, location.location.offset, 0.0, 0.0};
    height = location.height;
  }
  const bool stake = settings.mode == Mode::kStake;
  if (height.is == survey::DesignHeight::Is::kOutsideProfile)
    return (stake ? stakeOutsideProfile : locateOutsideProfile).c_str();
  if (height.is == survey::DesignHeight::Is::kHeight) results[stake ? 3 : 2] = height.metres;
  return nullptr;
}

}  // namespace reading
