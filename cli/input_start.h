#pragma once

// An input's start, answered where the input is read, in order: its first
// lines as reading::InputRows reads them, up to and with its first row
// (and the --header lines), so that workers answer every line after that
// as a row, each piece apart.

#include <string>

#include "cli/piece.h"
#include "reader/rows/input_rows.h"

namespace calc {

class InputStart {
 public:
  // `options`: --skip-lines and the --header comment line (nullptr where
  // the --header lines are not to be written before this input's first
  // row). `reader` must outlive this.
  InputStart(const reading::RowReader& reader, reading::InputOptions options)
      : reader_(reader), rows_(reader, options) {}

  // Answers the lines of the next piece that come before and with the
  // input's first row; pieces come in input order.
  void Prepare(Piece& piece);

  // The input has ended: appends what is held back (input_rows.h).
  void Finish(std::string& out) { rows_.Finish(out); }

  // Whether the input's first row has come, and whether the --header lines
  // are written.
  bool rowSeen() const { return rows_.rowSeen(); }
  bool headerWritten() const { return rows_.headerWritten(); }

 private:
  const reading::RowReader& reader_;
  reading::InputRows rows_;
};

}  // namespace calc
