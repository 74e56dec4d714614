#pragma once

// Watches the whole application for the first paint of a window. Once that
// paint is done it prints the monotonic clock in nanoseconds on stdout and
// closes the window, so a modal dialog's exec() returns and the process ends.

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

class FirstPaintProbe : public QObject {
 public:
  FirstPaintProbe() { QCoreApplication::instance()->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!m_seen && event->type() == QEvent::Paint && widget && widget->isWindow()) {
      m_seen = true;
      // Queued, so it runs after this paint and the children's have finished.
      QTimer::singleShot(0, widget, [widget] {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        std::fflush(stdout);
        widget->close();
      });
    }
    return false;
  }

 private:
  bool m_seen = false;
};
