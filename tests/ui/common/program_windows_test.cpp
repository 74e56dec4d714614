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
  const QSize minimum(600, 400);
  const struct {
    const char* where;
    QRect form;
    QRect expected;
  } cases[] = {
      {"room on the right", {100, 200, 400, 300}, {508, 200, 1000, 680}},
      {"room on the left only", {1300, 50, 400, 300}, {292, 50, 1000, 680}},
      // A form in the middle: the window is narrowed to the side with more
      // room (right: 1920 - 1220 - 8 = 692; left: 700 - 8 = 692, the same).
      {"narrowed to the right", {700, 100, 520, 300}, {1228, 100, 692, 680}},
      {"narrowed to the left", {760, 100, 520, 300}, {0, 100, 752, 680}},
      // Not below its smallest: as far from the form as the screen goes.
      {"no room for the smallest", {500, 100, 920, 300}, {1320, 100, 600, 680}},
      {"a form low on the screen", {100, 700, 400, 300}, {508, 360, 1000, 680}},
      {"a form above the screen's top", {100, -40, 400, 300}, {508, 0, 1000, 680}},
  };
  for (const auto& given : cases)
    EXPECT_EQ(BesideRect(given.form, window, minimum, screen), given.expected) << given.where;
  EXPECT_EQ(BesideRect({100, 0, 400, 300}, {1000, 2000}, minimum, screen).height(), 1040);
}

}  // namespace
