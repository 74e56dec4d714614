#pragma once

// How an input is read line by line, in one place:
//
// - its first N lines are copied as they are (--skip-lines N);
// - the lines before its first row are copied through: blank lines,
//   comments, and the lines leading_line.h calls headings (a title, an
//   instrument export's preamble, the header);
// - with --header, a comment line and a header row naming the answer's
//   columns go before the first row's answer: in the place of the heading
//   right before it (the input's own header gives way), where there is one;
// - a comma that may group thousands or be the decimal mark reads as the
//   first row that shows the mark settles it for the rows after it
//   (decimal_mark.h);
// - a byte-order mark at the start of a line (inputs joined with cat)
//   starts a new input, to which all of this applies again; the --header
//   lines are written once, before the first input's first row, and a
//   later input's own header is copied, as is that of a second -i file.
//
// corvane-calc (which answers the rows after an input's first row in
// pieces on other threads, see RowPlace), the known points of a control
// file and the program's setting-out sheet all read an input so.

#include <functional>
#include <string>
#include <string_view>

#include "reader/rows/row_reader.h"

namespace reading {

// Writes the --header lines into `out`, each with its "\n": for the answers
// of rows like `first` (the first row, or the header that gives way).
using HeaderWriter = std::function<void(const LineAnswer& first, std::string& out)>;

struct InputOptions {
  std::size_t skipLines = 0;            // --skip-lines
  const std::string* header = nullptr;  // the --header comment line; nullptr: no --header lines
  bool knownPoints = false;             // rows are known points (ReadKnownPoint), not computed
  // How the --header lines are written; none: the comment line and the
  // header row, as corvane-calc writes them (RowReader::AppendHeaderLines).
  HeaderWriter writeHeader = nullptr;
};

class InputRows {
 public:
  // `reader` must outlive this.
  explicit InputRows(const RowReader& reader, InputOptions options = {});

  // Reads the input's next line (without its "\n") into `answer`, and
  // appends to `out` the lines due before the line's own output, each with
  // its "\n": copied lines and the --header lines. True where the line is
  // a row (kAnswer or kError), whose output line the caller writes from
  // `answer`; false where its output is in `out`, or held back: with
  // --header a heading (and the blank lines after it) waits until a later
  // line shows whether it is the header that gives way.
  bool Read(std::string_view line, LineAnswer& answer, std::string& out);

  // The input has ended: appends what is held back, the --header lines in
  // the place of a heading held (an input of headings alone).
  void Finish(std::string& out);

  // A new input starts with the next line: what is held back goes to `out`
  // (as Finish), and the rules of an input's start apply again.
  void StartInput(std::string& out);

  // Whether the input's first row has come.
  bool rowSeen() const { return rowSeen_; }

  // Whether the --header lines are written (false also without --header).
  bool headerWritten() const { return headerWritten_; }

  // How the rows so far settle the decimal mark of a comma that may be
  // either; kUnknown while none has.
  DecimalMark mark() const { return mark_; }

 private:
  void ReadLine(std::string_view line, LineAnswer& answer, const RowPlace& place) const;
  void WriteHeaderLines(const LineAnswer& row, std::string& out);

  const RowReader* reader_;
  InputOptions options_;
  std::size_t lines_ = 0;  // of the input so far
  bool rowSeen_ = false;
  bool headerWritten_ = false;
  DecimalMark mark_ = DecimalMark::kUnknown;
  // With --header: the heading held back (its output line and answer) and
  // the blank and comment lines after it.
  bool holding_ = false;
  std::string heldHeading_;
  LineAnswer heldAnswer_;
  std::string heldAfter_;
};

// Appends a line copied as it is (--skip-lines): without its "\r", its
// bytes as they came where it did not decode, control bytes shown escaped.
void AppendSkippedLine(std::string_view line, std::string& out);

}  // namespace reading
