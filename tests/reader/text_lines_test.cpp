#include "reader/text/text_lines.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "reader/text/undecoded_line.h"

namespace {

using namespace std::string_literals;
using reading::TextEncoding;

struct Lines {
  std::string text;                      // every piece, joined
  std::vector<std::size_t> inputStarts;  // where a piece starts a new input
  std::string error;
};

// Reads `bytes` through TextLines in pieces of `step` bytes.
Lines Read(const std::string& bytes, std::optional<TextEncoding> named, std::size_t step) {
  reading::TextLines lines(named);
  Lines read;
  std::string piece;
  const auto take = [&] {
    while (lines.Take(piece)) {
      if (lines.startsInput()) read.inputStarts.push_back(read.text.size());
      read.text += piece;
    }
  };
  for (std::size_t at = 0; at < bytes.size(); at += step) {
    lines.Add(bytes.substr(at, step));
    take();
  }
  lines.End();
  take();
  read.error = lines.error();
  return read;
}

struct Shape {
  const char* what;
  std::string bytes;
  std::string lines;
  std::vector<std::size_t> inputStarts = {};
  std::optional<TextEncoding> named = std::nullopt;
};

// Bytes in, lines out: the same whether the bytes come at once or one by
// one, so a CRLF or a character split between two reads is one all the same.
TEST(TextLines, ByteShapesGiveTheirLines) {
  const Shape shapes[] = {
      // Line ends: LF, CRLF and a lone CR each end one line.
      {"CSV (Macintosh)", "P1 1 2\rP2 3 4\rP3 5 6", "P1 1 2\r\nP2 3 4\r\nP3 5 6\n"},
      {"a stray CR", "P1 1 2\rP2 3 4\nP3 5 6\n", "P1 1 2\r\nP2 3 4\nP3 5 6\n"},
      {"CRLF", "P1 1 2\r\nP2 3 4\r\n", "P1 1 2\r\nP2 3 4\r\n"},
      {"CR before CRLF", "a\r\r\nb", "a\r\n\r\nb\n"},
      {"a lone CR", "\r", "\r\n"},
      // A Ctrl-Z as the last byte is dropped, elsewhere kept.
      {"Ctrl-Z after CRLF", "P1 1 2\r\n\x1A", "P1 1 2\r\n"},
      {"Ctrl-Z ends the last line", "P1 1 2\x1A", "P1 1 2\n"},
      {"Ctrl-Z after a CR", "P1 1 2\r\x1A", "P1 1 2\r\n"},
      {"Ctrl-Z not last", "\x1AP1\n\x1A\x1A", "\x1AP1\n\x1A\n"},
      // Without a mark, the lines from the first that is not ASCII decide.
      {"GBK",
       "\xBF\xD8\xD6\xC6\xB5\xE3"
       "2,,498360,3512990,\r\n\xD6\xD0\xCF\xDF,K1\r\n",
       "控制点2,,498360,3512990,\r\n中线,K1\r\n"},
      {"ASCII, then GBK, CR ends", "K1 1 2\r\xD6\xD0\xCF\xDF 3 4\r", "K1 1 2\r\n中线 3 4\r\n"},
      {"GB18030 of four bytes", "\x95\x32\x82\x36,\xD6\xD0\n", "\xF0\xA0\x80\x80,中\n"},
      {"no GB18030 later", "\xD6\xD0\xCF\xDF\n\xD6\xD0\xFF\n\xD6\xD0\n",
       "中线\n\xFFGB18030\xFF\xD6\xD0\xFF\n中\n"},
      {"GB18030 cut at a line end", "\xD6\xD0\xD6\r\nK1\r\n",
       "\xFFGB18030\xFF\xD6\xD0\xD6\nK1\r\n"},
      {"UTF-8", "控制点2 1 2\n中线 3 4\n", "控制点2 1 2\n中线 3 4\n"},
      {"GBK in UTF-8", "控制点2 1 2\n中线 5 6\nK\xD6\xD0 3 4\r\nK3\n",
       "控制点2 1 2\n中线 5 6\n\xFFUTF-8\xFFK\xD6\xD0 3 4\nK3\n"},
      {"a comment in GBK, a row in UTF-8", "控制 1 2\n# \xD6\xD0\n",
       "\xFFGB18030/UTF-8\xFF控制 1 2\n# 中\n"},
      {"overlong UTF-8", "控 1\n控 2\n\xC0\xAF\n", "控 1\n控 2\n\xFFUTF-8\xFF\xC0\xAF\n"},
      {"neither", "\xFF 1 2\n", "\xFFGB18030\xFF\xFF 1 2\n"},
      // GBK 毛 (C3 AB) is UTF-8 ë too: GBK, as a Chinese file would be. UTF-8
      // 控制 is valid GB18030 too, but holds characters of three bytes.
      {"GBK that is UTF-8", "\xC3\xAB 1 2\n", "毛 1 2\n"},
      {"UTF-8 that is GB18030", "控制 1 2\n", "控制 1 2\n"},
      // Once GB18030 is found, a line of UTF-8 reads both ways: never garbled.
      {"UTF-8 in GBK", "\xD6\xD0 1 2\n控制 3 4\n# 控\nK\xD6\xD0\n",
       "中 1 2\n\xFFGB18030/UTF-8\xFF控制 3 4\n# 控\nK中\n"},
      // The lines from the first that is not ASCII tell: GBK 桩 (D7 AE) and
      // 路缘 (C2 B7 D4 B5) are valid UTF-8 too, 中桩, 井盖 and 坎上 are not.
      {"GBK, its first Chinese row 桩,路缘",
       "# "
       "CASS\n\xD7\xAE,\xC2\xB7\xD4\xB5,1\n\xD6\xD0\xD7\xAE,\xBE\xAE\xB8\xC7,2\n\xBF\xB2\xC9\xCF\n",
       "# CASS\n桩,路缘,1\n中桩,井盖,2\n坎上\n"},
      {"桩,路缘 rows alone", "\xD7\xAE,\xC2\xB7\xD4\xB5,1\n\xD7\xAE,\xC2\xB7\xD4\xB5,2\n",
       "桩,路缘,1\n桩,路缘,2\n"},
      {"UTF-8 rows added to GBK", "\xD7\xAE,1\n\xD6\xD0\xD7\xAE,2\n新点,3\n",
       "桩,1\n中桩,2\n\xFFGB18030/UTF-8\xFF新点,3\n"},
      // é (C3 A9) reads as GBK's 楂 too, × (C3 97) as no common Chinese.
      {"UTF-8 with two-byte letters", "控制点1\nK2,Caf\xC3\xA9\nK3,\xC3\x97\n",
       "控制点1\n\xFFUTF-8/GB18030\xFFK2,Caf\xC3\xA9\nK3,×\n"},
      {"a stray GBK row among UTF-8", "控制点1\n\xD6\xD0\n中线3\n",
       "控制点1\n\xFFUTF-8\xFF\xD6\xD0\n中线3\n"},
      {"UTF-16, an odd last byte", "\xFF\xFEK\0x"s, "\xFFUTF-16LE\xFFK\xFE\n"},
      // Files joined: a mark at the start of a line starts a new input.
      {"a mark in the middle", "P1 1 2\n\xEF\xBB\xBFP3 3 4\n", "P1 1 2\nP3 3 4\n", {7}},
      {"a mark, and nothing after it", "P1 1 2\n\xEF\xBB\xBF", "P1 1 2\n"},
      {"GBK, then UTF-8 with a mark",
       "\xD6\xD0\xCF\xDF 1 2\r\n\xEF\xBB\xBF控制 3 4\r\n",
       "中线 1 2\r\n控制 3 4\r\n",
       {12}},
      {"UTF-16 joined",
       "\xFF\xFE"
       "a\0\r\0\xFF\xFE"
       "b\0\r\0\n\0\x00\xD8"
       "c\0"s,
       "a\r\nb\r\n\xFFUTF-16LE\xFF\xED\xA0\x80"
       "c\n",
       {3}},
      // Named encodings.
      {"Big5", "\xA4\xA4\xA4\xE5\n", "中文\n", {}, TextEncoding::kBig5},
      {"Latin-1",
       "Stra\xDF"
       "e\n",
       "Straße\n",
       {},
       TextEncoding::kLatin1},
      {"Windows-1252",
       "\x80 1\n\x81\n",
       "€ 1\n\xFFWindows-1252\xFF\x81\n",
       {},
       TextEncoding::kWindows1252},
      {"Shift_JIS", "\\\x93\xFA\x96\x7B\xB6\n", "\\日本ｶ\n", {}, TextEncoding::kShiftJis},
      {"UTF-16BE without a mark", "\0K\0\n"s, "K\n", {}, TextEncoding::kUtf16Be},
      {"GBK named, a mark says UTF-8", "\xEF\xBB\xBF控制\n", "控制\n", {}, TextEncoding::kGb18030},
      {"GBK named: 毛", "\xC3\xAB 1 2\n", "毛 1 2\n", {}, TextEncoding::kGb18030},
  };
  for (const Shape& shape : shapes) {
    for (const std::size_t step : {shape.bytes.size(), std::size_t{1}}) {
      const Lines read = Read(shape.bytes, shape.named, step);
      EXPECT_EQ(read.text, shape.lines) << shape.what << ", pieces of " << step;
      EXPECT_EQ(read.inputStarts, shape.inputStarts) << shape.what << ", pieces of " << step;
      EXPECT_EQ(read.error, "") << shape.what;
    }
  }
}

// Past the lines that tell the encoding, the other one's rows are still
// caught: GBK 桩1 is valid UTF-8, and UTF-8 新点 is valid GB18030.
TEST(TextLines, RowsOfTheOtherEncodingPastTheFirstLinesAreRefused) {
  std::string utf8;
  std::string gbk;
  std::string gbkRead;
  while (utf8.size() <= reading::kEncodingSample) {
    utf8 += "控制点\n";
    gbk += "\xD6\xD0\xD7\xAE\n";
    gbkRead += "中桩\n";
  }
  EXPECT_EQ(Read(utf8 + "\xD7\xAE,1\n", std::nullopt, 4096).text,
            utf8 + "\xFFUTF-8/GB18030\xFF\xD7\xAE,1\n");
  EXPECT_EQ(Read(gbk + "新点1\n", std::nullopt, 4096).text,
            gbkRead + "\xFFGB18030/UTF-8\xFF新点1\n");
}

TEST(TextLines, APieceNeverHoldsTwoInputs) {
  reading::TextLines lines;
  lines.Add("P1 1 2\n\xEF\xBB\xBFP3 3 4\nP4 5 6\n");
  std::string piece;
  ASSERT_TRUE(lines.Take(piece));
  EXPECT_EQ(piece, "P1 1 2\n");
  EXPECT_FALSE(lines.startsInput());
  ASSERT_TRUE(lines.Take(piece));
  EXPECT_EQ(piece, "P3 3 4\nP4 5 6\n");
  EXPECT_TRUE(lines.startsInput());
  EXPECT_FALSE(lines.Take(piece));
}

// A line too long is cut, and the rest of it skipped up to its line end,
// whichever line end that is.
TEST(TextLines, AnOverlongLineEndsAtALoneCr) {
  const std::string input = "a\r" + std::string(20000, 'y') + "\rb\r";
  const std::string cut(reading::kMaxLineChars + 2, 'y');
  EXPECT_EQ(Read(input, std::nullopt, 1000).text, "a\r\n" + cut + "\nb\r\n");
}

TEST(UndecodedLine, AMarkedLineGivesItsEncodingAndBytes) {
  reading::UndecodedLine undecoded;
  ASSERT_TRUE(reading::FindUndecoded("\xFFGB18030/UTF-8\xFFK控", undecoded));
  EXPECT_EQ(undecoded.other, reading::TextEncoding::kUtf8);
  EXPECT_EQ(reading::UndecodedMessage(undecoded),
            "line reads as GB18030 and as UTF-8 text: say which with --encoding NAME");
  // A line cut off as too long that starts as a mark does, names but no encoding's.
  EXPECT_FALSE(reading::FindUndecoded("\xFFKOI8\xFFK 1 2", undecoded));
  ASSERT_TRUE(reading::FindUndecoded("\xFFGB18030\xFFK\xD6\xD0\xFF 1 2", undecoded));
  EXPECT_EQ(undecoded.encoding, reading::TextEncoding::kGb18030);
  EXPECT_EQ(undecoded.bytes, "K\xD6\xD0\xFF 1 2");
  EXPECT_EQ(reading::UndecodedMessage(undecoded),
            "line is not GB18030 text: say the input's encoding with --encoding NAME");
  EXPECT_FALSE(reading::FindUndecoded("K\xFF 1 2", undecoded));
  EXPECT_FALSE(reading::FindUndecoded("", undecoded));
}

}  // namespace
