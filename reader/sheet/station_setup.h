#pragma once

// A station setup on sightings of known points worked out (core/setup): an
// orientation on several backsights, or a free station; what it gives, and
// how a setting-out sheet takes it. corvane-calc orient and freestation and
// the program's setting-out window (its setup dialog and its sheet) all
// compute a setup here.
//
// A sheet takes the station and the orientation rounded as its heading
// writes them: X and Y with the sheet's decimals of lengths, but at least
// kSetupDecimals (0.1 mm); the orientation as a packed angle with its
// decimals of angles, but at least kSetupAngleDecimals (0.01"); each read
// back from that text as corvane-calc reads --station X,Y and
// --backsight-azimuth A. `corvane-calc setout --station X,Y
// --backsight-azimuth A` with the heading's numbers therefore gives the
// same sheet to the character, and the rounding moves no point by more than
// 0.05 mm and 0.005" (the floors keep it so where the sheet shows fewer
// decimals: whole seconds would turn every angle by up to 0.5").

#include <span>
#include <string>
#include <vector>

#include "core/setup/sightings.h"
#include "reader/rows/known_points.h"
#include "reader/sheet/sheet_error.h"
#include "reader/sheet/sheet_request.h"

namespace reading {

inline constexpr int kSetupDecimals = 4;
inline constexpr int kSetupAngleDecimals = 6;

// What a setup gives.
struct SetupAnswer {
  bool free = false;         // a free station, else an orientation on a known station
  Point station{0.0, 0.0};   // metres: the known station, or the one found
  double degrees = 0.0;      // the orientation, decimal degrees, 0 <= O < 360
  double orientation = 0.0;  // the same packed, 0 <= A < 360
  // One per sighting, in the order given (sightings.h: computed minus
  // observed, seconds and millimetres).
  std::vector<survey::TargetResidual> residuals;
  // A free station's standard errors (mm, seconds), its a-posteriori
  // standard error of unit weight and its redundancy.
  double mxMm = 0.0;
  double myMm = 0.0;
  double orientationSeconds = 0.0;
  double sigma0 = 1.0;
  int redundancy = 0;
};

// The setup of sightings whose points are known: an orientation on
// `station`, or a free station where it is null, weighed by `sigmas`. The
// errors of OrientOnBacksights and ComputeFreeStation.
survey::SetupOutcome<SetupAnswer> SolveSetup(const Point* station,
                                             std::span<const survey::Sighting> sightings,
                                             const SetupSigmas& sigmas);

// The setup `setup` asks for, its station's and its sightings' names
// looked up in `known`: kNone, or kNoStation (an orientation without a
// station), a name not found once (part kStation, or kSighting with its
// index), kSetup (`freeStation` set as the setup is) for what SolveSetup
// refuses.
SheetError ComputeSetup(const OrientedStation& setup, const KnownPoints* known,
                        SetupAnswer& answer);

// A setup as a sheet takes it (above).
struct SheetSetup {
  SetupAnswer answer;
  std::string name;         // the known station's, or the free station's; "" for none
  std::string x;            // the station's X as the heading writes it
  std::string y;            // and Y
  std::string orientation;  // the orientation, packed
  Point station{0.0, 0.0};  // read back from `x` and `y`
  double packed = 0.0;      // read back from `orientation`, 0 to 360
};

// `answer` of `setup` rounded for a sheet with `decimals` of lengths and
// `angleDecimals` of angles; named as the setup names its station.
SheetSetup ForSheet(const OrientedStation& setup, const SetupAnswer& answer, int decimals,
                    int angleDecimals);

}  // namespace reading
