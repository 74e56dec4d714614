// What the application object sets up before the calculator opens: the
// program's identity, its look and the faces that stand in for the dialog
// fonts. The tests run inside that application object (main.cpp).

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QProxyStyle>
#include <QStyle>

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

}  // namespace
