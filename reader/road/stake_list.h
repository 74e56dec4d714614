#pragma once

// The stakes a crew sets out along a road, in order of chainage: every
// multiple of an interval, the main points, and the ends (of the
// alignment, or of a chainage range), each on the centre line and at each
// offset beside it. `corvane-calc stake --every` writes them, the 线路
// window lists them and hands them to the 放样表, with the same texts.
//
// Names say where a stake stands, as a crew reads them:
//   K0+120           the centre stake at 120 m
//   K0+120 L10       10 m left of it (R10: right)
//   K0+106.340 ZH    a main point: its chainage and its code
//   K0+106.340 ZH R7.5
// Chainages in names have the answers' decimals (at most 9), none where
// they are all 0; offsets as many as they need up to those. A main point
// that falls on a multiple (its chainage written the same) is that stake.
//
// The design height is the profile's at the chainage, the centre line's, at
// every offset: cross falls are no part of a profile.

#include <cstddef>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/alignment/alignment.h"
#include "reader/road/curve_table.h"
#include "reader/road/road_rows.h"

namespace reading {

struct StakeRange {
  double interval = 20.0;       // metres, > 0
  std::vector<double> offsets;  // metres, + right, - left, none 0: beside the centre stake
  bool mainPoints = true;
  // The chainage range, metres; the alignment's ends where it reaches past them.
  double from = -std::numeric_limits<double>::infinity();
  double to = std::numeric_limits<double>::infinity();
};

struct Stake {
  std::string name;
  const char* code = "";  // a main point's ("ZH"), else ""
  double chainage = 0.0;  // metres
  double offset = 0.0;    // metres, + right
  survey::StakePoint point{};
  std::optional<double> height;  // with a profile that covers the chainage
};

// The stakes of a road, one at a time, so that a list of millions is never
// held whole.
class StakeWalk {
 public:
  // `road` and its design live as long as the walk. `decimals`: of the
  // names, as the answers' (0 to 20).
  StakeWalk(const RoadRows& road, const StakeRange& range, int decimals);

  // The next stake; false after the last.
  bool Next(Stake& stake);

 private:
  bool NextChainage();
  bool Peek(double& chainage) const;
  void Take(const std::string& text);

  const RoadRows& road_;
  StakeRange range_;
  int decimals_;
  double from_, to_;
  double multiple_;        // the next multiple of the interval, by its index
  std::size_t mainPoint_;  // the next main point
  bool startDue_ = true;   // the range's ends are still to come
  bool endDue_ = true;
  std::size_t side_;       // 0 the centre stake, i the offset i - 1
  double chainage_ = 0.0;  // of the stakes being written
  std::string base_;       // their name on the centre line
  const char* code_ = "";
  std::optional<double> height_;
};

// The columns of the list: NAME K OFFSET X Y AZIMUTH H.
enum class StakeField : unsigned char { kName, kChainage, kOffset, kX, kY, kAzimuth, kHeight };
inline constexpr std::size_t kStakeFieldCount = 7;

// The text of `field` of `stake` written with `decimals`, the height empty
// where there is none. The name as shown (AppendShown).
void AppendStakeField(const Stake& stake, StakeField field, const RoadDecimals& decimals,
                      std::string& out);

// The line corvane-calc writes, comma-separated, without line end:
// NAME,K,OFFSET,X,Y,AZIMUTH and, with a profile (`heights`), H; where the
// profile does not cover the stake, the "ERROR: " line that says so. False
// for that line.
bool AppendStakeLine(const Stake& stake, const RoadRows& road, const RoadDecimals& decimals,
                     std::string& out);

// The header row of those lines.
void AppendStakeTitles(bool heights, std::string& out);

// Reads a list of offsets, "-10,10" (metres, + right), into `offsets`;
// false where one is no number, is 0 (the centre stake is always set) or is
// given twice.
bool ReadOffsets(std::string_view list, std::vector<double>& offsets);

}  // namespace reading
