#include "ui/calc/calc_app.h"

#include <QLibraryInfo>
#include <QStyle>
#include <QStyleFactory>
#include <cstdio>
#include <cstdlib>

#include "res/ui_font.h"
#include "res/version.h"
#include "ui/calc/calc_dialog.h"
#include "ui/calc/fixed_size_keeper.h"
#include "ui/common/classic_style.h"
#include "ui/common/program_windows.h"

namespace {

// Qt's "Windows" style with its standard palette, so the form looks alike on
// every desktop and its 3-D edges keep their meaning.
void installClassicLook() {
  QStyle* style = QStyleFactory::create(QStringLiteral("Windows"));
  if (!style) return;  // Qt always builds this style in; keep Qt's own look otherwise
  auto* classic = new CClassicStyle(style);
  QApplication::setStyle(classic);
  QApplication::setPalette(classic->standardPalette());
}

// The interface is Chinese only, so Qt's own texts are Chinese whatever the
// locale the program runs in. Without Qt's translations (Debian package
// qt6-translations-l10n) they stay English, and the program runs as before.
void installQtChinese(QTranslator& translator) {
  if (translator.load(QStringLiteral("qtbase_zh_CN"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&translator);
}

}  // namespace

CCalcApp::CCalcApp(int& argc, char** argv) : m_app(argc, argv) {
  QCoreApplication::setApplicationName(QStringLiteral(CORVANE_INTERNAL_NAME));
  QCoreApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));
  // The launcher's desktop id: Wayland docks match the window by it, X11 ones
  // by the window class, which Qt takes from the application name.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Corvane"));
  res::InstallUiFont();
  installClassicLook();
  installQtChinese(m_qtChinese);
}

bool CCalcApp::InitInstance() {
  // Embedded-control hosting and the 3-D control look have no counterpart
  // here: Qt hosts any widget, and the "Windows" style draws in 3-D.
  // Nothing here looks the main window up, so the dialog is not recorded as one.
  CCalcDialog dialog;
  const CFixedSizeKeeper keepFormSize(dialog);  // against the maximize of Qt's own title bar
  dialog.exec();  // exit, Escape and the close box end it; its result says nothing more
  // The windows opened from the form go on until the last of them closes.
  RunUntilLastWindowCloses(dialog);
  return false;
}

int CCalcApp::ExitInstance(int status) {
  QCoreApplication::sendPostedEvents();
  if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {  // -egl too
    std::fflush(nullptr);
    std::_Exit(status);  // without the teardown that can hang; the compositor closes the window
  }
  return status;
}
