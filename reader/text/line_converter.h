#pragma once

// Lines of an ASCII-compatible encoding other than UTF-8 (GB18030, Big5,
// Latin-1, Windows-1252, Shift_JIS) turned into UTF-8 by the system's
// converter (utf8_converter.h; glibc's iconv, which every Debian system
// has): no table of our own.
//
// Speed: what iconv gives for each character of one or two bytes is kept
// the first time its first byte comes (a row of 191 calls of iconv), and
// taken from there after that; the rest (GB18030's characters of four
// bytes, bytes that are no character) goes to iconv. A call of iconv costs
// about as much as reading a whole ASCII line: with one call for each line
// that is not ASCII, a file of Chinese names in GBK took 137 ns a line in
// TextLines; with the characters kept, 37 ns (the same in UTF-8: 22 ns;
// bench/text/run.sh, which also finds corvane-calc at 1.04 times the CPU
// time of the UTF-8 file for the GBK file).
//
// One converter belongs to one input; it is not shared between threads.

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "reader/text/text_encoding.h"
#include "reader/text/utf8_converter.h"

namespace reading {

class LineConverter {
 public:
  // `encoding`: ASCII compatible and not UTF-8.
  explicit LineConverter(TextEncoding encoding);
  ~LineConverter();
  LineConverter(const LineConverter&) = delete;
  LineConverter& operator=(const LineConverter&) = delete;

  // Whether this system can convert from the encoding (its iconv has a
  // converter for it).
  bool usable() const { return converter_ != nullptr; }

  // Appends the UTF-8 of `bytes` (whole characters, e.g. one line without
  // its line end) to `out`. False where a byte sequence of them is no
  // character of the encoding, or is cut off at their end, or the
  // converter is not usable: `out` is then as it was.
  bool Append(std::string_view bytes, std::string& out);

  // The character of one or two bytes that starts `bytes` (with a byte of
  // 0x80 or more), where iconv makes one of them: its UTF-8 in `utf8` (valid
  // until the converter is destroyed), and its length in `bytes` returned.
  // 0 for anything else (a longer character, bytes that are none): Append
  // tells.
  std::size_t Find(std::string_view bytes, std::string_view& utf8) {
    const auto first = static_cast<unsigned char>(bytes[0]);
    const Character* character = nullptr;
    switch (first_[first - 0x80]) {
      case First::kAlone:
        character = &alone_[first - 0x80];
        break;
      case First::kLead:
        if (bytes.size() < 2) return 0;
        character = &(*pairs_[first - 0x80])[static_cast<unsigned char>(bytes[1])];
        break;
      case First::kUnknown:
        return Learn(first) ? Find(bytes, utf8) : 0;
      case First::kOther:
        return 0;
    }
    utf8 = std::string_view(character->utf8, character->length);
    return character->length == 0 ? 0 : first_[first - 0x80] == First::kLead ? 2 : 1;
  }

 private:
  // The UTF-8 of one character as iconv gives it; `length` 0 where it is
  // not kept.
  struct Character {
    unsigned char length = 0;
    char utf8[4] = {};
  };
  // What a byte of 0x80 or more is, once it has come.
  enum class First : unsigned char { kUnknown, kAlone, kLead, kOther };
  using Row = std::array<Character, 256>;  // by second byte

  bool Convert(std::string_view bytes, std::string& out);
  bool Learn(unsigned char first);
  Character Keep(std::string_view bytes);

  std::unique_ptr<Utf8Converter> converter_;  // none where the system has none
  std::array<First, 128> first_{};               // by first byte - 0x80
  std::array<Character, 128> alone_{};           // kAlone: the character of that byte
  std::array<std::unique_ptr<Row>, 128> pairs_;  // kLead: the characters it starts
};

// A file's name as the file system holds its bytes, in UTF-8 for showing:
// as it is where it is UTF-8, else as GB18030 (a name from a Windows zip
// archive) where that reads, else as it is.
std::string FileNameText(std::string_view bytes);

}  // namespace reading
