#include "reader/known_points.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "reader/shown_text.h"
#include "reader/text_lines.h"

namespace reading {
namespace {

// Known points are read as setout reads design points: X Y, after a name.
RowSettings KnownPointSettings(const std::vector<Column>& columns) {
  RowSettings settings;
  settings.mode = Mode::kSetout;
  settings.hasStation = true;
  settings.columns = columns;
  return settings;
}

}  // namespace

std::string KnownPoints::Read(std::string_view text, const std::vector<Column>& columns,
                              std::string_view source) {
  Start(columns, source);
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    std::string problem = AddLine(text.substr(at, end - at));
    if (!problem.empty()) return problem;
    at = end + 1;
  }
  return {};
}

void KnownPoints::Start(const std::vector<Column>& columns, std::string_view source) {
  reader_.emplace(KnownPointSettings(columns));
  source_.assign(source);
  lines_ = 0;
  rowSeen_ = false;
  points_.clear();
  names_.clear();
}

std::string KnownPoints::AddLine(std::string_view line) {
  const std::size_t number = ++lines_;
  const bool firstRow = !rowSeen_ && !IsBlankOrComment(line);
  rowSeen_ = rowSeen_ || firstRow;
  LineAnswer answer;
  reader_->ReadKnownPoint(line, answer, firstRow);
  if (answer.kind == LineAnswer::Kind::kCopied) return {};
  if (answer.kind == LineAnswer::Kind::kError) {
    return source_ + ":" + std::to_string(number) + ": " + answer.text;
  }
  const auto [entry, added] = points_.try_emplace(answer.name, Entry{answer.point, number, 0});
  if (added) {
    names_.push_back(answer.name);
  } else if (entry->second.twiceLine == 0) {
    entry->second.twiceLine = number;
  }
  return {};
}

std::string KnownPoints::ReadFile(const std::string& path, const std::vector<Column>& columns) {
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) return "cannot open " + path + ": " + std::strerror(errno);
  TextLines lines;
  std::string text;
  std::string piece;
  std::string problem;
  while (problem.empty()) {
    constexpr std::size_t kRead = 64 * 1024;
    const ssize_t got = read(fd, lines.Space(kRead), kRead);
    if (got < 0 && errno == EINTR) {
      lines.Added(0);
      continue;
    }
    if (got < 0) problem = "cannot read " + path + ": " + std::strerror(errno);
    const bool decoded =
        got > 0 ? lines.Added(static_cast<std::size_t>(got)) : (lines.Added(0), lines.End());
    if (!decoded) problem = path + ": " + lines.error();
    while (lines.Take(piece)) text += piece;
    if (got <= 0) break;
  }
  close(fd);
  return problem.empty() ? Read(text, columns, path) : problem;
}

std::vector<KnownPoints::NamedPoint> KnownPoints::List() const {
  std::vector<NamedPoint> list;
  list.reserve(names_.size());
  for (const std::string& name : names_) list.push_back({name, points_.find(name)->second.point});
  return list;
}

std::string KnownPoints::Find(std::string_view name, Point& point) const {
  const auto found = points_.find(name);
  std::string shown;
  AppendShown(shown, name);
  if (found == points_.end()) return "no point " + shown + " in " + source_;
  const Entry& entry = found->second;
  if (entry.twiceLine != 0) {
    return source_ + " names " + shown + " twice (lines " + std::to_string(entry.line) + " and " +
           std::to_string(entry.twiceLine) + ")";
  }
  point = entry.point;
  return {};
}

}  // namespace reading
