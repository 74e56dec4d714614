// The sketch's names: where two would overlap only the first is drawn
// there, names far apart are all drawn, the station's always and over no
// point, none cut at the edge; the north arrow and the scale bar cover no
// point, fitted or panned.

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sketch_painter.h"

namespace {

void addPoint(SetoutSheet& sheet, const char* name, double x, double y) {
  SheetRows::Fields fields{};
  fields[SheetRows::kName] = name;
  const SheetRows::Point point{x, y};
  sheet.rows.append(fields, static_cast<std::uint32_t>(sheet.rows.size() + 1), &point, {',', true});
}

// The station at the origin, the backsight due north; the design points
// 10 m north of it.
QImage drawn(const std::vector<std::pair<const char*, double>>& eastings) {
  SetoutSheet sheet;
  sheet.station = {QStringLiteral("S"), 0, 0};
  for (const auto& [name, east] : eastings) addPoint(sheet, name, 10, east);
  QImage image(400, 300, QImage::Format_RGB32);
  const QRectF area(image.rect());
  // The same frame for every picture: 20 pixels a metre, the points' row at
  // the middle.
  const SketchFrame frame{10, 2, 20};
  QPainter painter(&image);
  SketchPainter(sheet, frame, area).paint(painter, SketchPainter::kNoRow);
  return image;
}

// The part of the picture where the name of the point at `east` goes.
QImage nameOf(const QImage& image, double east) {
  const int x = static_cast<int>(image.width() / 2 + (east - 2) * 20);
  return image.copy(x + 4, image.height() / 2 - 10, 40, 20);
}

bool hasInk(const QImage& part) {
  for (int y = 0; y < part.height(); ++y)
    for (int x = 0; x < part.width(); ++x)
      if (qGray(part.pixel(x, y)) < 128) return true;
  return false;
}

TEST(SketchNames, OverlappingNamesAreThinnedAndSeparateOnesAllDrawn) {
  const QImage alone = drawn({{"AAAA", 0.0}, {"CCCC", 5.0}});
  // BBBB lies a twentieth of a metre, one pixel, east of AAAA: its name
  // would cover AAAA's.
  const QImage crowded = drawn({{"AAAA", 0.0}, {"BBBB", 0.05}, {"CCCC", 5.0}});
  EXPECT_TRUE(hasInk(nameOf(alone, 0.0)));
  EXPECT_TRUE(hasInk(nameOf(alone, 5.0)));
  EXPECT_EQ(nameOf(crowded, 0.0), nameOf(alone, 0.0));
  EXPECT_EQ(nameOf(crowded, 5.0), nameOf(alone, 5.0));
}

// Points at the corners of the plan, where the north arrow (top right) and
// the scale bar (bottom left) are drawn: each point shows, fitted; panned
// half a band down, the bottom ones go under the band, not over its bar.
TEST(SketchBands, TheNorthArrowAndTheScaleBarCoverNoPoint) {
  SetoutSheet sheet;
  sheet.station = {QStringLiteral("S"), 0, 0};
  sheet.backsightPoint = SheetPoint{QStringLiteral("B"), 0, 50};
  for (const auto& [x, y] :
       {std::pair{100.0, 100.0}, {100.0, -100.0}, {-100.0, -100.0}, {-100.0, 100.0}})
    addPoint(sheet, "", x, y);
  const QFont font;
  const double band = SketchPainter::BandHeight(QFontMetricsF(font));
  QImage image(400, 300, QImage::Format_RGB32);
  const QRectF area(image.rect());
  const SketchFrame fitted = FitSketch(sheet, image.size(), 24, band);
  {
    QPainter painter(&image);
    painter.setFont(font);
    SketchPainter(sheet, fitted, area, {}, font).paint(painter, SketchPainter::kNoRow);
  }
  for (std::size_t row = 0; row < 4; ++row) {
    const SheetRows::Point ground = sheet.rows.point(row);
    const QPoint at = fitted.toArea(ground.x, ground.y, area).toPoint();
    EXPECT_EQ(image.pixelColor(at), QColor(40, 40, 40)) << row;
  }
  const SketchFrame panned = fitted.panned({0, 24 + band / 2});
  const QImage bare = image.copy();
  {
    QPainter painter(&image);
    painter.setFont(font);
    SketchPainter(sheet, panned, area, {}, font).paint(painter, SketchPainter::kNoRow);
  }
  const SheetRows::Point southWest = sheet.rows.point(2);
  const QPoint under = panned.toArea(southWest.x, southWest.y, area).toPoint();
  EXPECT_GT(under.y(), 300 - band);
  EXPECT_EQ(image.copy(0, 300 - band + 1, 400, band - 1),
            bare.copy(0, 300 - band + 1, 400, band - 1));
}

// The station at the middle of a plan of 400 x 300 pixels, 20 a metre:
// design points crowd the place right of it where its name would go. Its
// name shows left of it, over no point and no name over it; every name is
// drawn or counted.
TEST(SketchNames, TheStationsNameIsNeverCovered) {
  SetoutSheet sheet;
  sheet.station = {QStringLiteral("S1"), 0, 0};
  for (int east = 1; east <= 12; ++east)
    for (int north = -1; north <= 1; ++north) addPoint(sheet, "P", north * 0.25, east * 0.25);
  const QFont font;
  const SketchPainter painter(sheet, SketchFrame{0, 0, 20}, QRectF(0, 0, 400, 300), {}, font);
  const SketchPainter::Labels labels = painter.labels(QFontMetricsF(font), SketchPainter::kNoRow);
  ASSERT_FALSE(labels.drawn.empty());
  EXPECT_EQ(labels.drawn[0].text, "S1");
  EXPECT_LT(labels.drawn[0].rect.right(), 200 - 6);
  for (const SketchPainter::Label& label : labels.drawn)
    EXPECT_TRUE(&label == &labels.drawn[0] || !label.rect.intersects(labels.drawn[0].rect));
  EXPECT_TRUE(labels.drawn.size() + labels.leftOut == 36u + 1 && labels.leftOut > 20u);
}

}  // namespace
