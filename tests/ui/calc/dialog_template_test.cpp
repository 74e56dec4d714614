// Building a window from a dialog template: the dialog-unit rule and the
// member widgets that stand in for template controls.

#include "ui/calc/dialog_template.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSet>

#include "res/dialog_templates.h"
#include "res/resource.h"
#include "res/resources.h"

namespace {

TEST(DialogUnits, EdgesRoundHalfAwayFromZero) {
  const DialogBaseUnits units{6, 13};
  // 17 * 6 / 4 = 25.5, 67 * 6 / 4 = 100.5, -4 * 13 / 8 = -6.5, 4 * 13 / 8 = 6.5
  EXPECT_EQ(mapDialogRect(QRect(17, 99, 50, 14), units), QRect(26, 161, 75, 23));
  EXPECT_EQ(mapDialogRect(QRect(-2, -4, 4, 8), units), QRect(-3, -7, 6, 14));
}

TEST(DialogTemplate, AMemberWidgetTakesTheControlsPlace) {
  QDialog dialog;
  QPushButton member;
  realiseTemplate(dialog, *res::FindDialogTemplate(IDD_CALC), {{IDOK, &member}});
  EXPECT_EQ(dialogItem(dialog, IDOK), &member);
  EXPECT_EQ(member.parentWidget(), &dialog);
  EXPECT_EQ(member.text(), "计算");
  EXPECT_TRUE(member.isDefault());
  EXPECT_EQ(member.focusPolicy(), Qt::StrongFocus);
  EXPECT_EQ(member.geometry(),
            mapDialogRect(QRect(17, 99, 50, 14), dialogBaseUnits(dialog.font())));
  EXPECT_EQ(dialog.findChildren<QPushButton*>().size(), 3);  // no second compute button
}

TEST(DialogTemplate, AboutBoxHasItsIconAndNoFocusableControl) {
  QDialog dialog;
  realiseTemplate(dialog, *res::FindDialogTemplate(IDD_ABOUT));
  EXPECT_TRUE(dialog.windowFlags() & Qt::FramelessWindowHint);
  int icons = 0;
  for (QWidget* child : dialog.findChildren<QWidget*>()) {
    EXPECT_EQ(child->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(child->testAttribute(Qt::WA_TransparentForMouseEvents));
    if (auto* label = qobject_cast<QLabel*>(child); label && !label->pixmap().isNull()) {
      ++icons;
      EXPECT_EQ(label->size(), QSize(32, 32));
    }
  }
  EXPECT_EQ(icons, 1);
  EXPECT_EQ(qobject_cast<QLabel*>(dialogItem(dialog, IDC_VERSION))->text(), "Corvane 1.001 版");
}

}  // namespace

namespace {

TEST(AppIcon, IsA32PixelImageOfAtMost16Colours) {
  const QImage image = res::LoadIconResource(IDI_APP).pixmap(32, 32).toImage();
  ASSERT_EQ(image.size(), QSize(32, 32));
  QSet<QRgb> colours;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) colours.insert(image.pixel(x, y));
  EXPECT_LE(colours.size(), 16);
  EXPECT_GE(colours.size(), 4);  // real artwork, not a single-colour square
}

}  // namespace
