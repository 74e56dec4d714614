#include "res/ui_font.h"

#include <QFontInfo>
#include <QGuiApplication>

#include "res/dialog_templates.h"
#include "res/resource.h"

namespace {

QFont namedFont(const res::DialogTemplate& tmpl) {
  return QFont(QString::fromUtf8(tmpl.fontFace), tmpl.pointSize);
}

// The calculator's face and size; the about box names the same.
QFont templatesFace() { return namedFont(*res::FindDialogTemplate(IDD_CALC)); }

bool isTemplatesFaceAtItsSize(const QFont& font) {
  const QFont face = templatesFace();
  return font.family() == face.family() &&
         QFontInfo(font).pixelSize() == QFontInfo(face).pixelSize();
}

// The application's ratio is the highest of all its screens.
bool everyScreenUnscaled() { return qGuiApp->devicePixelRatio() == 1.0; }

// Qt tries the named face first, so a machine that has it uses it.
void installFontSubstitutions() {
  QFont::insertSubstitution(QStringLiteral("宋体"), QStringLiteral("AR PL UMing CN"));
  QFont::insertSubstitution(QStringLiteral("隶书"), QStringLiteral("AR PL UKai CN"));
  QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}

}  // namespace

namespace res {

QFont RenderedFont(QFont font) {
  const bool crisp = everyScreenUnscaled() && isTemplatesFaceAtItsSize(font);
  // Set either way, so that a widget's font never takes its parent's choice.
  const int others = font.styleStrategy() & ~QFont::NoAntialias;
  font.setStyleStrategy(QFont::StyleStrategy(others | (crisp ? QFont::NoAntialias : 0)));
  return font;
}

QFont DialogFont(const DialogTemplate& tmpl) { return RenderedFont(namedFont(tmpl)); }

void InstallUiFont() {
  installFontSubstitutions();
  QGuiApplication::setFont(DialogFont(*FindDialogTemplate(IDD_CALC)));
}

}  // namespace res
