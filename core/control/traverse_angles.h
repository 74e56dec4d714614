#pragma once

// The angle half of the traverse table: the angle closure, the angles'
// corrections and the legs' azimuths, worked in whole thousandths of a
// second so that sums of angles are exact (see traverse.h for the kinds).

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/control/traverse.h"

namespace survey {

// An angle in whole thousandths of a second of arc.
using ArcMillis = std::int64_t;
inline constexpr ArcMillis kHalfTurn = 648'000'000;
inline constexpr ArcMillis kTurn = 2 * kHalfTurn;

// A packed DMS angle to the nearest thousandth of a second.
ArcMillis PackedToArcMillis(double packed);

// An angle brought to 0 <= a < kTurn by whole turns.
ArcMillis WholeTurn(ArcMillis angle);

double ArcMillisToDegrees(ArcMillis angle);

struct AngleAdjustment {
  // One per station: the correction in whole seconds (0 where the angle is
  // not corrected) and the corrected angle, both in the input's sense
  // (left or right); none where the kind uses no angle there.
  std::vector<std::int64_t> corrections;
  std::vector<std::optional<ArcMillis>> corrected;
  std::vector<ArcMillis> azimuths;  // one per leg, 0 <= a < kTurn
  std::optional<AngleClosure> closure;
};

// The adjustment of `angles` (one per station, in the input's sense, none
// where the kind uses none). `firstAzimuth` orients an unoriented
// traverse's first leg; the others start from input.azimuthIn. The caller
// has checked that every angle the kind needs is there.
AngleAdjustment AdjustAngles(const TraverseInput& input,
                             std::span<const std::optional<ArcMillis>> angles,
                             ArcMillis firstAzimuth);

}  // namespace survey
