#include "res/dialog_templates.h"

#include <array>

#include "res/resource.h"

namespace res {
namespace {

using enum ControlClass;

// The calculator: its captions and enabled states are those of forward mode.
constexpr std::array kCalcItems{
    DialogItem{IDOK, Button, "计算", 17, 99, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
    DialogItem{IDCANCEL, Button, "退出", 145, 99, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
    DialogItem{IDC_TITLE, Static, "坐标的正算和反算", 58, 1, 98, 13, SS_CENTER | WS_GROUP},
    DialogItem{IDC_MODE_FORWARD, Button, "坐标正算", 27, 16, 48, 10, BS_AUTORADIOBUTTON | WS_GROUP},
    DialogItem{IDC_MODE_INVERSE, Button, "坐标反算", 125, 16, 48, 10, BS_AUTORADIOBUTTON},
    DialogItem{IDC_STATIC, Static, " 起点X", 1, 35, 32, 9, SS_LEFT | WS_GROUP},
    DialogItem{IDC_START_X, Edit, "", 41, 33, 66, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
    DialogItem{IDC_STATIC, Static, " 起点Y ", 1, 49, 33, 9, SS_LEFT | WS_GROUP},
    DialogItem{IDC_START_Y, Edit, "", 41, 47, 65, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
    DialogItem{IDC_CAPTION_X, Static, "结果X", 115, 34, 25, 9, SS_LEFT | WS_GROUP},
    DialogItem{IDC_RESULT_X, Edit, "", 143, 33, 66, 12,
               WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | WS_DISABLED},
    DialogItem{IDC_CAPTION_Y, Static, "结果Y", 115, 49, 22, 9, SS_LEFT | WS_GROUP},
    DialogItem{IDC_RESULT_Y, Edit, "", 144, 46, 66, 12,
               WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | WS_DISABLED},
    DialogItem{IDC_CAPTION_AZIMUTH, Static, "已知方位角", 0, 75, 42, 9, SS_LEFT | WS_GROUP},
    DialogItem{IDC_AZIMUTH, Edit, "", 41, 73, 66, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
    DialogItem{IDC_CAPTION_DISTANCE, Static, "已知距离", 109, 74, 34, 9, SS_LEFT | WS_GROUP},
    DialogItem{IDC_DISTANCE, Edit, "", 145, 72, 65, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
    DialogItem{IDC_ABOUT, Button, "关于", 83, 99, 54, 14, BS_PUSHBUTTON | WS_TABSTOP},
};

// The about box: no title bar, no tab stops; the four labels with an id are
// dressed by the about box itself.
constexpr std::array kAboutItems{
    DialogItem{IDC_STATIC, Static, "", 11, 17, 20, 20, SS_ICON, IDI_APP},
    DialogItem{IDC_VERSION, Static, "Corvane 1.001 版", 40, 10, 131, 13,
               SS_LEFT | SS_NOPREFIX | WS_GROUP},
    DialogItem{IDC_DESCRIPTION, Static,
               "    本软件由Terrin开发，是工程测量放样是常用的程序之一，我将其电算化了。"
               "希望能给你的工作带来方便！",
               40, 28, 225, 30, SS_LEFT | WS_GROUP},
    DialogItem{IDC_LINK, Static, "mailto:corvane@example.org", 147, 62, 118, 10,
               SS_LEFT | WS_GROUP},
    DialogItem{IDC_STATIC, Static, "有不足和好的建议，请联系我:", 27, 62, 112, 10,
               SS_LEFT | WS_GROUP},
    DialogItem{IDC_COPYRIGHT, Static, "(C) 2026 Corvane", 173, 13, 84, 8, SS_LEFT | WS_GROUP},
};

constexpr DialogTemplate kCalc{IDD_CALC, "Corvane", 213, 119, "宋体", 9, true, kCalcItems};
constexpr DialogTemplate kAbout{IDD_ABOUT, "", 272, 79, "宋体", 9, false, kAboutItems};

}  // namespace

const DialogTemplate* FindDialogTemplate(int id) {
  switch (id) {
    case IDD_CALC:
      return &kCalc;
    case IDD_ABOUT:
      return &kAbout;
    default:
      return nullptr;
  }
}

}  // namespace res
