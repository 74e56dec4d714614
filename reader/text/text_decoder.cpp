#include "reader/text/text_decoder.h"

#include <algorithm>
#include <cstdint>

#include "reader/text/text_lines.h"
#include "reader/text/utf8_check.h"

namespace reading {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kUtf32LeMark = std::string_view("\xFF\xFE\0\0", 4);
constexpr std::string_view kUtf32BeMark = std::string_view("\0\0\xFE\xFF", 4);

// Whether `start` (the first bytes, fewer than `mark`'s) could still turn
// out to begin with `mark`.
bool MayBecome(std::string_view start, std::string_view mark) {
  return start.size() < mark.size() && mark.starts_with(start);
}

void AppendUtf8(std::string& text, std::uint32_t c) {
  if (c < 0x80) {
    text += static_cast<char>(c);
  } else if (c < 0x800) {
    text += static_cast<char>(0xC0 | c >> 6);
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    text += static_cast<char>(0xE0 | c >> 12);
    text += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | c >> 18);
    text += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    text += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsHighSurrogate(std::uint32_t unit) { return unit >= 0xD800 && unit < 0xDC00; }

bool IsLowSurrogate(std::uint32_t unit) { return unit >= 0xDC00 && unit < 0xE000; }

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// Text a line of which is read at once: control bytes but tabs and line
// ends are in no such line.
bool IsControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte < 0x20 && c != '\t' && !IsLineEnd(c)) || byte == 0x7F;
}

// Whole inputs are given to TextLines in pieces of this size, so that a
// big file is not held three times over.
constexpr std::size_t kDecodePiece = 1 << 20;

// Whether `bytes` read as UTF-16 text in one byte order: characters, tabs
// and line ends, surrogates in pairs (one cut off at the end aside), and a
// NUL among every 64 bytes or fewer (UTF-16 has one at least in every line
// end; text that is ASCII or GBK but for a stray NUL has fewer).
bool ReadsAsUtf16(std::string_view bytes) {
  constexpr std::size_t kBytesPerNul = 64;
  const auto nuls = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\0'));
  if (nuls * kBytesPerNul < bytes.size()) return false;
  for (const bool little : {true, false}) {
    bool text = true;
    bool afterHigh = false;
    for (std::size_t at = 0; text && at + 2 <= bytes.size(); at += 2) {
      const auto first = static_cast<unsigned char>(bytes[at]);
      const auto second = static_cast<unsigned char>(bytes[at + 1]);
      const std::uint32_t unit = little ? first | second << 8 : first << 8 | second;
      const bool control = unit < 0x20 && unit != '\t' && unit != '\n' && unit != '\r';
      text = !control && unit != 0xFFFE && unit != 0xFFFF && IsLowSurrogate(unit) == afterHigh;
      afterHigh = IsHighSurrogate(unit);
    }
    if (text) return true;
  }
  return false;
}

}  // namespace

const char* RefusalText(Refusal refusal) {
  switch (refusal) {
    case Refusal::kUtf32:
      return "UTF-32 text is not read: save it as UTF-8 or UTF-16";
    case Refusal::kUtf16WithoutMark:
      return "not UTF-8 text (NUL bytes: UTF-16 without a byte-order mark?): save it as UTF-8, "
             "or as UTF-16 with a byte-order mark";
    case Refusal::kNoConverter:
      return "its encoding cannot be converted on this system (glibc's iconv has no converter "
             "for it)";
    case Refusal::kNone:
      break;
  }
  return "";
}

void TextDecoder::Refuse(Refusal refusal) {
  state_ = State::kRefused;
  refusal_ = refusal;
}

bool TextDecoder::Decode(std::string_view bytes, std::string& text) {
  if (state_ == State::kPassing) {
    text += bytes;
    return true;
  }
  if (state_ == State::kRefused) return false;
  held_ += bytes;
  if (state_ == State::kStart && !DecideFromStart(false)) return state_ != State::kRefused;
  DecodeHeld(text);
  return true;
}

bool TextDecoder::Finish(std::string& text) {
  if (state_ == State::kStart) {
    DecideFromStart(true);
    if (state_ == State::kRefused) return false;
    DecodeHeld(text);
  }
  if (state_ == State::kRefused) return false;
  // A lone high surrogate at the very end as UTF-8 would spell it, and an
  // odd last byte, half a character, as 0xFE, no byte of UTF-8: either
  // makes its line one that does not decode.
  if (state_ == State::kUtf16Le || state_ == State::kUtf16Be) {
    if (held_.size() >= 2) {
      const auto first = static_cast<unsigned char>(held_[0]);
      const auto second = static_cast<unsigned char>(held_[1]);
      AppendUtf8(text, state_ == State::kUtf16Le ? first | second << 8 : first << 8 | second);
      held_.erase(0, 2);
    }
    if (!held_.empty()) text += '\xFE';
  }
  held_.clear();
  return true;
}

// Decodes what is held, the encoding decided: passed on as it is, UTF-16
// but for a part of a character.
void TextDecoder::DecodeHeld(std::string& text) {
  if (state_ == State::kPassing) {
    text += held_;
    held_.clear();
    return;
  }
  const std::string units = std::move(held_);
  held_.clear();
  DecodeUtf16(units, text);
}

// Decides the encoding from the bytes held at the start, where they are
// enough (or, `atEnd`, all there will be); takes off the byte-order mark.
// False while undecided.
bool TextDecoder::DecideFromStart(bool atEnd) {
  const std::string_view start = held_;
  // Two bytes tell UTF-16's marks; FF FE may begin UTF-32's mark too.
  if (!atEnd && (start.size() < 2 || MayBecome(start, kUtf8Mark) ||
                 MayBecome(start, kUtf32LeMark) || MayBecome(start, kUtf32BeMark))) {
    return false;
  }
  if (start.starts_with(kUtf32LeMark) || start.starts_with(kUtf32BeMark)) {
    Refuse(Refusal::kUtf32);
    return false;
  }
  std::size_t mark = 0;
  if (start.starts_with(kUtf8Mark)) {
    encoding_ = TextEncoding::kUtf8;
    mark = kUtf8Mark.size();
  } else if (start.starts_with(kUtf16LeMark)) {
    encoding_ = TextEncoding::kUtf16Le;
    mark = kUtf16LeMark.size();
  } else if (start.starts_with(kUtf16BeMark)) {
    encoding_ = TextEncoding::kUtf16Be;
    mark = kUtf16BeMark.size();
  } else if (named_ && !IsAsciiCompatible(*named_)) {
    encoding_ = named_;
  } else if (!SampleDecides(atEnd)) {
    return false;
  }
  state_ = encoding_ == TextEncoding::kUtf16Le   ? State::kUtf16Le
           : encoding_ == TextEncoding::kUtf16Be ? State::kUtf16Be
                                                 : State::kPassing;
  held_.erase(0, mark);
  return true;
}

// Whether the first bytes, without a mark, tell that they are no UTF-16
// (or refuse them as UTF-16 without a mark): see the header.
bool TextDecoder::SampleDecides(bool atEnd) {
  const std::string_view sample = std::string_view(held_).substr(0, kSampleBytes);
  if (sample.find('\0') < 2) {
    Refuse(Refusal::kUtf16WithoutMark);
    return false;
  }
  bool readAtOnce = true;  // valid UTF-8 without control bytes so far
  std::size_t lineAt = 0;  // where the line being looked at starts
  bool text = false;       // some text before the line end
  for (std::size_t at = 0; at < sample.size(); ++at) {
    const char c = sample[at];
    if (c == '\0') {
      // UTF-16, whatever its first character; or no text at all (a program,
      // a picture), which is passed on for its reader to refuse or show.
      if (!atEnd && sample.size() < kSampleBytes) return false;
      if (!ReadsAsUtf16(sample)) return true;
      Refuse(Refusal::kUtf16WithoutMark);
      return false;
    }
    if (!IsLineEnd(c)) {
      readAtOnce = readAtOnce && !IsControl(c);
      text = true;
      continue;
    }
    readAtOnce = readAtOnce && IsUtf8(sample.substr(lineAt, at - lineAt));
    lineAt = at + 1;
    if (text && readAtOnce) return true;
  }
  return atEnd || sample.size() == kSampleBytes;
}

// Turns the whole UTF-16 units of held_ + `bytes` into UTF-8; keeps an odd
// byte, and a high surrogate whose partner has not come, for later.
void TextDecoder::DecodeUtf16(std::string_view bytes, std::string& text) {
  const bool little = state_ == State::kUtf16Le;
  const auto unitAt = [&](std::size_t at) {
    const auto first = static_cast<unsigned char>(bytes[at]);
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    return static_cast<std::uint32_t>(little ? first | second << 8 : first << 8 | second);
  };
  std::size_t at = 0;
  while (at + 2 <= bytes.size()) {
    const std::uint32_t unit = unitAt(at);
    if (IsHighSurrogate(unit)) {
      if (at + 4 > bytes.size()) break;  // its partner may come next
      const std::uint32_t next = unitAt(at + 2);
      if (IsLowSurrogate(next)) {
        AppendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
        at += 4;
        continue;
      }
    }
    AppendUtf8(text, unit);  // a lone surrogate as UTF-8 would spell it
    at += 2;
  }
  held_.assign(bytes.substr(at));
}

std::string DecodeText(std::string_view bytes, std::string& text, std::optional<TextEncoding> named,
                       std::vector<std::size_t>* inputStarts) {
  TextLines lines(named);
  std::string piece;
  const auto takeLines = [&] {
    while (lines.Take(piece)) {
      if (inputStarts != nullptr && lines.startsInput()) inputStarts->push_back(text.size());
      text += piece;
    }
    return lines.error().empty();
  };
  for (std::size_t at = 0; at < bytes.size(); at += kDecodePiece) {
    if (!lines.Add(bytes.substr(at, kDecodePiece)) || !takeLines()) return lines.error();
  }
  if (!lines.End() || !takeLines()) return lines.error();
  return {};
}

}  // namespace reading
