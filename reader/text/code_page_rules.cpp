#include "reader/text/code_page_rules.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "reader/text/code_page_known.h"

namespace reading {
namespace {

bool IsDigitByte(unsigned char byte) { return byte >= 0x30 && byte <= 0x39; }

// The bytes that begin a longer character are iconv's: Big5's A1 to F9
// (code page 950 has 81 to FE), code page 932's 81 to 9F and E0 to FC.
constexpr CodePageRules kRules[] = {
    {TextEncoding::kGb18030, 936, 0x81, 0xFE, 0, 0, kGb18030Known, std::size(kGb18030Known),
     kGb18030FourBytes, std::size(kGb18030FourBytes)},
    {TextEncoding::kBig5, 950, 0xA1, 0xF9, 0, 0, kBig5Known, std::size(kBig5Known), nullptr, 0},
    {TextEncoding::kLatin1, 28591, 0, 0, 0, 0, kLatin1Known, std::size(kLatin1Known), nullptr,
     0},
    {TextEncoding::kWindows1252, 1252, 0, 0, 0, 0, kWindows1252Known,
     std::size(kWindows1252Known), nullptr, 0},
    {TextEncoding::kShiftJis, 932, 0x81, 0x9F, 0xE0, 0xFC, kShiftJisKnown,
     std::size(kShiftJisKnown), nullptr, 0},
};

}  // namespace

CharacterCut CodePageRules::Cut(std::string_view bytes) const {
  const auto first = static_cast<unsigned char>(bytes[0]);
  const bool lead = (first >= leadLow && first <= leadHigh && leadHigh != 0) ||
                    (first >= leadLow2 && first <= leadHigh2 && leadHigh2 != 0);
  if (!lead) return {Conversion::kDone, 1};
  if (bytes.size() < 2) return {Conversion::kCutOff, 0};
  const auto second = static_cast<unsigned char>(bytes[1]);
  if (fourBytes == nullptr || !IsDigitByte(second)) return {Conversion::kDone, 2};
  // A character of four bytes: its third byte is a lead again, its fourth a
  // digit. As iconv has it, fewer than four are cut off whatever the third.
  if (bytes.size() < 4) return {Conversion::kCutOff, 0};
  const auto third = static_cast<unsigned char>(bytes[2]);
  if (third < leadLow || third > leadHigh) return {Conversion::kInvalid, 0};
  if (!IsDigitByte(static_cast<unsigned char>(bytes[3]))) return {Conversion::kInvalid, 0};
  return {Conversion::kDone, 4};
}

CodePoint CodePageRules::Known(std::string_view bytes) const {
  if (bytes.size() == 4) return FourByte(bytes);
  std::uint32_t key = 0;
  for (const char byte : bytes) key = key << 8 | static_cast<unsigned char>(byte);
  const KnownCharacter* end = known + knownCount;
  const KnownCharacter* found = std::lower_bound(
      known, end, key, [](const KnownCharacter& k, std::uint32_t b) { return k.bytes < b; });
  return found != end && found->bytes == key ? found->codePoint : kAskCodePage;
}

CodePoint CodePageRules::FourByte(std::string_view bytes) const {
  const auto at = [bytes](std::size_t i) { return static_cast<std::uint32_t>(
                                               static_cast<unsigned char>(bytes[i])); };
  const std::uint32_t index =
      ((at(0) - 0x81) * 10 + at(1) - 0x30) * 1260 + (at(2) - 0x81) * 10 + at(3) - 0x30;
  const FourByteRange* end = fourBytes + fourByteCount;
  const FourByteRange* range = std::lower_bound(
      fourBytes, end, index, [](const FourByteRange& r, std::uint32_t i) { return r.last < i; });
  if (range == end || index < range->first) return kNoCharacter;
  return range->codePoint + (index - range->first);
}

bool CodePageRules::KnownBytes(CodePoint codePoint, std::string& out) const {
  for (std::size_t i = 0; i < knownCount; ++i) {
    if (known[i].codePoint != codePoint) continue;
    const std::uint32_t bytes = known[i].bytes;
    if (bytes > 0xFF) out += static_cast<char>(bytes >> 8);
    out += static_cast<char>(bytes & 0xFF);
    return true;
  }
  for (std::size_t i = 0; i < fourByteCount; ++i) {
    const FourByteRange& range = fourBytes[i];
    if (codePoint < range.codePoint || codePoint - range.codePoint > range.last - range.first)
      continue;
    std::uint32_t index = range.first + (codePoint - range.codePoint);
    char four[4];
    four[3] = static_cast<char>(0x30 + index % 10);
    index /= 10;
    four[2] = static_cast<char>(0x81 + index % 126);
    index /= 126;
    four[1] = static_cast<char>(0x30 + index % 10);
    four[0] = static_cast<char>(0x81 + index / 10);
    out.append(four, 4);
    return true;
  }
  return false;
}

const CodePageRules* FindCodePageRules(TextEncoding encoding) {
  for (const CodePageRules& rules : kRules) {
    if (rules.encoding == encoding) return &rules;
  }
  return nullptr;
}

}  // namespace reading
