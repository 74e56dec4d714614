#include "ui/calc_app.h"

#include <QFont>
#include <QStyle>
#include <QStyleFactory>

#include "res/version.h"
#include "ui/calc_dialog.h"

namespace {

// The faces the dialogs name, mapped onto the Debian faces that stand in for
// them. Qt tries the named face first, so a machine that has it uses it.
void installFontSubstitutions() {
  QFont::insertSubstitution(QStringLiteral("宋体"), QStringLiteral("AR PL UMing CN"));
  QFont::insertSubstitution(QStringLiteral("隶书"), QStringLiteral("AR PL UKai CN"));
  QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}

// Qt's "Windows" style with its standard palette, so the form looks alike on
// every desktop and its 3-D edges keep their meaning.
void installClassicLook() {
  QStyle* style = QStyleFactory::create(QStringLiteral("Windows"));
  if (!style) return;  // Qt always builds this style in; keep Qt's own look otherwise
  QApplication::setStyle(style);
  QApplication::setPalette(style->standardPalette());
}

}  // namespace

CCalcApp::CCalcApp(int& argc, char** argv) : m_app(argc, argv) {
  QCoreApplication::setApplicationName(QStringLiteral(CORVANE_INTERNAL_NAME));
  QCoreApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));
  // The launcher's desktop id: Wayland docks match the window by it, X11 ones
  // by the window class, which Qt takes from the application name.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Corvane"));
  installFontSubstitutions();
  installClassicLook();
}

bool CCalcApp::InitInstance() {
  // Embedded-control hosting and the 3-D control look have no counterpart
  // here: Qt hosts any widget, and the "Windows" style draws in 3-D.
  // Nothing here looks the main window up, so the dialog is not recorded as one.
  CCalcDialog dialog;
  dialog.exec();  // exit, Escape and the close box end it; its result says nothing more
  return false;
}
