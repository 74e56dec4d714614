#pragma once

// The tool's words for what keeps a road design from being read or built
// (RoadError): one English line that names the file, the line and the
// points of the fault, fit to follow "corvane-calc: " as a usage error
// ("road.csv:3: JD1 and JD2: T2 of JD1 and T1 of JD2 are 12.345 longer
// than the line between them: the curves overlap"). The program's command
// line (corvane --alignment) says the same.

#include <string>

#include "reader/road/road_design.h"

namespace reading {

std::string RoadErrorText(const RoadError& error);

}  // namespace reading
