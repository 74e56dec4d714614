// Files as Chinese offices have them, through the built corvane-calc: the
// bytes of a file in, the answer lines and the exit status out. Each row is
// one shape; the point answered is the same wherever it reads (X 3512991,
// Y 498361 from the station 3512930, 498350, sighting 3512990, 498360, or
// the same on a local grid), so an answer that differs from
// "10.1320,0.4535,61.984" is a shape read wrong.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc_process.h"

namespace {

using namespace calc_test;
using namespace std::string_literals;

using Args = std::vector<std::string>;

Args Setout(Args more) {
  Args args = {"setout", "--station", "3512930,498350", "--backsight", "3512990,498360",
               "--decimals", "3", "--azimuth-decimals", "4"};
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

// The same point on a local grid, where a thousands separator and a decimal
// comma both give a number.
Args Local(Args more) {
  Args args = {"setout", "--station", "12930,8350", "--backsight", "12990,8360", "--decimals",
               "3", "--azimuth-decimals", "4", "--columns", "name,y,x"};
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

const std::string kFiveColumns = "name,code,y,x,h";

struct Shape {
  const char* shape;
  Args args;
  std::string in;
  std::string out;
  int status;
  std::string control = "";  // a control file, given with --control
};

TEST_F(CalcTest, FileShapesGiveTheirAnswersOrAnErrorInPlace) {
  const Shape shapes[] = {
      // Encodings: GBK found, others named; names written in UTF-8.
      {"GBK, found", Setout({"--columns", kFiveColumns}),
       "\xbf\xd8\xd6\xc6\xb5\xe3\x32,\xd6\xd0\xcf\xdf,498361,3512991,\n",
       "控制点2,中线,10.1320,0.4535,61.984,\n", 0},
      {"GBK control file, found", Setout({"--columns", kFiveColumns}),
       "K2,,498361,3512991,\n", "K2,,10.1320,0.4535,61.984,\n", 0,
       "\xbf\xd8\xd6\xc6\xb5\xe3\x31,,498350,3512930,\n\xbf\xd8\xd6\xc6\xb5\xe3\x32,,498360,"
       "3512990,\n"},
      {"Big5, named", Setout({"--columns", kFiveColumns, "--encoding", "big5"}),
       "\xb1\xb1\xa4\xe8,,498361,3512991,\n", "控方,,10.1320,0.4535,61.984,\n", 0},
      {"Latin-1, named", Setout({"--columns", kFiveColumns, "--encoding", "latin1"}),
       "Stra\xdf" "e,,498361,3512991,\n", "Straße,,10.1320,0.4535,61.984,\n", 0},
      {"Shift_JIS, named", Setout({"--columns", kFiveColumns, "--encoding", "sjis"}),
       "\x93\x8c\x8b\x9e,,498361,3512991,\n", "東京,,10.1320,0.4535,61.984,\n", 0},
      {"UTF-16LE without a mark, named", Setout({"--columns", kFiveColumns, "--encoding", "UTF-16LE"}),
       "\xa7\x63\x36\x52,\0,\0" "4\0" "9\0" "8\0" "3\0" "6\0" "1\0,\0" "3\0" "5\0" "1\0" "2\0"
       "9\0" "9\0" "1\0,\0\n\0"s,
       "控制,,10.1320,0.4535,61.984,\n", 0},
      {"a GBK line among UTF-8 ones", Setout({"--columns", kFiveColumns}),
       "K1,中线,498361,3512991,\n\xbf\xd8\xd6\xc6\xb5\xe3\x32,,498361,3512991,\n",
       "K1,中线,10.1320,0.4535,61.984,\n"
       "ERROR: line is not UTF-8 text: say the input's encoding with --encoding NAME\n",
       1},
      {"a UTF-8 line in a file found to be GBK", Setout({"--columns", kFiveColumns}),
       "\xbf\xd8\xd6\xc6\xb5\xe3\x32,,498361,3512991,\nK3,中线,498361,3512991,\n",
       "控制点2,,10.1320,0.4535,61.984,\n"
       "ERROR: line reads as GB18030 and as UTF-8 text: say which with --encoding NAME\n",
       1},
      {"UTF-16 without a mark, Chinese first", Setout({"--columns", kFiveColumns}),
       "\xa7\x63\x36\x52" "1\0,\0,\0" "4\0\n\0"s, "", 2},
      // Line ends and stream marks.
      {"CR alone ends each line", Setout({"--columns", kFiveColumns}),
       "K1,,498361,3512991,\rK2,,498361,3512991,\rK3,,498361,3512991,\r",
       "K1,,10.1320,0.4535,61.984,\nK2,,10.1320,0.4535,61.984,\nK3,,10.1320,0.4535,61.984,\n",
       0},
      {"a stray CR among CRLF", Setout({"--columns", kFiveColumns}),
       "K1,,498361,3512991,\r\nK2,,498361,3512991,\rK3,,498361,3512991,\r\n",
       "K1,,10.1320,0.4535,61.984,\nK2,,10.1320,0.4535,61.984,\nK3,,10.1320,0.4535,61.984,\n",
       0},
      {"a last Ctrl-Z", Setout({"--columns", kFiveColumns}), "K1,,498361,3512991,\r\n\x1a",
       "K1,,10.1320,0.4535,61.984,\n", 0},
      {"a byte-order mark inside joined files", Setout({"--columns", kFiveColumns}),
       "Name,Code,E,N,H\nK1,,498361,3512991,\n\xef\xbb\xbfName,Code,E,N,H\nK2,,498361,3512991,\n",
       "Name,Code,E,N,H\nK1,,10.1320,0.4535,61.984,\nName,Code,E,N,H\nK2,,10.1320,0.4535,61.984,\n",
       0},
      // What is a row, what is copied.
      {"#N/A where a number belongs in a first row", Setout({"--columns", kFiveColumns, "--header"}),
       "K1,kerb,#N/A,#N/A,\nK2,,498361,3512991,\n",
       "# station X 3512930.000 Y 498350.000 / backsight X 3512990.000 Y 498360.000 / azimuth "
       "9.2744 distance 60.828\nNAME,CODE,AZIMUTH,ANGLE,DISTANCE,H\n"
       "ERROR: K1: Y is not a number: \"#N/A\" (a spreadsheet's error value)\n"
       "K2,,10.1320,0.4535,61.984,\n",
       1},
      {"#VALUE! as a first row's name", Setout({"--columns", kFiveColumns}),
       "#VALUE!,,498361,3512991,\n", "\"#VALUE!\",,10.1320,0.4535,61.984,\n", 0},
      {"empty numbers in a first row", Setout({"--columns", kFiveColumns}), "K1,kerb,,,\n",
       "ERROR: K1: Y is not a number: \"\" (a title or preamble line? --skip-lines 1 copies the "
       "first line as it is)\n",
       1},
      {"full-width digits in a first row", Setout({"--columns", kFiveColumns}),
       "K1,,４９８３６１,３５１２９９１,\n",
       "ERROR: K1: Y is not a number: \"４９８３６１\" (the line holds a full-width digit \"４\" "
       "U+FF14: write numbers in ASCII)\n",
       1},
      {"an ideographic space between a first row's fields", Setout({"--columns", "name,y,x"}),
       "K1　498361　3512991\n",
       "ERROR: K1　498361　3512991: missing field Y (the line holds an ideographic space \"　\" "
       "U+3000: part fields with ASCII commas, semicolons, tabs or blanks)\n",
       1},
      {"a no-break space between a first row's fields", Setout({"--columns", "name,y,x"}),
       "K1\xc2\xa0" "498361\xc2\xa0" "3512991\n",
       "ERROR: K1\xc2\xa0" "498361\xc2\xa0" "3512991: missing field Y (the line holds a no-break "
       "space \"\xc2\xa0\" U+00A0: part fields with ASCII commas, semicolons, tabs or blanks)\n",
       1},
      {"full-width commas between a first row's fields", Setout({"--columns", "name,y,x"}),
       "K1，498361，3512991\n",
       "ERROR: K1，498361，3512991: missing field Y (the line holds a full-width comma \"，\" "
       "U+FF0C: part fields with ASCII commas, semicolons, tabs or blanks)\n",
       1},
      {"a title above the header", Setout({"--columns", kFiveColumns}),
       "放样坐标 2026年12月\n点名,编码,东,北,高程\nK1,,498361,3512991,\n",
       "放样坐标 2026年12月\n点名,编码,东,北,高程\nK1,,10.1320,0.4535,61.984,\n", 0},
      {"a title in GBK above the header, and --header", Setout({"--columns", kFiveColumns, "--header"}),
       "\xb7\xc5\xd1\xf9\xd7\xf8\xb1\xea 2026\xc4\xea" "12\xd4\xc2\nName,Code,E,N,H\n"
       "K1,,498361,3512991,\n",
       "放样坐标 2026年12月\n# station X 3512930.000 Y 498350.000 / backsight X 3512990.000 Y "
       "498360.000 / azimuth 9.2744 distance 60.828\nNAME,CODE,AZIMUTH,ANGLE,DISTANCE,H\n"
       "K1,,10.1320,0.4535,61.984,\n",
       0},
      {"a spreadsheet's empty rows", Setout({"--columns", kFiveColumns}),
       "K1,,498361,3512991,\n,,,,\n;;;;\nK2,,498361,3512991,\n",
       "K1,,10.1320,0.4535,61.984,\n,,,,\n;;;;\nK2,,10.1320,0.4535,61.984,\n", 0},
      {"an instrument's preamble", Setout({"--columns", kFiveColumns}),
       "Job: ROAD1\nDate: 12/03/2026\nPtID,Code,E,N,Z\nK1,,498361,3512991,\n",
       "Job: ROAD1\nERROR: Date:: missing field Y (a title or preamble line? --skip-lines 2 "
       "copies the first 2 lines as they are)\nPtID,Code,E,N,Z\nK1,,10.1320,0.4535,61.984,\n",
       1},
      {"the preamble skipped", Setout({"--columns", kFiveColumns, "--skip-lines", "2"}),
       "Job: ROAD1\nDate: 12/03/2026\nPtID,Code,E,N,Z\nK1,,498361,3512991,\n",
       "Job: ROAD1\nDate: 12/03/2026\nPtID,Code,E,N,Z\nK1,,10.1320,0.4535,61.984,\n", 0},
      {"X Y H without names", Setout({}), "3512991.000 498361.000 21.300\n1001 3512991 498361\n",
       "ERROR: 3 numbers, the first with a decimal mark or an exponent: read as NAME X Y it is "
       "the name \"3512991.000\", as X Y H it is X; say which with --columns name,x,y or "
       "--columns x,y,h\n1001 10.1320 0.4535 61.984\n",
       1},
      {"forward: a decimal first field of five", {"forward"}, "12.5 1000 2000 45.3025 100\n",
       "ERROR: 5 numbers, the first with a decimal mark or an exponent: read as NAME X0 Y0 "
       "AZIMUTH DISTANCE it is the name \"12.5\", as X0 Y0 AZIMUTH DISTANCE and one more field "
       "it is X0; say which with --columns name,x0,y0,azimuth,distance or --columns "
       "x0,y0,azimuth,distance,-\n",
       1},
      {"inverse: an exponent first field of five", {"inverse"}, "1e3 0 0 100 100\n",
       "ERROR: 5 numbers, the first with a decimal mark or an exponent: read as NAME X0 Y0 X1 "
       "Y1 it is the name \"1e3\", as X0 Y0 X1 Y1 and one more field it is X0; say which with "
       "--columns name,x0,y0,x1,y1 or --columns x0,y0,x1,y1,-\n",
       1},
      // Commas that group thousands.
      {"a quoted thousands separator, the row in points", Setout({"--columns", "name,y,x"}),
       "P1,\"498,361\",3512991.000\n", "P1,10.1320,0.4535,61.984\n", 0},
      {"thousands settled by the rows before", Local({}),
       "P0,8360.5,12990\nP1,\"8,361\",\"12,991\"\n",
       "P0,9.5534,0.2750,60.912\nP1,10.1320,0.4535,61.984\n", 0},
      {"thousands or a decimal comma: nothing settles it", Local({}), "P1,\"8,361\",\"12,991\"\n",
       "ERROR: P1: Y \"8,361\" is 8361 where the comma groups thousands, 8.361 where it is the "
       "decimal mark: say which with --decimal-mark . or --decimal-mark ,\n",
       1},
      {"--decimal-mark . settles it", Local({"--decimal-mark", "."}), "P1,\"8,361\",\"12,991\"\n",
       "P1,10.1320,0.4535,61.984\n", 0},
      {"a comma before a point groups", Setout({"--columns", kFiveColumns}),
       "K1;;\"498,361\";\"3,512,991.0\";\"1,021.5\"\n", "K1;;10.1320;0.4535;61.984;1021.5\n", 0},
      // Names and codes that would split the answer line.
      {"a semicolon in a CSV code", Setout({"--columns", kFiveColumns}),
       "K1,\"kerb; north\",498361,3512991,\n", "K1,\"kerb; north\",10.1320,0.4535,61.984,\n", 0},
      {"a tab in a CSV code", Setout({"--columns", kFiveColumns}), "K1,\"a\tb\",498361,3512991,\n",
       "K1,\"a\tb\",10.1320,0.4535,61.984,\n", 0},
      {"a comma in a name between blanks", Setout({}), "\"K,1\" 3512991 498361\n",
       "\"K,1\" 10.1320 0.4535 61.984\n", 0},
  };
  for (const Shape& shape : shapes) {
    Args args = shape.args;
    if (!shape.control.empty()) {
      args.insert(args.end(), {"--control", File("ctl.dat", shape.control).string(),
                               "--station-point", "控制点1", "--backsight-point", "控制点2"});
      args.erase(args.begin() + 1, args.begin() + 5);  // the typed station and backsight
    }
    const Outcome run = Calc(args, shape.in);
    EXPECT_EQ(run.out, shape.out) << shape.shape;
    EXPECT_EQ(run.status, shape.status) << shape.shape;
  }
}

// The tool's messages name the encoding and the option; a UTF-16 file
// without a mark is refused whole, with one message.
TEST_F(CalcTest, EncodingsAreNamedInMessagesAndRefusedWhole) {
  const Outcome utf16 = Calc(Setout({}), "\xa7\x63\x36\x52" "1\0,\0,\0" "4\0\n\0"s);
  EXPECT_TRUE(utf16.err.ends_with("corvane-calc: stdin: not UTF-8 text (NUL bytes: UTF-16 "
                                  "without a byte-order mark?): save it as UTF-8, or as UTF-16 "
                                  "with a byte-order mark\n"))
      << utf16.err;
  const Outcome unknown = Calc(Setout({"--encoding", "koi8-r"}), "");
  EXPECT_EQ(unknown.err,
            "corvane-calc: --encoding: unknown encoding \"koi8-r\" (known: utf-8, gb18030 (also "
            "gbk, gb2312), big5, latin1, windows-1252, shift_jis, utf-16le, utf-16be)\n"
            "Try 'corvane-calc --help'.\n");
  EXPECT_EQ(unknown.status, 2);
  const Outcome mark = Calc(Setout({"--decimal-mark", ";"}), "");
  EXPECT_EQ(mark.err,
            "corvane-calc: --decimal-mark needs \",\" or \".\": ;\nTry 'corvane-calc --help'.\n");
  const Outcome gbk = Calc(Setout({"--columns", kFiveColumns}),
                           "K1,中线,498361,3512991,\n\xbf\xd8\xd6\xc6\xb5\xe3\x32,,1,2,\n");
  EXPECT_TRUE(gbk.err.ends_with("corvane-calc: stdin:2: line is not UTF-8 text: say the input's "
                                "encoding with --encoding NAME\n"))
      << gbk.err;
}

}  // namespace
