#pragma once

// What keeps a sheet request from being resolved, and where, as data: no
// text. Each caller words it in its own terms: corvane-calc in English,
// naming its options (sheet_error_text.h); the program's setting-out window
// in Chinese, naming the field the user typed into.

#include <cstddef>
#include <string>

#include "core/setup/setup_error.h"
#include "reader/rows/columns.h"
#include "reader/text/text_file.h"

namespace reading {

// The part of a request an error is about.
enum class SheetPart : unsigned char {
  kStation,
  kBacksight,
  kColumns,         // the rows' column list, which reads the control file too
  kControlColumns,  // the control file's own column list
  kControl,         // the control file
  kSighting,        // a station setup's sighting: `sighting`
  kAngles,          // the angles' format and decimals
};

struct SheetError {
  enum class What : unsigned char {
    kNone,
    kNoStation,           // setout without a station
    kNoBacksight,         // setout without a backsight
    kNoKnownPoints,       // `part` names a point, and there are no known points
    kNoSuchPoint,         // `part`'s point `name` is not in `source`
    kNamedTwice,          // `part`'s point `name` is in `source` twice: `line`, `otherLine`
    kControlNeedsNames,   // the control file's own column list has no name column
    kColumnsNeedNames,    // the rows' columns, which read the control file, have none
    kControlFile,         // the control file cannot be read: `file`
    kBacksightIsStation,  // the backsight is the station (by name, or the same point)
    kOutOfRange,          // the distance from the station to the backsight is no number
    kAzimuthOutOfRange,   // the backsight's azimuth is not from 0 to 360
    kSetup,               // a station setup gives no station or orientation: `setup`
    // Heights are asked for, and the station has none: typed without a
    // height, or the known point `name` of `source` has an empty h (or its
    // file no h column).
    kNoStationHeight,
    kDmsNeedsSeconds,  // D°M′S″ with fewer than four decimals of angles
  };
  What what = What::kNone;
  SheetPart part = SheetPart::kStation;
  std::string name;           // the point's name as given
  std::string source;         // the known points' file, as errors name it
  std::size_t line = 0;       // kNamedTwice, from 1
  std::size_t otherLine = 0;  // kNamedTwice
  FileError file;             // kControlFile
  std::size_t sighting = 0;   // kSighting: which, from 0 in the order given
  survey::SetupError setup{survey::SetupProblem::kTooFewObservations};  // kSetup
  bool freeStation = false;  // kSetup: a free station's, else an orientation's

  explicit operator bool() const { return what != What::kNone; }
};

}  // namespace reading
