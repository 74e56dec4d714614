// Files named in Chinese open by the names the command line gives (UTF-8):
// on Windows through their UTF-16 names, which the ANSI code page would
// lose (wine's and a Western Windows' 1252 has no 工程).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "reader/text/text_file.h"

namespace {

namespace fs = std::filesystem;

// The UTF-8 of `path`, as a command line gives it.
std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

class ChineseFileNames : public testing::Test {
 protected:
  void SetUp() override {
    const auto info = testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() / (std::string("corvane-names-") + info->name()) /
           fs::path(u8"工程");
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_.parent_path()); }

  fs::path dir_;
};

TEST_F(ChineseFileNames, AFileInAChineseFolderOpensAndReads) {
  const fs::path file = dir_ / fs::path(u8"设计.dat");
  std::ofstream(file, std::ios::binary) << "K1 1 2\r\n\xD6\xD0\xCF\xDF 3 4\n";
  reading::TextFile text(Utf8(file), false, reading::TextEncoding::kGb18030);
  std::string_view line;
  ASSERT_TRUE(text.NextLine(line)) << reading::FileErrorText(text.error());
  EXPECT_EQ(line, "K1 1 2\r");
  ASSERT_TRUE(text.NextLine(line));
  EXPECT_EQ(line, "中线 3 4");
  EXPECT_FALSE(text.NextLine(line));
  EXPECT_FALSE(text.error());
  EXPECT_EQ(text.size(), 17u);
}

TEST_F(ChineseFileNames, AMissingFileIsNamedAsGiven) {
  const std::string name = Utf8(dir_ / fs::path(u8"无.dat"));
  reading::TextFile text(name);
  std::string_view line;
  EXPECT_FALSE(text.NextLine(line));
  EXPECT_EQ(reading::FileErrorText(text.error()),
            "cannot open " + name + ": No such file or directory");
}

}  // namespace
