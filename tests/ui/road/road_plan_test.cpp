// The road's plan as it is drawn: a JD table of one right-angled curve, BP
// at the origin, JD1 200 m north, EP 200 m east of it, R 50 without spirals
// (T 50: ZY 150 m north of BP), drawn at 2 pixels a metre with BP's line
// down the view's column 50.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "reader/road/road_rows.h"
#include "tests/ui/road/road_files.h"
#include "ui/road/road_painter.h"

namespace {

bool inked(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 240; }

TEST(RoadPlan, TangentsAreDashedAndTheAlignmentSolid) {
  RoadFiles files;
  RoadFiles::write(files.jd, "BP,0,0\nJD1,200,0,50\nEP,200,200\n");
  reading::RoadRequest request;
  request.path = files.jd.toStdString();
  auto design = std::make_shared<reading::RoadDesign>();
  ASSERT_FALSE(reading::ReadRoad(request, *design));
  RoadShown road{design, reading::MakeRoadRows(design, 3), {3, 4}};
  QImage image(500, 500, QImage::Format_RGB32);
  QPainter painter(&image);
  RoadPainter(road, nullptr, PlanFrame{100, 100, 2}, QRectF(image.rect())).paint(painter, {});
  painter.end();
  // BP to ZY, x = 10 to 140 m: the straight, drawn over its tangent.
  for (int y = 170; y <= 430; ++y) EXPECT_TRUE(inked(image, 50, y)) << y;
  // ZY to JD1, x = 155 to 195 m: the tangent alone, in dashes.
  int ink = 0;
  for (int y = 60; y <= 140; ++y) ink += inked(image, 50, y);
  EXPECT_GT(ink, 20);
  EXPECT_LT(ink, 70);
  // The arc, 30 degrees past ZY: 175.000 north, 6.699 east.
  EXPECT_TRUE(inked(image, 63, 100) && inked(image, 64, 100));
  EXPECT_FALSE(inked(image, 60, 100) || inked(image, 67, 100));
}

}  // namespace
