#include "ui/calc/fixed_size_keeper.h"

#include <QEvent>
#include <QWindow>

CFixedSizeKeeper::CFixedSizeKeeper(QWidget& window)
    : m_window(window), m_size(window.minimumSize()) {
  window.installEventFilter(this);
}

bool CFixedSizeKeeper::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &m_window) return false;
  switch (event->type()) {
    case QEvent::Show:  // the window has its platform window from here on
      connect(m_window.windowHandle(), &QWindow::windowStateChanged, this,
              &CFixedSizeKeeper::onWindowStateChanged, Qt::UniqueConnection);
      break;
    case QEvent::WindowStateChange:  // the state the platform has given the window
      if (m_window.isMaximized()) askForNormalState();
      break;
    case QEvent::Resize:
      fixSizeWhenBack();
      break;
    default:
      break;
  }
  return false;
}

// The window's state as asked for (the title bar's maximize asks before the
// compositor answers) or as given.
void CFixedSizeKeeper::onWindowStateChanged(Qt::WindowState state) {
  if (state != Qt::WindowMaximized) return;
  // Qt holds a window within its size limits even against the size that
  // comes with the maximized state; lift them before that size arrives, and
  // keep them lifted until it has. Configures sent before the compositor read
  // the request may come first and say nothing about it.
  m_awaitingMaximized = true;
  m_window.setMinimumSize(0, 0);
  m_window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

// After the event that brought the maximized state, not within it.
void CFixedSizeKeeper::askForNormalState() {
  m_awaitingMaximized = false;
  QMetaObject::invokeMethod(
      this, [this] { m_window.setWindowState(m_window.windowState() & ~Qt::WindowMaximized); },
      Qt::QueuedConnection);
}

// The limits come back only in the normal state and at the window's own size:
// set while the compositor still holds the window maximized, they would make
// the window smaller than it was given, the fault this class avoids.
void CFixedSizeKeeper::fixSizeWhenBack() {
  if (m_awaitingMaximized || m_window.isMaximized() || m_window.size() != m_size) return;
  if (m_window.minimumSize() != m_size || m_window.maximumSize() != m_size)
    m_window.setFixedSize(m_size);
}
