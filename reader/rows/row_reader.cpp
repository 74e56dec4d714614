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
#include "reader/rows/row_transform.h"
#include "reader/text/line_kind.h"
#include "reader/text/shown_text.h"
#include "reader/text/undecoded_line.h"

namespace reading {

using namespace row_parts;

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

// Computes the answer from the numbers of the row of `point`.
void RowReader::Compute(const double* values, std::string_view point, LineAnswer& answer) const {
  if (!settings_.compute) {
    const std::size_t first = settings_.hasStation ? 0 : 2;
    answer.kind = LineAnswer::Kind::kAnswer;
    answer.hasPoint = true;
    answer.point = {values[first], values[first + 1]};
    return;
  }
  if (IsTransformMode(settings_.mode)) {
    // A transformation's rows without their job (settings not made by
    // MakeTransformRows) have nothing to be computed by.
    RowError error = ErrorOf(RowError::Kind::kOther);
    const std::string fault = settings_.transform
                                  ? settings_.transform->ComputeRow(values, answer, error)
                                  : std::string("no transformation job");
    if (fault.empty()) {
      answer.kind = LineAnswer::Kind::kAnswer;
    } else {
      Fail(answer, point, fault, std::move(error));
    }
  } else if (const char* fault = ComputeRow(settings_, values, answer)) {
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
