#include "reader/road/stake_list.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <variant>

#include "core/alignment/road_point.h"
#include "reader/fields/number_text.h"
#include "reader/road/curve_table.h"
#include "reader/rows/line_answer.h"
#include "reader/text/shown_text.h"

namespace reading {
namespace {

constexpr std::array<const char*, kStakeFieldCount> kTitles = {"NAME", "K",       "OFFSET", "X",
                                                               "Y",    "AZIMUTH", "H"};

// A whole number without its decimals: "K0+120.000" is "K0+120".
void DropZeroDecimals(std::string& text) {
  const std::size_t point = text.find('.');
  if (point != std::string::npos && text.find_first_not_of('0', point + 1) == std::string::npos) {
    text.resize(point);
  }
}

// The text without the zeros that end its decimals, nor a point left bare.
void DropTrailingZeros(std::string& text) {
  if (text.find('.') == std::string::npos) return;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
}

}  // namespace

StakeWalk::StakeWalk(const RoadRows& road, const StakeRange& range, int decimals)
    : road_(road), range_(range), decimals_(decimals) {
  const survey::Alignment& alignment = road.design->alignment;
  from_ = std::max(range.from, alignment.startChainage());
  to_ = std::min(range.to, alignment.endChainage());
  multiple_ = std::ceil(from_ / range.interval);
  const auto points = alignment.mainPoints();
  mainPoint_ = range.mainPoints ? 0 : points.size();
  while (mainPoint_ < points.size() && points[mainPoint_].chainage < from_) ++mainPoint_;
  startDue_ = endDue_ = from_ <= to_;
  side_ = range_.offsets.size() + 1;
}

// The least chainage still to come: a range end, a multiple or a main point.
bool StakeWalk::Peek(double& chainage) const {
  const auto points = road_.design->alignment.mainPoints();
  if (startDue_) {
    chainage = from_;
    return true;
  }
  if (!endDue_) return false;
  chainage = std::min(to_, multiple_ * range_.interval);
  if (mainPoint_ < points.size() && points[mainPoint_].chainage <= to_) {
    chainage = std::min(chainage, points[mainPoint_].chainage);
  }
  return true;
}

// Takes every chainage to come that is written `text`, keeping the first
// main point among them.
void StakeWalk::Take(const std::string& text) {
  const auto points = road_.design->alignment.mainPoints();
  const auto written = [this](double chainage) { return ChainageText(chainage, decimals_); };
  startDue_ = false;
  while (multiple_ * range_.interval <= to_ && written(multiple_ * range_.interval) == text) {
    ++multiple_;
  }
  while (mainPoint_ < points.size() && points[mainPoint_].chainage <= to_ &&
         written(points[mainPoint_].chainage) == text) {
    if (*code_ == '\0') {
      chainage_ = points[mainPoint_].chainage;
      code_ = survey::MainPointCode(points[mainPoint_].kind);
    }
    ++mainPoint_;
  }
  if (written(to_) == text) endDue_ = false;
}

bool StakeWalk::NextChainage() {
  double next = 0.0;
  if (!Peek(next)) return false;
  chainage_ = next;
  code_ = "";
  const std::string text = ChainageText(next, decimals_);
  Take(text);
  base_ = text;
  DropZeroDecimals(base_);
  if (*code_ != '\0') base_ = base_ + ' ' + code_;
  height_.reset();
  const auto& profile = road_.design->profile;
  const survey::DesignHeight height =
      survey::HeightAtChainage(profile ? &*profile : nullptr, chainage_);
  if (height.is == survey::DesignHeight::Is::kHeight) height_ = height.metres;
  return true;
}

bool StakeWalk::Next(Stake& stake) {
  if (side_ > range_.offsets.size()) {
    if (!NextChainage()) return false;
    side_ = 0;
  }
  const double offset = side_ == 0 ? 0.0 : range_.offsets[side_ - 1];
  stake.name = base_;
  if (side_ > 0) {
    std::string metres;
    AppendFixed(metres, std::fabs(offset), decimals_);
    DropTrailingZeros(metres);
    stake.name += (offset < 0.0 ? " L" : " R") + metres;
  }
  ++side_;
  stake.code = code_;
  stake.chainage = chainage_;
  stake.offset = offset;
  stake.point = std::get<survey::StakePoint>(road_.design->alignment.Stake(chainage_, offset));
  stake.height = height_;
  return true;
}

void AppendStakeField(const Stake& stake, StakeField field, const RoadDecimals& decimals,
                      std::string& out) {
  const int lengths = decimals.lengths;
  switch (field) {
    case StakeField::kName:
      return AppendShown(out, stake.name);
    case StakeField::kChainage:
      return AppendFixed(out, stake.chainage, lengths);
    case StakeField::kOffset:
      return AppendFixed(out, stake.offset, lengths);
    case StakeField::kX:
      return AppendFixed(out, stake.point.x, lengths);
    case StakeField::kY:
      return AppendFixed(out, stake.point.y, lengths);
    case StakeField::kAzimuth:
      return AppendAngle(out, stake.point.azimuth, decimals.angleFormat, decimals.angles);
    case StakeField::kHeight:
      if (stake.height) AppendFixed(out, *stake.height, lengths);
      return;
  }
}

bool AppendStakeLine(const Stake& stake, const RoadRows& road, const RoadDecimals& decimals,
                     std::string& out) {
  const bool heights = road.design->profile.has_value();
  if (heights && !stake.height) {
    out += kErrorPrefix;
    AppendShown(out, stake.name);
    out += ": ";
    out += road.stakeOutsideProfile;
    return false;
  }
  AppendField(out, stake.name, ',');
  for (std::size_t field = 1; field < kStakeFieldCount - (heights ? 0 : 1); ++field) {
    out += ',';
    AppendStakeField(stake, static_cast<StakeField>(field), decimals, out);
  }
  return true;
}

void AppendStakeTitles(bool heights, std::string& out) {
  AppendTitles(std::span<const char* const>(kTitles).first(kStakeFieldCount - (heights ? 0 : 1)),
               out);
}

bool ReadOffsets(std::string_view list, std::vector<double>& offsets) {
  offsets.clear();
  for (std::size_t at = 0; at <= list.size();) {
    const std::size_t comma = std::min(list.find(',', at), list.size());
    double offset = 0.0;
    if (ReadFieldNumber(list.substr(at, comma - at), offset) != FieldNumber::kNumber ||
        offset == 0.0 || std::find(offsets.begin(), offsets.end(), offset) != offsets.end()) {
      return false;
    }
    offsets.push_back(offset);
    at = comma + 1;
  }
  return true;
}

}  // namespace reading
