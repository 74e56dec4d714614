#pragma once

// The computation of one row of each transformation job, behind the rows'
// RowTransform (reader/rows/row_transform.h); MakeTransformRows picks one.

#include <memory>

#include "core/transform/construction_grid.h"
#include "core/transform/four_parameters.h"
#include "core/transform/gauss_kruger.h"
#include "reader/rows/row_transform.h"

namespace reading {

// grid (A B -> X Y) and fourparam --apply (x y -> X Y), either way.
std::shared_ptr<const RowTransform> MakePlaneRows(survey::FourParameters parameters, bool inverse);

// fourparam's common points: x y X Y kept as the row's results for the fit.
std::shared_ptr<const RowTransform> MakeCommonPointRows();

// project: B L -> X Y CONVERGENCE SCALE. `degrees`: B and L in decimal
// degrees, else packed.
std::shared_ptr<const RowTransform> MakeProjectRows(survey::GaussKruger projection, bool degrees);

// project --inverse: X Y -> B L; and rezone: X Y in `from` -> X Y in `to`
// (`to` set). A y of a million metres or more is read with its zone number
// in front (`prefixed`, where the setup has a zone to check it against).
std::shared_ptr<const RowTransform> MakeInverseRows(
    survey::GaussKruger from, std::optional<survey::GaussKruger> prefixed,
    std::optional<survey::GaussKruger> to, bool degrees);

}  // namespace reading
