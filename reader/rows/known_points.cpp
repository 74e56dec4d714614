#include "reader/rows/known_points.h"

#include <cmath>
#include "reader/text/undecoded_line.h"

namespace reading {
namespace {

// Known points are read as setout reads design points: X Y, after a name.
RowSettings KnownPointSettings(const std::vector<Column>& columns, DecimalMark mark) {
  RowSettings settings;
  settings.mode = Mode::kSetout;
  settings.hasStation = true;
  settings.columns = columns;
  settings.decimalMark = mark;
  return settings;
}

}  // namespace

FileError KnownPoints::Read(std::string_view text, const std::vector<Column>& columns,
                            std::string_view source, const InputReading& reading) {
  Start(columns, source, reading);
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    FileError error = AddLine(text.substr(at, end - at));
    if (error) return error;
    at = end + 1;
  }
  return {};
}

void KnownPoints::Start(const std::vector<Column>& columns, std::string_view source,
                        const InputReading& reading) {
  reader_ = std::make_shared<const RowReader>(KnownPointSettings(columns, reading.decimalMark));
  rows_.emplace(*reader_, InputOptions{reading.skipLines, nullptr, true});
  source_.assign(source);
  lines_ = 0;
  points_.clear();
  names_.clear();
  more_.reset();
}

void KnownPoints::LookAlsoIn(std::shared_ptr<const KnownPoints> more) { more_ = std::move(more); }

const KnownPoints& KnownPoints::HolderOf(std::string_view name) const {
  if (more_ && !points_.contains(name) && more_->points_.contains(name)) return *more_;
  return *this;
}

FileError KnownPoints::AddLine(std::string_view line) {
  const std::size_t number = ++lines_;
  LineAnswer answer;
  std::string copied;
  if (!rows_->Read(line, answer, copied)) return {};
  if (answer.kind == LineAnswer::Kind::kError) {
    FileError error;
    error.what = FileError::What::kRow;
    error.path = source_;
    error.line = number;
    error.row = std::move(answer.text);
    UndecodedLine undecoded;
    error.undecoded = FindUndecoded(line, undecoded);
    return error;
  }
  Keep(answer.name, answer.point,
       answer.hasHeight ? std::optional<double>(answer.heightValue) : std::nullopt, number);
  return {};
}

void KnownPoints::StartInput() {
  std::string copied;
  rows_->StartInput(copied);
}

void KnownPoints::AddPoint(std::string_view name, const Point& point,
                           std::optional<double> height) {
  Keep(name, point, height, ++lines_);
}

void KnownPoints::Keep(std::string_view name, const Point& point, std::optional<double> height,
                       std::size_t line) {
  const auto [entry, added] =
      points_.try_emplace(std::string(name), Entry{point, height.value_or(std::nan("")), line, 0});
  if (added) {
    names_.emplace_back(name);
  } else if (entry->second.twiceLine == 0) {
    entry->second.twiceLine = line;
  }
}

FileError KnownPoints::ReadFile(const std::string& path, const std::vector<Column>& columns,
                                const InputReading& reading) {
  Start(columns, path, reading);
  TextFile file(path, false, reading.encoding);
  std::string_view line;
  while (file.NextLine(line)) {
    if (file.startsInput()) StartInput();
    FileError error = AddLine(line);
    if (error) return error;
  }
  return file.error();
}

KnownPoints::Found KnownPoints::Find(std::string_view name, Point& point) const {
  std::optional<double> height;
  return Find(name, point, height);
}

KnownPoints::Found KnownPoints::Find(std::string_view name, Point& point,
                                     std::optional<double>& height) const {
  if (const KnownPoints& holder = HolderOf(name); &holder != this)
    return holder.Find(name, point, height);
  const auto found = points_.find(name);
  if (found == points_.end()) return {Found::What::kMissing, 0, 0};
  const Entry& entry = found->second;
  if (entry.twiceLine != 0) return {Found::What::kTwice, entry.line, entry.twiceLine};
  point = entry.point;
  height = std::isnan(entry.height) ? std::nullopt : std::optional<double>(entry.height);
  return {Found::What::kFound, entry.line, 0};
}

}  // namespace reading
