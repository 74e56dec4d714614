#include "reader/field_splitter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace reading {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsMark(char c) { return c == ';' || c == '\t' || c == ','; }

std::string_view TrimBlanks(std::string_view field) {
  while (!field.empty() && IsBlank(field.front())) field.remove_prefix(1);
  while (!field.empty() && IsBlank(field.back())) field.remove_suffix(1);
  return field;
}

// The same where a field mostly has no blanks to trim.
std::string_view Trimmed(std::string_view field) {
  return !field.empty() && (IsBlank(field.front()) || IsBlank(field.back())) ? TrimBlanks(field)
                                                                             : field;
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

// The high bit of each byte of `bytes` that is a semicolon, tab, comma or
// quote: ZeroBytes of the four comparisons at once.
std::uint64_t AnyMarks(std::uint64_t bytes) {
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7F;
  const auto notZero = [bytes](std::uint64_t every) {
    const std::uint64_t v = bytes ^ every;
    return ((v & kLow7) + kLow7) | v;
  };
  return ~((notZero(EveryByte(';')) & notZero(EveryByte('\t')) & notZero(EveryByte(',')) &
            notZero(EveryByte('"'))) |
           kLow7);
}

// A list that keeps its first entries in place and only the rest of a long
// one on the heap.
template <typename T>
class ShortList {
 public:
  void Add(const T& entry) {
    if (count_ < kInPlace) {
      inPlace_[count_++] = entry;
      return;
    }
    if (count_ == kInPlace) rest_.assign(inPlace_.begin(), inPlace_.end());
    rest_.push_back(entry);
    ++count_;
  }
  std::size_t size() const { return count_; }
  const T& operator[](std::size_t i) const { return count_ <= kInPlace ? inPlace_[i] : rest_[i]; }

 private:
  static constexpr std::size_t kInPlace = 64;
  std::array<T, kInPlace> inPlace_;
  std::vector<T> rest_;
  std::size_t count_ = 0;
};

// The separators a line holds, as bits.
enum Held : unsigned { kSemicolon = 1, kTab = 2, kComma = 4, kQuote = 8 };

unsigned HeldBit(char c) {
  return c == ';' ? kSemicolon : c == '\t' ? kTab : c == ',' ? kComma : kQuote;
}

// Finds the line's semicolons, tabs and commas eight bytes at a time;
// returns which of them it holds. Stops at a quote (kQuote), after which
// the line is read byte by byte.
unsigned FindMarks(std::string_view line, ShortList<std::uint32_t>& marks) {
  unsigned held = 0;
  for (std::size_t block = 0; block < line.size(); block += 8) {
    for (std::uint64_t found = AnyMarks(BytesAt(line, block)); found != 0; found &= found - 1) {
      const std::size_t at = block + std::countr_zero(found) / 8;
      const unsigned bit = HeldBit(line[at]);
      if (bit == kQuote) return held | kQuote;
      held |= bit;
      marks.Add(static_cast<std::uint32_t>(at));
    }
  }
  return held;
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

// A line without quotes, split at each of its separators among the marks.
void SplitAtMarks(std::string_view line, const ShortList<std::uint32_t>& marks, char separator,
                  std::span<std::string_view> fields, SplitLine& split) {
  std::size_t begin = 0;  // of the field being read
  for (std::size_t i = 0; i < marks.size(); ++i) {
    const std::size_t at = marks[i];
    if (line[at] != separator) continue;
    Store(Trimmed(line.substr(begin, at - begin)), fields, split);
    begin = at + 1;
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
  ShortList<std::uint32_t> marks;
  const unsigned held = FindMarks(line, marks);
  if ((held & kQuote) != 0) {
    split.separator = QuotedLineSeparator(line);
    SplitQuoted(line, fields, unquoted, split);
    return split;
  }
  split.separator = SeparatorOf(held);
  if (split.separator == ' ') {
    SplitAtBlanks(line, fields, split);
  } else {
    SplitAtMarks(line, marks, split.separator, fields, split);
  }
  return split;
}

}  // namespace reading
