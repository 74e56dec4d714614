#pragma once

// A piece of input lines and the answers to them: the unit of work that the
// batch pipeline hands to its workers.

#include <atomic>
#include <string>
#include <vector>

#include "reader/row_reader.h"

namespace calc {

struct PieceError {
  std::size_t line;   // 0-based within the piece
  std::size_t begin;  // the "ERROR: " line in `output`
  std::size_t end;
};

struct Piece {
  static constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);

  std::string input;               // whole lines, each ending in "\n"
  std::size_t firstRow = kNoLine;  // the input's first row, if in this piece
  // --header: the comment line to write, and the header row, before the
  // answer to the first row (in its place where that row is a header);
  // nullptr when there are none.
  const std::string* header = nullptr;
  std::string output;  // one answer line per input line
  std::vector<PieceError> errors;
  std::size_t lines = 0;
};

// Fills the piece's output, error list and line count from its input; the
// line `firstRow` may be a header, and the --header lines go before it.
void AnswerPiece(const reading::RowReader& reader, Piece& piece);

}  // namespace calc
