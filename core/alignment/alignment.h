#pragma once

// A road alignment: a chain of elements (element.h) from a start chainage,
// each starting where the one before ends with the same heading, and its
// main points. Built from a JD table (intersection_table.h) or an element
// table (element_table.h); immutable, so threads may share one.
//
// Stake: chainage and offset -> plan point and tangent azimuth. Locate: plan
// point -> chainage and offset, the foot of the perpendicular on the nearest
// element. Azimuths come out as packed DMS (packed_angle.h), 0 <= A < 360,
// from headings in radians with the true pi: with the program's kPi the
// azimuths would read up to 0.02" more (1.7e-8 of the angle).
//
// Costs on an alignment of 50 curves (bench/alignment): Stake 677
// instructions (about 140 ns), Locate 1786 (about 300 ns), found through a
// binary search on chainage and a tree of element boxes (element_index.h).

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "core/alignment/alignment_error.h"
#include "core/alignment/element.h"
#include "core/alignment/element_index.h"

namespace survey {

// The points where the kind of curve changes, by the names crews use:
// 直缓 ZH, 缓圆 HY, 曲中 QZ, 圆缓 YH, 缓直 HZ; without spirals 直圆 ZY and
// 圆直 YZ; 公切点 GQ where two arcs or spirals meet directly; 起点 BP, 终点 EP.
enum class MainPointKind { kBP, kZH, kHY, kQZ, kYH, kHZ, kZY, kYZ, kGQ, kEP };

// "BP", "ZH", ... as above.
const char* MainPointCode(MainPointKind kind);

struct MainPoint {
  MainPointKind kind;
  std::size_t row;  // the JD table's row (JD) it belongs to; the element
                    // table's element that starts there (EP: one past the last)
  double chainage;  // metres
  double x, y;
  double azimuth;  // packed DMS, the tangent's
};

struct StakePoint {
  double x, y;
  double azimuth;  // packed DMS, the tangent's in the direction of rising chainage
};

struct Location {
  double chainage;  // metres
  double offset;    // + right of the direction of rising chainage, - left
};

struct PlanPoint {
  double x, y;
};

class Alignment {
 public:
  Alignment() = default;
  // `elements` in order, each starting at the chainage where the one before
  // ends, none of length 0; `mainPoints` by rising chainage. For the builders.
  Alignment(std::vector<Element> elements, std::vector<MainPoint> mainPoints);

  std::span<const Element> elements() const { return elements_; }
  std::span<const MainPoint> mainPoints() const { return mainPoints_; }
  double startChainage() const;
  double endChainage() const;

  // The point at `chainage` (start <= chainage <= end, else kBesideRange)
  // and `offset` metres right (+) or left (-) of it, square to the tangent.
  // At a chainage where two elements meet, the later one's start.
  OrError<StakePoint> Stake(double chainage, double offset = 0.0) const;

  // The chainage and offset of the foot of the perpendicular from (x, y) on
  // the nearest element (FootOn): the alignment's nearest point, as the
  // elements meet with one tangent. kBesideNoElement where that is its start
  // or its end point and the point lies beyond it (before the start, past
  // the end), or where no element has a foot.
  OrError<Location> Locate(double x, double y) const;

  // The element that holds `chainage` (as Stake picks it); elements().size()
  // where none does.
  std::size_t ElementAt(double chainage) const;

  // Appends the plan of element `element` as a polyline from its start to
  // its end (both included) whose chords stray at most `deviation` metres
  // (> 0) from the curve: two points for a straight, about
  // L / sqrt(8 deviation R) more for a curve, at most kMaxPlanPieces.
  void AppendPlan(std::size_t element, double deviation, std::vector<PlanPoint>& out) const;
  static constexpr std::size_t kMaxPlanPieces = 4096;

  // Boxes that hold an element's plan, and the whole alignment's.
  PlanBox ElementBox(std::size_t element) const { return index_.box(element); }
  PlanBox Bounds() const { return index_.bounds(); }

 private:
  std::vector<Element> elements_;
  std::vector<MainPoint> mainPoints_;
  std::vector<double> starts_;  // the elements' start chainages, for the search
  ElementIndex index_;
};

// A heading in radians as a packed azimuth, 0 <= A < 360.
double PackedAzimuth(double heading);

// An angle in radians as packed DMS with its sign in front (sign and
// magnitude: -78.204368 is 78°20'43.68" to the left), as deflections are
// written; PackedToDegrees reads negative values otherwise (floor first).
double SignedPacked(double radians);

}  // namespace survey
