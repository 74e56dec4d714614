#pragma once

// One input line in, one answer out: a row holds the numbers of one
// computation, optionally led by a point name, or the columns that a column
// list names; blank lines, comment lines and a header are copied through;
// anything else is an error that says what is wrong with which field. The
// answer comes as data (LineAnswer) and as the line corvane-calc writes for
// it (AppendLine, whose format AnswerFormat owns): the program's
// setting-out window shows the same texts, so its table and the tool's
// output agree to the character.
//
// How a line is split into fields is SplitFields' (field_splitter.h).
// A RowReader is immutable: threads may share one.

#include <span>
#include <string>
#include <string_view>

#include "reader/fields/decimal_mark.h"
#include "reader/fields/header_row.h"
#include "reader/rows/answer_format.h"
#include "reader/rows/columns.h"
#include "reader/rows/design_point.h"
#include "reader/rows/row_settings.h"
#include "reader/text/line_kind.h"
#include "reader/text/text_lines.h"

namespace reading {

struct ModeRule;

// Where a line stands in its input, as far as reading it asks.
struct RowPlace {
  // The line's number in its input (from 1) where it comes before the
  // input's first row: a title, a preamble line or a header is then copied
  // (leading_line.h), and the error of a row that may be such a line says
  // how to copy it (--skip-lines N). 0 for every other line.
  std::size_t leadingLine = 0;
  // How the rows before it in its input read a comma that may group
  // thousands or be the decimal mark (decimal_mark.h), where the settings
  // do not say.
  DecimalMark fileMark = DecimalMark::kUnknown;
};

class RowReader {
 public:
  explicit RowReader(const RowSettings& settings);

  const RowSettings& settings() const { return settings_; }

  // Reads one input line (without its "\n"; a trailing "\r" is taken as
  // part of the line end) into `answer`, every member of which is set anew.
  // A line that did not decode (undecoded_line.h) is a row, and an error
  // that names its encoding. `place`: where the line stands in its input.
  void Read(std::string_view line, LineAnswer& answer, const RowPlace& place = {}) const;

  // The same for a row whose fields are given one by one (the values of a
  // command line).
  void ReadFields(std::span<const std::string_view> fields, LineAnswer& answer) const;

  // Reads a known point's row (a control file) by the same rules: its name
  // and X Y, nothing computed. kAnswer with `name` and `point`, kCopied, or
  // kError; a row without a name is an error.
  void ReadKnownPoint(std::string_view line, LineAnswer& answer, const RowPlace& place = {}) const;

  // Reads a design point a caller hands over (setout from a station) as a
  // row of the columns name,code,x,y,h is read: its name and code as given,
  // its height written with the decimals of lengths, its answer computed.
  void ReadPoint(const DesignPoint& point, LineAnswer& answer) const;

  // Appends the output line of `answer`, without line end: its columns
  // (AnswerColumns) separated by its separator, "ERROR: " and the message,
  // or the copied line (control bytes but tabs, and bytes that are no valid
  // UTF-8, shown escaped). Names, codes and heights are shown as read, their
  // control bytes escaped as messages show them, and quoted (RFC 4180)
  // where the separator, a quote or a blank at either end would change how
  // the line reads back.
  void AppendLine(const LineAnswer& answer, std::string& out) const {
    format_.AppendLine(answer, out);
  }

  // Appends the text of one column of an answer (kAnswer) exactly as
  // AppendLine writes it.
  void AppendColumn(const LineAnswer& answer, const AnswerColumn& column, std::string& out) const {
    format_.AppendColumn(answer, column, out);
  }

  // The columns of an answer line, in their order; `named`: the answer's
  // LineAnswer::named.
  std::span<const AnswerColumn> AnswerColumns(bool named) const { return format_.Columns(named); }

  // The header row that names the answer columns of rows like `firstRow`,
  // in its separator: "NAME,CODE,AZIMUTH,ANGLE,DISTANCE,H".
  void AppendHeaderRow(const LineAnswer& firstRow, std::string& out) const {
    format_.AppendHeaderRow(firstRow, out);
  }

  // The --header lines, each with its "\n", that go before the output line
  // of an input's first row: `comment` (Sheet::headerComment, none where
  // it is empty) and the header row. True where they take the place of that
  // line: the first row is a header itself (kCopied), which the sheet's
  // header row replaces.
  bool AppendHeaderLines(std::string_view comment, const LineAnswer& firstRow,
                         std::string& out) const {
    return format_.AppendHeaderLines(comment, firstRow, out);
  }

  // Read, then AppendLine; false when the answer is an "ERROR: " line.
  bool AnswerLine(std::string_view line, std::string& out, const RowPlace& place = {}) const;

  // The same in `answer`, which a caller answering many lines keeps for
  // them all. The name, code and height go from the line to `out` without
  // a copy in between: they are not set in `answer`.
  bool AnswerLine(std::string_view line, LineAnswer& answer, std::string& out,
                  const RowPlace& place = {}) const;

  // ReadFields, then AppendLine with `separator`; false for an error line.
  bool AnswerFields(std::span<const std::string_view> fields, std::string& out,
                    char separator = ' ') const;

  // Reads the fields of a row as ReadFields does, without counting them:
  // false, with the "ERROR: " line appended, when one is not a number (or
  // out of range, or not a valid azimuth).
  bool CheckNumbers(std::span<const std::string_view> fields, std::string& out) const;

  // The numbers a row holds, by name ("X0", "AZIMUTH"; with a station only
  // the second half).
  std::span<const char* const> FieldNames() const { return fieldNames_; }

  // The names of the results ("AZIMUTH", "ANGLE", "DISTANCE").
  std::span<const char* const> ResultNames() const;

 private:
  struct Row;

  const ModeRule& Rule() const;
  static void Keep(const AnswerTexts& texts, LineAnswer& answer);
  template <typename Use>
  void ReadLine(std::string_view line, LineAnswer& answer, const RowPlace& place, Use use) const;
  bool StartLine(std::string_view& line, LineAnswer& answer) const;
  bool ReadPlainRow(std::string_view line, LineAnswer& answer, const RowPlace& place) const;
  void ReadSplit(std::string_view line, LineAnswer& answer, Row& row, std::string& unquoted,
                 bool compute) const;
  template <std::size_t kCapacity>
  void ReadSplitInto(std::string_view line, LineAnswer& answer, Row& row, std::string& unquoted,
                     bool compute) const;
  bool IsHeading(std::string_view line, std::span<const std::string_view> fields, std::size_t count,
                 bool& uncertain) const;
  bool Answer(std::span<const std::string_view> fields, std::size_t count, LineAnswer& answer,
              Row& row, bool compute) const;
  bool NameIsNoNumber(Row& row, LineAnswer& answer) const;
  void NamesAndRoles(std::string& numbers, std::string& roles) const;
  DecimalMark RowMark(Row& row) const;
  static void FindOwnMark(std::span<const std::string_view> fields, Row& row);
  bool CountIsPlain(std::span<const std::string_view> fields, std::size_t count,
                    LineAnswer& answer) const;
  bool ReadRow(std::span<const std::string_view> fields, std::size_t count, bool countFirst,
               Row& row, LineAnswer& answer) const;
  bool ReadNamedRow(std::span<const std::string_view> fields, std::size_t count, Row& row,
                    LineAnswer& answer) const;
  bool ReadColumnFields(std::span<const std::string_view> fields, Row& row,
                        LineAnswer& answer) const;
  bool CountFields(std::span<const std::string_view> fields, std::size_t count, const Row& row,
                   LineAnswer& answer) const;
  bool ReadNumber(std::size_t number, std::string_view text, Row& row, double& value,
                  LineAnswer& answer) const;
  bool ReadField(const char* field, bool isAzimuth, std::string_view text, Row& row, double& value,
                 LineAnswer& answer) const;
  bool ReadEitherField(const char* field, std::string_view text, Row& row, double& value,
                       LineAnswer& answer) const;
  bool ReadOtherField(const char* field, bool isAzimuth, std::string_view text, Row& row,
                      double& value, LineAnswer& answer) const;
  void Compute(const double* values, std::string_view point, LineAnswer& answer) const;
  std::span<const char* const> FindFieldNames() const;
  std::size_t FindAzimuthIndex() const;
  std::size_t AzimuthIndex() const { return azimuthIndex_; }

  RowSettings settings_;
  std::size_t nameColumn_;                   // with columns: where the name is, if anywhere
  std::span<const char* const> fieldNames_;  // FieldNames()
  std::size_t azimuthIndex_;                 // which of them is an azimuth
  std::size_t chainageIndex_;                // which is a chainage (a stake row's)
  AnswerFormat format_;
};

}  // namespace reading
