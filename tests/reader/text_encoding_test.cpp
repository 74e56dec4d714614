#include "reader/text/text_encoding.h"

#include <gtest/gtest.h>

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
