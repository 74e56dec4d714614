#include "reader/row_reader.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/packed_angle.h"
#include "core/survey.h"
#include "reader/number_text.h"
#include "reader/packed_digits.h"
#include "reader/shown_text.h"

namespace reading {

// What a mode reads and writes.
struct ModeRule {
  std::array<const char*, 4> fields;  // the numbers of a full row
  std::size_t azimuthField;           // kMaxFields when none is an azimuth
  std::size_t resultCount;
  std::array<bool, 3> resultIsAngle;      // else a length or coordinate
  std::array<const char*, 3> outOfRange;  // a result that is not finite
};

// A row's point name and numbers as read from its fields.
struct RowReader::Row {
  std::string_view name;
  bool named = false;  // the answer starts with the name
  std::array<double, 4> numbers{};
};

namespace {

constexpr std::string_view kErrorPrefix = "ERROR: ";

// A row never needs more fields than a name and four numbers; one more is
// kept so that the error can show it.
constexpr std::size_t kMaxFields = 6;

constexpr ModeRule kForwardRule = {{"X0", "Y0", "AZIMUTH", "DISTANCE"},
                                   2,
                                   2,
                                   {false, false},
                                   {"result X is out of range", "result Y is out of range"}};
constexpr ModeRule kInverseRule = {
    {"X0", "Y0", "X1", "Y1"},
    kMaxFields,
    2,
    {true, false},
    {"result AZIMUTH is out of range", "result DISTANCE is out of range"}};
// The station is always given: rows hold X Y.
constexpr ModeRule kSetoutRule = {{"X0", "Y0", "X", "Y"},
                                  kMaxFields,
                                  3,
                                  {true, true, false},
                                  {"result AZIMUTH is out of range", "result ANGLE is out of range",
                                   "result DISTANCE is out of range"}};

// Indexed by Mode.
constexpr std::array<const ModeRule*, 3> kRules = {&kForwardRule, &kInverseRule, &kSetoutRule};

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == ';'; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The separator of a row's answer, from the run of separators that follows
// its first field: a comma or a semicolon if the run holds one, else a tab
// if it holds one, else a blank. A CSV file gives a CSV file.
char AnswerSeparator(std::string_view run) {
  char separator = ' ';
  for (const char c : run) {
    if (c == ',' || c == ';') return c;
    if (c == '\t') separator = c;
  }
  return separator;
}

// Skips the run of separators at `at`; returns it.
std::string_view SkipSeparators(std::string_view line, std::size_t& at) {
  const std::size_t begin = at;
  while (at < line.size() && IsSeparator(line[at])) ++at;
  return line.substr(begin, at - begin);
}

// The next field from `at` on, `at` moved behind it; empty at the end of
// the line. `run` receives the separators before it.
std::string_view NextField(std::string_view line, std::size_t& at, std::string_view& run) {
  run = SkipSeparators(line, at);
  const std::size_t begin = at;
  while (at < line.size() && !IsSeparator(line[at])) ++at;
  return line.substr(begin, at - begin);
}

// Splits at runs of separators; returns how many fields the line has (the
// first fields.size() of them are stored), and the separator of its answer.
std::size_t SplitFields(std::string_view line, std::span<std::string_view> fields,
                        char& separator) {
  std::size_t count = 0;
  std::size_t at = 0;
  separator = ' ';
  while (true) {
    std::string_view run;
    const std::string_view field = NextField(line, at, run);
    if (field.empty()) return count;
    if (count == 1) separator = AnswerSeparator(run);
    if (count < fields.size()) fields[count] = field;
    ++count;
  }
}

// Blank lines and lines whose first non-blank character is "#", the line
// end taken off.
bool IsPassedThrough(std::string_view line) {
  for (const char c : line) {
    if (!IsBlank(c)) return c == '#';
  }
  return true;
}

bool IsNumber(std::string_view field) {
  double ignored = 0.0;
  return field.size() <= survey::kFieldChars && ReadWholeNumber(field, ignored);
}

bool HasNumberField(std::string_view line) {
  std::size_t at = 0;
  while (true) {
    std::string_view run;
    const std::string_view field = NextField(line, at, run);
    if (field.empty()) return false;
    if (IsNumber(field)) return true;
  }
}

// Where the name is among the columns; columns.size() when nowhere.
std::size_t FindNameColumn(const std::vector<Column>& columns) {
  std::size_t at = 0;
  while (at < columns.size() && columns[at].role != Column::Role::kName) ++at;
  return at;
}

// The angle turned clockwise from the backsight's direction to a point's,
// packed; both directions in decimal degrees.
double TurnedAngle(double pointDegrees, double backsightDegrees) {
  double angle = pointDegrees - backsightDegrees;
  if (angle < 0.0) angle = angle + 360.0;
  return survey::DegreesToPacked(angle);
}

// The line without its "\r", if it has one.
std::string_view WithoutLineEnd(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// Starts an "ERROR: " line that names the row's point, if it has a name,
// and says what is wrong; returns false.
bool Fail(std::string& out, std::string_view point, std::string_view what) {
  out += kErrorPrefix;
  if (!point.empty()) {
    AppendShown(out, point);
    out += ": ";
  }
  out += what;
  return false;
}

}  // namespace

RowReader::RowReader(const RowSettings& settings)
    : settings_(settings), nameColumn_(FindNameColumn(settings.columns)) {}

const ModeRule& RowReader::Rule() const {
  return *kRules[static_cast<std::size_t>(settings_.mode)];
}

// A first row none of whose fields is a number, unless copying it would
// give a line that reads as an error.
bool RowReader::IsHeader(std::string_view line) const {
  if (line.starts_with(kErrorPrefix)) return false;
  return settings_.columns.empty() ? !HasNumberField(line) : !AnyColumn(line, IsNumber);
}

std::size_t RowReader::Split(std::string_view line, std::span<std::string_view> fields,
                             char& separator) const {
  return settings_.columns.empty() ? SplitFields(line, fields, separator)
                                   : SplitColumns(line, fields, separator);
}

std::span<const char* const> RowReader::FieldNames() const {
  return std::span<const char* const>(Rule().fields).subspan(settings_.hasStation ? 2 : 0);
}

bool IsBlankOrComment(std::string_view line) {
  line = WithoutLineEnd(line);
  return line.size() <= kMaxLineChars && IsPassedThrough(line);
}

bool RowReader::AnswerLine(std::string_view line, std::string& out, bool firstRow) const {
  line = WithoutLineEnd(line);
  if (line.size() > kMaxLineChars) {
    return Fail(out, {}, "line longer than 8192 characters");
  }
  if (IsPassedThrough(line) || (firstRow && IsHeader(line))) {
    out += line;
    return true;
  }
  if (!settings_.columns.empty()) {
    return AnswerSplit<kMaxColumns + 1>(line, out);
  }
  return AnswerPlainRow(line, out) || AnswerSplit<kMaxFields>(line, out);
}

// Splits the line into at most `kFields` fields to answer it.
template <std::size_t kFields>
bool RowReader::AnswerSplit(std::string_view line, std::string& out) const {
  std::array<std::string_view, kFields> fields;
  char separator = ' ';
  const std::size_t count = Split(line, fields, separator);
  return AnswerFields(
      std::span<const std::string_view>(fields.data(), std::min(count, fields.size())), out,
      separator);
}

// One field more than the numbers: the first is the point's name, however
// it looks (point numbers are names too). With more fields still, a first
// field that is not a number is taken for a name, so that the numbers are
// read where they stand.
std::string_view RowReader::TakeName(std::span<const std::string_view>& fields) const {
  const std::size_t needed = FieldNames().size();
  if (fields.size() == needed + 1 || (fields.size() > needed + 1 && !IsNumber(fields[0]))) {
    const std::string_view name = fields[0];
    fields = fields.subspan(1);
    return name;
  }
  return {};
}

// Reads the point name and the numbers of a row that are there, so that
// text where a number belongs is reported before a field is missed. Takes
// the name off `fields` where it leads them.
bool RowReader::ReadRow(std::span<const std::string_view>& fields, Row& row,
                        std::string& out) const {
  const bool byColumns = !settings_.columns.empty();
  if (byColumns) {
    row.named = nameColumn_ < settings_.columns.size();
    if (row.named && nameColumn_ < fields.size()) {
      row.name = fields[nameColumn_];
    }
  } else {
    row.name = TakeName(fields);
    row.named = !row.name.empty();
  }
  // Its answer could read like an error line: "ERROR:" before a blank, or
  // a name of several words (read by columns) such as "ERROR: K".
  if (row.name.starts_with("ERROR:")) {
    return Fail(out, {}, "point name starting \"ERROR:\" is reserved");
  }
  if (byColumns) return ReadColumnFields(fields, row, out);
  const auto names = FieldNames();
  for (std::size_t i = 0; i < std::min(fields.size(), names.size()); ++i) {
    if (!ReadField(names[i], i == AzimuthIndex(), fields[i], row.name, row.numbers[i], out)) {
      return false;
    }
  }
  return true;
}

// The numbers, and the height where there is one: a height is not used,
// but one that is no number means the columns are not what they were said
// to be.
bool RowReader::ReadColumnFields(std::span<const std::string_view> fields, Row& row,
                                 std::string& out) const {
  const std::span<const Column> columns = settings_.columns;
  const auto names = FieldNames();
  for (std::size_t i = 0; i < std::min(fields.size(), columns.size()); ++i) {
    const Column& column = columns[i];
    double height = 0.0;
    const bool read = column.role == Column::Role::kNumber
                          ? ReadField(names[column.number], column.number == AzimuthIndex(),
                                      fields[i], row.name, row.numbers[column.number], out)
                      : column.role == Column::Role::kHeight && !fields[i].empty()
                          ? ReadField("H", false, fields[i], row.name, height, out)
                          : true;
    if (!read) return false;
  }
  return true;
}

// Whether the row has as many fields as it should; appends the error when
// it has not.
bool RowReader::CountFields(std::span<const std::string_view> fields, const Row& row,
                            std::string& out) const {
  const std::span<const Column> columns = settings_.columns;
  const auto names = FieldNames();
  const std::size_t needed = columns.empty() ? names.size() : columns.size();
  if (fields.size() < needed) {
    Fail(out, row.name, "missing field ");
    out += columns.empty() ? std::string(names[fields.size()])
                           : ColumnName(columns, fields.size(), names);
    return false;
  }
  if (fields.size() > needed) {
    Fail(out, row.name, "extra field ");
    AppendQuoted(out, fields[needed]);
    return false;
  }
  return true;
}

bool RowReader::CheckNumbers(std::span<const std::string_view> fields, std::string& out) const {
  Row row;
  return ReadRow(fields, row, out);
}

bool RowReader::AnswerFields(std::span<const std::string_view> fields, std::string& out,
                             char separator) const {
  Row row;
  if (!ReadRow(fields, row, out) || !CountFields(fields, row, out)) {
    return false;
  }
  Results results;
  if (const char* fault = Compute(row.numbers.data(), results)) {
    return Fail(out, row.name, fault);
  }
  if (row.named) {
    out += row.name;
    out += separator;
  }
  AppendResults(results, separator, out);
  return true;
}

// The common row, answered in one pass: only the numbers, each in plain
// decimals, and a result to write. Anything else (and identical points) is
// left to the full reading, which finds the same values where this finds
// any. Appends nothing when it returns false.
bool RowReader::AnswerPlainRow(std::string_view line, std::string& out) const {
  const std::size_t needed = FieldNames().size();
  std::array<double, 4> values{};
  std::size_t at = 0;
  char separator = ' ';
  for (std::size_t i = 0; i < needed; ++i) {
    const std::size_t runBegin = at;
    while (at < line.size() && IsSeparator(line[at])) ++at;
    if (i == 1) separator = AnswerSeparator(line.substr(runBegin, at - runBegin));
    const std::string_view rest = line.substr(at);
    const std::size_t length = ReadPlainDecimal(rest, values[i]);
    if (length == 0 || length > survey::kFieldChars ||
        (length < rest.size() && !IsSeparator(rest[length]))) {
      return false;
    }
    if (i == AzimuthIndex()) {
      if (FindPlainAzimuthFault(rest.substr(0, length), values[i]) != AzimuthFault::kNone) {
        return false;
      }
    }
    at += length;
  }
  while (at < line.size() && IsSeparator(line[at])) ++at;
  Results results;
  if (at != line.size() || Compute(values.data(), results) != nullptr) {
    return false;
  }
  AppendResults(results, separator, out);
  return true;
}

// Reads the number of `field` of the row of `point` into `value`, or
// appends the error.
bool RowReader::ReadField(const char* field, bool isAzimuth, std::string_view text,
                          std::string_view point, double& value, std::string& out) const {
  // The common field, plain decimals, is always a number in range.
  if (!text.empty() && text.size() <= survey::kFieldChars &&
      ReadPlainDecimal(text, value) == text.size() &&
      (!isAzimuth || FindPlainAzimuthFault(text, value) == AzimuthFault::kNone)) {
    return true;
  }
  auto fail = [&](const char* what, const char* hint = "") {
    Fail(out, point, field);
    out += what;
    AppendQuoted(out, text);
    out += hint;
    return false;
  };
  if (text.size() > survey::kFieldChars) {
    return fail(" is longer than 35 characters: ");
  }
  switch (ReadFieldNumber(text, value)) {
    case FieldNumber::kNotANumber:
      return fail(" is not a number: ");
    case FieldNumber::kOutOfRange:
      return fail(" is out of range: ");
    case FieldNumber::kNumber:
      break;
  }
  if (isAzimuth) {
    switch (FindAzimuthFault(text, value)) {
      case AzimuthFault::kMinutes:
        return fail(" has minutes of 60 or more: ");
      case AzimuthFault::kSeconds:
        return fail(" has seconds of 60 or more: ");
      case AzimuthFault::kNegative:
        return fail(" is negative: ", " (add 360)");
      case AzimuthFault::kNone:
        break;
    }
  }
  return true;
}

// Computes the results of a row; returns what is wrong with the row, or
// nullptr.
const char* RowReader::Compute(const double* values, Results& results) const {
  const bool station = settings_.hasStation;
  const double x0 = station ? settings_.station.x : values[0];
  const double y0 = station ? settings_.station.y : values[1];
  const double* rest = station ? values : values + 2;
  if (settings_.mode == Mode::kForward) {
    const survey::ForwardResult end = survey::ComputeForward(x0, y0, rest[0], rest[1]);
    results = {end.x, end.y, 0.0};
  } else {
    const survey::InverseResult polar = survey::ComputeInverse(x0, y0, rest[0], rest[1]);
    if (settings_.mode == Mode::kInverse) {
      if (polar.identicalPoints) return "identical points";
      results = {polar.azimuth, polar.distance, 0.0};
    } else {
      if (polar.identicalPoints) return "point is on the station";
      results = {polar.azimuth, TurnedAngle(polar.degrees, settings_.backsightDegrees),
                 polar.distance};
    }
  }
  for (std::size_t i = 0; i < Rule().resultCount; ++i) {
    if (!std::isfinite(results[i])) return Rule().outOfRange[i];
  }
  return nullptr;
}

void RowReader::AppendResults(const Results& results, char separator, std::string& out) const {
  const ModeRule& rule = Rule();
  for (std::size_t i = 0; i < rule.resultCount; ++i) {
    if (i > 0) out += separator;
    if (rule.resultIsAngle[i]) {
      AppendPackedAngle(out, results[i], settings_.azimuthDecimals.value_or(settings_.decimals));
    } else {
      AppendFixed(out, results[i], settings_.decimals);
    }
  }
}

// The field that holds a packed azimuth; kMaxFields when none does.
std::size_t RowReader::AzimuthIndex() const {
  const std::size_t field = Rule().azimuthField;
  if (field == kMaxFields || !settings_.hasStation) return field;
  return field - 2;
}

}  // namespace reading
