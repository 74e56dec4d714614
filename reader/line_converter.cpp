#include "reader/line_converter.h"

#include <cerrno>
#include <cstring>

#include "reader/utf8_check.h"

namespace reading {
namespace {

const iconv_t kNoIconv = reinterpret_cast<iconv_t>(-1);

// iconv's name of each encoding.
const char* IconvName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kGb18030:
      return "GB18030";
    case TextEncoding::kBig5:
      return "BIG5";
    case TextEncoding::kLatin1:
      return "ISO-8859-1";
    case TextEncoding::kWindows1252:
      return "WINDOWS-1252";
    case TextEncoding::kShiftJis:
      return "CP932";
    default:
      return "UTF-8";
  }
}

// Every character of these encodings is at most 3 bytes of UTF-8 for each
// of its bytes (a one-byte character may become three: Windows-1252's euro
// sign, half-width katakana).
constexpr std::size_t kMostUtf8PerByte = 3;

// The second bytes of the two-byte characters of GB18030, Big5 and code
// page 932 (0x40 to 0xFE, less some); other second bytes go to iconv.
constexpr unsigned char kLowestSecond = 0x40;
constexpr unsigned char kHighestSecond = 0xFE;

bool IsHigh(char c) { return static_cast<unsigned char>(c) >= 0x80; }

}  // namespace

LineConverter::LineConverter(TextEncoding encoding)
    : iconv_(iconv_open("UTF-8", IconvName(encoding))) {}

LineConverter::~LineConverter() {
  if (iconv_ != kNoIconv) iconv_close(iconv_);
}

bool LineConverter::Append(std::string_view bytes, std::string& out) {
  if (iconv_ == kNoIconv) return false;
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
  // Whatever is not kept: the rest of the bytes through iconv.
  if (Convert(bytes.substr(at), out)) return true;
  out.resize(before);
  return false;
}

// Appends what iconv gives for `bytes`; false where it fails, `out` then
// holds part of it.
bool LineConverter::Convert(std::string_view bytes, std::string& out) {
  // iconv's interface takes a non-const input pointer; it does not write there.
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  std::size_t written = out.size();
  out.resize(written + bytes.size() * kMostUtf8PerByte);
  while (true) {
    char* put = out.data() + written;
    std::size_t room = out.size() - written;
    const std::size_t done = iconv(iconv_, &in, &inLeft, &put, &room);
    written = static_cast<std::size_t>(put - out.data());
    if (done != static_cast<std::size_t>(-1)) break;
    if (errno != E2BIG) {
      iconv(iconv_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
      out.resize(written);
      return false;
    }
    out.resize(out.size() + inLeft * kMostUtf8PerByte + 4);
  }
  out.resize(written);
  return true;
}

// Finds out from iconv what `first` is: a character alone, the first byte
// of characters of two bytes (kept for every second byte), or neither.
// False where there is no iconv to ask.
bool LineConverter::Learn(unsigned char first) {
  if (iconv_ == kNoIconv) return false;
  const char alone[] = {static_cast<char>(first)};
  First& kind = first_[first - 0x80];
  alone_[first - 0x80] = Keep(std::string_view(alone, 1));
  if (alone_[first - 0x80].length != 0) {
    kind = First::kAlone;
    return true;
  }
  // A byte that begins a longer character is cut off when alone.
  std::string none;
  if (Convert(std::string_view(alone, 1), none) || errno != EINVAL) {
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

// The one character iconv makes of all of `bytes`, if it makes one.
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
