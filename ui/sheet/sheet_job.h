#pragma once

// Where the setting-out window meets the reader that corvane-calc uses: the
// known points that names are picked from and looked up in, and the whole
// sheet of a design file or of a caller's design points, computed with the
// same rules, the same numbers and the same "ERROR: " texts as the tool. A
// file is streamed, never held whole, and refused at the first sign that it
// is no text. Runs off the interface thread (job_runner.h); no widget is
// touched.

#include <QString>
#include <atomic>
#include <functional>
#include <memory>

#include "reader/rows/known_points.h"
#include "reader/sheet/sheet_error.h"
#include "reader/sheet/sheet_request.h"
#include "ui/sheet/name_index.h"
#include "ui/sheet/setout_sheet.h"

struct SetoutSheet;

// Points read from one file (or a caller's list), once: reused while what
// they are read from stays the same.
struct KnownFile {
  // What they were read from: the control file or the design file (its
  // path and, for a file, its size and time), and the columns; a caller's
  // points have no path and are never reused.
  struct Source {
    std::string path;
    std::vector<reading::Column> columns;
    reading::InputReading input;
    std::int64_t size = -1;
    std::int64_t modified = -1;  // milliseconds since the epoch
    bool operator==(const Source&) const = default;
  };
  Source source;
  reading::KnownPoints points;
  // Why there are none to look names up in (a control file that cannot be
  // read, or whose columns have no name); kNone where they are read.
  reading::SheetError problem;
};

// The known points of a request: the names of the station and the
// backsight are looked up in `first` (the control file's, else the design
// points' own) and, where a control file is read, then in `more` (the
// design points' own), so that a design point may be the station.
struct KnownNames {
  std::shared_ptr<const KnownFile> first;
  std::shared_ptr<const KnownFile> more;  // null without a control file
  NameIndex index;  // the names to pick from: first's, then more's not among them
};

struct SheetJob {
  reading::SheetRequest request;            // its setup unset: only the names are read
  QString title;                            // the heading's name for a caller's points
  std::shared_ptr<const KnownNames> known;  // read before, or null
  SetupLimits limits = {};                  // of a setup's residuals, for the sheet's marks
};

struct SheetResult {
  // Null where the sheet is not computed: the setup is not given, or
  // `problem` says what keeps it.
  std::shared_ptr<const SetoutSheet> sheet;
  // Where the setup is not given, or does not give a sheet (`problem`):
  // the design points listed, with their
  // names, codes, heights and coordinates, nothing computed
  // (SetoutSheet::listed).
  std::shared_ptr<const SetoutSheet> listing;
  std::shared_ptr<const KnownNames> known;
  reading::SheetError problem;
  // The design file cannot be read: nothing else is set.
  reading::FileError failure;
};

// Reads the job's files and computes the sheet. `progress` gets the
// percentage done now and then; when `stop` turns true the reading ends
// early and the result is meaningless.
SheetResult ComputeSheet(const SheetJob& job, const std::atomic<bool>& stop,
                         const std::function<void(int percent)>& progress);
