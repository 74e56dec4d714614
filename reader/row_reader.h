#pragma once

// One input line of corvane-calc in, one output line out. A row holds the
// numbers of one computation, optionally led by a point name, or the
// columns that --columns names; blank lines, comment lines and a header pass
// through unchanged; anything else gives an "ERROR: " line that says what is
// wrong with which field.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "reader/columns.h"

namespace reading {

// forward: X0 Y0 AZIMUTH DISTANCE -> X Y; inverse: X0 Y0 X1 Y1 -> AZIMUTH
// DISTANCE; setout, from a station towards a backsight: X Y -> AZIMUTH
// ANGLE DISTANCE, ANGLE turned clockwise from the backsight to the point.
enum class Mode { kForward, kInverse, kSetout };

struct ModeRule;

struct Station {
  double x;
  double y;
};

struct RowSettings {
  Mode mode = Mode::kForward;
  bool hasStation = false;  // rows then hold only the second half
  Station station{0.0, 0.0};
  double backsightDegrees = 0.0;  // setout: the direction angles start from
  int decimals = 6;
  std::optional<int> azimuthDecimals;  // when unset, `decimals`
  std::vector<Column> columns;         // empty: the numbers in order, maybe named
};

// Longer lines are refused as a whole.
inline constexpr std::size_t kMaxLineChars = 8192;

// Whether AnswerLine copies `line` through as a blank or comment line:
// blank, or with "#" as its first character that is not a blank.
bool IsBlankOrComment(std::string_view line);

class RowReader {
 public:
  explicit RowReader(const RowSettings& settings);

  // Appends the answer to one line (without its "\n"; a trailing "\r" is
  // taken as part of the line end) to `out`, without a line end. Returns
  // false when the answer is an "ERROR: " line. The first row of an input
  // (`firstRow`) is a header, copied through like a comment, when none of
  // its fields is a number.
  bool AnswerLine(std::string_view line, std::string& out, bool firstRow = false) const;

  // The same for a row already split into fields, the answer's fields
  // separated by `separator`.
  bool AnswerFields(std::span<const std::string_view> fields, std::string& out,
                    char separator = ' ') const;

  // Reads the fields of a row as AnswerFields does, without counting them:
  // false, with the "ERROR: " line appended, when one is not a number (or
  // out of range, or not a valid azimuth).
  bool CheckNumbers(std::span<const std::string_view> fields, std::string& out) const;

  // How many numbers a row holds, and the name of each.
  std::span<const char* const> FieldNames() const;

 private:
  using Results = std::array<double, 3>;
  struct Row;

  const ModeRule& Rule() const;
  bool IsHeader(std::string_view line) const;
  std::size_t Split(std::string_view line, std::span<std::string_view> fields,
                    char& separator) const;
  bool AnswerPlainRow(std::string_view line, std::string& out) const;
  template <std::size_t kFields>
  bool AnswerSplit(std::string_view line, std::string& out) const;
  std::string_view TakeName(std::span<const std::string_view>& fields) const;
  bool ReadRow(std::span<const std::string_view>& fields, Row& row, std::string& out) const;
  bool ReadColumnFields(std::span<const std::string_view> fields, Row& row, std::string& out) const;
  bool CountFields(std::span<const std::string_view> fields, const Row& row,
                   std::string& out) const;
  bool ReadField(const char* field, bool isAzimuth, std::string_view text, std::string_view point,
                 double& value, std::string& out) const;
  const char* Compute(const double* values, Results& results) const;
  void AppendResults(const Results& results, char separator, std::string& out) const;
  std::size_t AzimuthIndex() const;

  RowSettings settings_;
  std::size_t nameColumn_;  // with columns: where the name is, if anywhere
};

}  // namespace reading
