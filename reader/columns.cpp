#include "reader/columns.h"

#include <algorithm>

#include "reader/shown_text.h"

namespace reading {
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

bool FindRole(std::string_view role, std::span<const char* const> numbers, bool pointFile,
              Column& column) {
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

}  // namespace

std::string RoleOf(std::string_view number) {
  std::string role(number);
  for (char& c : role) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return role;
}

std::string ReadColumns(std::string_view list, std::span<const char* const> numbers, bool pointFile,
                        std::vector<Column>& columns, std::string_view option) {
  const std::string prefix = std::string(option) + ": ";
  columns.clear();
  std::vector<std::string_view> roles;
  for (std::size_t at = 0; at <= list.size();) {
    const std::size_t comma = std::min(list.find(',', at), list.size());
    const std::string_view role = list.substr(at, comma - at);
    at = comma + 1;
    Column column{};
    if (!FindRole(role, numbers, pointFile, column)) {
      std::string problem = prefix + "unknown role ";
      AppendQuoted(problem, role);
      return problem + "; the roles are " + KnownRoles(numbers, pointFile);
    }
    if (column.role != Column::Role::kIgnored &&
        std::find(roles.begin(), roles.end(), role) != roles.end()) {
      return prefix + "role " + std::string(role) + " given twice";
    }
    if (columns.size() == kMaxColumns) {
      return prefix + "more than " + std::to_string(kMaxColumns) + " columns";
    }
    roles.push_back(role);
    columns.push_back(column);
  }
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (std::none_of(columns.begin(), columns.end(), [i](const Column& c) {
          return c.role == Column::Role::kNumber && c.number == i;
        })) {
      return prefix + "no column for " + RoleOf(numbers[i]);
    }
  }
  return {};
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

}  // namespace reading
