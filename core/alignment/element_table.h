#pragma once

// A road designed element by element (线元法): a start point, azimuth and
// chainage, then each element's length and its radius at the start and at
// the end. Equal radii make an arc, two infinite ones a straight, others a
// clothoid spiral between the two curvatures (from or to a straight, or
// between two arcs as in an egg-shaped curve). Each element starts where
// the one before ends, with its heading.
//
// Main points follow from how the curvature changes between elements: a
// straight to a spiral is ZH, a spiral to an arc HY, an arc to a spiral YH,
// a spiral to a straight HZ, a straight to an arc ZY, an arc to a straight
// YZ, and two curves that meet (arc to arc, spiral to spiral, arc to an egg
// spiral) GQ; straight to straight is none.

#include <span>

#include "core/alignment/alignment.h"
#include "core/alignment/alignment_error.h"

namespace survey {

struct ElementStart {
  double x, y;      // metres
  double azimuth;   // packed DMS
  double chainage;  // metres
};

struct ElementRow {
  double length;       // metres, > 0
  double startRadius;  // metres, + turning right, - left; 0 for infinite
  double endRadius;
};

// The start azimuth becomes radians with the true pi: the program's kPi
// would turn the whole alignment by up to 1.1e-7 rad (0.02" at 360°), 0.1 mm
// a kilometre from the start.
//
// The alignment of the element table. Errors: kTooFewPoints for no
// elements; kBadLength (row: the element, value: its length) for a length
// not above 0; kFullCircle (row, value: degrees) for an element that turns
// through more than 360° by its mean curvature, no road's and a sure typo
// (which would also cost time in proportion to its turns).
OrError<Alignment> BuildFromElements(const ElementStart& start, std::span<const ElementRow> rows);

}  // namespace survey
