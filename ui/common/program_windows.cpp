#include "ui/common/program_windows.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

void ShowBeside(QWidget& window, QWidget* form) {
  if (form != nullptr) {
    // A window whose transient parent is the modal form is not blocked by
    // it (Qt asks whether the form is an ancestor, transients included).
    form->winId();
    window.winId();
    window.windowHandle()->setTransientParent(form->windowHandle());
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
