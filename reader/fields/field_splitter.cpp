#include "reader/fields/field_splitter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace reading {
namespace {

std::string_view TrimBlanks(std::string_view field) {
  while (!field.empty() && IsBlank(field.front())) field.remove_prefix(1);
  while (!field.empty() && IsBlank(field.back())) field.remove_suffix(1);
  return field;
}

// The same where a field mostly has no blanks to trim.
inline std::string_view Trimmed(std::string_view field) {
  if (field.empty()) return field;
  // One test for both ends: either is a blank (' ' or '\t', both below '!').
  const auto first = static_cast<unsigned char>(field.front());
  const auto last = static_cast<unsigned char>(field.back());
  return std::min(first, last) <= ' ' ? TrimBlanks(field) : field;
}

constexpr std::uint64_t EveryByte(char c) {
  return 0x0101010101010101 * static_cast<unsigned char>(c);
}

// The eight bytes at `at` (fewer at the end of the text, the rest read as
// zero).
inline std::uint64_t BytesAt(std::string_view text, std::size_t at) {
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

// The high bit of each byte of `bytes` that is a semicolon, tab, comma or
// quote: a byte's low seven bits that differ from a mark's, plus 0x7F, set
// its high bit (and carry no further); a byte with its high bit set is no
// mark.
std::uint64_t AnyMarks(std::uint64_t bytes) {
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7F;
  const std::uint64_t low = bytes & kLow7;
  const auto differs = [low](char mark) { return (low ^ EveryByte(mark)) + kLow7; };
  return ~((differs(';') & differs('\t') & differs(',') & differs('"')) | bytes) & ~kLow7;
}

// The separators a line holds, as bits.
enum Held : unsigned { kSemicolon = 1, kTab = 2, kComma = 4, kQuote = 8 };

unsigned HeldBit(char c) {
  return c == ';' ? kSemicolon : c == '\t' ? kTab : c == ',' ? kComma : kQuote;
}

char SeparatorOf(unsigned held) {
  return (held & kSemicolon) != 0 ? ';'
         : (held & kTab) != 0     ? '\t'
         : (held & kComma) != 0   ? ','
                                  : ' ';
}

// Stores a field where there is room; counts it.
void Store(std::string_view field, std::span<std::string_view> fields, SplitLine& split) {
  if (split.count < fields.size()) fields[split.count] = field;
  ++split.count;
}

// Splits a line without quotes in one pass, its marks found eight bytes at
// a time, at the first separator it meets: a line mostly holds one kind.
// Returns which separators (or, kQuote, a quote: nothing split then) it
// holds; where that calls for another separator, the caller splits again.
unsigned SplitAtFirstMark(std::string_view line, std::span<std::string_view> fields,
                          SplitLine& split) {
  unsigned held = 0;
  char separator = '\0';
  std::size_t begin = 0;  // of the field being read
  for (std::size_t block = 0; block < line.size(); block += 8) {
    for (std::uint64_t found = AnyMarks(BytesAt(line, block)); found != 0; found &= found - 1) {
      const std::size_t at = block + std::countr_zero(found) / 8;
      const char c = line[at];
      if (c != separator) {
        held |= HeldBit(c);
        if (c == '"') return held;
        if (separator != '\0') continue;
        separator = c;
      }
      Store(Trimmed(line.substr(begin, at - begin)), fields, split);
      begin = at + 1;
    }
  }
  if (separator != '\0') Store(Trimmed(line.substr(begin)), fields, split);
  split.separator = separator == '\0' ? ' ' : separator;
  return held;
}

// A line without quotes split again at each `separator`, found eight bytes
// at a time.
void SplitAtMarks(std::string_view line, char separator, std::span<std::string_view> fields,
                  SplitLine& split) {
  split.count = 0;
  split.separator = separator;
  std::size_t begin = 0;
  const std::uint64_t every = EveryByte(separator);
  for (std::size_t block = 0; block < line.size(); block += 8) {
    const std::uint64_t v = BytesAt(line, block) ^ every;
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7F;
    for (std::uint64_t found = ~(((v & kLow7) + kLow7) | v | kLow7); found != 0;
         found &= found - 1) {
      const std::size_t at = block + std::countr_zero(found) / 8;
      Store(Trimmed(line.substr(begin, at - begin)), fields, split);
      begin = at + 1;
    }
  }
  Store(Trimmed(line.substr(begin)), fields, split);
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

// Where the quoted field whose text starts at `at` ends: its closing quote,
// npos when there is none. `doubled` turns true where it holds "".
std::size_t ClosingQuote(std::string_view line, std::size_t at, bool& doubled) {
  for (; at < line.size(); ++at) {
    if (line[at] != '"') continue;
    if (at + 1 == line.size() || line[at + 1] != '"') return at;
    doubled = true;
    ++at;
  }
  return std::string_view::npos;
}

// The separator of a line with quotes: the first of ';', tab, ',' found
// outside them, a quote opening a field where it is the first character of
// the line or follows a blank or any of the three. A semicolon outside
// quotes settles it at once.
char QuotedLineSeparator(std::string_view line) {
  unsigned held = 0;
  bool fieldStart = true;
  for (std::size_t at = 0; at < line.size(); ++at) {
    const char c = line[at];
    if (c == '"' && fieldStart) {
      bool doubled = false;
      at = ClosingQuote(line, at + 1, doubled);
      if (at == std::string_view::npos) break;
      fieldStart = false;
      continue;
    }
    if (c == ';') return ';';
    if (IsMark(c)) held |= HeldBit(c);
    fieldStart = IsBlank(c) || IsMark(c);
  }
  return SeparatorOf(held);
}

// Reads the quoted field whose opening quote is at `at`; moves `at` past
// the closing quote. False when it is not closed.
bool ReadQuoted(std::string_view line, std::size_t& at, std::string_view& field,
                std::string& unquoted) {
  const std::size_t begin = at + 1;
  bool doubled = false;
  const std::size_t end = ClosingQuote(line, begin, doubled);
  if (end == std::string_view::npos) return false;
  field = line.substr(begin, end - begin);
  at = end + 1;
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

// A line with quotes, split at `split.separator` byte by byte: a field that
// starts with a quote runs to its closing quote.
void SplitQuoted(std::string_view line, std::span<std::string_view> fields, std::string& unquoted,
                 SplitLine& split) {
  const char separator = split.separator;
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
      while (at < line.size() && pads(line[at]) && line[at] != separator) ++at;
      if (at < line.size() && line[at] != separator) {
        split.fault = "text follows the closing quote of a field";
        return;
      }
    } else {
      const std::size_t begin = at;
      while (at < line.size() && line[at] != separator) ++at;
      field = Trimmed(line.substr(begin, at - begin));
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
  const unsigned held = SplitAtFirstMark(line, fields, split);
  if ((held & kQuote) != 0) {
    split.count = 0;
    split.quoted = true;
    split.separator = QuotedLineSeparator(line);
    SplitQuoted(line, fields, unquoted, split);
  } else if (split.separator == ' ') {
    SplitAtBlanks(line, fields, split);
  } else if (SeparatorOf(held) != split.separator) {
    SplitAtMarks(line, SeparatorOf(held), fields, split);
  }
  return split;
}

}  // namespace reading
