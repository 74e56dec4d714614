#pragma once

// A point of a request looked up by its name among the known points, and
// what keeps it from being found as a sheet error (sheet_error.h).

#include <optional>
#include <string_view>

#include "reader/rows/known_points.h"
#include "reader/sheet/sheet_error.h"

namespace reading {

// The point named `name` among `known` (none: kNoKnownPoints), into
// `point` (and its height into `height`, where asked): kNone, or
// kNoSuchPoint or kNamedTwice about `part`, with the name, the file that
// answers for it (HolderOf) and the lines.
SheetError FindKnownPoint(const KnownPoints* known, SheetPart part, std::string_view name,
                          Point& point, std::optional<double>* height = nullptr);

}  // namespace reading
