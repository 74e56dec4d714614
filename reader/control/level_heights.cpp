#include "reader/control/level_heights.h"

#include <array>
#include <cstdint>

#include "reader/fields/field_number.h"
#include "reader/fields/field_splitter.h"
#include "reader/fields/leading_line.h"
#include "reader/text/line_kind.h"
#include "reader/text/shown_text.h"

namespace reading {
namespace {

// A row holds a name and a height, or a name, a position and a height.
constexpr std::size_t kShortRow = 2;
constexpr std::size_t kLongRow = 4;

}  // namespace

void LevelHeights::Start(std::string_view source, const InputReading& reading) {
  reading_ = reading;
  source_.assign(source);
  lines_ = 0;
  rowSeen_ = false;
  heights_.clear();
}

FileError LevelHeights::ReadFile(const std::string& path, const InputReading& reading) {
  Start(path, reading);
  TextFile file(path, false, reading.encoding);
  std::string_view line;
  while (file.NextLine(line)) {
    if (file.startsInput()) rowSeen_ = false;
    if (FileError error = AddLine(line)) return error;
  }
  return file.error();
}

FileError LevelHeights::AddLine(std::string_view line) {
  const std::size_t number = ++lines_;
  FileError error;
  if (number <= reading_.skipLines) return error;
  line = WithoutLineEnd(line);
  if (IsPassedThrough(line)) return error;
  if (std::string problem = ReadRow(line, number); !problem.empty()) {
    error.what = FileError::What::kRow;
    error.path = source_;
    error.line = number;
    error.row = std::move(problem);
  }
  return error;
}

// Reads one row into the heights; "" or what is wrong with it, as its
// error line would say it. A heading before the first row is passed by.
std::string LevelHeights::ReadRow(std::string_view line, std::size_t number) {
  std::array<std::string_view, kLongRow + 1> fields;
  std::string unquoted;
  const SplitLine split = SplitFields(line, fields, unquoted);
  if (split.fault != nullptr) return split.fault;
  const std::size_t count = std::min(split.count, fields.size());
  const std::span<const std::string_view> stored(fields.data(), count);
  if (!rowSeen_) {
    const std::uint64_t places = split.count == kShortRow ? 0b10 : 0b1110;
    if (ClassifyLeadingLine(line, stored, places) == LeadingLine::kHeading) return {};
  }
  rowSeen_ = true;
  if (split.count != kShortRow && split.count != kLongRow) {
    return std::to_string(split.count) + " fields: a benchmark's row is NAME H or NAME X Y H";
  }
  const std::string_view name = fields[0];
  if (name.empty()) return "a known point needs a name";
  std::string problem;
  double value = 0.0;
  // The position is read past, but must be numbers: else the columns are
  // not what they were taken for.
  static constexpr std::array<const char*, 3> kNames = {"X", "Y", "H"};
  for (std::size_t i = 1; i < count; ++i) {
    const char* field = count == kShortRow ? "H" : kNames[i - 1];
    if (!ReadNumberField(field, false, fields[i], value, problem, reading_.decimalMark)) {
      std::string text;
      AppendShown(text, name);
      return text + ": " + problem;
    }
  }
  const auto [entry, added] = heights_.try_emplace(std::string(name), Entry{value, number, 0});
  if (!added && entry->second.twiceLine == 0) entry->second.twiceLine = number;
  return {};
}

KnownPoints::Found LevelHeights::Find(std::string_view name, double& height) const {
  using Found = KnownPoints::Found;
  const auto found = heights_.find(name);
  if (found == heights_.end()) return {Found::What::kMissing, 0, 0};
  const Entry& entry = found->second;
  if (entry.twiceLine != 0) return {Found::What::kTwice, entry.line, entry.twiceLine};
  height = entry.height;
  return {Found::What::kFound, entry.line, 0};
}

}  // namespace reading
