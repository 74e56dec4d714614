#include "reader/text/text_encoding.h"

#include <gtest/gtest.h>

#include "reader/text/utf8_converter.h"

namespace {

using reading::TextEncoding;

TEST(TextEncoding, NamesAreFoundWhateverTheirCaseAndDashes) {
  const struct {
    const char* name;
    TextEncoding encoding;
  } names[] = {
      {"utf-8", TextEncoding::kUtf8},
      {"UTF8", TextEncoding::kUtf8},
      {"gb18030", TextEncoding::kGb18030},
      {"GBK", TextEncoding::kGb18030},
      {"gb2312", TextEncoding::kGb18030},
      {"big5", TextEncoding::kBig5},
      {"Latin-1", TextEncoding::kLatin1},
      {"iso-8859-1", TextEncoding::kLatin1},
      {"windows-1252", TextEncoding::kWindows1252},
      {"Shift-JIS", TextEncoding::kShiftJis},
      {"shift_jis", TextEncoding::kShiftJis},
      {"utf-16le", TextEncoding::kUtf16Le},
      {"UTF_16BE", TextEncoding::kUtf16Be},
  };
  for (const auto& named : names) {
    TextEncoding encoding = TextEncoding::kUtf16Be;
    EXPECT_EQ(reading::FindEncoding(named.name, encoding), "") << named.name;
    EXPECT_EQ(encoding, named.encoding) << named.name;
  }
}

TEST(TextEncoding, AnUnknownNameIsRefusedWithTheKnownOnes) {
  TextEncoding encoding = TextEncoding::kBig5;
  EXPECT_EQ(reading::FindEncoding("koi8-r", encoding),
            "unknown encoding \"koi8-r\" (known: utf-8, gb18030 (also gbk, gb2312), big5, latin1, "
            "windows-1252, shift_jis, utf-16le, utf-16be)");
  EXPECT_EQ(encoding, TextEncoding::kBig5);
  EXPECT_NE(reading::FindEncoding("utf-8-and-more-than-sixteen", encoding), "");
}

}  // namespace

// UTF-8 written in another encoding (a CASS point file in GB18030), and
// read back by the converter the reader uses: the bytes as the encoding's
// tables give them, and text that is no UTF-8, or has no bytes there,
// refused with nothing written.
TEST(EncodeUtf8, WritesTheEncodingsBytesAndRefusesWhatItCannot) {
  std::string out = "x";
  ASSERT_TRUE(reading::EncodeUtf8("导2,,1384.009", TextEncoding::kGb18030, out));
  EXPECT_EQ(out, "x\xB5\xBC" "2,,1384.009");
  std::string back;
  ASSERT_EQ(reading::MakeUtf8Converter(TextEncoding::kGb18030)->Convert(out.substr(1), back),
            reading::Conversion::kDone);
  EXPECT_EQ(back, "导2,,1384.009");
  // A character outside GBK's two-byte range takes four bytes in GB18030.
  out.clear();
  ASSERT_TRUE(reading::EncodeUtf8("😀", TextEncoding::kGb18030, out));
  EXPECT_EQ(out, "\x94\x39\xFC\x36");
  out = "kept";
  EXPECT_FALSE(reading::EncodeUtf8("\xE5\xAF", TextEncoding::kGb18030, out));  // cut off
  EXPECT_FALSE(reading::EncodeUtf8("导", TextEncoding::kLatin1, out));          // no bytes there
  EXPECT_EQ(out, "kept");
}
