#include "cli/columns.h"

#include <algorithm>

#include "cli/shown_text.h"

namespace calc {
namespace {

struct SpecialRole {
  std::string_view name;
  Column::Role role;
  bool pointFileOnly;
  const char* shown;  // its name in messages
};

constexpr SpecialRole kSpecialRoles[] = {
    {"name", Column::Role::kName, false, "NAME"},
    {"code", Column::Role::kCode, true, "CODE"},
    {"h", Column::Role::kHeight, true, "H"},
    {"-", Column::Role::kIgnored, false, ""},
};

// A number's role: its name in lower case.
std::string RoleOf(std::string_view number) {
  std::string role(number);
  for (char& c : role) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return role;
}

bool FindRole(std::string_view role, std::span<const char* const> numbers,
              bool pointFile, Column& column) {
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (role == RoleOf(numbers[i])) {
      column = {Column::Role::kNumber, i};
      return true;
    }
  }
  for (const SpecialRole& special : kSpecialRoles) {
    if (role == special.name && (pointFile || !special.pointFileOnly)) {
      column = {special.role, 0};
      return true;
    }
  }
  return false;
}

// "name, code, x, y, h and -"
std::string KnownRoles(std::span<const char* const> numbers, bool pointFile) {
  std::vector<std::string> roles = {"name"};
  if (pointFile) roles.push_back("code");
  for (const char* number : numbers) roles.push_back(RoleOf(number));
  if (pointFile) roles.push_back("h");
  std::string text;
  for (const std::string& role : roles) text += role + ", ";
  text.resize(text.size() - 2);
  return text + " and -";
}

bool IsMark(char c) { return c == ',' || c == ';' || c == '\t'; }

std::string_view TrimBlanks(std::string_view field) {
  while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
  while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  return field;
}

}  // namespace

std::string ReadColumns(std::string_view list,
                        std::span<const char* const> numbers, bool pointFile,
                        std::vector<Column>& columns) {
  columns.clear();
  std::vector<std::string_view> roles;
  for (std::size_t at = 0; at <= list.size();) {
    const std::size_t comma = std::min(list.find(',', at), list.size());
    const std::string_view role = list.substr(at, comma - at);
    at = comma + 1;
    Column column{};
    if (!FindRole(role, numbers, pointFile, column)) {
      std::string problem = "--columns: unknown role ";
      AppendQuoted(problem, role);
      return problem + "; the roles are " + KnownRoles(numbers, pointFile);
    }
    if (column.role != Column::Role::kIgnored &&
        std::find(roles.begin(), roles.end(), role) != roles.end()) {
      return "--columns: role " + std::string(role) + " given twice";
    }
    if (columns.size() == kMaxColumns) {
      return "--columns: more than " + std::to_string(kMaxColumns) +
             " columns";
    }
    roles.push_back(role);
    columns.push_back(column);
  }
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (std::none_of(columns.begin(), columns.end(), [i](const Column& c) {
          return c.role == Column::Role::kNumber && c.number == i;
        })) {
      return "--columns: no column for " + RoleOf(numbers[i]);
    }
  }
  return {};
}

ColumnSplitter::ColumnSplitter(std::string_view line)
    : line_(line),
      marked_(line.find_first_of(",;\t") != std::string_view::npos) {}

bool ColumnSplitter::Next(std::string_view& field) {
  if (done_) return false;
  if (!marked_) {
    while (at_ < line_.size() && line_[at_] == ' ') ++at_;
    if (at_ == line_.size()) {
      done_ = true;
      return false;
    }
    const std::size_t begin = at_;
    while (at_ < line_.size() && line_[at_] != ' ') ++at_;
    field = line_.substr(begin, at_ - begin);
    return true;
  }
  std::size_t end = at_;
  while (end < line_.size() && !IsMark(line_[end])) ++end;
  field = TrimBlanks(line_.substr(at_, end - at_));
  if (++count_ == 1 && end < line_.size()) separator_ = line_[end];
  done_ = end == line_.size();
  at_ = end + 1;
  return true;
}

std::size_t SplitColumns(std::string_view line,
                         std::span<std::string_view> fields, char& separator) {
  ColumnSplitter splitter(line);
  std::size_t count = 0;
  std::string_view field;
  while (splitter.Next(field)) {
    if (count < fields.size()) fields[count] = field;
    ++count;
  }
  separator = splitter.separator();
  return count;
}

std::string ColumnName(std::span<const Column> columns, std::size_t position,
                       std::span<const char* const> numbers) {
  const Column& column = columns[position];
  if (column.role == Column::Role::kNumber) return numbers[column.number];
  for (const SpecialRole& special : kSpecialRoles) {
    if (special.role == column.role && *special.shown != '\0') {
      return special.shown;
    }
  }
  return std::to_string(position + 1);
}

}  // namespace calc
