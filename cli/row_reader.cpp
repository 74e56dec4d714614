#include "cli/row_reader.h"

#include <array>
#include <cmath>

#include "cli/number_text.h"
#include "cli/packed_digits.h"
#include "cli/shown_text.h"
#include "core/survey.h"

namespace calc {

// What a mode reads and writes.
struct ModeRule {
  std::array<const char*, 4> fields;  // the numbers of a full row
  std::size_t azimuthField;           // kMaxFields when none is an azimuth
  std::array<const char*, 2> outOfRange;  // a result that is not finite
  bool firstResultIsAzimuth;
};

namespace {

constexpr std::string_view kErrorPrefix = "ERROR: ";

// A row never needs more fields than a name and four numbers; one more is
// kept so that the error can show it.
constexpr std::size_t kMaxFields = 6;

constexpr ModeRule kForwardRule = {{"X0", "Y0", "AZIMUTH", "DISTANCE"},
                                   2,
                                   {"result X is out of range",
                                    "result Y is out of range"},
                                   false};
constexpr ModeRule kInverseRule = {{"X0", "Y0", "X1", "Y1"},
                                   kMaxFields,
                                   {"result AZIMUTH is out of range",
                                    "result DISTANCE is out of range"},
                                   true};

bool IsSeparator(char c) {
  return c == ' ' || c == '\t' || c == ',' || c == ';';
}

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
std::string_view NextField(std::string_view line, std::size_t& at,
                           std::string_view& run) {
  run = SkipSeparators(line, at);
  const std::size_t begin = at;
  while (at < line.size() && !IsSeparator(line[at])) ++at;
  return line.substr(begin, at - begin);
}

// Splits at runs of separators; returns how many fields the line has (the
// first kMaxFields of them are stored), and the separator of its answer.
std::size_t SplitFields(std::string_view line,
                        std::array<std::string_view, kMaxFields>& fields,
                        char& separator) {
  std::size_t count = 0;
  std::size_t at = 0;
  separator = ' ';
  while (true) {
    std::string_view run;
    const std::string_view field = NextField(line, at, run);
    if (field.empty()) return count;
    if (count == 1) separator = AnswerSeparator(run);
    if (count < kMaxFields) fields[count] = field;
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
  return field.size() <= survey::kFieldChars &&
         ReadWholeNumber(field, ignored);
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

// A first row none of whose fields is a number, unless copying it would
// give a line that reads as an error.
bool IsHeader(std::string_view line) {
  return !line.starts_with(kErrorPrefix) && !HasNumberField(line);
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

RowReader::RowReader(const RowSettings& settings) : settings_(settings) {}

const ModeRule& RowReader::Rule() const {
  return settings_.mode == Mode::kForward ? kForwardRule : kInverseRule;
}

std::span<const char* const> RowReader::FieldNames() const {
  return std::span<const char* const>(Rule().fields)
      .subspan(settings_.hasStation ? 2 : 0);
}

bool IsBlankOrComment(std::string_view line) {
  line = WithoutLineEnd(line);
  return line.size() <= kMaxLineChars && IsPassedThrough(line);
}

bool RowReader::AnswerLine(std::string_view line, std::string& out,
                           bool firstRow) const {
  line = WithoutLineEnd(line);
  if (line.size() > kMaxLineChars) {
    return Fail(out, {}, "line longer than 8192 characters");
  }
  if (IsPassedThrough(line) || (firstRow && IsHeader(line))) {
    out += line;
    return true;
  }
  if (AnswerPlainRow(line, out)) return true;
  std::array<std::string_view, kMaxFields> fields;
  char separator = ' ';
  const std::size_t count = SplitFields(line, fields, separator);
  return AnswerFields(
      std::span<const std::string_view>(fields.data(),
                                        std::min(count, kMaxFields)),
      out, separator);
}

// One field more than the numbers: the first is the point's name, however
// it looks (point numbers are names too). With more fields still, a first
// field that is not a number is taken for a name, so that the numbers are
// read where they stand.
std::string_view RowReader::TakeName(
    std::span<const std::string_view>& fields) const {
  const std::size_t needed = FieldNames().size();
  if (fields.size() == needed + 1 ||
      (fields.size() > needed + 1 && !IsNumber(fields[0]))) {
    const std::string_view name = fields[0];
    fields = fields.subspan(1);
    return name;
  }
  return {};
}

// Reads the numbers of a row that are there (the name taken off), so that
// text where a number belongs is reported before a field is missed.
bool RowReader::ReadNumbers(std::span<const std::string_view> fields,
                            std::string_view name, double* values,
                            std::string& out) const {
  // Its answer would read like an error line.
  if (name == "ERROR:") {
    return Fail(out, {}, "point name \"ERROR:\" is reserved");
  }
  for (std::size_t i = 0; i < std::min(fields.size(), FieldNames().size());
       ++i) {
    if (!ReadField(i, fields[i], name, values[i], out)) return false;
  }
  return true;
}

bool RowReader::CheckNumbers(std::span<const std::string_view> fields,
                             std::string& out) const {
  std::array<double, 4> values{};
  const std::string_view name = TakeName(fields);
  return ReadNumbers(fields, name, values.data(), out);
}

bool RowReader::AnswerFields(std::span<const std::string_view> fields,
                             std::string& out, char separator) const {
  const auto names = FieldNames();
  const std::size_t needed = names.size();
  std::array<double, 4> values{};
  const std::string_view name = TakeName(fields);
  if (!ReadNumbers(fields, name, values.data(), out)) return false;
  if (fields.size() < needed) {
    Fail(out, name, "missing field ");
    out += names[fields.size()];
    return false;
  }
  if (fields.size() > needed) {
    Fail(out, name, "extra field ");
    AppendQuoted(out, fields[needed]);
    return false;
  }
  Results results;
  if (const char* fault = Compute(values.data(), results)) {
    return Fail(out, name, fault);
  }
  if (!name.empty()) {
    out += name;
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
      if (FindPlainAzimuthFault(rest.substr(0, length), values[i]) !=
          AzimuthFault::kNone) {
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

// Reads the number of field `index` of the row of `point` into `value`, or
// appends the error.
bool RowReader::ReadField(std::size_t index, std::string_view text,
                          std::string_view point, double& value,
                          std::string& out) const {
  auto fail = [&](const char* what, const char* hint = "") {
    Fail(out, point, FieldNames()[index]);
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
  if (index == AzimuthIndex()) {
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

// Computes the two results of a row; returns what is wrong with the row,
// or nullptr.
const char* RowReader::Compute(const double* values, Results& results) const {
  const bool station = settings_.hasStation;
  const double x0 = station ? settings_.station.x : values[0];
  const double y0 = station ? settings_.station.y : values[1];
  const double* rest = station ? values : values + 2;
  if (settings_.mode == Mode::kForward) {
    const survey::ForwardResult end =
        survey::ComputeForward(x0, y0, rest[0], rest[1]);
    results = {end.x, end.y};
  } else {
    const survey::InverseResult polar =
        survey::ComputeInverse(x0, y0, rest[0], rest[1]);
    if (polar.identicalPoints) return "identical points";
    results = {polar.azimuth, polar.distance};
  }
  if (!std::isfinite(results[0])) return Rule().outOfRange[0];
  if (!std::isfinite(results[1])) return Rule().outOfRange[1];
  return nullptr;
}

void RowReader::AppendResults(const Results& results, char separator,
                              std::string& out) const {
  if (Rule().firstResultIsAzimuth) {
    AppendPackedAngle(out, results[0],
                      settings_.azimuthDecimals.value_or(settings_.decimals));
  } else {
    AppendFixed(out, results[0], settings_.decimals);
  }
  out += separator;
  AppendFixed(out, results[1], settings_.decimals);
}

// The field that holds a packed azimuth; kMaxFields when none does.
std::size_t RowReader::AzimuthIndex() const {
  const std::size_t field = Rule().azimuthField;
  if (field == kMaxFields || !settings_.hasStation) return field;
  return field - 2;
}

}  // namespace calc
