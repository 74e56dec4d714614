#pragma once

// What a setting-out sheet (or a list of rows from a station) is asked for,
// as data: the mode, the station setup, the columns of the rows, the known
// points that names are looked up in, the decimals and the angles' format,
// the heights of the sight, and the design points.
// corvane-calc fills it from its options (sheet_options.h), the program's
// setting-out window from its fields, and the windows that hand design
// points to the sheet from what they computed. ResolveSheet
// (sheet_resolver.h) turns it into a row reader's settings and the check
// line, or says what is wrong and where (SheetError).
//
// Numbers are metres (X north, Y east) and packed DMS for azimuths
// (45.302512 = 45°30'25.12"), 0 to 360.

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "reader/rows/columns.h"
#include "reader/rows/design_point.h"
#include "reader/rows/input_reading.h"
#include "reader/rows/mode_rule.h"
#include "reader/rows/row_settings.h"

namespace reading {

// A known point, by its name among the request's known points.
struct PointName {
  std::string name;
  bool operator==(const PointName&) const = default;
};

// A packed azimuth, 0 to 360.
struct PackedAzimuth {
  double packed = 0.0;
  bool operator==(const PackedAzimuth&) const = default;
};

// Where the instrument stands: a known point, or typed coordinates.
using StationPoint = std::variant<PointName, Point>;

// What the setting-out angles are turned from: a point, known or typed, or
// the backsight's azimuth.
using Backsight = std::variant<PointName, Point, PackedAzimuth>;

// A station and what is sighted from it. Rows of forward and inverse from a
// station have no backsight; a setting-out sheet needs one.
struct StationAndBacksight {
  StationPoint station;
  std::optional<Backsight> backsight;
  bool operator==(const StationAndBacksight&) const = default;
};

// A known point's horizontal circle reading, and the horizontal distance
// to it where one was measured, as a station setup sights it.
struct SetupSighting {
  std::string name;                // of the known point
  double reading = 0.0;            // packed DMS, 0 to 360
  std::optional<double> distance;  // metres, above 0
  bool operator==(const SetupSighting&) const = default;
};

// The standard errors a free station weighs its observations by
// (core/setup/free_station.h): a reading's, and a distance's as a constant
// part and a part in proportion to it, added.
struct SetupSigmas {
  double directionSeconds = 2.0;  // above 0
  double distanceMm = 2.0;        // 0 or more
  double distancePpm = 2.0;       // 0 or more; with distanceMm not both 0
  bool operator==(const SetupSigmas&) const = default;
};

// A station and the direction the angles start from, fixed by sightings of
// known points: on a known station by its readings to two or more
// backsights (多后视定向), or anywhere by readings, with or without
// distances, to known points (自由设站). The orientation, the azimuth of
// the circle's zero, takes the backsight's place: a setting-out sheet gives
// each point the circle reading to set, its azimuth less the orientation,
// as a backsight azimuth equal to the orientation would (station_setup.h
// says how the two are rounded). corvane-calc orient and freestation take
// their sightings from their rows: `sightings` is empty there.
struct OrientedStation {
  enum class Method : unsigned char { kBacksights, kFree };
  Method method = Method::kBacksights;
  std::optional<StationPoint> station;  // kBacksights: where the instrument stands
  std::vector<SetupSighting> sightings;
  SetupSigmas sigmas;  // kFree
  std::string name;    // kFree: the station's name in answers; "" for none
  bool operator==(const OrientedStation&) const = default;
};

// How the station and the direction the angles start from are fixed: a
// station and a backsight, or a station setup that fixes both itself.
using StationSetup = std::variant<StationAndBacksight, OrientedStation>;

// Known points from a control file, read in `columns`; without them in the
// columns of the rows (SheetRequest::columns), or NAME X Y where there are
// none either. `input`: how its bytes and lines are read; without, as the
// design file's (SheetRequest::input).
struct ControlFile {
  std::string path;  // its bytes, as the file system has them
  std::optional<std::vector<Column>> columns;
  std::optional<InputReading> input = std::nullopt;
  bool operator==(const ControlFile&) const = default;
};

// Known points from the design file itself (the program's window without a
// control file): its rows' names, read by its columns.
struct DesignNames {
  bool operator==(const DesignNames&) const = default;
};

// Where the names of the station setup are looked up; std::monostate: no
// known points (names are then an error).
using KnownPointSource = std::variant<std::monostate, ControlFile, DesignNames>;

// The design file, read by the request's columns.
struct DesignFile {
  std::string path;  // its bytes, as the file system has them
  bool operator==(const DesignFile&) const = default;
};

// The design points: a file, or points given by a caller; std::monostate
// where the caller reads its rows itself (corvane-calc's inputs).
using DesignPoints = std::variant<std::monostate, DesignFile, std::vector<DesignPoint>>;

// The heights of a setting-out sheet's sight (core/target_sight.h), metres:
// the station mark's, the instrument's above it and the target's above the
// foot of the pole, and whether the earth's curvature and refraction are
// corrected.
struct SightHeights {
  std::optional<double> station;  // none: the station point's own (its h)
  double instrument = 0.0;
  double target = 0.0;
  bool earthCorrection = false;
  bool operator==(const SightHeights&) const = default;
};

struct SheetRequest {
  Mode mode = Mode::kSetout;
  // The station setup; none for forward and inverse rows that hold both of
  // their points. Setout needs one with a backsight.
  std::optional<StationSetup> setup;
  std::vector<Column> columns;  // of the rows; empty: the mode's numbers, maybe named
  KnownPointSource known;
  int decimals = 6;                    // of lengths and coordinates, 0 to 20
  std::optional<int> azimuthDecimals;  // of azimuths and angles; unset: `decimals`
  AngleFormat angleFormat = AngleFormat::kPacked;
  // setout: the sight to each design point's target at its design height;
  // none: no heights asked for.
  std::optional<SightHeights> heights;
  DesignPoints design;
  // How every input is read: the design file, corvane-calc's inputs, and
  // the control file where it does not say.
  InputReading input;
  bool right = false;  // intersect: the new point on the right of the line from A to B

  bool operator==(const SheetRequest&) const = default;
};

}  // namespace reading
