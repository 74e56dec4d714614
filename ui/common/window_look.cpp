#include "ui/common/window_look.h"

#include <QStringList>

QColor ErrorColour() { return QColor(200, 0, 0); }

QFont WithNarrowPrimes(QFont font) {
  QStringList families = font.families();
  if (families.isEmpty()) families << font.family();
  families.prepend(QStringLiteral("Arial"));
  font.setFamilies(families);
  return font;
}

QFont BoldFace(QFont font) {
  font = WithNarrowPrimes(font);
  font.setBold(true);
  font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() & ~QFont::NoAntialias));
  return font;
}
