#pragma once

// The table of the sheet options (sheet_options.h): each option's names,
// whether it takes a value, what a bad value should be, its reader and the
// modes that take it.

#include <span>
#include <string>
#include <string_view>

#include "cli/option_table/sheet_options.h"

namespace reading {

// Reads an option's value (empty for a switch) into the options; false when
// the value is bad, with `error` set where the reader says what is wrong
// itself (else the message says what the value needs).
using ValueReader = bool (*)(const std::string& value, SheetOptions& options, std::string& error);

// The modes an option is for, a bit each.
constexpr unsigned ModeBit(Mode mode) { return 1u << static_cast<unsigned>(mode); }
constexpr unsigned kPointModes =
    ModeBit(Mode::kForward) | ModeBit(Mode::kInverse) | ModeBit(Mode::kSetout);
// Those that take a known station, and those that take known points.
constexpr unsigned kStationModes = kPointModes | ModeBit(Mode::kOrient);
constexpr unsigned kControlModes = kStationModes | ModeBit(Mode::kFreeStation) |
                                   ModeBit(Mode::kIntersect) |
                                   ModeBit(Mode::kDistanceIntersect);
constexpr unsigned kRowModes = kPointModes | ModeBit(Mode::kStake) | ModeBit(Mode::kLocate);
constexpr unsigned kRoadModes =
    ModeBit(Mode::kStake) | ModeBit(Mode::kLocate) | ModeBit(Mode::kAlignment);
// The coordinate transformations' modes, which take the options that say
// how rows are read and answers written.
constexpr unsigned kTransformModes =
    ModeBit(Mode::kGrid) | ModeBit(Mode::kGridInverse) | ModeBit(Mode::kFourParamFit) |
    ModeBit(Mode::kFourParam) | ModeBit(Mode::kFourParamInverse) | ModeBit(Mode::kProject) |
    ModeBit(Mode::kProjectInverse) | ModeBit(Mode::kRezone);
constexpr unsigned kAllModes = kControlModes | kRowModes | kRoadModes | kTransformModes;

struct SheetOption {
  std::string_view name;
  std::string_view alias;  // another spelling, or none
  bool takesValue;
  const char* valueNeeds;  // what a bad value is told it should be
  ValueReader read;
  unsigned modes = kAllModes;  // the modes that take it
};

// Every option, in the order of SheetOptions::given's bits.
std::span<const SheetOption> SheetOptionTable();

// The option named `name` (or its alias); nullptr where there is none.
const SheetOption* FindOption(std::string_view name);

}  // namespace reading
