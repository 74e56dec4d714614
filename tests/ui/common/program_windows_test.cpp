// Where a window opened from the calculator goes: beside the form, never
// over it where the screen has room on either side.

#include "ui/common/program_windows.h"

#include <gtest/gtest.h>

#include <QPoint>
#include <QRect>
#include <QSize>

namespace {

TEST(ProgramWindows, AWindowGoesBesideTheFormWhereTheScreenHasRoom) {
  const QRect screen(0, 0, 1920, 1040);  // a panel at the bottom
  const QSize window(1000, 680);
  const struct {
    const char* where;
    QRect form;
    QPoint expected;
  } cases[] = {
      {"room on the right", {100, 200, 400, 300}, {508, 200}},
      {"room on the left only", {1300, 50, 400, 300}, {292, 50}},
      // 1,000 pixels fit on neither side: on the side with more room, as
      // far from the form as the screen goes.
      {"more room on the right", {700, 100, 400, 300}, {920, 100}},
      {"more room on the left", {900, 100, 400, 300}, {0, 100}},
      {"a form low on the screen", {100, 700, 400, 300}, {508, 360}},
      {"a form above the screen's top", {100, -40, 400, 300}, {508, 0}},
  };
  for (const auto& given : cases)
    EXPECT_EQ(BesidePosition(given.form, window, screen), given.expected) << given.where;
}

}  // namespace
