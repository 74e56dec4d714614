#pragma once

// The tool's answer to a traverse's or a levelling line's rows, every line
// in its place as in every mode: the lines copied through as they came,
// each row that did not read as its error line, each observation's row as
// its station's (its point's) cells (control_text.h), and the CLOSURE
// line last. A levelling line's start, which no row names, has its row
// before the first row's. Where the rows make no line, each row that read
// is an error line instead, "ERROR: NAME: no traverse: WHY".
//
// A window takes the cells (ControlAnswer::rows) for its table and the
// closure for its foot; --points takes the new points (TraversePoints,
// LevelPoints).

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/control/level_line.h"
#include "core/control/traverse.h"
#include "core/control/traverse_rigorous.h"
#include "reader/control/control_rows.h"
#include "reader/control/control_text.h"

namespace reading {

struct ControlAnswer {
  std::vector<Cells> rows;  // one per observation, in order
  Cells before;             // a row before the first observation's; none where empty
  Cells closure;
};

// The traverse's answer; `rigorous` where it was adjusted so (its points'
// standard errors then fill the last columns), else nullptr.
ControlAnswer TraverseAnswer(const ControlRows& rows, const survey::TraverseResult& table,
                             const survey::RigorousTraverse* rigorous,
                             const ControlFormat& format);

// The levelling line's answer: `start` names the benchmark it starts on,
// `input` the line as computed.
ControlAnswer LevelAnswer(const ControlRows& rows, std::string_view start,
                          const survey::LevelInput& input, const survey::LevelResult& table);

// The new points, NAME X Y: the stations but the known start and end
// (an open traverse's last station is new).
std::vector<Cells> TraversePoints(const ControlRows& rows, survey::TraverseKind kind,
                                  const survey::TraverseResult& table);

// The new points, NAME H: the ends of the sections but a known benchmark
// (out and back, those of the run out).
std::vector<Cells> LevelPoints(const ControlRows& rows, const survey::LevelInput& input,
                               const survey::LevelResult& table);

// Every line in its place, each with its "\n" (see above).
void AppendAnswerLines(const RowReader& reader, const ControlRows& rows,
                       const ControlAnswer& answer, std::string& out);

// Every line in its place where there is no line: each row that read is
// "ERROR: NAME: " and `why` ("no traverse: ...").
void AppendNoLine(const RowReader& reader, const ControlRows& rows, std::string_view why,
                  std::string& out);

// The lines of `cells`, each with its "\n".
void AppendCellLines(std::span<const Cells> cells, char separator, std::string& out);

}  // namespace reading
