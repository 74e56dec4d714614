#pragma once

// A road designed by its intersection points (交点法): the start point BP,
// the JDs in order, each with its radius R and its entry and exit spiral
// lengths Ls1 and Ls2, and the end point EP, becomes an alignment of
// straights, spirals (from the straight to the arc, 0 to 1/R) and arcs, and
// a curve table. Chainages run through the curves: a JD's chainage is its ZH
// plus T1, and the next one's is that plus the line between them less J.
//
// A curve's spirals are exact clothoids: the shift p and the tangent
// increment q come from the spiral's exact end point (element.h), not from
// their usual series. Unequal spirals put the centre of the circle R + p1
// from the incoming tangent and R + p2 from the outgoing one:
//   T1 = (R + p1) tan(a/2) + q1 + (p2 - p1) / sin a
//   T2 = (R + p2) tan(a/2) + q2 + (p1 - p2) / sin a     (a = |alpha|)
// J is T1 + T2 - L, what the curve saves against the two tangents (2T - L
// for equal spirals); E is the distance from the JD to the circle, along the
// line to its centre (at QZ for equal spirals); QZ lies at ZH + L / 2.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/alignment/alignment.h"
#include "core/alignment/alignment_error.h"

namespace survey {

struct IntersectionPoint {
  std::string name;
  double x, y;                        // metres
  double radius = 0.0;                // R, metres, > 0 at a JD
  double spiralIn = 0.0;              // Ls1, metres, >= 0; 0 for a plain circular curve
  std::optional<double> spiralOut{};  // Ls2; Ls1 where not given
  // BP's and EP's radius and spirals are not read.
};

// A main point of a curve: chainage (metres), plan point, tangent azimuth
// (packed DMS, 0 <= A < 360).
struct CurvePoint {
  double chainage;
  double x, y;
  double azimuth;
};

// The curve elements (曲线要素) of one JD.
struct CurveRow {
  std::size_t row;  // in the JD table (BP is row 0)
  std::string name;
  double x, y;
  double deflection;  // alpha, packed DMS, signed (SignedPacked): + right, - left
  double radius, spiralIn, spiralOut;
  double tangentIn, tangentOut;  // T1 from ZH to the JD, T2 from the JD to HZ
  double length;                 // L, ZH to HZ along the curve
  double external;               // E
  double difference;             // J = T1 + T2 - L
  double chainage;               // the JD's: ZH + T1
  // Without an entry spiral ZH and HY are both 直圆 ZY; without an exit
  // spiral YH and HZ are both 圆直 YZ.
  CurvePoint zh, hy, qz, yh, hz;
};

struct IntersectionAlignment {
  Alignment alignment;
  std::vector<CurveRow> curves;  // one per JD, in order
};

// The alignment of the JD table `points` (BP first, EP last) with BP at
// `startChainage`. The first fault in the order of the rows is the error:
// kTooFewPoints; kSamePlace (two neighbouring rows); kBadRadius,
// kNegativeSpiral (value: the length), kTurnsBack, kSpiralsTooLong (value:
// the arc's length, < 0) for a JD; kCurvesOverlap for two neighbouring rows
// whose tangents (T2 of the first, T1 of the second, 0 at BP and EP) are
// longer than the line between them (value: by how much).
OrError<IntersectionAlignment> BuildFromIntersections(std::span<const IntersectionPoint> points,
                                                      double startChainage = 0.0);

}  // namespace survey
