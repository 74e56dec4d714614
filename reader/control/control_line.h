#pragma once

// A traverse or a levelling line as asked for (its known points by name,
// its kind, its limits) and as observed (ControlRows), made into the
// computation's input (core/control/), or what keeps it from being one, as
// a value the tool words in English (LineErrorText) and a window in its
// own words.
//
// The rows name the points in the order of travel. A traverse's first row
// is its start; its last the end (attached, without orientation) or the
// start again (closed); an open traverse ends where it ends. A levelling
// line's rows are its sections, each named by the point it ends on: the
// last ends on the end benchmark (attached) or the start (closed); out and
// back, the rows up to the first that ends on the turning point are the
// run out, the rest the run back, which ends on the start.
//
// How a window uses it, after reading the rows (control_rows.h):
//
//   reading::TraverseRequest asked;           // from its fields
//   survey::TraverseInput input;
//   if (const reading::LineError error =
//           reading::MakeTraverse(asked, known, rows.observations(), input))
//     ...;                                   // shown in its words
//   const auto table = survey::ComputeTraverse(input);
//   if (!table.ok()) ... reading::LineErrorOf(table.error(), rows.observations()) ...
//
// and the same with LevelRequest, LevelHeights, MakeLevelLine and
// survey::ComputeLevelLine.

#include <optional>
#include <span>
#include <string>

#include "core/control/control_error.h"
#include "core/control/level_line.h"
#include "core/control/traverse.h"
#include "reader/control/control_rows.h"
#include "reader/control/level_heights.h"
#include "reader/rows/known_points.h"

namespace reading {

struct TraverseRequest {
  std::string start;                    // its name among the known points
  std::string backsight;                // "" where none is named
  std::optional<double> startAzimuth;   // packed DMS, of the line into the start
  std::string end;                      // "" where the traverse is open or closed
  std::string foresight;                // "" where none is named
  std::optional<double> endAzimuth;     // packed DMS, of the line out of the end
  bool closed = false;
  survey::AngleSide side = survey::AngleSide::kLeft;
  survey::TraverseLimits limits{};
};

// The kind the request asks for: without an orientation at the start
// (neither a backsight nor an azimuth), kUnoriented; else closed, attached
// (an end) or open.
survey::TraverseKind KindOf(const TraverseRequest& request);

struct LevelRequest {
  std::string start;  // the known benchmark the line starts on
  std::string end;    // attached: the benchmark it ends on; "" else
  bool closed = false;
  std::string turn;   // out and back: the point the run turns back at; "" else
  survey::LevelCount count = survey::LevelCount::kLength;
  survey::LevelLimits limits{};
};

survey::LevelKind KindOf(const LevelRequest& request);

// What keeps the request and the rows from making a line.
struct LineError {
  enum class What : unsigned char {
    kNone,
    kRequest,      // the request asks for no one kind of line: `text` says why
    kNoSuchPoint,  // `part`'s point `name` is not among the known points
    kNamedTwice,   // it is there twice, lines `line` and `twiceLine`
    kRowFailed,    // a row did not read: `where`, `text` its error
    kNoRows,       // no row read
    kFirstRow,     // the first row names `name`, not the start `expected`
    kLastRow,      // the last row names `name`, not `expected`
    kNoTurn,       // no row ends on the turning point `name`
    kNoRunBack,    // no row after it
    kLine,         // the computation's fault `control`, at `where` ("" for none)
  };
  enum class Part : unsigned char { kStart, kBacksight, kEnd, kForesight };
  What what = What::kNone;
  Part part = Part::kStart;
  std::string name;
  std::string expected;
  std::string where;
  std::string text;
  std::size_t line = 0;
  std::size_t twiceLine = 0;
  survey::ControlError control{survey::ControlProblem::kTooFewLegs};

  explicit operator bool() const { return what != What::kNone; }
};

// The traverse's input from the request, the known points and the rows
// (ANGLE, DISTANCE, ZENITH; NaN for none). `input` is of no use on error.
LineError MakeTraverse(const TraverseRequest& request, const KnownPoints& known,
                       std::span<const Observation> rows, survey::TraverseInput& input);

// The levelling line's input from the request, the benchmarks' heights and
// the rows (DH, LENGTH).
LineError MakeLevelLine(const LevelRequest& request, const LevelHeights& known,
                        std::span<const Observation> rows, survey::LevelInput& input);

// The computation's fault as a line error, placed at the row it names
// (stations and sections count the rows in order).
LineError LineErrorOf(const survey::ControlError& error, std::span<const Observation> rows);

// The row that did not read, as a line error.
LineError RowFailed(const ControlRows& rows);

// The tool's words, one line: "--start: no point B9 in ctl.dat",
// "stdin:4: station 3 has no distance to the next station". `source`: the
// control file, as messages name it.
std::string LineErrorText(const LineError& error, const std::string& source);

}  // namespace reading
