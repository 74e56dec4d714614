#include "ui/common/typing_watch.h"

#include <QLineEdit>
#include <QPlainTextEdit>

CTypingWatch::CTypingWatch(QObject* parent) : QObject(parent) {
  m_timer.setSingleShot(true);
  m_timer.setInterval(kSettleMs);
  connect(&m_timer, &QTimer::timeout, this, &CTypingWatch::settled);
}

void CTypingWatch::watch(QLineEdit& edit) {
  // Each key starts the wait again.
  connect(&edit, &QLineEdit::textEdited, &m_timer, qOverload<>(&QTimer::start));
}

void CTypingWatch::watch(QPlainTextEdit& edit) {
  connect(&edit, &QPlainTextEdit::textChanged, &m_timer, qOverload<>(&QTimer::start));
}

void CTypingWatch::flush() {
  if (!m_timer.isActive()) return;
  m_timer.stop();
  emit settled();
}
