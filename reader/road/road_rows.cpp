#include "reader/road/road_rows.h"

#include <algorithm>
#include <cmath>
#include <variant>

#include "core/alignment/chainage_text.h"

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
  const RoadRows& road = *this;
  const RoadDesign& design = *road.design;
  std::array<double, 4>& results = answer.results;
  double chainage = 0.0;
  if (settings.mode == Mode::kStake) {
    chainage = values[0];
    const auto stake = design.alignment.Stake(chainage, values[1]);
    if (std::holds_alternative<survey::AlignmentError>(stake)) {
      return (chainage < design.alignment.startChainage() ? road.beforeStart : road.beyondEnd)
          .c_str();
    }
    const survey::StakePoint& point = std::get<survey::StakePoint>(stake);
    results = {point.x, point.y, point.azimuth, 0.0};
    answer.point = {point.x, point.y};  // ComputeRow marks it once it is finite
  } else {
    answer.point = {values[0], values[1]};
    answer.hasPoint = true;
    const auto located = design.alignment.Locate(values[0], values[1]);
    if (std::holds_alternative<survey::AlignmentError>(located)) return kBesideNoElement;
    const survey::Location& location = std::get<survey::Location>(located);
    chainage = location.chainage;
    results = {location.chainage, location.offset, 0.0, 0.0};
  }
  if (design.profile) {
    const auto height = design.profile->HeightAt(chainage);
    if (std::holds_alternative<survey::AlignmentError>(height)) {
      return (settings.mode == Mode::kStake ? road.stakeOutsideProfile : road.locateOutsideProfile)
          .c_str();
    }
    results[settings.mode == Mode::kStake ? 3 : 2] = std::get<double>(height);
  }
  return nullptr;
}

}  // namespace reading
