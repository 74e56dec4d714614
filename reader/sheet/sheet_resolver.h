#pragma once

// A sheet request (sheet_request.h) resolved: the known points read, the
// station and the backsight found, and what every caller needs to read and
// write rows: a row reader's settings, the check line and the --header
// comment line; or what is wrong and where, as a value (sheet_error.h).

#include <optional>
#include <string>

#include "reader/rows/known_points.h"
#include "reader/sheet/sheet_error.h"
#include "reader/sheet/sheet_request.h"
#include "reader/sheet/station_setup.h"

namespace reading {

struct Sheet {
  RowSettings settings;  // for RowReader
  InputReading input;    // how the inputs are read (SheetRequest::input)
  // The station and the backsight as given: by name ("" when typed).
  std::string stationName;
  std::string backsightName;
  std::optional<Point> backsight;  // where it is a point
  // setout: the backsight's azimuth and (from a point) distance from the
  // station, as the answers write them ("" where there is none), and the
  // line corvane-calc writes to standard error before the answers:
  // "station to backsight: azimuth 7.3541 distance 151.327".
  std::string checkAzimuth;
  std::string checkDistance;
  std::string checkLine;
  // The comment line --header writes before the header row (without line
  // end): "# station A1 X 3350000.000 Y 500000.000 / backsight ...", and
  // where the sight is asked for, its heights and whether the earth's
  // curvature and refraction are corrected.
  std::string headerComment;
  // A station setup on sightings (sheet_request.h's OrientedStation), as
  // asked for: corvane-calc orient and freestation take their method,
  // station name and standard errors from here.
  std::optional<OrientedStation> oriented;
  // setout from such a setup: what it gives, as the sheet takes it; the
  // station and the backsight azimuth above are its rounded station and
  // orientation.
  std::optional<SheetSetup> setup;
};

// Resolves `request` into `sheet`. Names are looked up in `known` where it
// is given (a caller that has read them already, e.g. the design file's own
// names), else in the request's control file, which is read here. Returns
// kNone, or what keeps the sheet from being resolved (`sheet` is then of no
// use). The request's columns are as ReadColumns gives them. The station's
// height, where the sight is asked for and none is typed, is the station
// point's own (its h).
SheetError ResolveSheet(const SheetRequest& request, Sheet& sheet,
                        const KnownPoints* known = nullptr);

// The columns the request's control file is read by: its own, else the
// rows', else none (NAME X Y); kNone or why they cannot read known points.
SheetError ControlColumns(const SheetRequest& request, const ControlFile& control,
                          std::vector<Column>& columns);

}  // namespace reading
