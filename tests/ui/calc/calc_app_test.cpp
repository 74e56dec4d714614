// What the application object sets up before the calculator opens: the
// program's identity, its look, the faces that stand in for the dialog
// fonts, and the keeper of the form's fixed size. The tests run inside that
// application object (main.cpp).

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFontInfo>
#include <QProxyStyle>
#include <QStyle>
#include <QTest>
#include <QWindow>

#include "ui/calc/fixed_size_keeper.h"

namespace {

TEST(StartUp, NamesTheProgramAndItsVersion) {
  EXPECT_EQ(QCoreApplication::applicationName(), "Corvane");
  EXPECT_EQ(QCoreApplication::applicationVersion(), "1.0.0.1");
}

TEST(StartUp, UsesTheWindowsStyleAndItsPalette) {
  const auto* classic = qobject_cast<const QProxyStyle*>(QApplication::style());
  ASSERT_NE(classic, nullptr);
  EXPECT_EQ(classic->baseStyle()->name(), "windows");
  EXPECT_EQ(QApplication::palette().color(QPalette::Button),
            QApplication::style()->standardPalette().color(QPalette::Button));
}

TEST(StartUp, DialogFacesResolveToTheInstalledStandIns) {
  EXPECT_EQ(QFontInfo(QFont(QStringLiteral("宋体"), 9)).family(), "AR PL UMing CN");
  EXPECT_EQ(QFontInfo(QFont(QStringLiteral("隶书"), 9)).family(), "AR PL UKai CN");
  EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Arial"), 9)).family(), "Liberation Sans");
}

// A window of fixed size that is maximized, as Qt's own title bar on Wayland
// asks: it ends at its own size, in the normal state, and can be resized no
// more than before.
TEST(FixedSizeKeeper, AMaximizedWindowComesBackToItsSizeAndItsLimits) {
  QDialog window;
  window.setFixedSize(320, 180);
  const CFixedSizeKeeper keeper(window);
  window.show();
  window.windowHandle()->setWindowStates(Qt::WindowMaximized);  // as Qt's title bar asks
  EXPECT_TRUE(QTest::qWaitFor([&] {
    return !window.windowHandle()->windowStates() && window.size() == QSize(320, 180) &&
           window.maximumSize() == QSize(320, 180);
  }));
}

}  // namespace
