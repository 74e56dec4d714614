// Names placed as a map places them: beside their point where they cover
// nothing drawn and stay whole in the plan, else elsewhere around it, else
// left out and counted.

#include "ui/common/label_placer.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

const QRectF kArea(0, 0, 100, 100);
const QSizeF kName(20, 10);

// Five names of one point: right, left, above and below it; the fifth
// finds every place taken (above right overlaps the one above).
TEST(LabelPlacer, NamesOfOnePointGoAroundItThenAreCounted) {
  LabelPlacer placer(kArea);
  const QRectF expected[] = {{54, 45, 20, 10}, {26, 45, 20, 10}, {40, 33, 20, 10}, {40, 57, 20, 10}};
  for (const QRectF& rect : expected) EXPECT_EQ(placer.place({50, 50}, kName, 4), rect);
  EXPECT_EQ(placer.place({50, 50}, kName, 4), std::nullopt);
  EXPECT_EQ(placer.leftOut(), 1u);
  EXPECT_TRUE(placer.crowded({50, 50}, 4, 10));
  EXPECT_FALSE(placer.crowded({20, 80}, 4, 10));
}

// A name at the right edge (桩200) goes whole to the left of its point; at
// the top right corner, below to the left.
TEST(LabelPlacer, ANameIsNeverCutAtTheEdge) {
  LabelPlacer placer(kArea);
  EXPECT_EQ(placer.place({95, 50}, kName, 4), QRectF(71, 45, 20, 10));
  EXPECT_EQ(placer.place({95, 3}, kName, 4), QRectF(71, 10, 20, 10));
  EXPECT_EQ(placer.place({50, 50}, QSizeF(120, 10), 4), std::nullopt);  // wider than the plan
  EXPECT_EQ(placer.leftOut(), 1u);
}

// The station's name shows whatever covers its places: over the points
// there, where it is drawn on a backing of its own; and no name goes over it.
TEST(LabelPlacer, TheNameThatMustShowShowsAndIsThenCovered) {
  LabelPlacer placer(kArea);
  placer.cover(kArea);
  EXPECT_EQ(placer.placeAlways({50, 50}, kName, 4), QRectF(54, 45, 20, 10));
  EXPECT_EQ(placer.leftOut(), 0u);

  LabelPlacer open(kArea);
  open.cover(QRectF(52, 40, 30, 20));  // points on its right
  const QRectF station = open.placeAlways({50, 50}, kName, 4);
  EXPECT_EQ(station, QRectF(26, 45, 20, 10));
  EXPECT_EQ(open.place({36, 50}, kName, 4), QRectF(26, 33, 20, 10));  // not over the station's
}

// A cloud of points and names of every width: no name overlaps another or
// a point, every name is whole inside the plan, and each name is drawn or
// counted.
TEST(LabelPlacer, ACloudOfNamesNeverOverlapsAndEveryNameIsAccounted) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> along(-10, 410), width(8, 60);
  const QRectF area(0, 0, 400, 300);
  LabelPlacer placer(area);
  std::vector<QPointF> points;
  for (int i = 0; i < 600; ++i) points.emplace_back(along(random), along(random) * 0.75);
  std::vector<QRectF> squares;
  for (const QPointF& point : points) {
    squares.emplace_back(point - QPointF(1.5, 1.5), QSizeF(3, 3));
    placer.cover(squares.back());
  }
  std::vector<QRectF> placed;
  for (const QPointF& point : points)
    if (const auto rect = placer.place(point, QSizeF(width(random), 14), 4)) placed.push_back(*rect);
  EXPECT_EQ(placed.size() + placer.leftOut(), points.size());
  EXPECT_GT(placed.size(), 50u);
  EXPECT_GT(placer.leftOut(), 100u);
  for (std::size_t i = 0; i < placed.size(); ++i) {
    EXPECT_TRUE(area.contains(placed[i])) << i;
    for (std::size_t j = i + 1; j < placed.size(); ++j)
      ASSERT_FALSE(placed[i].intersects(placed[j])) << i << " " << j;
    for (const QRectF& square : squares) ASSERT_FALSE(placed[i].intersects(square)) << i;
  }
}

}  // namespace
