#include "reader/text/text_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reader/text/text_lines.h"

namespace {

using namespace std::string_literals;

struct Case {
  std::vector<std::string> pieces;  // the bytes as they come
  std::string text;                 // what they decode to
  std::string error;                // or why they are refused
};

TEST(TextDecoder, ReadsUtf8AndUtf16WithAMarkInPiecesOfAnySize) {
  const Case cases[] = {
      {{"K1 1 2\r\n", "K2 3 4"}, "K1 1 2\r\nK2 3 4", ""},
      {{""}, "", ""},
      {{"1"}, "1", ""},  // too short to tell: UTF-8 at the end
      {{"\xEF\xBB\xBFK1"}, "K1", ""},
      {{"\xEF", "\xBB", "\xBF", "K1"}, "K1", ""},
      {{"\xEF\xBB"}, "\xEF\xBB", ""},  // the start of a mark, and no more
      {{"\xFF\xFEK\0001\0\n\0"s}, "K1\n", ""},
      {{"\xFE\xFF\0K\0001\0\n"s}, "K1\n", ""},
      {{"\xFF", "\xFE", "K", "\0"s, "\x4B\x6D"}, "K测", ""},  // U+6D4B
      // a pair of surrogates, split between pieces: U+1F4D0
      {{"\xFF\xFE\x3D\xD8", "\xD0\xDC"}, "\xF0\x9F\x93\x90", ""},
      // a lone surrogate and an odd byte make their line one that does not
      // decode (no UTF-8), never an "x" added to the last name
      {{"\xFF\xFE\x00\xD8K\0"s}, "\xED\xA0\x80K", ""},
      {{"\xFF\xFE\x00\xD8"s}, "\xED\xA0\x80", ""},
      {{"\xFF\xFEK\0x"s}, "K\xFE", ""},
      {{"\xFF\xFE\0\0K\0\0\0"s}, "", "UTF-32 text is not read: save it as UTF-8 or UTF-16"},
      {{"\0\0\xFE\xFF"s}, "", "UTF-32 text is not read: save it as UTF-8 or UTF-16"},
      {{"K\0001\0"s},
       "",
       "not UTF-8 text (NUL bytes: UTF-16 without a byte-order mark?): save it as UTF-8, or as "
       "UTF-16 with a byte-order mark"},
  };
  for (const Case& c : cases) {
    reading::TextDecoder decoder;
    std::string text;
    bool decoded = true;
    for (const std::string& piece : c.pieces) decoded = decoded && decoder.Decode(piece, text);
    decoded = decoded && decoder.Finish(text);
    EXPECT_EQ(text, c.text) << c.pieces[0];
    EXPECT_EQ(decoder.error(), c.error) << c.pieces[0];
    EXPECT_EQ(decoded, c.error.empty()) << c.pieces[0];
  }
}

// UTF-16 without a mark is told by its NUL bytes, wherever the first comes,
// by whatever character it starts; whatever way the bytes come in pieces.
// GBK, UTF-8 and a line typed in are no UTF-16, however short.
TEST(TextDecoder, TellsUtf16WithoutAMarkFromShortSamples) {
  const std::string refused =
      "not UTF-8 text (NUL bytes: UTF-16 without a byte-order mark?): save it as UTF-8, or as "
      "UTF-16 with a byte-order mark";
  const Case cases[] = {
      {{"\xA7\x63\x36\x52\x0A\x00"s}, "", refused},          // 控制, LF in UTF-16LE
      {{"\x63\xA7\x52\x36\x00\x0A"s}, "", refused},          // the same in UTF-16BE
      {{"\x0A\x4E\x77\x6D\x31\x00"s}, "", refused},          // 上海1: a LF byte first
      {{"\xA7\x63\x0A\x4E\x31\x00\x0A\x00"s}, "", refused},  // 控上1, LF
      // 放样坐标, CRLF: each byte ASCII, one of them a control byte
      {{"\x3E\x65\x37\x68\x50\x57\x07\x68\x0D\x00\x0A\x00"s}, "", refused},
      {{"\xBF\xD8\xD6\xC6\xB5\xE3"
        "2,,498360,3512990,\n"},
       "控制点2,,498360,3512990,\n",
       ""},
      {{"\xD6\xD0"}, "中\n", ""},
      {{"控制 1 2\n"}, "控制 1 2\n", ""},
      // 中一, LF: 一 (U+4E00) has a NUL of its own, on the other side
      {{"\x2D\x4E\x00\x4E\x0A\x00"s}, "", refused},
      // no text in either byte order (a program's start), or text with one
      // stray NUL: passed on, for their reader to refuse or show escaped
      {{"\x7F"
        "ELF\x02\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00"s},
       "\x7F"
       "ELF\x02\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\n"s,
       ""},
      {{"K1 1 2\nK2 3 4\nK3 5 6\n\0"s}, "K1 1 2\nK2 3 4\nK3 5 6\n\0\n"s, ""},
  };
  for (const Case& c : cases) {
    std::string text;
    EXPECT_EQ(reading::DecodeText(c.pieces[0], text), c.error) << c.pieces[0];
    EXPECT_EQ(text, c.text) << c.pieces[0];
    reading::TextDecoder decoder;
    std::string bytes;
    for (const char byte : c.pieces[0]) decoder.Decode(std::string_view(&byte, 1), bytes);
    decoder.Finish(bytes);
    EXPECT_EQ(decoder.error(), c.error) << c.pieces[0];
  }
}

// What is typed or piped in is answered line by line: the first line is
// handed out before the next comes, whatever its line end (a line in
// Chinese where its encoding is named: else it is held with the lines that
// tell the encoding, text_lines.h).
TEST(TextDecoder, ATypedFirstLineIsReadAtOnce) {
  for (const std::string typed : {"控制点 1 2\r", "P1 1 2\n"}) {
    reading::TextLines lines(typed[0] == 'P' ? std::nullopt
                                             : std::optional(reading::TextEncoding::kUtf8));
    std::string piece;
    ASSERT_TRUE(lines.Add(typed));
    ASSERT_TRUE(lines.Take(piece)) << typed;
    EXPECT_EQ(piece, typed.back() == '\r' ? typed + "\n" : typed);
  }
}

}  // namespace
