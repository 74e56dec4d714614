#include "reader/text/text_lines.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "reader/text/encoding_vote.h"
#include "reader/text/line_kind.h"
#include "reader/text/undecoded_line.h"
#include "reader/text/utf8_check.h"

namespace reading {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr char kCtrlZ = '\x1A';

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

bool IsHigh(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Where the first byte of 0x80 or more is in text[at, end); `end` when
// there is none. Sixty-four bytes at a time with SSE2 (every x86-64 has
// it), sixteen, then eight: a byte's top bit is set or not. Carriage
// returns are found apart, by memchr (FindCr): the two scans cost 0.3
// instructions a byte, against 0.9 for one scan for both sixteen bytes at a
// time (2.1% of corvane-calc's instructions on forward rows, now 0.6%; byte
// by byte it cost a tenth of its CPU time).
std::size_t FindHigh(const char* text, std::size_t at, std::size_t end) {
#if defined(__SSE2__)
  const auto load = [text](std::size_t from) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + from));
  };
  while (end - at >= 64) {
    const __m128i any = _mm_or_si128(_mm_or_si128(load(at), load(at + 16)),
                                     _mm_or_si128(load(at + 32), load(at + 48)));
    if (_mm_movemask_epi8(any) != 0) break;
    at += 64;
  }
  while (end - at >= 16) {
    const int found = _mm_movemask_epi8(load(at));
    if (found != 0)
      return at + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(found)));
    at += 16;
  }
#endif
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kTops = 0x8080808080808080;
    while (end - at >= 8) {
      std::uint64_t word;
      std::memcpy(&word, text + at, 8);
      if ((word & kTops) != 0)
        return at + static_cast<std::size_t>(std::countr_zero(word & kTops)) / 8;
      at += 8;
    }
  }
  while (at < end && !IsHigh(text[at])) ++at;
  return at;
}

// Where the first carriage return is in text[at, end); `end` when none.
std::size_t FindCr(const char* text, std::size_t at, std::size_t end) {
  const void* cr = std::memchr(text + at, '\r', end - at);
  return cr == nullptr ? end : static_cast<std::size_t>(static_cast<const char*>(cr) - text);
}

// Where the line that holds text[at] ends: its first CR or LF.
std::size_t LineEndFrom(const char* text, std::size_t at) {
  while (!IsLineEnd(text[at])) ++at;
  return at;
}

// Past the line end at text[at], CRLF counted as one.
std::size_t PastLineEnd(const char* text, std::size_t at, std::size_t end) {
  return text[at] == '\r' && at + 1 < end && text[at + 1] == '\n' ? at + 2 : at + 1;
}

}  // namespace

TextLines::TextLines(std::optional<TextEncoding> named) : decoder_(named), named_(named) {}

bool TextLines::Add(std::string_view bytes) {
  if (refusal_ != Refusal::kNone) return false;
  if (decoder_.PassesThrough()) {
    buffer_ += bytes;
    return true;
  }
  return decoder_.Decode(bytes, buffer_);
}

char* TextLines::Space(std::size_t size) {
  // Bytes passed on go straight into the text; anything else is decoded
  // from raw_.
  std::string& target = decoder_.PassesThrough() ? buffer_ : raw_;
  spaceAt_ = target.size();
  target.resize(spaceAt_ + size);
  return target.data() + spaceAt_;
}

bool TextLines::Added(std::size_t count) {
  if (decoder_.PassesThrough()) {
    buffer_.resize(spaceAt_ + count);
    return refusal_ == Refusal::kNone;
  }
  raw_.resize(spaceAt_ + count);
  const bool decoded = refusal_ == Refusal::kNone && decoder_.Decode(raw_, buffer_);
  raw_.clear();
  return decoded;
}

bool TextLines::End() {
  ended_ = true;
  if (!decoder_.Finish(buffer_) || refusal_ != Refusal::kNone) return false;
  if (!buffer_.empty() && buffer_.back() == kCtrlZ) buffer_.pop_back();
  return true;
}

bool TextLines::Take(std::string& piece) {
  if (refusal_ != Refusal::kNone || !decoder_.Decided()) return false;
  if (afterCr_ && !buffer_.empty()) {
    if (buffer_[0] == '\n') buffer_.erase(0, 1);  // the LF of a CRLF that came in two reads
    afterCr_ = false;
  }
  if (skipping_ && !SkipRest()) return false;
  if (!encoding_) {
    // A byte-order mark, or the encoding named, if either says.
    const std::optional<TextEncoding> start = decoder_.encoding() ? decoder_.encoding() : named_;
    if (start && !UseEncoding(*start)) return false;
  }
  while (buffer_.starts_with(kUtf8Mark)) StartInput();
  std::size_t last = buffer_.find_last_of("\r\n");
  if (last == std::string::npos && ended_ && !buffer_.empty()) {
    // The last line, which the input ended (once the lines before it and a
    // mark at its start are taken: a mark alone opens no line).
    buffer_ += '\n';
    last = buffer_.size() - 1;
  }
  if (last == std::string::npos) {
    if (buffer_.size() <= kMaxLineChars + 1) return false;
    TakeCut(piece);
  } else {
    std::size_t end = last + 1;
    if (!encoding_ && !Sample(end)) return false;
    if (!ReadLines(end, piece)) return false;
  }
  startsInput_ = newInput_;
  newInput_ = false;
  return true;
}

// Drops the rest of an overlong line, up to its line end; false while that
// has not come.
bool TextLines::SkipRest() {
  const std::size_t lineEnd = buffer_.find_first_of("\r\n");
  if (lineEnd == std::string::npos) {
    buffer_.clear();
    if (ended_) skipping_ = false;
    return false;
  }
  const std::size_t past = PastLineEnd(buffer_.data(), lineEnd, buffer_.size());
  afterCr_ = past == buffer_.size() && buffer_.back() == '\r';
  buffer_.erase(0, past);
  skipping_ = false;
  return true;
}

// Hands out the start of a line too long to be whole: two characters past
// the limit, still too long once a "\r" is dropped. The rest is skipped.
void TextLines::TakeCut(std::string& piece) {
  piece.assign(buffer_, 0, kMaxLineChars + 2);
  piece.push_back('\n');
  buffer_.clear();
  skipping_ = true;
}

// Drops the byte-order mark at the start of buffer_: a new input starts,
// in the mark's encoding.
void TextLines::StartInput() {
  buffer_.erase(0, kUtf8Mark.size());
  newInput_ = true;
  found_ = false;
  if (decoder_.PassesThrough()) UseEncoding(TextEncoding::kUtf8);
}

// Reads the lines in `encoding` from now on. False when they cannot be
// converted here (error() says why).
bool TextLines::UseEncoding(TextEncoding encoding) {
  encoding_ = encoding;
  converter_.reset();
  if (!decoder_.PassesThrough() || encoding == TextEncoding::kUtf8) return true;
  converter_ = std::make_unique<LineConverter>(encoding);
  if (converter_->usable()) return true;
  refusal_ = Refusal::kNoConverter;
  return false;
}

// Where the encoding is neither marked nor named: decides it once the
// lines that tell are there, else limits `end` to the lines before them
// (ASCII, handed out as they come). False where no line can be handed out
// yet, or the encoding cannot be converted here.
bool TextLines::Sample(std::size_t& end) {
  const char* const text = buffer_.data();
  const std::size_t high = FindHigh(text, 0, end);
  if (high == end) return true;  // ASCII alone so far
  std::size_t from = high;
  while (from > 0 && !IsLineEnd(text[from - 1])) --from;
  if (!ended_ && buffer_.size() - from < kEncodingSample &&
      !std::string_view(text + from, end - from).starts_with(kUtf8Mark)) {
    end = from;
    return end > 0;
  }
  return Decide(from, end);
}

// Decides the encoding from the lines of buffer_[from, end) that end within
// kEncodingSample bytes of `from` (all of them once the input has ended), up
// to a byte-order mark that starts a line (a new input). False when the
// encoding cannot be converted here.
bool TextLines::Decide(std::size_t from, std::size_t end) {
  const char* const text = buffer_.data();
  const std::size_t limit = ended_ ? end : std::min(end, from + kEncodingSample);
  EncodingVote vote;
  std::size_t at = from;
  while ((at = FindHigh(text, at, limit)) < limit) {
    std::size_t lineStart = at;
    while (lineStart > from && !IsLineEnd(text[lineStart - 1])) --lineStart;
    if (std::string_view(text + lineStart, end - lineStart).starts_with(kUtf8Mark)) break;
    const std::size_t lineEnd = LineEndFrom(text, at);
    if (lineEnd >= limit) break;  // a line that ends past the sample
    vote.Count(std::string_view(text + lineStart, lineEnd - lineStart));
    at = lineEnd;
  }
  found_ = true;
  const TextEncoding encoding = vote.Decision();
  if (encoding == TextEncoding::kUtf8 || !vote.converter()) return UseEncoding(encoding);
  // The converter that tried the lines, with what it learnt of their characters.
  encoding_ = encoding;
  converter_ = vote.TakeConverter();
  if (converter_->usable()) return true;
  refusal_ = Refusal::kNoConverter;
  return false;
}

// Hands out the lines of buffer_[0, end) in `piece`, up to the first that
// starts a new input: a lone CR followed by an LF, ASCII lines as they are,
// other lines checked as UTF-8 or converted; a line that is no text in the
// encoding marked. False when the encoding cannot be converted here.
bool TextLines::ReadLines(std::size_t end, std::string& piece) {
  char* const text = buffer_.data();
  bool copying = false;    // the lines go to out_, not as they are in buffer_
  std::size_t copied = 0;  // out_ holds what buffer_[0, copied) gives
  const auto copyTo = [&](std::size_t to) {
    if (!copying) out_.clear();
    copying = true;
    out_.append(text + copied, to - copied);
    copied = to;
  };
  std::size_t at = 0;
  std::size_t checkedTo = 0;  // lines before this are looked at for the other encoding
  bool ambiguous = false;     // the line reads in the other of UTF-8 and GB18030 too
  std::size_t longAt = 0;  // (found UTF-8) past the lead of the last character of 3 bytes or more
  std::size_t cr = FindCr(text, 0, end);  // the next carriage return from `at` on
  // The next byte of 0x80 or more, or carriage return, from `at` on.
  const auto findHighOrCr = [&] {
    if (cr < at) cr = FindCr(text, at, end);
    return FindHigh(text, at, std::min(cr, end));
  };
  while ((at = findHighOrCr()) < end) {
    if (text[at] == '\r') {
      if (at + 1 < end && text[at + 1] == '\n') {
        at += 2;
      } else {
        // A line end of its own: handed out as CRLF, as it would be if an LF
        // came in the next read (which is then dropped).
        copyTo(at + 1);
        out_ += '\n';
        ++at;
      }
      continue;
    }
    const auto startOfLine = [text, at] {
      std::size_t start = at;
      while (start > 0 && !IsLineEnd(text[start - 1])) --start;
      return start;
    };
    if (text[at] == kUtf8Mark[0] && at > 0 && IsLineEnd(text[at - 1]) &&
        std::string_view(text + at, end - at).starts_with(kUtf8Mark)) {
      end = at;  // a new input: it starts the next piece
      break;
    }
    std::size_t lineStart = 0;
    std::size_t lineEnd = 0;
    // Whether the line of text[at] is valid UTF-8 that holds a character of
    // three bytes or more, which GBK rows never are; it is looked at once.
    const auto readsAsUtf8 = [&] {
      lineStart = startOfLine();
      lineEnd = checkedTo = LineEndFrom(text, at);
      return HoldsLongUtf8(std::string_view(text + lineStart, lineEnd - lineStart));
    };
    if (converter_ == nullptr) {
      if (found_ && static_cast<unsigned char>(text[at]) >= 0xE0) {
        longAt = at + 1;  // a character of three bytes or more: the line is UTF-8
      } else if (found_ && at >= checkedTo && (lineStart = startOfLine()) >= longAt) {
        // A pair first on its line: the rest of the line is looked at once
        // for pairs alone that read as GBK's Chinese too. (Chinese lines,
        // whose characters are of three bytes, cost a test of their first.)
        lineEnd = checkedTo = LineEndFrom(text, at);
        if (OnlyGbkLikePairs(std::string_view(text + at, lineEnd - at))) {
          copyTo(lineStart);
          ambiguous = true;
        }
      }
      if (!ambiguous) {
        // Past the characters up to the next ASCII byte, if they are valid.
        at = PastCharacters(reinterpret_cast<const unsigned char*>(text), at, end);
        if (!IsHigh(text[at])) continue;  // an ASCII byte (a line end at the least) follows
        lineStart = startOfLine();
        lineEnd = LineEndFrom(text, at);
        copyTo(lineStart);
      }
    } else if (found_ && at >= checkedTo && readsAsUtf8()) {
      // A line of UTF-8 in a file found to be GB18030 (UTF-8 rows added to a
      // GBK file): most of it is valid GB18030 too, and garbled, so it is
      // refused; which it is, only the user knows.
      copyTo(lineStart);
      scratch_.clear();
      ambiguous =
          converter_->Append(std::string_view(text + lineStart, lineEnd - lineStart), scratch_);
    } else {
      // The characters up to the next ASCII byte, as far as they are kept.
      copyTo(at);
      std::string_view utf8;
      std::size_t length = 0;
      while (IsHigh(text[at]) &&
             (length = converter_->Find(std::string_view(text + at, end - at), utf8)) != 0) {
        out_ += utf8;
        at += length;
      }
      copied = at;
      if (length != 0) continue;
      lineStart = startOfLine();
      lineEnd = LineEndFrom(text, at);
      // What the line's start has become: up to the last line end out_ holds.
      const std::size_t lastEnd = out_.rfind('\n');
      const std::size_t outLineStart = lastEnd == std::string::npos ? 0 : lastEnd + 1;
      if (converter_->Append(std::string_view(text + at, lineEnd - at), out_)) {
        copied = at = lineEnd;
        continue;
      }
      out_.resize(outLineStart);
    }
    // A comment is copied as it comes; a row is marked.
    const std::string_view line(text + lineStart, lineEnd - lineStart);
    if (IsBlankOrComment(line)) {
      out_ += line;
    } else if (ambiguous) {
      const bool utf8 = *encoding_ == TextEncoding::kUtf8;
      AppendUndecoded(out_, *encoding_, line, utf8 ? TextEncoding::kGb18030 : TextEncoding::kUtf8);
    } else {
      AppendUndecoded(out_, *encoding_, line);
    }
    ambiguous = false;
    out_ += '\n';
    copied = at = PastLineEnd(text, lineEnd, end);
  }
  afterCr_ = end == buffer_.size() && text[end - 1] == '\r';
  if (!copying) {
    // The lines change places with the piece; only the rest is copied.
    piece.swap(buffer_);
    buffer_.assign(piece, end);
    piece.resize(end);
    return true;
  }
  copyTo(end);
  piece.swap(out_);
  buffer_.erase(0, end);
  return true;
}

}  // namespace reading
