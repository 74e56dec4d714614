// corvane-calc's command line on Windows: UTF-16, split as Windows splits
// it, turned into UTF-8 whole (the ANSI code page would make 测站 "??").

#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(WindowsCommandLine, ChineseArgumentsReachTheToolWhole) {
  const std::vector<std::string> expected = {"setout", "--station", "测站 1", "工程\\设计.dat",
                                             "\xF0\xA0\x80\x80"};  // U+20000, outside GBK too
  EXPECT_EQ(calc::ArgumentsOf(L"corvane-calc.exe setout --station \"测站 1\" 工程\\设计.dat "
                              L"\U00020000"),
            expected);
}

TEST(WindowsCommandLine, QuotesAndBackslashesSplitAsWindowsSplitsThem) {
  const std::vector<std::string> expected = {"a b", "C:\\工程\\", "say \"x\"", ""};
  EXPECT_EQ(calc::ArgumentsOf(LR"("C:\Program Files\corvane-calc.exe" "a b" C:\工程\ )"
                              LR"("say \"x\"" "")"),
            expected);
  EXPECT_TRUE(calc::ArgumentsOf(L"corvane-calc.exe").empty());
}

}  // namespace
