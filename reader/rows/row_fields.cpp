#include "reader/rows/row_reader.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/field_text.h"
#include "core/survey.h"
#include "reader/fields/chainage_field.h"
#include "reader/fields/field_number.h"
#include "reader/fields/field_splitter.h"
#include "reader/fields/header_row.h"
#include "reader/fields/leading_line.h"
#include "reader/fields/number_text.h"
#include "reader/fields/odd_characters.h"
#include "reader/fields/packed_digits.h"
#include "reader/rows/mode_rule.h"
#include "reader/rows/row_parts.h"
#include "reader/rows/row_computation.h"
#include "reader/text/line_kind.h"
#include "reader/text/shown_text.h"
#include "reader/text/undecoded_line.h"

// A row's fields read into its numbers: by the column list, by their count,
// named or not, each as its field's rule reads it.

namespace reading {

using namespace row_parts;

// The mark the row's own numbers show, where those read so far show none:
// the first of its number fields that shows one.
void RowReader::FindOwnMark(std::span<const std::string_view> fields, Row& row) {
  if (row.ownMarkFound || row.ownMark != DecimalMark::kUnknown) return;
  row.ownMarkFound = true;
  for (const std::string_view field : fields) {
    const DecimalMark mark = MarkOf(field, IsNumberField);
    if (mark != DecimalMark::kUnknown) {
      row.ownMark = mark;
      return;
    }
  }
}

// How the row reads a comma that may group thousands or be the decimal
// mark: as the settings say, else as its own numbers show, else as the
// rows before it settled; kUnknown where nothing does.
DecimalMark RowReader::RowMark(Row& row) const {
  if (settings_.decimalMark != DecimalMark::kUnknown) return settings_.decimalMark;
  if (row.ownMark == DecimalMark::kUnknown) FindOwnMark(row.fields, row);
  if (row.ownMark != DecimalMark::kUnknown) return row.ownMark;
  row.markFromFile = true;
  return row.place.fileMark;
}

// The numbers a row holds as messages name them ("X0 Y0 AZIMUTH DISTANCE")
// and as a column list does ("x0,y0,azimuth,distance").
void RowReader::NamesAndRoles(std::string& numbers, std::string& roles) const {
  for (const char* number : FieldNames()) {
    numbers += numbers.empty() ? "" : " ";
    numbers += number;
    roles += roles.empty() ? "" : ",";
    roles += RoleOf(number);
  }
}

// A row without a column list holds the mode's numbers, or a name and them.
// With more fields, which is which cannot be told; nor with one more of
// which the last is empty (a name and the numbers with the last one empty,
// or the numbers and an empty field). The message says how many fields
// there are and suggests a --columns list that settles it.
bool RowReader::CountIsPlain(std::span<const std::string_view> fields, std::size_t count,
                             LineAnswer& answer) const {
  const auto names = FieldNames();
  const std::size_t needed = names.size();
  const bool lastEmpty = count == needed + 1 && fields[needed].empty();
  if (count <= needed || (count == needed + 1 && !lastEmpty)) return true;
  std::string numbers;
  std::string roles;
  NamesAndRoles(numbers, roles);
  std::string what = std::to_string(count) + " fields";
  what += lastEmpty
              ? ", the last empty: NAME " + numbers + ", or " + numbers + " and an empty field"
              : std::string(": ") + ModeName(settings_.mode) + " takes " + numbers +
                    ", led by a name or not";
  // Most point files hold a name, a code, east, north and a height.
  std::string list = lastEmpty                                       ? roles
                     : settings_.mode == Mode::kSetout && count >= 5 ? "name,code,y,x,h"
                                                                     : "name," + roles;
  for (std::size_t i = static_cast<std::size_t>(std::count(list.begin(), list.end(), ',')) + 1;
       i < count; ++i) {
    list += ",-";
  }
  what += "; say which field is which, e.g. --columns " + list;
  return Fail(answer, IsNumberField(fields[0]) ? std::string_view() : fields[0], what);
}

// Reads the point name and the numbers of a row that are there, so that
// text where a number belongs is reported before a field is missed.
bool RowReader::ReadRow(std::span<const std::string_view> fields, std::size_t count,
                        bool countFirst, Row& row, LineAnswer& answer) const {
  if (Rule().nameCount > 0) return ReadNamedRow(fields, count, row, answer);
  const bool byColumns = !settings_.columns.empty();
  if (byColumns) {
    row.named = nameColumn_ < settings_.columns.size();
    if (row.named && nameColumn_ < fields.size()) row.name = fields[nameColumn_];
  } else {
    if (countFirst && !CountIsPlain(fields, count, answer)) return false;
    // Without the count checked first (values checked before they are
    // counted), a first field that is no number is taken for the name, so
    // that the numbers are read where they stand.
    const std::size_t needed = FieldNames().size();
    row.named = count == needed + 1 || (count > needed + 1 && !IsNumberField(fields[0]));
    if (row.named) {
      row.name = fields[0];
      fields = fields.subspan(1);
    }
  }
  answer.named = row.named;
  // Its answer could read like an error line: "ERROR:" before a blank, or
  // a name of several words (read by columns) such as "ERROR: K".
  if (row.name.starts_with("ERROR:")) return Fail(answer, {}, kReservedName, ErrorOf(RowError::Kind::kReservedName));
  if (byColumns) return ReadColumnFields(fields, row, answer);
  const auto names = FieldNames();
  for (std::size_t i = 0; i < std::min(fields.size(), names.size()); ++i) {
    if (!ReadNumber(i, fields[i], row, row.numbers[i], answer)) return false;
  }
  return !row.named || count != names.size() + 1 || NameIsNoNumber(row, answer);
}

// A row of one number more than the mode's, without a column list, is led
// by a point name: a point number stays a name (1001 1050.000 2050.000),
// but a first field written with a decimal mark or an exponent is a
// coordinate, and the row could be the numbers and one more field (X Y H).
// Which it is cannot be told: the error gives both readings and the column
// lists that settle it.
bool RowReader::NameIsNoNumber(Row& row, LineAnswer& answer) const {
  const std::string_view name = row.name;
  if (name.find_first_of(".,eEdD") == std::string_view::npos || !IsNumberField(name)) return true;
  const auto names = FieldNames();
  std::string numbers;
  std::string roles;
  NamesAndRoles(numbers, roles);
  const bool setout = settings_.mode == Mode::kSetout;
  std::string what = std::to_string(names.size() + 1) +
                     " numbers, the first with a decimal mark or an exponent: read as NAME " +
                     numbers + " it is the name ";
  AppendQuoted(what, name);
  what += ", as " + numbers + (setout ? " H" : " and one more field") + " it is " + names[0] +
          "; say which with --columns name," + roles + " or --columns " + roles +
          (setout ? ",h" : ",-");
  return Fail(answer, {}, what);
}

// A row that names known points: its name fields (every one needed), then
// its numbers, of which the last may be left out or empty where the mode
// says so (a number left out is NaN). Too many fields are an error that
// says what the mode takes.
bool RowReader::ReadNamedRow(std::span<const std::string_view> fields, std::size_t count, Row& row,
                             LineAnswer& answer) const {
  const ModeRule& rule = Rule();
  if (count > rule.nameCount + rule.fieldCount) {
    std::string what = std::to_string(count) + " fields: " + ModeName(settings_.mode) + " takes";
    for (std::size_t i = 0; i < rule.nameCount; ++i) what += std::string(" ") + rule.names[i];
    for (std::size_t i = 0; i < rule.fieldCount; ++i) {
      const bool optional = i + rule.optionalFields >= rule.fieldCount;
      what += std::string(optional ? " [" : " ") + rule.fields[i] + (optional ? "]" : "");
    }
    return Fail(answer, IsNumberField(fields[0]) ? std::string_view() : fields[0], what);
  }
  row.named = true;
  answer.named = true;
  if (!fields.empty()) row.name = fields[0];
  for (std::size_t k = 1; k < std::min(rule.nameCount, fields.size()); ++k) {
    row.known[k - 1] = fields[k];
  }
  if (row.name.starts_with("ERROR:")) return Fail(answer, {}, kReservedName, ErrorOf(RowError::Kind::kReservedName));
  row.numbers.fill(NAN);
  const auto names = FieldNames();
  for (std::size_t i = 0; i < rule.fieldCount && rule.nameCount + i < fields.size(); ++i) {
    const std::string_view field = fields[rule.nameCount + i];
    if (field.empty() && i + rule.optionalFields >= rule.fieldCount) continue;
    if (rule.dashLeavesOut && field == "-") continue;
    const bool angle = rule.allAngles || i == AzimuthIndex() || rule.fieldIsAngle[i];
    if (!ReadField(names[i], angle, field, row, row.numbers[i], answer)) return false;
  }
  return true;
}

// The numbers, the code and the height where there are: a height is not
// used, but one that is no number means the columns are not what they were
// said to be.
bool RowReader::ReadColumnFields(std::span<const std::string_view> fields, Row& row,
                                 LineAnswer& answer) const {
  const std::span<const Column> columns = settings_.columns;
  for (std::size_t i = 0; i < std::min(fields.size(), columns.size()); ++i) {
    const std::string_view field = fields[i];
    switch (columns[i].role) {
      case Column::Role::kNumber: {
        const std::size_t number = columns[i].number;
        if (!ReadNumber(number, field, row, row.numbers[number], answer)) return false;
        break;
      }
      case Column::Role::kHeight: {
        row.height = field;
        row.hasHeight = !field.empty();
        if (row.hasHeight && !ReadField("H", false, field, row, row.heightValue, answer)) {
          return false;
        }
        break;
      }
      case Column::Role::kCode:
        row.code = field;
        break;
      case Column::Role::kName:
      case Column::Role::kIgnored:
        break;
    }
  }
  return true;
}

// Whether the row has as many fields as it should; the error where it has
// not.
bool RowReader::CountFields(std::span<const std::string_view> fields, std::size_t count,
                            const Row& row, LineAnswer& answer) const {
  const std::span<const Column> columns = settings_.columns;
  const auto names = FieldNames();
  if (const ModeRule& rule = Rule(); rule.nameCount > 0) {
    // Too many are told by ReadNamedRow.
    if (count + rule.optionalFields >= rule.nameCount + rule.fieldCount) return true;
    const char* missing =
        count < rule.nameCount ? rule.names[count] : names[count - rule.nameCount];
    return Fail(answer, row.name, std::string("missing field ") + missing,
                ErrorOf(RowError::Kind::kMissingField, missing));
  }
  const std::size_t needed = columns.empty() ? names.size() + (row.named ? 1 : 0) : columns.size();
  // Fields a row may leave out, the last of its numbers: not after a name,
  // where they tell the name from a number.
  const std::size_t least = needed - (columns.empty() && !row.named ? Rule().optionalFields : 0);
  if (count < least) {
    const std::size_t missing = count - (columns.empty() && row.named ? 1 : 0);
    const std::string field =
        columns.empty() ? std::string(names[missing]) : ColumnName(columns, count, names);
    return Fail(answer, row.name, "missing field " + field,
                ErrorOf(RowError::Kind::kMissingField, field));
  }
  if (count > needed) {
    std::string what = "extra field ";
    AppendQuoted(what, fields[needed]);
    return Fail(answer, row.name, what, ErrorOf(RowError::Kind::kExtraField, {}, fields[needed]));
  }
  return true;
}

bool RowReader::CheckNumbers(std::span<const std::string_view> fields, std::string& out) const {
  LineAnswer answer;
  Clear(answer);
  Row row;
  if (ReadRow(fields, fields.size(), false, row, answer)) return true;
  AppendLine(answer, out);
  return false;
}

// The common row, read in one pass: only the numbers, each in plain
// decimals, separated by blanks or by one and the same comma, semicolon or
// tab. Anything else is left to the full reading, which finds the same
// values where this finds any. Changes nothing when it returns false.
bool RowReader::ReadPlainRow(std::string_view line, LineAnswer& answer,
                             const RowPlace& place) const {
  const std::size_t needed = FieldNames().size();
  std::array<double, 4> values{};
  std::size_t at = 0;
  char separator = ' ';
  for (std::size_t i = 0; i < needed; ++i) {
    while (at < line.size() && line[at] == ' ') ++at;
    if (i > 0) {
      char mark = ' ';
      if (at < line.size() && IsMark(line[at])) {
        mark = line[at++];
        while (at < line.size() && line[at] == ' ') ++at;
      }
      if (i == 1) separator = mark;
      if (mark != separator) return false;
    }
    const std::string_view rest = line.substr(at);
    const std::size_t length = ReadPlainDecimal(rest, values[i]);
    if (length == 0 || length > survey::kFieldChars ||
        (length < rest.size() && rest[length] != ' ' && !IsMark(rest[length]))) {
      return false;
    }
    if (i == AzimuthIndex() &&
        FindPlainAzimuthFault(rest.substr(0, length), values[i]) != AzimuthFault::kNone) {
      return false;
    }
    at += length;
  }
  while (at < line.size() && line[at] == ' ') ++at;
  if (at != line.size()) return false;
  answer.separator = separator;
  // Its numbers are plain decimals: a point says the file's decimal mark.
  if (place.fileMark == DecimalMark::kUnknown && line.find('.') != std::string_view::npos) {
    answer.ownMark = DecimalMark::kPoint;
  }
  Compute(values.data(), {}, answer);
  return true;
}

// Reads the row's number `number` (of FieldNames) as its kind of number
// is read: a chainage also as K0+120.
inline bool RowReader::ReadNumber(std::size_t number, std::string_view text, Row& row,
                                  double& value, LineAnswer& answer) const {
  const char* const field = FieldNames()[number];
  if (number != chainageIndex_) {
    return ReadField(field, number == AzimuthIndex(), text, row, value, answer);
  }
  std::string problem;
  return ReadChainageField(field, text, value, problem) || Fail(answer, row.name, problem);
}

// Reads the number of `field` of `row` into `value`, or makes the answer the
// error; a decimal mark it shows is the row's own (in a row that shows two,
// the later). Inline: every number of a row comes here.
inline bool RowReader::ReadField(const char* field, bool isAzimuth, std::string_view text, Row& row,
                                 double& value, LineAnswer& answer) const {
  PlainMark mark = PlainMark::kNone;
  if (!ReadPlainNumberField(text, isAzimuth, value, mark)) {
    return ReadOtherField(field, isAzimuth, text, row, value, answer);
  }
  if (mark == PlainMark::kNone) return true;
  if (mark == PlainMark::kEither && !isAzimuth)
    return ReadEitherField(field, text, row, value, answer);
  // An azimuth is below 360: its comma is the decimal mark.
  row.ownMark = mark == PlainMark::kPoint ? DecimalMark::kPoint : DecimalMark::kComma;
  return true;
}

// A comma that may group thousands or be the decimal mark (`value` holds
// the number read with it as the mark) reads as the row settles it, or the
// row is an error that gives both readings.
bool RowReader::ReadEitherField(const char* field, std::string_view text, Row& row, double& value,
                                LineAnswer& answer) const {
  const DecimalMark mark = RowMark(row);
  std::array<char, survey::kFieldChars> buffer;
  if (mark == DecimalMark::kUnknown) {
    std::string what = field;
    what += ' ';
    AppendQuoted(what, text);
    what += " is ";
    what += WithDecimalPoint(text, buffer, DecimalMark::kPoint);
    what += " where the comma groups thousands, ";
    what += WithDecimalPoint(text, buffer, DecimalMark::kComma);
    what += " where it is the decimal mark: say which with --decimal-mark . or --decimal-mark ,";
    return Fail(answer, row.name, what, ErrorOf(RowError::Kind::kEitherMark, field, text));
  }
  row.readMark = mark;
  if (mark == DecimalMark::kPoint) ReadPlainDecimal(WithDecimalPoint(text, buffer, mark), value);
  return true;
}

// ReadField for any field but plain decimals.
bool RowReader::ReadOtherField(const char* field, bool isAzimuth, std::string_view text, Row& row,
                               double& value, LineAnswer& answer) const {
  std::string problem;
  return ReadNumberField(field, isAzimuth, text, value, problem) ||
         Fail(answer, row.name, problem, FieldError(field, isAzimuth, text));
}

}  // namespace reading
