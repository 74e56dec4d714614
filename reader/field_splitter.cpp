#include "reader/field_splitter.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace reading {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsMark(char c) { return c == ';' || c == '\t' || c == ','; }

std::string_view TrimBlanks(std::string_view field) {
  while (!field.empty() && IsBlank(field.front())) field.remove_prefix(1);
  while (!field.empty() && IsBlank(field.back())) field.remove_suffix(1);
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

// The eight bytes at `at` (fewer at the end of the text, the rest read as
// zero).
std::uint64_t BytesAt(std::string_view text, std::size_t at) {
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
  return bytes;
}

std::uint64_t Marks(std::uint64_t bytes, char c) { return ZeroBytes(bytes ^ EveryByte(c)); }

// Which separators and quotes a line holds, found eight bytes at a time.
struct Held {
  bool semicolon = false;
  bool tab = false;
  bool comma = false;
  bool quote = false;
};

Held FindHeld(std::string_view line) {
  std::uint64_t semicolons = 0;
  std::uint64_t tabs = 0;
  std::uint64_t commas = 0;
  std::uint64_t quotes = 0;
  for (std::size_t block = 0; block < line.size(); block += 8) {
    const std::uint64_t bytes = BytesAt(line, block);
    semicolons |= Marks(bytes, ';');
    tabs |= Marks(bytes, '\t');
    commas |= Marks(bytes, ',');
    quotes |= Marks(bytes, '"');
  }
  return {semicolons != 0, tabs != 0, commas != 0, quotes != 0};
}

char SeparatorOf(const Held& held) {
  return held.semicolon ? ';' : held.tab ? '\t' : held.comma ? ',' : ' ';
}

// Stores a field where there is room; counts it.
void Store(std::string_view field, std::span<std::string_view> fields, SplitLine& split) {
  if (split.count < fields.size()) fields[split.count] = field;
  ++split.count;
}

// A line without quotes, split at each `separator`, which is found eight
// bytes at a time.
void SplitAtMarks(std::string_view line, char separator, std::span<std::string_view> fields,
                  SplitLine& split) {
  std::size_t begin = 0;  // of the field being read
  for (std::size_t block = 0; block < line.size(); block += 8) {
    for (std::uint64_t marks = Marks(BytesAt(line, block), separator); marks != 0;
         marks &= marks - 1) {
      const std::size_t end = block + std::countr_zero(marks) / 8;
      Store(TrimBlanks(line.substr(begin, end - begin)), fields, split);
      begin = end + 1;
    }
  }
  Store(TrimBlanks(line.substr(begin)), fields, split);
}

// A line without quotes, semicolons, tabs or commas: split at runs of
// blanks.
void SplitAtBlanks(std::string_view line, std::span<std::string_view> fields, SplitLine& split) {
  for (std::size_t at = 0;;) {
    while (at < line.size() && line[at] == ' ') ++at;
    if (at == line.size()) return;
    const std::size_t begin = at;
    while (at < line.size() && line[at] != ' ') ++at;
    Store(line.substr(begin, at - begin), fields, split);
  }
}

// The separator of a line with quotes: the first of ';', tab, ',' found
// outside them, a quote opening a field where it is the first character of
// the line or follows a blank or any of the three.
char QuotedLineSeparator(std::string_view line) {
  Held held;
  bool fieldStart = true;
  for (std::size_t at = 0; at < line.size(); ++at) {
    const char c = line[at];
    if (c == '"' && fieldStart) {
      // To the closing quote; "" stays inside.
      for (++at; at < line.size(); ++at) {
        if (line[at] == '"' && !(at + 1 < line.size() && line[at + 1] == '"')) break;
        if (line[at] == '"') ++at;
      }
      fieldStart = false;
      continue;
    }
    held.semicolon = held.semicolon || c == ';';
    held.tab = held.tab || c == '\t';
    held.comma = held.comma || c == ',';
    fieldStart = IsBlank(c) || IsMark(c);
  }
  return SeparatorOf(held);
}

// Reads the quoted field whose opening quote is at `at`; moves `at` past
// the closing quote. False when it is not closed.
bool ReadQuoted(std::string_view line, std::size_t& at, std::string_view& field,
                std::string& unquoted) {
  const std::size_t begin = ++at;
  bool doubled = false;
  for (; at < line.size(); ++at) {
    if (line[at] != '"') continue;
    if (at + 1 < line.size() && line[at + 1] == '"') {
      doubled = true;
      ++at;
      continue;
    }
    field = line.substr(begin, at - begin);
    ++at;
    if (doubled) {
      // Views into `unquoted` stay valid: it never grows past the line.
      if (unquoted.capacity() < line.size()) unquoted.reserve(line.size());
      const std::size_t from = unquoted.size();
      for (std::size_t i = 0; i < field.size(); ++i) {
        unquoted += field[i];
        if (field[i] == '"') ++i;
      }
      field = std::string_view(unquoted).substr(from);
    }
    return true;
  }
  return false;
}

void SplitQuoted(std::string_view line, std::span<std::string_view> fields, std::string& unquoted,
                 SplitLine& split) {
  const char separator = split.separator;
  const auto ends = [separator](char c) { return c == separator; };
  // Blanks around fields; in a line split at blanks, the runs between them.
  const auto pads = [separator](char c) { return c == ' ' || (c == '\t' && separator != '\t'); };
  std::size_t at = 0;
  unquoted.clear();
  while (true) {
    while (at < line.size() && pads(line[at])) ++at;
    if (separator == ' ' && at == line.size()) return;
    std::string_view field;
    if (at < line.size() && line[at] == '"') {
      if (!ReadQuoted(line, at, field, unquoted)) {
        split.fault = "a quoted field is not closed";
        return;
      }
      while (at < line.size() && pads(line[at]) && !ends(line[at])) ++at;
      if (at < line.size() && !ends(line[at])) {
        split.fault = "text follows the closing quote of a field";
        return;
      }
    } else {
      const std::size_t begin = at;
      while (at < line.size() && !ends(line[at])) ++at;
      field = TrimBlanks(line.substr(begin, at - begin));
    }
    Store(field, fields, split);
    if (at == line.size()) return;
    ++at;  // the separator
  }
}

}  // namespace

SplitLine SplitFields(std::string_view line, std::span<std::string_view> fields,
                      std::string& unquoted) {
  SplitLine split;
  const Held held = FindHeld(line);
  if (held.quote) {
    split.separator = QuotedLineSeparator(line);
    SplitQuoted(line, fields, unquoted, split);
  } else {
    split.separator = SeparatorOf(held);
    if (split.separator == ' ') {
      SplitAtBlanks(line, fields, split);
    } else {
      SplitAtMarks(line, split.separator, fields, split);
    }
  }
  return split;
}

}  // namespace reading
