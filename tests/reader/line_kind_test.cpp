#include "reader/text/line_kind.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "reader/fields/header_row.h"

namespace {

// Lines copied through unread, and lines that are rows, told apart before
// any field is split: a spreadsheet's error value leads a row, not a comment.
TEST(LineKindTest, BlankCommentAndEmptySpreadsheetRowsPassThrough) {
  for (const std::string_view line :
       {"", "\r", "   \t", "# a comment", "  #N/Ax", "#REF", ",,,;;", " , ;\r"}) {
    EXPECT_TRUE(reading::IsBlankOrComment(line)) << '"' << line << '"';
  }
  for (const std::string_view line :
       {"#N/A,1,2", "  #DIV/0!\t3", "#NAME? 4", "#NULL!", "P1,1,2", ",,1", "x#"}) {
    EXPECT_FALSE(reading::IsBlankOrComment(line)) << '"' << line << '"';
  }
}

// A comment too long to be a line is no comment: the reader refuses it.
TEST(LineKindTest, OverlongCommentIsNoComment) {
  EXPECT_TRUE(reading::IsBlankOrComment("#" + std::string(8191, 'x')));
  EXPECT_FALSE(reading::IsBlankOrComment("#" + std::string(8192, 'x')));
}

TEST(HeaderRowTest, WordsOnlyMakeAHeader) {
  const std::array<std::string_view, 3> words = {"NAME", "X", "Y"};
  EXPECT_TRUE(reading::IsHeaderRow("NAME,X,Y", words));
  const std::array<std::string_view, 3> number = {"NAME", "X", "12.5"};
  EXPECT_FALSE(reading::IsHeaderRow("NAME,X,12.5", number));
  const std::array<std::string_view, 2> chainage = {"K0+120", "left"};
  EXPECT_FALSE(reading::IsHeaderRow("K0+120,left", chainage));
  // Copied, it would read as an error line.
  const std::array<std::string_view, 2> error = {"ERROR: NAME", "X"};
  EXPECT_FALSE(reading::IsHeaderRow("ERROR: NAME,X", error));
}

}  // namespace
