// The launcher, the software centre's metadata and the running program name
// one application, so that a dock matches the window to its launcher: by the
// desktop id on Wayland and by the window class (StartupWMClass) on X11.

#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>

namespace {

QString readLinuxFile(const QString& name) {
  QFile file(QStringLiteral(CORVANE_LINUX_DIR "/") + name);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

// The value of KEY in the desktop entry's main group, or a null string.
QString desktopValue(const QString& entry, const QString& key) {
  const QRegularExpression line(QStringLiteral("^%1=(.*)$").arg(key),
                                QRegularExpression::MultilineOption);
  return line.match(entry).captured(1);
}

TEST(DesktopEntry, LauncherMetadataAndRunningProgramAgree) {
  const QString id = QGuiApplication::desktopFileName();
  ASSERT_FALSE(id.isEmpty()) << "the program names no desktop entry";
  const QString entry = readLinuxFile(id + QStringLiteral(".desktop"));
  ASSERT_FALSE(entry.isEmpty()) << "no res/linux/" << id.toStdString() << ".desktop";

  // On X11 a Qt window's class is the application name.
  EXPECT_EQ(desktopValue(entry, QStringLiteral("StartupWMClass")),
            QCoreApplication::applicationName());
  EXPECT_EQ(desktopValue(entry, QStringLiteral("Icon")), id);
  EXPECT_TRUE(readLinuxFile(id + QStringLiteral(".metainfo.xml"))
                  .contains(QStringLiteral("<launchable type=\"desktop-id\">%1.desktop<").arg(id)));
}

}  // namespace
