#pragma once

// The tool's words for why a station setup or an intersection gives no
// answer (core/setup/setup_error.h): one English line, fit to follow a
// row's name or "no station: ". The program's windows word the same values
// in Chinese (ui/sheet/sheet_messages.h).

#include <cstddef>
#include <functional>
#include <string>

#include "core/setup/setup_error.h"

namespace reading {

// How a message names sighting `sighting` (from 0): "GPS2 (stdin:3)".
using SightingLabel = std::function<std::string(std::size_t sighting)>;

// Why an orientation on several backsights, or a free station
// (`freeStation`), is not found: "backsight GPS2 (stdin:3) is the station",
// "the station lies on or near the danger circle ...".
std::string SetupErrorText(const survey::SetupError& error, bool freeStation,
                           const SightingLabel& label);

// Why a row's intersection gives no point, naming its fields: "A and B are
// the same point", "ANGLE_A is not above 0", "the circles about A and B do
// not meet".
std::string IntersectionErrorText(const survey::SetupError& error, bool byDistance);

}  // namespace reading
