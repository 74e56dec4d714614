#pragma once

// How an input starts, in one place: its first row (the first line that is
// neither blank nor a comment) may be a header, which is copied through;
// and with --header a comment line and a header row naming the answer's
// columns go before that row's answer, the header row in its place where
// the row is a header itself. corvane-calc (whose threads answer pieces of
// an input apart), the known points of a control file and the program's
// setting-out sheet all read an input so.

#include <string>
#include <string_view>

#include "reader/row_reader.h"

namespace reading {

// Finds the first row among an input's lines, given in turn.
class InputRows {
 public:
  // Whether `line`, the input's next line, is its first row.
  bool FirstRow(std::string_view line) {
    const bool first = !rowSeen_ && !IsBlankOrComment(line);
    rowSeen_ = rowSeen_ || first;
    return first;
  }

  // Whether the first row has come.
  bool rowSeen() const { return rowSeen_; }

 private:
  bool rowSeen_ = false;
};

// What a line's output came to.
enum class LineOutcome {
  kAnswered,  // an answer or a copied line
  kFailed,    // an "ERROR: " line
  kReplaced,  // a header, whose place the --header lines took
};

// Appends the output of a line read into `answer` (no line end): with
// `header` (the --header comment line; nullptr for none) the --header lines
// first, each with its line end. `begin` is set to where the line's own
// output starts, after them.
LineOutcome AppendOutput(const RowReader& reader, const LineAnswer& answer,
                         const std::string* header, std::string& out, std::size_t& begin);

// Reads `line` into `answer` (`firstRow` as InputRows says) and appends its
// output; `header` is looked at on the first row only.
LineOutcome AppendAnswer(const RowReader& reader, std::string_view line, bool firstRow,
                         const std::string* header, LineAnswer& answer, std::string& out,
                         std::size_t& begin);

}  // namespace reading
