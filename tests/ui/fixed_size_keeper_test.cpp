// A window of fixed size that is maximized, as Qt's own title bar on Wayland
// does it: the window ends at its own size, in the normal state, and can be
// resized no more than before.

#include "ui/fixed_size_keeper.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QTest>
#include <QWindow>

namespace {

TEST(FixedSizeKeeper, AMaximizedWindowComesBackToItsSizeAndItsLimits) {
  QDialog window;
  window.setFixedSize(320, 180);
  const CFixedSizeKeeper keeper(window);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.windowHandle()->setWindowStates(Qt::WindowMaximized);
  EXPECT_TRUE(QTest::qWaitFor([&] {
    return window.windowHandle()->windowStates() == Qt::WindowNoState &&
           window.minimumSize() == window.maximumSize();
  }));
  EXPECT_EQ(window.size(), QSize(320, 180));
  EXPECT_EQ(window.maximumSize(), QSize(320, 180));
}

}  // namespace
