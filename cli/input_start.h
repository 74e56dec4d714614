#pragma once

// What is special about the start of one input: a UTF-8 byte-order mark
// (saved by many Windows editors and spreadsheets) is dropped, and the first
// row, the first line that is neither blank nor a comment, is marked, as it
// may be a header.

#include "cli/piece.h"

namespace calc {

class InputStart {
 public:
  // Prepares the next piece of the input; pieces come in input order.
  void Prepare(Piece& piece);

 private:
  bool atStart_ = true;
  bool rowSeen_ = false;
};

}  // namespace calc
