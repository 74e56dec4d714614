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

// Five names of one point: right, left, above, below; the fifth finds every
// place taken. At the right edge (桩200) a name goes whole to the left, at
// the top right corner below to the left.
TEST(LabelPlacer, NamesGoAroundTheirPointWholeInsideThePlanOrAreCounted) {
  LabelPlacer placer(kArea);
  for (const QRectF& rect : {QRectF(54, 45, 20, 10), QRectF(26, 45, 20, 10),
                             QRectF(40, 33, 20, 10), QRectF(40, 57, 20, 10)})
    EXPECT_EQ(placer.place({50, 50}, kName, 4), rect);
  EXPECT_EQ(placer.place({50, 50}, kName, 4), std::nullopt);
  EXPECT_TRUE(placer.crowded({50, 50}, 4, 10));
  EXPECT_EQ(placer.place({95, 80}, kName, 4), QRectF(71, 75, 20, 10));
  EXPECT_EQ(placer.place({95, 3}, kName, 4), QRectF(71, 10, 20, 10));
  EXPECT_EQ(placer.leftOut(), 1u);
}

// The station's name shows over points where nothing else is free.
TEST(LabelPlacer, TheNameThatMustShowShowsOverWhatIsThere) {
  LabelPlacer full(kArea);
  full.cover(kArea);
  EXPECT_EQ(full.placeAlways({50, 50}, kName, 4), QRectF(54, 45, 20, 10));
}

// A cloud of points and names of every width: no name overlaps another or
// a point or leaves the plan, and each is drawn or counted.
TEST(LabelPlacer, ACloudOfNamesNeverOverlaps) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> along(-10, 410), width(8, 60);
  const QRectF area(0, 0, 400, 300);
  LabelPlacer placer(area);
  std::vector<QRectF> squares, placed;
  for (int i = 0; i < 600; ++i)
    placer.cover(squares.emplace_back(along(random) - 1.5, along(random) * 0.75 - 1.5, 3, 3));
  for (const QRectF& square : squares)
    if (const auto rect = placer.place(square.center(), QSizeF(width(random), 14), 4))
      placed.push_back(*rect);
  EXPECT_TRUE(placed.size() + placer.leftOut() == squares.size() && placed.size() > 50);
  for (std::size_t i = 0; i < placed.size(); ++i) {
    EXPECT_TRUE(area.contains(placed[i])) << i;
    for (std::size_t j = i + 1; j < placed.size(); ++j) ASSERT_FALSE(placed[i].intersects(placed[j]));
    for (const QRectF& square : squares) ASSERT_FALSE(placed[i].intersects(square)) << i;
  }
}

}  // namespace
