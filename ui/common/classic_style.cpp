#include "ui/common/classic_style.h"

#include <QPainter>
#include <QStyleOption>

#include "controls/pixel_strip.h"

CClassicStyle::CClassicStyle(QStyle* windows) : QProxyStyle(windows) {}

QPalette CClassicStyle::standardPalette() const {
  QPalette palette = QProxyStyle::standardPalette();
  const QColor grey(128, 128, 128);  // the Windows grey text
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    palette.setColor(group, QPalette::PlaceholderText, grey);
  return palette;
}

void CClassicStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
  const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
  if (element == PE_FrameLineEdit && frame && frame->lineWidth == 2) {
    controls::fillWinPanel(*painter, frame->rect, frame->palette, frame->state & State_Sunken);
    return;
  }
  QProxyStyle::drawPrimitive(element, option, painter, widget);
}
