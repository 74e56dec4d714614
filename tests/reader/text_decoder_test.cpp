#include "reader/text_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
      // a lone surrogate and an odd byte are kept, to be shown escaped
      {{"\xFF\xFE\x00\xD8K\0"s}, "\xED\xA0\x80K", ""},
      {{"\xFF\xFE\x00\xD8"s}, "\xED\xA0\x80", ""},
      {{"\xFF\xFEK\0x"s}, "Kx", ""},
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

}  // namespace
