#include "app/program_answers.h"

#include <string_view>

#include "app/answer_out.h"

namespace {

constexpr int kAnswered = 0;
constexpr int kCannotWrite = 2;

}  // namespace

std::string ProgramHelpText() {
  return "用法 Usage: corvane [Qt 的选项 Qt options]\n"
         "             corvane --setout [FILE] [OPTIONS] [--pdf OUT.pdf]\n"
         "             corvane (--alignment FILE | --elements FILE) [OPTIONS] [--pdf OUT.pdf]\n"
         "             corvane --transform [grid|fourparam|project|rezone] [FILE]\n"
         "             corvane (--traverse | --level) [OPTIONS] [FILE] [--pdf OUT.pdf]\n"
         "             corvane --help | --version\n"
         "\n"
         "坐标正算、坐标反算的计算器窗口；--setout 打开放样表，--alignment 或\n"
         "--elements 打开线路窗口，--transform 打开坐标转换窗口；加 --pdf 只写出 PDF，\n"
         "不开窗口，也不需要显示器。\n"
         "--traverse 或 --level 打开导线/水准窗口，FILE 为观测文件，选项与\n"
         "corvane-calc traverse、level 的相同。\n"
         "放样表和线路的选项与 corvane-calc 的相同（见 corvane-calc --help）：\n"
         "放样表 --columns、--control、--control-columns、--station、--station-point、\n"
         "--backsight、--backsight-point、--backsight-azimuth、--station-height、\n"
         "--instrument-height、--target-height、--earth-curvature、--angle-format、\n"
         "--decimals、--azimuth-decimals、--encoding、--skip-lines、--decimal-mark；\n"
         "线路 --alignment-columns、--start-chainage、--profile、--every、--offsets、\n"
         "--decimals、--azimuth-decimals、--angle-format。\n"
         "\n"
         "The calculator window for the forward and the inverse computation;\n"
         "--setout opens the setting-out sheet (放样表), --alignment or --elements\n"
         "the road window (线路), --transform the coordinate transformation window\n"
         "(坐标转换) on the tab of that mode; with --pdf they write the PDF and open no window,\n"
         "needing no display. --traverse or --level opens the traverse and\n"
         "levelling window (导线/水准) on the observation rows of FILE, with the\n"
         "options of corvane-calc traverse and level. The\n"
         "sheet's and the road's options are corvane-calc's (see corvane-calc\n"
         "--help), as listed above.\n"
         "\n"
         "选项 Options:\n"
         "  -h, --help     显示本帮助 show this help\n"
         "  --version      显示版本 show the version\n"
         "\n"
         "退出状态 Exit status (--pdf):\n"
         "  0  写出 PDF，每行都算出 the PDF is written, every row computed\n"
         "  1  有的点或桩算不出（PDF 中注明）some point or stake could not be computed\n"
         "     (the PDF shows it)\n"
         "  2  选项有误，或文件无法读写 bad options, or a file that cannot be read\n"
         "     or written\n";
}

bool AnswerWithoutWindow(int argc, char** argv, int& status) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--") break;
    if (arg == "--help" || arg == "-h") {
      status = WriteAnswer(ProgramHelpText()) ? kAnswered : kCannotWrite;
      return true;
    }
    if (arg == "--version") {
      status = WriteAnswer("corvane " CORVANE_VERSION "\n") ? kAnswered : kCannotWrite;
      return true;
    }
  }
  return false;
}
