#pragma once

// The coordinate columns of a traverse table, shared by the compass rule's
// table and the rigorous adjustment's: increments along the legs'
// azimuths, rounded to millimetres, and the corrections that take each
// point onto its adjusted position rounded to millimetres, so that the
// columns add up.

#include <span>
#include <vector>

#include "core/control/traverse.h"

namespace survey {

// The legs' exact increments along their azimuths (ComputeForward's),
// metres.
struct Increments {
  std::vector<double> dx;
  std::vector<double> dy;
};

Increments Along(std::span<const double> azimuthsDegrees, std::span<const double> distances);

// Fills every leg's dx, dy, vx, vy and every point after the first from
// the exact increments and the adjusted points' exact offsets from the
// first point (one per leg, metres): each point is the first plus its
// offset rounded to the millimetre, half away from zero, and each
// correction is what the rounded increment lacks of the step between two
// rounded points. The rows and their legs must be there.
void FillLegs(TraverseResult& result, const Increments& exact, std::span<const double> offsetsX,
              std::span<const double> offsetsY);

}  // namespace survey
