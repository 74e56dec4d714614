// What the 放样表's forms draw can be read: hints in grey, apart from the
// values typed in black, and the 自由设站 table's bold headings set as the
// sheet's pages are, Latin letters from the Latin face and Chinese from the
// Song face, bold from the outlines.

#include <gtest/gtest.h>

#include <QGlyphRun>
#include <QLabel>
#include <QLineEdit>
#include <QRawFont>
#include <QTextLayout>

#include "ui/sheet/point_name_box.h"
#include "ui/sheet/sightings_dialog.h"

namespace {

// "米" in a field and "点名" in a name box are drawn in the grey of hints,
// no pixel of them black (the frame left aside).
TEST(SheetFaces, HintsAreDrawnGreyAsPlaceholders) {
  QLineEdit metres;
  metres.setPlaceholderText(QStringLiteral("米"));
  CPointNameBox name;
  for (QWidget* field : std::initializer_list<QWidget*>{&metres, &name}) {
    const QImage image = field->grab().toImage();
    QSet<QRgb> ink;
    for (int y = 4; y < image.height() - 4; ++y)
      for (int x = 4; x < image.width() - 24; ++x) ink.insert(image.pixel(x, y) & 0xFFFFFF);
    EXPECT_TRUE(ink.contains(0x808080) && !ink.contains(0x000000));
  }
}

// The family (in small letters) each character but spaces of `text` is
// drawn from in `font`.
QStringList facesOf(const QString& text, const QFont& font) {
  QStringList faces;
  for (const QChar c : text) {
    if (c.isSpace()) continue;
    QTextLayout layout(QString(c), font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    faces << layout.glyphRuns().value(0).rawFont().familyName().toLower();
  }
  return faces;
}

TEST(SheetFaces, TheFreeStationHeadingsTakeEachCharacterFromItsFace) {
  reading::OrientedStation setup;
  setup.method = reading::OrientedStation::Method::kFree;
  const CSetupDialog dialog(setup, nullptr, {});
  const QString l = QStringLiteral("liberation sans"), s = QStringLiteral("ar pl uming cn");
  const std::pair<QString, QStringList> headings[] = {{"横向 mm", {s, s, l, l}},
                                                      {"平距残差 mm", {s, s, s, s, l, l}},
                                                      {"读数残差 ″", {s, s, s, s, l}}};
  int found = 0;
  for (const QLabel* label : dialog.findChildren<QLabel*>())
    for (const auto& [text, faces] : headings) {
      if (label->text() != text) continue;
      ++found;
      EXPECT_TRUE(label->font().bold() && !(label->font().styleStrategy() & QFont::NoAntialias));
      EXPECT_EQ(facesOf(text, label->font()), faces) << text.toStdString();
    }
  EXPECT_EQ(found, 3);
}

}  // namespace
