#pragma once

// The line corvane-calc writes for what one input line gives (LineAnswer):
// the only place that line is put together. The program's setting-out
// window shows the same texts, so its table and the tool's output agree to
// the character. A design height is a number: it is written with a decimal
// point, its digits as read ("21,300" is written "21.300"). Angles are
// written in the settings' format (angle_text.h). With heights, a setout
// answer ends in the sight's three columns, DH ZENITH SLOPE, empty where
// the row has no design height. A result that is none (freestation's
// V_DISTANCE without a distance: NaN) is an empty field; between blanks,
// where an empty field cannot show, it is left out with its blank (it is
// the last column).

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "reader/rows/line_answer.h"

namespace reading {

// The texts an answer line shows as they were read: the name, the code and
// the design height. LineAnswer's own, or views of the row being read,
// which spare corvane-calc copying them for every row.
struct AnswerTexts {
  std::string_view name;
  std::string_view code;
  std::string_view height;
  // Whether they may hold a mark that their line was not split at (they
  // were quoted, or not read from a line): written, it would split the
  // answer line, unless quoted.
  bool mayHoldMarks = true;
};

// One column of an answer line.
struct AnswerColumn {
  enum class Role : unsigned char { kName, kCode, kResult, kHeight, kSight };
  Role role;
  std::size_t result;  // kResult: which of LineAnswer::results; kSight: of sight
  const char* title;   // as the header row names it: "NAME", "AZIMUTH", ...
};

// The answer line's columns and their text, for rows read with `settings`.
class AnswerFormat {
 public:
  explicit AnswerFormat(const RowSettings& settings);

  // The columns of an answer line, in their order; `named`: the answer's
  // LineAnswer::named.
  std::span<const AnswerColumn> Columns(bool named) const { return columns_[named ? 1 : 0]; }

  // The output line of `answer`, without line end: its columns separated by
  // its separator, "ERROR: " and the message, or the copied line (its
  // control bytes shown escaped, see AppendCopied).
  void AppendLine(const LineAnswer& answer, std::string& out) const {
    AppendLine(answer, TextsOf(answer), out);
  }

  // The same with the name, code and height of `texts` in place of the
  // answer's own.
  void AppendLine(const LineAnswer& answer, const AnswerTexts& texts, std::string& out) const;

  // The text of one column of an answer (kAnswer) as AppendLine writes it.
  void AppendColumn(const LineAnswer& answer, const AnswerColumn& column, std::string& out) const;

  // The header row that names the answer columns of rows like `firstRow`.
  void AppendHeaderRow(const LineAnswer& firstRow, std::string& out) const;

  // The --header lines before an input's first row; true where they take
  // its place (see RowReader::AppendHeaderLines).
  bool AppendHeaderLines(std::string_view comment, const LineAnswer& firstRow,
                         std::string& out) const;

 private:
  class LineText;

  static AnswerTexts TextsOf(const LineAnswer& answer) {
    return {answer.name, answer.code, answer.height, answer.textsMayHoldMarks};
  }
  // A result that is none, written as an empty field.
  bool IsNone(const LineAnswer& answer, const AnswerColumn& column) const {
    return column.role == AnswerColumn::Role::kResult && resultMayBeNone_[column.result] &&
           answer.results[column.result] != answer.results[column.result];
  }
  void PutColumn(const LineAnswer& answer, const AnswerTexts& texts, const AnswerColumn& column,
                 LineText& line) const;

  int decimals_;
  int angleDecimals_;
  AngleFormat angleFormat_;
  std::array<bool, 4> resultIsAngle_;
  std::array<int, 4> resultDecimals_;  // each result's, of its kind and the mode's more
  std::array<bool, 4> resultMayBeNone_;
  std::array<std::vector<AnswerColumn>, 2> columns_;  // unnamed, named
};

}  // namespace reading
