#pragma once

// The tool's words for what keeps a sheet request from being resolved: one
// English line naming the options that gave the request, fit to follow
// "corvane-calc: " as a usage error ("--station-point: no point A9 in
// ctl.dat"). The program's command line (corvane --setout) says the same.

#include <string>

#include "reader/sheet/sheet_error.h"

namespace reading {

std::string SheetErrorText(const SheetError& error);

// What a name that is not found once says, after what it is about: "no
// point A9 in ctl.dat", "ctl.dat names A9 twice (lines 2 and 5)"; "no known
// points" where there are none.
std::string KnownPointText(const SheetError& error);

}  // namespace reading
