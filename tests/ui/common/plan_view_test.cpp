// Zoom and pan of every plan the program shows (the 放样表's sketch, the
// 线路 window's plan), by the keyboard, the wheel and the mouse, on a plan
// of 100 m by 200 m in a view of 400 x 300 pixels.

#include "ui/common/plan_view.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QTest>
#include <QWheelEvent>

namespace {

// North from 0 to 100 m, east from 0 to 200 m; clicks counted.
class TestPlan : public CPlanView {
 public:
  TestPlan() { resize(400, 300); }
  int clicks = 0;
  using CPlanView::fit;

 protected:
  bool hasPlan() const override { return true; }
  PlanBounds planBounds() const override {
    PlanBounds bounds;
    bounds.add(0, 0);
    bounds.add(100, 200);
    return bounds;
  }
  void paintPlan(QPainter& painter) override { painter.fillRect(rect(), Qt::white); }
  void paintEmpty(QPainter&) override {}
  void clickedAt(QPointF) override { ++clicks; }
};

// The frame as "north east pixels-a-metre".
std::string shown(const PlanFrame& frame) {
  char text[80];
  std::snprintf(text, sizeof text, "%.3f %.3f %.4f", frame.centreX, frame.centreY,
                frame.pixelsPerMetre);
  return text;
}

TEST(PlanView, KeysPanAnEighthZoomAQuarterAndHomeFitsAgain) {
  TestPlan plan;
  plan.fit();
  // 200 m east in 400 - 2 x 24 pixels: 1.76 pixels a metre.
  EXPECT_EQ(shown(plan.frame()), "50.000 100.000 1.7600");
  const struct {
    Qt::Key key;
    const char* frame;
  } steps[] = {
      {Qt::Key_Plus, "50.000 100.000 2.2000"},
      {Qt::Key_Left, "50.000 77.273 2.2000"},  // 50 pixels west
      {Qt::Key_Down, "32.955 77.273 2.2000"},  // 37.5 pixels south
      {Qt::Key_Minus, "32.955 77.273 1.7600"},
      {Qt::Key_Home, "50.000 100.000 1.7600"},
  };
  for (const auto& step : steps) {
    QTest::keyClick(&plan, step.key);
    EXPECT_EQ(shown(plan.frame()), step.frame) << step.key;
  }
}

TEST(PlanView, AResizeRefitsUntilTheUserZoomsAndADragIsNoClick) {
  TestPlan plan;
  plan.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&plan));
  plan.resize(800, 600);
  ASSERT_TRUE(QTest::qWaitFor([&] { return plan.width() == 800; }));
  EXPECT_EQ(shown(plan.frame()), "50.000 100.000 3.7600");
  // A notch of the wheel over the plan's north-east corner keeps it there.
  const QPointF corner = plan.frame().toArea(100, 200, QRectF(plan.rect()));
  QWheelEvent wheel(corner, plan.mapToGlobal(corner), {}, {0, 120}, Qt::NoButton, {},
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(&plan, &wheel);
  EXPECT_EQ(plan.frame().toArea(100, 200, QRectF(plan.rect())), corner);
  plan.resize(400, 300);
  ASSERT_TRUE(QTest::qWaitFor([&] { return plan.width() == 400; }));
  EXPECT_DOUBLE_EQ(plan.frame().pixelsPerMetre, 4.7);  // zoomed: not refitted

  QTest::mouseClick(&plan, Qt::LeftButton, {}, QPoint(100, 100));
  EXPECT_EQ(plan.clicks, 1);
  QTest::mousePress(&plan, Qt::LeftButton, {}, QPoint(100, 100));
  QTest::mouseMove(&plan, QPoint(160, 100));
  QTest::mouseRelease(&plan, Qt::LeftButton, {}, QPoint(160, 100));
  EXPECT_EQ(plan.clicks, 1);
}

}  // namespace
