#include "ui/common/program_windows.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace {

constexpr int kGap = 8;  // pixels between the form and the window beside it

}  // namespace

QPoint BesidePosition(const QRect& form, const QSize& size, const QRect& screen) {
  const int right = form.right() + 1 + kGap;
  const int left = form.left() - kGap - size.width();
  int x = right;
  if (right + size.width() > screen.right() + 1) {
    const int roomRight = screen.right() + 1 - (form.right() + 1);
    const int roomLeft = form.left() - screen.left();
    if (left >= screen.left())
      x = left;
    else
      x = roomLeft > roomRight ? screen.left() : screen.right() + 1 - size.width();
  }
  const int y = std::max(screen.top(), std::min(form.top(), screen.bottom() + 1 - size.height()));
  return {x, y};
}

void ShowBeside(QWidget& window, QWidget* form) {
  if (form != nullptr) {
    // A window whose transient parent is the modal form is not blocked by
    // it (Qt asks whether the form is an ancestor, transients included).
    form->winId();
    window.winId();
    window.windowHandle()->setTransientParent(form->windowHandle());
    // A window manager centres a transient window over its parent unless
    // the program asks for a place; a compositor takes no such request.
    if (!QGuiApplication::platformName().startsWith(QStringLiteral("wayland"))) {
      // The window's frame is not known before it shows: the form's is
      // the best guess.
      const QMargins frame(form->geometry().left() - form->frameGeometry().left(),
                           form->geometry().top() - form->frameGeometry().top(),
                           form->frameGeometry().right() - form->geometry().right(),
                           form->frameGeometry().bottom() - form->geometry().bottom());
      const QSize size = window.size().grownBy(frame);
      window.move(BesidePosition(form->frameGeometry(), size, form->screen()->availableGeometry()));
    }
  }
  window.show();
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
