#include "ui/classic_style.h"

#include <QPainter>
#include <QStyleOption>

#include "controls/pixel_strip.h"

namespace {

// Two strips meeting at a corner: from a to the corner and on to b.
void corner(QPainter& painter, const QPoint& a, const QPoint& corner, const QPoint& b,
            const QColor& color) {
  controls::fillStrip(painter, a, corner, color);
  controls::fillStrip(painter, corner, b, color);
}

// The two-pixel 3-D panel of the classic look: an outer and an inner
// edge, each lit at the top left and shaded at the bottom right (or the
// other way round for a sunken panel).
void fillWinPanel(QPainter& painter, const QRect& rect, const QPalette& palette, bool sunken) {
  if (rect.width() < 2 || rect.height() < 2) return;
  const QColor outerTopLeft = sunken ? palette.dark().color() : palette.light().color();
  const QColor outerBottomRight = sunken ? palette.light().color() : palette.shadow().color();
  const QColor innerTopLeft = sunken ? palette.shadow().color() : palette.midlight().color();
  const QColor innerBottomRight = sunken ? palette.button().color() : palette.dark().color();
  const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
  corner(painter, {l, b - 1}, {l, t}, {r - 1, t}, outerTopLeft);
  corner(painter, {l, b}, {r, b}, {r, t}, outerBottomRight);
  if (rect.width() <= 4 || rect.height() <= 4) return;
  corner(painter, {l + 1, b - 2}, {l + 1, t + 1}, {r - 2, t + 1}, innerTopLeft);
  corner(painter, {l + 1, b - 1}, {r - 1, b - 1}, {r - 1, t + 1}, innerBottomRight);
}

}  // namespace

CClassicStyle::CClassicStyle(QStyle* windows) : QProxyStyle(windows) {}

void CClassicStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
  const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
  if (element == PE_FrameLineEdit && frame && frame->lineWidth == 2) {
    fillWinPanel(*painter, frame->rect, frame->palette, frame->state & State_Sunken);
    return;
  }
  QProxyStyle::drawPrimitive(element, option, painter, widget);
}
