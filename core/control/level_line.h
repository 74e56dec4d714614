#pragma once

// The levelling line (水准路线) computation table: closure fh beside its
// limit, corrections in proportion to the sections' lengths (or numbers of
// stations), the corrected height differences and the adjusted heights.
//
// Kinds:
//   kAttached (附合)    from a known benchmark to another:
//                       fh = sum(dh) - (H_end - H_start).
//   kClosed (闭合)      a loop back to the start: fh = sum(dh).
//   kOutAndBack (支水准) a run out from the benchmark and the run back:
//                       fh = sum(out) + sum(back), checked against the
//                       limit of the one-way length (or stations); the
//                       run out is corrected by -fh / 2, in proportion
//                       to its sections, and gives the heights: its end's
//                       is the mean of what the two runs make of it. The
//                       run back's turning points need not be the run
//                       out's.
//
// Units: heights and height differences in metres; lengths in km, or
// numbers of stations; fh and the limit in millimetres. The limit is
// k sqrt(L) (L the length in km) or k sqrt(n) (n the stations), with the
// grade's k (limits.h), unrounded: a closure is over where |fh| exceeds
// it. Over or not, the table is given.
//
// Corrections are whole millimetres shared by the running total
// (running_share.h): the running correction is rounded half away from
// zero, so each adjusted height is the strictly proportional adjustment to
// the millimetre (of heights typed to the millimetre), and the corrections
// sum to -fh rounded. Where a printed table shares the
// remainder otherwise (the first sections, or evenly by station), its
// intermediate heights may differ from these by a millimetre.

#include <optional>
#include <vector>

#include "core/control/control_error.h"
#include "core/control/limits.h"

namespace survey {

enum class LevelKind { kAttached, kClosed, kOutAndBack };
enum class LevelCount { kLength, kStations };

struct LevelSection {
  double dh;      // observed height difference, metres
  double length;  // km, or stations (a whole number); above 0
};

struct LevelInput {
  LevelKind kind = LevelKind::kAttached;
  LevelCount count = LevelCount::kLength;
  double startHeight = 0.0;
  std::optional<double> endHeight;     // kAttached
  std::vector<LevelSection> sections;  // in order; for kOutAndBack the run out
  std::vector<LevelSection> back;      // kOutAndBack: the run back to the start
  LevelLimits limits{};
};

struct LevelRow {
  double length;       // km or stations
  double dh;           // observed, metres
  double correction;   // metres, whole millimetres
  double correctedDh;  // metres
  double height;       // adjusted, at the section's end, metres
};

struct LevelResult {
  std::vector<LevelRow> rows;  // one per section (of the run out)
  double sumLength;            // km or stations (one way)
  double sumDh;                // metres, of the rows' observed differences
  double backDh;               // kOutAndBack: the sum of the run back, metres
  double fhMm;                 // closure, observed minus true
  double limitMm;
  bool over;
};

// The table. Errors: kTooFewLegs under two sections (for kOutAndBack, one
// each way); kBadLength (the section counted from 0, the run back's after
// the run out's); kBadCoordinate for a height or height difference that is
// no number; kMissingEnd for an attached line without its end height.
ControlOutcome<LevelResult> ComputeLevelLine(const LevelInput& input);

}  // namespace survey
