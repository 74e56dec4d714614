// The system's converter behind the reader: glibc's iconv on Linux, Windows'
// code pages read as iconv reads them on Windows; both suites run these.
// The expected UTF-8 is glibc's iconv command's (Debian 12), the published
// GB18030 four-byte ranges for U+0080, U+FFFF, U+10000 and U+10FFFF.

#include "reader/text/utf8_converter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using reading::Conversion;
using reading::MakeUtf8Converter;
using reading::TextEncoding;

struct Case {
  TextEncoding encoding;
  std::string bytes;
  Conversion how;
  std::string utf8;  // what comes before the failure, if one
};

void Check(const Case& c) {
  const auto converter = MakeUtf8Converter(c.encoding);
  ASSERT_NE(converter, nullptr);
  std::string out = "K";
  EXPECT_EQ(converter->Convert(c.bytes, out), c.how) << c.bytes;
  EXPECT_EQ(out, "K" + c.utf8) << c.bytes;
}

// Where Windows' code pages answer otherwise than iconv (936 has no euro
// at A2E3 and gives 0x80 the euro; 1252 and 932 pass bytes iconv refuses).
TEST(Utf8Converter, GivesIconvsCharactersWhereTheCodePagesDiffer) {
  const Case cases[] = {
      {TextEncoding::kGb18030, "\xA2\xE3", Conversion::kDone, "€"},
      {TextEncoding::kGb18030, "\xA6\xD9", Conversion::kDone, "\xEF\xB8\x90"},    // U+FE10
      {TextEncoding::kGb18030, "\xA8\xBC", Conversion::kDone, "\xE1\xB8\xBF"},    // ḿ
      {TextEncoding::kGb18030, "\xFE\x50", Conversion::kDone, "\xE2\xBA\x81"},    // ⺁
      {TextEncoding::kGb18030, "\xFE\x91", Conversion::kDone, "\xF0\xA4\x87\xBE"},  // U+241FE
      {TextEncoding::kGb18030, "\x80", Conversion::kInvalid, ""},
      {TextEncoding::kWindows1252, "\x80\x9F", Conversion::kDone, "€Ÿ"},
      {TextEncoding::kWindows1252, "\x80\x81", Conversion::kInvalid, "€"},
      {TextEncoding::kWindows1252, "\x8D", Conversion::kInvalid, ""},
      {TextEncoding::kShiftJis, "\\\x82\xA0\x87\x40\xED\x40", Conversion::kDone, "\\あ①纊"},
      {TextEncoding::kShiftJis, "\x80", Conversion::kInvalid, ""},
      {TextEncoding::kShiftJis, "\xA0", Conversion::kInvalid, ""},
      {TextEncoding::kBig5, "\x80\xA3\xE1\xF9\xFE", Conversion::kDone, "\xC2\x80€▓"},
      {TextEncoding::kBig5, "\xFA\x40", Conversion::kInvalid, ""},
      {TextEncoding::kLatin1, "\x80\xFF", Conversion::kDone, "\xC2\x80ÿ"},
  };
  for (const Case& c : cases) Check(c);
}

TEST(Utf8Converter, ReadsGb18030sCharactersOfFourBytes) {
  const Case cases[] = {
      {TextEncoding::kGb18030, "\x81\x30\x81\x30", Conversion::kDone, "\xC2\x80"},
      {TextEncoding::kGb18030, "\x84\x31\xA4\x39", Conversion::kDone, "\xEF\xBF\xBF"},
      {TextEncoding::kGb18030, "\x90\x30\x81\x30", Conversion::kDone, "\xF0\x90\x80\x80"},
      {TextEncoding::kGb18030, "\xE3\x32\x9A\x35", Conversion::kDone, "\xF4\x8F\xBF\xBF"},
      {TextEncoding::kGb18030, "\xD6\xD0\x84\x31\xA5\x30", Conversion::kInvalid, "中"},
      {TextEncoding::kGb18030, "\xE3\x32\x9A\x36", Conversion::kInvalid, ""},
  };
  for (const Case& c : cases) Check(c);
}

// Cut off: the bytes end where a character could still go on (a line
// read in pieces); invalid: no character of the encoding starts there.
TEST(Utf8Converter, TellsACharacterCutOffFromBytesThatAreNone) {
  const Case cases[] = {
      {TextEncoding::kGb18030, "\xD6\xD0\xD6", Conversion::kCutOff, "中"},
      {TextEncoding::kGb18030, "\x81\x30", Conversion::kCutOff, ""},
      {TextEncoding::kGb18030, "\x81\x30\x20", Conversion::kCutOff, ""},
      {TextEncoding::kGb18030, "\x81\x30\x81", Conversion::kCutOff, ""},
      {TextEncoding::kGb18030, "\x81\x30\x81\x20", Conversion::kInvalid, ""},
      {TextEncoding::kGb18030, "\x81\x30\x20\x30", Conversion::kInvalid, ""},
      {TextEncoding::kGb18030, "\x81\x7F", Conversion::kInvalid, ""},
      {TextEncoding::kGb18030, "\xFF", Conversion::kInvalid, ""},
      {TextEncoding::kBig5, "\xA4\xA4\xA4", Conversion::kCutOff, "中"},
      {TextEncoding::kBig5, "\x81", Conversion::kInvalid, ""},
      {TextEncoding::kShiftJis, "\x93\xFA\x96", Conversion::kCutOff, "日"},
      {TextEncoding::kShiftJis, "\xFD", Conversion::kInvalid, ""},
  };
  for (const Case& c : cases) Check(c);
}

TEST(Utf8Converter, StartsAfreshAfterAFailure) {
  const auto converter = MakeUtf8Converter(TextEncoding::kGb18030);
  ASSERT_NE(converter, nullptr);
  std::string out;
  EXPECT_EQ(converter->Convert("\x81\x30", out), Conversion::kCutOff);
  EXPECT_EQ(converter->Convert("\xFF", out), Conversion::kInvalid);
  EXPECT_EQ(converter->Convert("\x30\xCF\xDF", out), Conversion::kDone);
  EXPECT_EQ(out, "0线");
}

}  // namespace
