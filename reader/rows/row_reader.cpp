#include "reader/rows/row_reader.h"

#include <algorithm>
#include <array>
#include <cmath>

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
#include "reader/rows/row_computation.h"
#include "reader/text/line_kind.h"
#include "reader/text/shown_text.h"
#include "reader/text/undecoded_line.h"

namespace reading {

// A row's point name, code, height and numbers as read from its fields:
// views of its line, or of the unquoted text of its fields.
struct RowReader::Row {
  std::string_view name;
  std::string_view code;
  std::string_view height;
  bool hasHeight = false;                 // `height` is not empty
  double heightValue = 0.0;               // what it reads as
  bool named = false;                     // the answer starts with the name
  bool quoted = true;                     // the texts may hold marks (AnswerTexts::mayHoldMarks)
  std::array<std::string_view, 2> known;  // intersect: the known points A and B
  std::array<double, 4> numbers{};
  RowPlace place;
  // The row's fields, for the mark its own numbers show (FindOwnMark).
  std::span<const std::string_view> fields;
  bool ownMarkFound = false;
  DecimalMark ownMark = DecimalMark::kUnknown;
  DecimalMark readMark = DecimalMark::kUnknown;  // how a comma that may be either read
  bool markFromFile = false;
};

namespace {

// A row split into more fields than any column list holds is refused by
// its count all the same.
constexpr std::size_t kMaxFields = kMaxColumns + 1;

// A name that would make its answer read like an error line.
constexpr std::string_view kReservedName = "point name starting \"ERROR:\" is reserved";

// Enough for a row without a column list (a name, four numbers and one
// more), and for short column lists.
constexpr std::size_t kFewFields = 8;

// Where the given role is among the columns; columns.size() when nowhere.
std::size_t FindColumn(const std::vector<Column>& columns, Column::Role role) {
  std::size_t at = 0;
  while (at < columns.size() && columns[at].role != role) ++at;
  return at;
}

void Clear(LineAnswer& answer) {
  answer.kind = LineAnswer::Kind::kAnswer;
  answer.separator = ' ';
  answer.named = false;
  answer.hasPoint = false;
  answer.point = {0.0, 0.0};
  answer.results = {};
  answer.readMark = DecimalMark::kUnknown;
  answer.ownMark = DecimalMark::kUnknown;
  answer.markFromFile = false;
  answer.mayBePreamble = false;
  answer.hasHeight = false;
  answer.hasSight = false;
  answer.text.clear();
  if (answer.error.kind != RowError::Kind::kNone) answer.error = RowError();
}

// The row's marks, into its answer.
void KeepMarks(const auto& row, LineAnswer& answer) {
  answer.readMark = row.readMark;
  answer.ownMark = row.ownMark;
  answer.markFromFile = row.markFromFile;
}

// A row error of `kind` in `field`, whose text is `text`.
RowError ErrorOf(RowError::Kind kind, std::string_view field = {}, std::string_view text = {}) {
  RowError error;
  error.kind = kind;
  error.field.assign(field);
  error.text.assign(text);
  return error;
}

// The error of a field whose text does not read as its number.
RowError FieldError(const char* field, bool isAzimuth, std::string_view text) {
  double value = 0.0;
  using Kind = RowError::Kind;
  Kind kind = Kind::kOther;
  switch (FindFieldFault(isAzimuth, text, value)) {
    case FieldFault::kTooLong: kind = Kind::kTooLong; break;
    case FieldFault::kNotANumber: kind = Kind::kNotANumber; break;
    case FieldFault::kSpreadsheetError: kind = Kind::kSpreadsheetError; break;
    case FieldFault::kOutOfRange: kind = Kind::kOutOfRange; break;
    case FieldFault::kMinutes: kind = Kind::kMinutes; break;
    case FieldFault::kSeconds: kind = Kind::kSeconds; break;
    case FieldFault::kNegative: kind = Kind::kNegative; break;
    case FieldFault::kNone: break;
  }
  return ErrorOf(kind, field, text);
}

// The error of a computation's fault ("point is on the station", "result
// AZIMUTH is out of range").
RowError ComputeError(std::string_view fault) {
  constexpr std::string_view kResult = "result ";
  constexpr std::string_view kOutOfRange = " is out of range";
  if (fault == "point is on the station") return ErrorOf(RowError::Kind::kOnStation);
  if (fault.starts_with(kResult) && fault.ends_with(kOutOfRange))
    return ErrorOf(RowError::Kind::kResultOutOfRange,
                   fault.substr(kResult.size(), fault.size() - kResult.size() - kOutOfRange.size()));
  return ErrorOf(RowError::Kind::kOther);
}

// Makes the answer an error that names the row's point, if it has a name,
// and says what is wrong (`error` as a value); returns false.
bool Fail(LineAnswer& answer, std::string_view point, std::string_view what,
          RowError error = ErrorOf(RowError::Kind::kOther)) {
  answer.kind = LineAnswer::Kind::kError;
  answer.error = std::move(error);
  answer.text.clear();
  if (!point.empty()) {
    AppendShown(answer.text, point);
    answer.text += ": ";
  }
  answer.text += what;
  return false;
}

void Copy(LineAnswer& answer, std::string_view line) {
  answer.kind = LineAnswer::Kind::kCopied;
  answer.text.assign(line);
}

// Whether a field after the first holds text that is no number.
bool HoldsWordAfterFirst(std::span<const std::string_view> fields) {
  return std::any_of(fields.begin() + std::min<std::size_t>(1, fields.size()), fields.end(),
                     [](std::string_view field) {
                       return !field.empty() && !IsNumberField(field) && !StartsLikeNumber(field);
                     });
}

}  // namespace


RowReader::RowReader(const RowSettings& settings)
    : settings_(settings),
      nameColumn_(FindColumn(settings.columns, Column::Role::kName)),
      fieldNames_(FindFieldNames()),
      azimuthIndex_(FindAzimuthIndex()),
      chainageIndex_(Rule().chainageField),
      format_(settings) {}

const ModeRule& RowReader::Rule() const { return RuleOf(settings_.mode); }

std::span<const char* const> RowReader::FindFieldNames() const {
  return RowNumbers(settings_.mode, settings_.hasStation);
}

std::span<const char* const> RowReader::ResultNames() const {
  return std::span<const char* const>(Rule().results).first(ResultCount(settings_));
}

// Read, but for the name, code and height, which go to `use` as views that
// live until it returns.
template <typename Use>
void RowReader::ReadLine(std::string_view line, LineAnswer& answer, const RowPlace& place,
                         Use use) const {
  if (StartLine(line, answer) && (!settings_.columns.empty() || Rule().nameCount > 0 ||
                                  !ReadPlainRow(line, answer, place))) {
    Row row;
    row.place = place;
    std::string unquoted;
    ReadSplit(line, answer, row, unquoted, true);
    use(AnswerTexts{row.name, row.code, row.height, row.quoted});
    return;
  }
  use(AnswerTexts{});
}

void RowReader::Read(std::string_view line, LineAnswer& answer, const RowPlace& place) const {
  ReadLine(line, answer, place, [&answer](const AnswerTexts& texts) { Keep(texts, answer); });
}

void RowReader::ReadKnownPoint(std::string_view line, LineAnswer& answer,
                               const RowPlace& place) const {
  Row row;
  row.place = place;
  std::string unquoted;
  if (StartLine(line, answer)) ReadSplit(line, answer, row, unquoted, false);
  Keep({row.name, row.code, row.height, row.quoted}, answer);
}

// The answer's own copies of the row's texts.
void RowReader::Keep(const AnswerTexts& texts, LineAnswer& answer) {
  answer.name.assign(texts.name);
  answer.code.assign(texts.code);
  answer.height.assign(texts.height);
  answer.textsMayHoldMarks = texts.mayHoldMarks;
}

// Sets the answer anew and takes the line end off; false where the line is
// answered already: it did not decode, is too long, blank or a comment.
bool RowReader::StartLine(std::string_view& line, LineAnswer& answer) const {
  Clear(answer);
  line = WithoutLineEnd(line);
  // Before the length: its mark makes a line that did not decode longer.
  if (!line.empty() && line[0] == kUndecodedMark) {
    if (UndecodedLine undecoded; FindMarkedLine(line, undecoded)) {
      RowError error = ErrorOf(RowError::Kind::kUndecoded);
      error.encoding = undecoded.encoding;
      error.other = undecoded.other;
      return Fail(answer, {}, UndecodedMessage(undecoded), std::move(error));
    }
  }
  if (line.size() > kMaxLineChars)
    return Fail(answer, {}, "line longer than " + std::to_string(kMaxLineChars) + " characters",
                ErrorOf(RowError::Kind::kLineTooLong));
  if (!IsPassedThrough(line)) return true;
  Copy(answer, line);
  return false;
}

void RowReader::ReadFields(std::span<const std::string_view> fields, LineAnswer& answer) const {
  Clear(answer);
  Row row;
  Answer(fields, fields.size(), answer, row, true);
  KeepMarks(row, answer);
  Keep({row.name, row.code, row.height}, answer);
}

void RowReader::ReadPoint(const DesignPoint& point, LineAnswer& answer) const {
  Clear(answer);
  answer.separator = ',';
  answer.named = true;
  answer.name = point.name;
  answer.code = point.code;
  answer.height.clear();
  if (point.height) {
    AppendFixed(answer.height, *point.height, settings_.decimals);
    answer.hasHeight = true;
    answer.heightValue = *point.height;
  }
  if (point.name.starts_with("ERROR:")) {
    Fail(answer, {}, kReservedName, ErrorOf(RowError::Kind::kReservedName));
    return;
  }
  const std::array<double, 2> values = {point.point.x, point.point.y};
  Compute(values.data(), point.name, answer);
}

// Splits the line to read it.
void RowReader::ReadSplit(std::string_view line, LineAnswer& answer, Row& row,
                          std::string& unquoted, bool compute) const {
  // Room for every field a row can have and one more; the common row needs
  // no more than a few.
  if (settings_.columns.size() < kFewFields) {
    ReadSplitInto<kFewFields>(line, answer, row, unquoted, compute);
  } else {
    ReadSplitInto<kMaxFields>(line, answer, row, unquoted, compute);
  }
}

template <std::size_t kCapacity>
void RowReader::ReadSplitInto(std::string_view line, LineAnswer& answer, Row& row,
                              std::string& unquoted, bool compute) const {
  std::array<std::string_view, kCapacity> fields;
  const SplitLine split = SplitFields(line, fields, unquoted);
  row.quoted = split.quoted;
  const bool leading = row.place.leadingLine != 0;
  if (kCapacity < kMaxFields && leading && split.count > kCapacity) {
    // A heading is told by all of its fields.
    ReadSplitInto<kMaxFields>(line, answer, row, unquoted, compute);
    return;
  }
  answer.separator = split.separator;
  if (split.fault != nullptr) {
    const std::string_view fault = split.fault;
    Fail(answer, {}, fault,
         ErrorOf(fault.starts_with("text follows") ? RowError::Kind::kTextAfterQuote
                                                    : RowError::Kind::kQuoteNotClosed));
    return;
  }
  const std::span<const std::string_view> stored(fields.data(),
                                                 std::min(split.count, fields.size()));
  bool uncertain = false;
  if (leading && IsHeading(line, stored, split.count, uncertain)) {
    Copy(answer, line);
    answer.named = Rule().nameCount > 0 ||
                   (settings_.columns.empty() ? split.count == FieldNames().size() + 1
                                              : nameColumn_ < settings_.columns.size());
    return;
  }
  row.fields = stored;
  const bool read = Answer(stored, split.count, answer, row, compute);
  KeepMarks(row, answer);
  if (answer.kind != LineAnswer::Kind::kError) return;
  if (const OddCharacter* odd = read ? nullptr : FindOddCharacter(line)) {
    AppendOddCharacterNote(answer.text, *odd);
    answer.error.oddCode = odd->code;
    answer.error.oddText.assign(odd->utf8);
  }
  if (uncertain && !read) {
    // A title or a preamble line that cannot be told from a mistyped row.
    answer.mayBePreamble = true;
    answer.error.mayBePreamble = true;
    const std::string lines = std::to_string(row.place.leadingLine);
    answer.text += " (a title or preamble line? --skip-lines " + lines + " copies ";
    answer.text += row.place.leadingLine == 1 ? "the first line as it is)"
                                              : "the first " + lines + " lines as they are)";
  }
}

// Whether a line before the input's first row is copied through as a title,
// a preamble line or a header (never one that would read as an error
// line); else `uncertain` says whether it may be one all the same. Where
// the rows hold a chainage, a field written K0+120 makes the line a row.
bool RowReader::IsHeading(std::string_view line, std::span<const std::string_view> fields,
                          std::size_t count, bool& uncertain) const {
  uncertain = false;
  if (line.starts_with(kErrorPrefix)) return false;
  if (chainageIndex_ != kNoChainage && HoldsChainage(fields)) return false;
  // Where the row's numbers would stand.
  std::uint64_t places = 0;
  const std::size_t needed = FieldNames().size();
  if (!settings_.columns.empty()) {
    for (std::size_t i = 0; i < settings_.columns.size(); ++i) {
      if (settings_.columns[i].role == Column::Role::kNumber) places |= std::uint64_t{1} << i;
    }
  } else if (count == needed || count == needed + 1) {
    places = ((std::uint64_t{1} << needed) - 1) << (count - needed);
  }
  const LeadingLine kind = ClassifyLeadingLine(line, fields, places);
  // A line of words and numbers whose count fits no row (an instrument's
  // "Instrument TS 5 2026") may be a preamble line as well as a mistyped
  // row; one of a name and numbers alone is a row with a field too many.
  uncertain = kind == LeadingLine::kUncertainRow ||
              (kind == LeadingLine::kRow && places == 0 && Rule().nameCount == 0 &&
               HoldsWordAfterFirst(fields));
  return kind == LeadingLine::kHeading;
}

// Reads the row of `count` fields (the first of them in `fields`) and, with
// `compute`, computes its answer; else it is a known point's. False where
// its fields do not read (a computation that fails is read).
bool RowReader::Answer(std::span<const std::string_view> fields, std::size_t count,
                       LineAnswer& answer, Row& row, bool compute) const {
  if (!ReadRow(fields, count, true, row, answer) || !CountFields(fields, count, row, answer)) {
    return false;
  }
  if (row.place.fileMark == DecimalMark::kUnknown) FindOwnMark(fields, row);
  answer.hasHeight = row.hasHeight;
  answer.heightValue = row.heightValue;
  if (compute && Rule().nameCount > 0) {
    const std::array<std::string_view, 3> names = {row.name, row.known[0], row.known[1]};
    // A reader whose settings are not resolved has no known points to look in.
    const std::string fault =
        settings_.namedRow != nullptr
            ? settings_.namedRow(settings_, names.data(), row.numbers.data(), answer)
            : std::string("no known points");
    if (fault.empty()) {
      answer.kind = LineAnswer::Kind::kAnswer;
    } else {
      Fail(answer, row.name, fault);
    }
    return true;
  }
  if (compute) {
    Compute(row.numbers.data(), row.name, answer);
    return true;
  }
  if (!row.named || row.name.empty()) return Fail(answer, {}, "a known point needs a name");
  answer.hasPoint = true;
  answer.point = {row.numbers[0], row.numbers[1]};
  return true;
}

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
    const bool angle = rule.allAngles || i == AzimuthIndex();
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

// Computes the answer from the numbers of the row of `point`.
void RowReader::Compute(const double* values, std::string_view point, LineAnswer& answer) const {
  if (!settings_.compute) {
    const std::size_t first = settings_.hasStation ? 0 : 2;
    answer.kind = LineAnswer::Kind::kAnswer;
    answer.hasPoint = true;
    answer.point = {values[first], values[first + 1]};
    return;
  }
  if (const char* fault = ComputeRow(settings_, values, answer)) {
    Fail(answer, point, fault, ComputeError(fault));
  } else if (const std::string swapped = SwappedAxesProblem(settings_, answer); !swapped.empty()) {
    answer.hasPoint = false;  // where the point lies is the question: not drawn in a sketch
    Fail(answer, point, swapped, ErrorOf(RowError::Kind::kSwappedAxes));
  } else if (const char* out = ComputeSight(settings_, answer)) {
    Fail(answer, point, out, ComputeError(out));
  } else {
    answer.kind = LineAnswer::Kind::kAnswer;
  }
}

bool RowReader::AnswerLine(std::string_view line, std::string& out, const RowPlace& place) const {
  LineAnswer answer;
  return AnswerLine(line, answer, out, place);
}

bool RowReader::AnswerLine(std::string_view line, LineAnswer& answer, std::string& out,
                           const RowPlace& place) const {
  ReadLine(line, answer, place,
           [&](const AnswerTexts& texts) { format_.AppendLine(answer, texts, out); });
  return answer.kind != LineAnswer::Kind::kError;
}

bool RowReader::AnswerFields(std::span<const std::string_view> fields, std::string& out,
                             char separator) const {
  LineAnswer answer;
  ReadFields(fields, answer);
  answer.separator = separator;
  AppendLine(answer, out);
  return answer.kind != LineAnswer::Kind::kError;
}

// The field that holds a packed azimuth; kNoAzimuth when none does.
std::size_t RowReader::FindAzimuthIndex() const {
  const std::size_t field = Rule().azimuthField;
  if (field == kNoAzimuth || !settings_.hasStation) return field;
  return field - Rule().stationFields;
}

}  // namespace reading
