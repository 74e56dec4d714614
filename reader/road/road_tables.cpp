#include "reader/road/road_tables.h"

#include <algorithm>
#include <array>

#include "reader/fields/chainage_field.h"
#include "reader/fields/field_number.h"
#include "reader/fields/field_splitter.h"
#include "reader/fields/header_row.h"
#include "reader/rows/line_answer.h"
#include "reader/text/line_kind.h"
#include "reader/text/shown_text.h"
#include "reader/text/undecoded_line.h"

namespace reading {
namespace {

constexpr std::array<const char*, 5> kIntersectionNumbers = {"X", "Y", "R", "LS1", "LS2"};
constexpr std::array<const char*, 4> kStartNumbers = {"X", "Y", "AZIMUTH", "CHAINAGE"};
constexpr std::array<const char*, 3> kElementNumbers = {"LENGTH", "R1", "R2"};
constexpr std::array<const char*, 3> kProfileNumbers = {"CHAINAGE", "HEIGHT", "R"};

// The rows of a table's file, one at a time, past blank and comment lines
// and a header (of each input, where files were joined into one); read in
// `encoding`, or as the file shows it where none is given.
class TableFile {
 public:
  TableFile(const std::string& path, std::optional<TextEncoding> encoding)
      : file_(path, false, encoding) {}

  // Splits the next row into fields(); false at the end of the file, or
  // where it cannot be read on (error()).
  bool Next() {
    std::string_view line;
    while (file_.NextLine(line)) {
      ++line_;
      if (file_.startsInput()) rowSeen_ = false;
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      UndecodedLine undecoded;
      if (FindUndecoded(line, undecoded)) return Fail({}, UndecodedMessage(undecoded));
      if (line.size() > kMaxLineChars) {
        return Fail({}, "line longer than " + std::to_string(kMaxLineChars) + " characters");
      }
      if (IsBlankOrComment(line)) continue;
      const SplitLine split = SplitFields(line, fields_, unquoted_);
      if (split.fault != nullptr) return Fail({}, split.fault);
      count_ = std::min(split.count, fields_.size());
      const bool first = !rowSeen_;
      rowSeen_ = true;
      if (first && IsHeaderRow(line, fields())) continue;
      if (split.count > fields_.size()) {
        return Fail(fields_[0], "more than " + std::to_string(kMaxColumns) + " fields");
      }
      return true;
    }
    if (!error_) error_ = file_.error();
    return false;
  }

  std::span<const std::string_view> fields() const { return {fields_.data(), count_}; }
  std::size_t line() const { return line_; }

  // Makes the error of this row, of point `name` (none where empty):
  // `what` is wrong. Returns false.
  bool Fail(std::string_view name, std::string_view what) {
    error_.what = FileError::What::kRow;
    error_.path = file_.error().path;
    error_.line = line_;
    error_.row.clear();
    if (!name.empty()) {
      AppendShown(error_.row, name);
      error_.row += ": ";
    }
    error_.row += what;
    return false;
  }

  bool Number(std::string_view point, const char* name, std::string_view text, double& value,
              bool isAzimuth = false) {
    std::string problem;
    return ReadNumberField(name, isAzimuth, text, value, problem) || Fail(point, problem);
  }

  bool Chainage(std::string_view point, const char* name, std::string_view text, double& value) {
    std::string problem;
    return ReadChainageField(name, text, value, problem) || Fail(point, problem);
  }

  // An empty field is none; any other must be a number.
  bool Optional(std::string_view point, const char* name, std::string_view text,
                std::optional<double>& value) {
    if (text.empty()) return true;
    double read = 0.0;
    if (!Number(point, name, text, read)) return false;
    value = read;
    return true;
  }

  // Whether the row has from `least` to `most` fields; the error where not,
  // its numbers named by `numbers` after a name where `named`.
  bool Count(std::size_t least, std::size_t most, std::span<const char* const> numbers, bool named,
             std::string_view point) {
    if (count_ < least) {
      return Fail(point, std::string("missing field ") + numbers[count_ - (named ? 1 : 0)]);
    }
    if (count_ > most) {
      std::string what = "extra field ";
      AppendQuoted(what, fields_[most]);
      return Fail(point, what);
    }
    return true;
  }

  const FileError& error() const { return error_; }

 private:
  TextFile file_;
  bool rowSeen_ = false;  // the input's first row (or its header) has come
  std::size_t line_ = 0;
  std::array<std::string_view, kMaxColumns + 1> fields_;
  std::size_t count_ = 0;
  std::string unquoted_;
  FileError error_;
};

// A name that the curve table would write at the start of an answer line.
bool ReservedName(TableFile& file, std::string_view name) {
  return name.starts_with("ERROR:") && !file.Fail({}, "point name starting \"ERROR:\" is reserved");
}

bool ReadIntersection(TableFile& file, const std::vector<Column>& columns,
                      survey::IntersectionPoint& point) {
  const std::span<const std::string_view> fields = file.fields();
  std::array<std::string_view, 5> numbers{};
  std::string_view name;
  if (columns.empty()) {
    name = fields[0];
    if (!file.Count(3, 6, kIntersectionNumbers, true, name)) return false;
    for (std::size_t i = 1; i < fields.size(); ++i) numbers[i - 1] = fields[i];
  } else {
    for (std::size_t i = 0; i < std::min(fields.size(), columns.size()); ++i) {
      if (columns[i].role == Column::Role::kName) name = fields[i];
      if (columns[i].role == Column::Role::kNumber) numbers[columns[i].number] = fields[i];
    }
    if (fields.size() != columns.size()) {
      if (fields.size() > columns.size()) return file.Count(0, columns.size(), {}, false, name);
      return file.Fail(name,
                       "missing field " + ColumnName(columns, fields.size(), kIntersectionNumbers));
    }
  }
  if (name.empty()) return file.Fail({}, "a point of a JD table needs a name");
  if (ReservedName(file, name)) return false;
  point.name.assign(name);
  std::optional<double> radius, spiralIn;
  if (!file.Number(name, "X", numbers[0], point.x) ||
      !file.Number(name, "Y", numbers[1], point.y) ||
      !file.Optional(name, "R", numbers[2], radius) ||
      !file.Optional(name, "LS1", numbers[3], spiralIn) ||
      !file.Optional(name, "LS2", numbers[4], point.spiralOut)) {
    return false;
  }
  point.radius = radius.value_or(0.0);
  point.spiralIn = spiralIn.value_or(0.0);
  return true;
}

bool ReadStart(TableFile& file, ElementRows& rows) {
  const std::span<const std::string_view> fields = file.fields();
  const bool named = fields.size() == kStartNumbers.size() + 1;
  const std::string_view name = named ? fields[0] : std::string_view();
  if (!file.Count(kStartNumbers.size(), kStartNumbers.size() + 1, kStartNumbers, false, name)) {
    return false;
  }
  const std::span<const std::string_view> numbers = fields.subspan(named ? 1 : 0);
  rows.startLine = file.line();
  survey::ElementStart& start = rows.start;
  return file.Number(name, "X", numbers[0], start.x) &&
         file.Number(name, "Y", numbers[1], start.y) &&
         file.Number(name, "AZIMUTH", numbers[2], start.azimuth, true) &&
         file.Chainage(name, "CHAINAGE", numbers[3], start.chainage);
}

bool ReadElement(TableFile& file, ElementRows& rows) {
  const std::span<const std::string_view> fields = file.fields();
  const bool named = fields.size() == kElementNumbers.size() + 1;
  const std::string_view name = named ? fields[0] : std::string_view();
  if (!file.Count(kElementNumbers.size(), kElementNumbers.size() + 1, kElementNumbers, false,
                  name)) {
    return false;
  }
  if (ReservedName(file, name)) return false;
  const std::span<const std::string_view> numbers = fields.subspan(named ? 1 : 0);
  survey::ElementRow row{};
  std::optional<double> start, end;
  if (!file.Number(name, "LENGTH", numbers[0], row.length) ||
      !file.Optional(name, "R1", numbers[1], start) ||
      !file.Optional(name, "R2", numbers[2], end)) {
    return false;
  }
  row.startRadius = start.value_or(0.0);
  row.endRadius = end.value_or(0.0);
  rows.rows.push_back(row);
  rows.names.emplace_back(name);
  rows.lines.push_back(file.line());
  return true;
}

bool ReadGradePoint(TableFile& file, ProfileRows& rows) {
  const std::span<const std::string_view> fields = file.fields();
  if (!file.Count(2, 3, kProfileNumbers, false, {})) return false;
  survey::GradePoint point{};
  std::optional<double> radius;
  if (!file.Chainage({}, "CHAINAGE", fields[0], point.chainage) ||
      !file.Number({}, "HEIGHT", fields[1], point.height) ||
      (fields.size() > 2 && !file.Optional({}, "R", fields[2], radius))) {
    return false;
  }
  point.radius = radius.value_or(0.0);
  rows.points.push_back(point);
  rows.lines.push_back(file.line());
  return true;
}

}  // namespace

std::span<const char* const> IntersectionNumbers() { return kIntersectionNumbers; }

ColumnsError ReadIntersectionColumns(std::string_view list, std::vector<Column>& columns) {
  ColumnsError error = ReadColumns(list, kIntersectionNumbers, false, columns);
  // ReadColumns asks for the numbers in order: a missing R, LS1 or LS2
  // comes after X and Y are found.
  if (error.what == ColumnsError::What::kNoColumnFor &&
      error.role != RoleOf(kIntersectionNumbers[0]) &&
      error.role != RoleOf(kIntersectionNumbers[1])) {
    error = {};
  }
  if (!error && std::none_of(columns.begin(), columns.end(),
                             [](const Column& c) { return c.role == Column::Role::kName; })) {
    error = {ColumnsError::What::kNoColumnFor, "name"};
  }
  return error;
}

FileError ReadIntersectionRows(const std::string& path, const std::vector<Column>& columns,
                               IntersectionRows& rows, std::optional<TextEncoding> encoding) {
  rows = IntersectionRows();
  TableFile file(path, encoding);
  while (file.Next()) {
    survey::IntersectionPoint point;
    if (!ReadIntersection(file, columns, point)) break;
    rows.points.push_back(std::move(point));
    rows.lines.push_back(file.line());
  }
  return file.error();
}

FileError ReadElementRows(const std::string& path, ElementRows& rows,
                          std::optional<TextEncoding> encoding) {
  rows = ElementRows();
  TableFile file(path, encoding);
  while (file.Next() && (rows.startLine == 0 ? ReadStart(file, rows) : ReadElement(file, rows))) {
  }
  return file.error();
}

FileError ReadProfileRows(const std::string& path, ProfileRows& rows,
                          std::optional<TextEncoding> encoding) {
  rows = ProfileRows();
  TableFile file(path, encoding);
  while (file.Next() && ReadGradePoint(file, rows)) {
  }
  return file.error();
}

}  // namespace reading
