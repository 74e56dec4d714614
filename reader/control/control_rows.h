#pragma once

// The observations of a traverse or a levelling line, read as every mode's
// rows are (RowReader, InputRows): names, separators, quotes, encodings,
// the lines before the first row, blank and comment lines, and each row's
// error in its place. A traverse's rows are its stations in the order of
// travel, NAME ANGLE [DISTANCE] [ZENITH] (packed DMS; "-" for a number the
// station takes none of, an end of a traverse without orientation); a
// levelling line's are its sections, TO DH LENGTH (metres; km or
// stations). Nothing is computed while reading: the line is worked out
// once the last row is read (control_line.h), and every line is answered
// in its place (control_answer.h).
//
// How a window uses it (the tool does the same, control_runner.cpp):
//
//   const reading::RowReader reader(reading::ControlRowSettings(mode));
//   reading::ControlRows rows(reader);
//   rows.Start();
//   for (each line of the table or file, numbered from 1)
//     rows.Add(line, "观测:" + number);   // `where` names it in messages
//   rows.Finish();
//   // rows.observations(): the rows that read, in order; rows.failed():
//   // whether one did not (its ControlLine::answer holds the error).
//
// A ControlRows is used by one thread; the reader must outlive it.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reader/rows/input_rows.h"
#include "reader/rows/row_reader.h"

namespace reading {

// The row reader's settings for a control line's rows: `mode` kTraverse or
// kLevel; `mark`: how a comma that may group thousands or be the decimal
// mark reads (--decimal-mark), kUnknown as the rows settle it.
RowSettings ControlRowSettings(Mode mode, DecimalMark mark = DecimalMark::kUnknown);

// A row that read: its name (the station, or the section's end point) and
// its numbers as the mode's rule names them (traverse: ANGLE, DISTANCE,
// ZENITH; level: DH, LENGTH), NaN for one left out.
struct Observation {
  std::string name;
  std::array<double, 3> values;
  std::string where;  // as Add() was told: "stdin:3"
};

inline constexpr std::size_t kNoObservation = static_cast<std::size_t>(-1);

// One input line, kept in its place.
struct ControlLine {
  // Lines copied through (blank lines, comments, a title or a header,
  // --skip-lines), each with its "\n"; the line is then no row.
  std::string copied;
  // A row: kAnswer where it read (`observation` says which), else kError.
  LineAnswer answer;
  std::size_t observation = kNoObservation;
};

class ControlRows {
 public:
  explicit ControlRows(const RowReader& reader, std::size_t skipLines = 0)
      : reader_(reader), skipLines_(skipLines) {}

  // Starts the next input; the one before it has ended.
  void Start();
  // The next line starts a new input within the same stream (inputs joined
  // with cat: a byte-order mark at the line's start).
  void StartJoined();
  // Reads the input's next line (without its "\n").
  void Add(std::string_view line, std::string where);
  // The input read last has ended.
  void Finish();

  const std::vector<ControlLine>& lines() const { return lines_; }
  const std::vector<Observation>& observations() const { return observations_; }
  // The first row that did not read, as Add() named it ("" where none
  // failed), and its error as its line shows it after "ERROR: ".
  bool failed() const { return !firstFailure_.empty(); }
  const std::string& firstFailure() const { return firstFailure_; }
  const std::string& firstFailureText() const { return firstFailureText_; }
  // The separator of the first row that read (a blank where none did):
  // the lines the answer adds (the CLOSURE line, --points) use it.
  char separator() const { return separator_; }

 private:
  void Keep(std::string& copied);

  const RowReader& reader_;
  std::size_t skipLines_;
  std::optional<InputRows> rows_;
  std::vector<ControlLine> lines_;
  std::vector<Observation> observations_;
  std::string firstFailure_;
  std::string firstFailureText_;
  char separator_ = ' ';
};

}  // namespace reading
