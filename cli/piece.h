#pragma once

// A piece of input lines and the answers to them: the unit of work that the
// batch pipeline hands to its workers.

#include <string>
#include <vector>

#include "reader/rows/row_reader.h"

namespace calc {

struct PieceError {
  std::size_t line;   // 0-based within the piece
  std::size_t begin;  // the "ERROR: " line in `output`
  std::size_t end;
};

struct Piece {
  std::string input;         // whole lines, each ending in "\n"
  bool startsInput = false;  // its first line starts a new input (joined with cat)
  // The lines before an input's first row, and that row, are answered
  // where the input is read, in order (InputStart): the first `answered`
  // lines, whose output is the first `answeredBytes` of `output` and whose
  // errors the first `answeredErrors` of `errors`.
  std::size_t answered = 0;
  std::size_t answeredBytes = 0;
  std::size_t answeredErrors = 0;
  // The decimal mark the rows before line `answered` of its input settled
  // as far as InputStart saw them (decimal_mark.h); the one settled at the
  // end of the piece, as read from there; and whether a row after line
  // `answered` took the mark of the rows before it, so that its answer
  // depends on the pieces before this one.
  reading::DecimalMark startMark = reading::DecimalMark::kUnknown;
  reading::DecimalMark foundMark = reading::DecimalMark::kUnknown;
  bool usesFileMark = false;
  std::string output;  // one answer line per input line (the --header lines too)
  std::vector<PieceError> errors;
  std::size_t lines = 0;
};

// Fills the piece's output, error list and line count from its input, from
// line `answered` on; the rows before it in its input settled the decimal
// mark `startMark` (which, from a caller that knows more, may be more than
// piece.startMark).
void AnswerPiece(const reading::RowReader& reader, Piece& piece,
                 reading::DecimalMark startMark = reading::DecimalMark::kUnknown);

}  // namespace calc
