#pragma once

// What the user types into a panel's fields, followed: a moment after the
// last key (kSettleMs) the panel counts as changed, as if the field had been
// left, so that the table follows what is typed without Enter. flush() ends
// the wait at once: a command that computes, saves, prints or sends reads the
// fields as they are shown, even where a toolbar click moved no focus.

#include <QObject>
#include <QTimer>

class QLineEdit;
class QPlainTextEdit;

class CTypingWatch : public QObject {
  Q_OBJECT

 public:
  static constexpr int kSettleMs = 300;

  explicit CTypingWatch(QObject* parent = nullptr);

  // Follows the keys typed into `edit`.
  void watch(QLineEdit& edit);
  // Follows what is typed or pasted into `edit`.
  void watch(QPlainTextEdit& edit);

  // Whether a key was typed that has not settled yet.
  bool waiting() const { return m_timer.isActive(); }
  // Settles what is typed now: emits settled() where a key is waiting.
  void flush();

 signals:
  // The keys typed have rested kSettleMs, or were flushed.
  void settled();

 private:
  QTimer m_timer;
};
