#include "reader/rows/columns.h"

#include <algorithm>

#include "reader/fields/field_splitter.h"
#include "reader/text/shown_text.h"

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

ColumnsError ReadColumns(std::string_view list, std::span<const char* const> numbers,
                         bool pointFile, std::vector<Column>& columns) {
  columns.clear();
  std::vector<std::string_view> roles;
  for (std::size_t at = 0; at <= list.size();) {
    const std::size_t comma = std::min(list.find(',', at), list.size());
    std::string_view role = list.substr(at, comma - at);
    at = comma + 1;
    while (!role.empty() && IsBlank(role.front())) role.remove_prefix(1);
    while (!role.empty() && IsBlank(role.back())) role.remove_suffix(1);
    Column column{};
    if (!FindRole(role, numbers, pointFile, column)) {
      return {ColumnsError::What::kUnknownRole, std::string(role)};
    }
    if (column.role != Column::Role::kIgnored &&
        std::find(roles.begin(), roles.end(), role) != roles.end()) {
      return {ColumnsError::What::kRoleTwice, std::string(role)};
    }
    if (columns.size() == kMaxColumns) return {ColumnsError::What::kTooMany, {}};
    roles.push_back(role);
    columns.push_back(column);
  }
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (std::none_of(columns.begin(), columns.end(), [i](const Column& c) {
          return c.role == Column::Role::kNumber && c.number == i;
        })) {
      return {ColumnsError::What::kNoColumnFor, RoleOf(numbers[i])};
    }
  }
  return {};
}

std::string ColumnsErrorText(const ColumnsError& error, std::span<const char* const> numbers,
                             bool pointFile, std::string_view option) {
  std::string text = std::string(option) + ": ";
  switch (error.what) {
    case ColumnsError::What::kUnknownRole:
      text += "unknown role ";
      AppendQuoted(text, error.role);
      return text + "; the roles are " + KnownRoles(numbers, pointFile);
    case ColumnsError::What::kRoleTwice:
      return text + "role " + error.role + " given twice";
    case ColumnsError::What::kTooMany:
      return text + "more than " + std::to_string(kMaxColumns) + " columns";
    case ColumnsError::What::kNoColumnFor:
      return text + "no column for " + error.role;
    case ColumnsError::What::kNone:
      break;
  }
  return {};
}

std::string ColumnsText(std::span<const Column> columns, std::span<const char* const> numbers) {
  std::string text;
  for (const Column& column : columns) {
    if (!text.empty()) text += ',';
    if (column.role == Column::Role::kNumber) {
      text += RoleOf(numbers[column.number]);
      continue;
    }
    for (const SpecialRole& special : kSpecialRoles) {
      if (special.role == column.role) text += special.name;
    }
  }
  return text;
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
