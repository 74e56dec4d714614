#include "reader/columns.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

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

// A number's role: its name in lower case.
std::string RoleOf(std::string_view number) {
  std::string role(number);
  for (char& c : role) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return role;
}

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

std::string_view TrimBlanks(std::string_view field) {
  while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
  while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  return field;
}

// The high bit of each byte of v that is zero (and of no other).
std::uint64_t ZeroBytes(std::uint64_t v) {
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7F;
  return ~(((v & kLow7) + kLow7) | v | kLow7);
}

constexpr std::uint64_t EveryByte(char c) {
  return 0x0101010101010101 * static_cast<unsigned char>(c);
}

// The high bit of each of the eight bytes at `at` (fewer at the end of the
// text, the rest read as zero) that is a comma, semicolon or tab.
std::uint64_t MarksAt(std::string_view text, std::size_t at) {
  static_assert(std::endian::native == std::endian::little);
  std::uint64_t bytes = 0;
  if (at + 8 <= text.size()) {
    std::memcpy(&bytes, text.data() + at, sizeof bytes);
  } else if (text.size() >= 8) {
    // The last eight bytes, those before `at` shifted out.
    std::memcpy(&bytes, text.data() + text.size() - 8, sizeof bytes);
    bytes >>= 8 * (at + 8 - text.size());
  } else {
    for (std::size_t i = text.size(); i-- > at;) {
      bytes = bytes << 8 | static_cast<unsigned char>(text[i]);
    }
  }
  return ZeroBytes(bytes ^ EveryByte(',')) | ZeroBytes(bytes ^ EveryByte(';')) |
         ZeroBytes(bytes ^ EveryByte('\t'));
}

// Hands each field of the line to take(field) in turn, as long as it
// returns true; returns the character that ends the first field (a blank
// where no comma, semicolon or tab does). The marks are found eight bytes
// at a time.
template <typename Take>
char ForEachColumn(std::string_view line, Take take) {
  char separator = '\0';
  std::size_t begin = 0;  // of the field being read
  for (std::size_t block = 0; block < line.size(); block += 8) {
    for (std::uint64_t marks = MarksAt(line, block); marks != 0; marks &= marks - 1) {
      const std::size_t end = block + std::countr_zero(marks) / 8;
      if (separator == '\0') separator = line[end];
      if (!take(TrimBlanks(line.substr(begin, end - begin)))) return separator;
      begin = end + 1;
    }
  }
  if (separator != '\0') {
    take(TrimBlanks(line.substr(begin)));
    return separator;
  }
  for (std::size_t at = 0;;) {
    while (at < line.size() && line[at] == ' ') ++at;
    if (at == line.size()) return ' ';
    const std::size_t fieldBegin = at;
    while (at < line.size() && line[at] != ' ') ++at;
    if (!take(line.substr(fieldBegin, at - fieldBegin))) return ' ';
  }
}

}  // namespace

std::string ReadColumns(std::string_view list, std::span<const char* const> numbers, bool pointFile,
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
      return "--columns: more than " + std::to_string(kMaxColumns) + " columns";
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

std::size_t SplitColumns(std::string_view line, std::span<std::string_view> fields,
                         char& separator) {
  std::size_t count = 0;
  separator = ForEachColumn(line, [&](std::string_view field) {
    if (count < fields.size()) fields[count] = field;
    ++count;
    return true;
  });
  return count;
}

bool AnyColumn(std::string_view line, bool (*test)(std::string_view field)) {
  bool found = false;
  ForEachColumn(line, [&](std::string_view field) {
    found = test(field);
    return !found;
  });
  return found;
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
