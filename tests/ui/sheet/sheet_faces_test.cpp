// What the 放样表's forms draw can be read: hints in grey, apart from the
// values typed in black, and the 自由设站 table's bold headings set as the
// sheet's pages are, Latin letters from the Latin face and Chinese from the
// Song face, bold from the outlines.

#include <gtest/gtest.h>

#include <QApplication>
#include <QGlyphRun>
#include <QLabel>
#include <QLineEdit>
#include <QRawFont>
#include <QTest>
#include <QTextLayout>

#include "ui/sheet/point_name_box.h"
#include "ui/sheet/setup_dialog.h"

namespace {

// The colours of the pixels inside `widget`, 4 pixels in from its frame.
QSet<QRgb> inkOf(QWidget& widget) {
  widget.resize(120, widget.sizeHint().height());
  const QImage image = widget.grab().toImage();
  QSet<QRgb> colours;
  const qreal ratio = image.devicePixelRatio();
  for (int y = int(4 * ratio); y < image.height() - int(4 * ratio); ++y)
    for (int x = int(4 * ratio); x < image.width() - int(24 * ratio); ++x)
      colours.insert(image.pixel(x, y) & 0xFFFFFF);
  return colours;
}

// "米", "空：测站点的高程" in a field, "点名" in a name box: drawn in the
// palette's grey for hints, no pixel of them black.
TEST(SheetFaces, HintsAreDrawnGreyAsPlaceholders) {
  EXPECT_EQ(QApplication::palette().color(QPalette::PlaceholderText), QColor(128, 128, 128));
  for (const QString& hint : {QStringLiteral("米"), QStringLiteral("空：测站点的高程")}) {
    QLineEdit field;
    field.setPlaceholderText(hint);
    const QSet<QRgb> ink = inkOf(field);
    EXPECT_TRUE(ink.contains(0x808080)) << hint.toStdString();
    EXPECT_FALSE(ink.contains(0x000000)) << hint.toStdString();
  }
  CPointNameBox names;
  const QSet<QRgb> ink = inkOf(names);
  EXPECT_TRUE(ink.contains(0x808080));
  EXPECT_FALSE(ink.contains(0x000000));
}

// The family each character of `text` is drawn from in `font`.
QStringList facesOf(const QString& text, const QFont& font) {
  QStringList faces;
  for (const QChar c : text) {
    if (c.isSpace()) continue;
    QTextLayout layout(QString(c), font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    faces << (runs.isEmpty() ? QString() : runs.first().rawFont().familyName());
  }
  return faces;
}

TEST(SheetFaces, TheFreeStationHeadingsTakeEachCharacterFromItsFace) {
  reading::OrientedStation setup;
  setup.method = reading::OrientedStation::Method::kFree;
  CSetupDialog dialog(setup, nullptr, {});
  const QString latin = QStringLiteral("Liberation Sans");
  const QString song = QStringLiteral("AR PL UMing CN");
  const std::pair<QString, QStringList> headings[] = {
      {QStringLiteral("横向 mm"), {song, song, latin, latin}},
      {QStringLiteral("平距残差 mm"), {song, song, song, song, latin, latin}},
      {QStringLiteral("读数残差 ″"), {song, song, song, song, latin}}};
  for (const auto& [text, faces] : headings) {
    const QLabel* heading = nullptr;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
      if (label->text() == text) heading = label;
    ASSERT_NE(heading, nullptr) << text.toStdString();
    const QFont font = heading->font();
    EXPECT_TRUE(font.bold());
    EXPECT_FALSE(font.styleStrategy() & QFont::NoAntialias) << text.toStdString();
    EXPECT_EQ(facesOf(text, font), faces) << text.toStdString();
  }
}

}  // namespace
