#pragma once

// What is special about the start of one input: its first row, the first
// line that is neither blank nor a comment, is marked, as it may be a
// header; and the --header lines, where they are still to be written, go
// before it.

#include <string>

#include "cli/piece.h"
#include "reader/input_rows.h"

namespace calc {

class InputStart {
 public:
  // `header`: the --header comment line, or nullptr where the --header
  // lines are not to be written before this input's first row.
  explicit InputStart(const std::string* header = nullptr) : header_(header) {}

  // Prepares the next piece of the input; pieces come in input order.
  void Prepare(Piece& piece);

  // Whether the input's first row has come.
  bool rowSeen() const { return rows_.rowSeen(); }

 private:
  const std::string* header_;
  reading::InputRows rows_;
};

}  // namespace calc
