#include "reader/text/line_converter.h"

#include <cstring>

#include "reader/text/utf8_check.h"

namespace reading {
namespace {

// The second bytes of the two-byte characters of GB18030, Big5 and code
// page 932 (0x40 to 0xFE, less some); other second bytes go to the
// converter.
constexpr unsigned char kLowestSecond = 0x40;
constexpr unsigned char kHighestSecond = 0xFE;

bool IsHigh(char c) { return static_cast<unsigned char>(c) >= 0x80; }

}  // namespace

LineConverter::LineConverter(TextEncoding encoding) : converter_(MakeUtf8Converter(encoding)) {}

LineConverter::~LineConverter() = default;

bool LineConverter::Append(std::string_view bytes, std::string& out) {
  if (converter_ == nullptr) return false;
  const std::size_t before = out.size();
  std::size_t at = 0;
  while (true) {
    const std::size_t ascii = at;
    while (at < bytes.size() && !IsHigh(bytes[at])) ++at;
    out.append(bytes, ascii, at - ascii);
    if (at == bytes.size()) return true;
    std::string_view utf8;
    const std::size_t length = Find(bytes.substr(at), utf8);
    if (length == 0) break;
    out += utf8;
    at += length;
  }
  // Whatever is not kept: the rest of the bytes through the converter.
  if (Convert(bytes.substr(at), out)) return true;
  out.resize(before);
  return false;
}

// Appends what the converter gives for `bytes`; false where it fails, `out`
// then holds part of it.
bool LineConverter::Convert(std::string_view bytes, std::string& out) {
  return converter_->Convert(bytes, out) == Conversion::kDone;
}

// Finds out from the converter what `first` is: a character alone, the first
// byte of characters of two bytes (kept for every second byte), or neither.
// False where there is no converter to ask.
bool LineConverter::Learn(unsigned char first) {
  if (converter_ == nullptr) return false;
  const char alone[] = {static_cast<char>(first)};
  First& kind = first_[first - 0x80];
  alone_[first - 0x80] = Keep(std::string_view(alone, 1));
  if (alone_[first - 0x80].length != 0) {
    kind = First::kAlone;
    return true;
  }
  // A byte that begins a longer character is cut off when alone.
  std::string none;
  if (converter_->Convert(std::string_view(alone, 1), none) != Conversion::kCutOff) {
    kind = First::kOther;
    return true;
  }
  kind = First::kLead;
  auto row = std::make_unique<Row>();
  for (unsigned second = kLowestSecond; second <= kHighestSecond; ++second) {
    const char pair[] = {static_cast<char>(first), static_cast<char>(second)};
    (*row)[second] = Keep(std::string_view(pair, 2));
  }
  pairs_[first - 0x80] = std::move(row);
  return true;
}

// The one character the converter makes of all of `bytes`, if it makes one.
LineConverter::Character LineConverter::Keep(std::string_view bytes) {
  Character character;
  std::string utf8;
  if (!Convert(bytes, utf8) || utf8.empty() || utf8.size() > sizeof character.utf8) {
    return character;
  }
  const auto lead = static_cast<unsigned char>(utf8[0]);
  const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  if (length != utf8.size()) return character;  // more than one character
  character.length = static_cast<unsigned char>(length);
  std::memcpy(character.utf8, utf8.data(), length);
  return character;
}

std::string FileNameText(std::string_view bytes) {
  std::string text;
  if (!IsUtf8(bytes) && LineConverter(TextEncoding::kGb18030).Append(bytes, text)) return text;
  return std::string(bytes);
}

}  // namespace reading
