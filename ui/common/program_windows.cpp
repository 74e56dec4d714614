#include "ui/common/program_windows.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace {

constexpr int kGap = 8;  // pixels between the form and the window beside it

}  // namespace

QRect BesideRect(const QRect& form, const QSize& size, const QSize& minimum, const QRect& screen) {
  const int roomRight = screen.right() - form.right() - kGap;
  const int roomLeft = form.left() - screen.left() - kGap;
  const bool right = size.width() <= roomRight || (size.width() > roomLeft && roomRight >= roomLeft);
  const int width = std::max(minimum.width(), std::min(size.width(), right ? roomRight : roomLeft));
  const int height = std::min(size.height(), screen.height());
  int x = right ? form.right() + 1 + kGap : form.left() - kGap - width;
  x = std::clamp(x, screen.left(), std::max(screen.left(), screen.right() + 1 - width));
  const int y = std::max(screen.top(), std::min(form.top(), screen.bottom() + 1 - height));
  return {x, y, width, height};
}

void ShowBeside(QWidget& window, QWidget* form) {
  if (form != nullptr) {
    // A window manager centres a transient window over its parent unless
    // the program asks for a place; a compositor takes no such request.
    // The place is set before the window's native window is made: it goes
    // with the window's first hints, its frame (title bar included) inside
    // the screen's free area.
    if (!QGuiApplication::platformName().startsWith(QStringLiteral("wayland")))
      PlaceBeside(window, *form);
    // A window whose transient parent is the modal form is not blocked by
    // it (Qt asks whether the form is an ancestor, transients included).
    form->winId();
    window.winId();
    window.windowHandle()->setTransientParent(form->windowHandle());
  }
  window.show();
}

void PlaceBeside(QWidget& window, const QWidget& form) {
  // The window's frame is not known before it shows: the form's is the best
  // guess.
  const QMargins frame(form.geometry().left() - form.frameGeometry().left(),
                       form.geometry().top() - form.frameGeometry().top(),
                       form.frameGeometry().right() - form.geometry().right(),
                       form.frameGeometry().bottom() - form.geometry().bottom());
  const QRect place =
      BesideRect(form.frameGeometry(), window.size().grownBy(frame),
                 window.minimumSizeHint().grownBy(frame), form.screen()->availableGeometry());
  window.resize(place.size().shrunkBy(frame));
  // move() places a window's frame; the window's own top left is the
  // frame's, moved in by the frame's guessed margins.
  window.move(place.topLeft());
}

void RunUntilLastWindowCloses(QWidget& form) {
  QWindow* const formWindow = form.windowHandle();
  bool open = false;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    QWindow* window = widget->windowHandle();
    if (window == nullptr || widget == &form) continue;
    // A window with a transient parent does not count as the program's last
    // window (Qt quits when the last one that does closes): it counts now.
    if (formWindow != nullptr && window->transientParent() == formWindow)
      window->setTransientParent(nullptr);
    open = open || (widget->isVisible() && widget->testAttribute(Qt::WA_QuitOnClose) &&
                    window->transientParent() == nullptr);
  }
  if (open) QApplication::exec();
}
