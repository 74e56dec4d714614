#pragma once

// Answers the next message box with 确定; wait() returns its text once it
// showed.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

class MessageCatcher {
 public:
  MessageCatcher() {
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        m_message = box->text();
        box->close();
      }
    });
    m_timer.start(10);
  }
  QString wait() {
    EXPECT_TRUE(QTest::qWaitFor([this] { return !m_message.isEmpty(); }));
    return m_message;
  }

 private:
  QTimer m_timer;
  QString m_message;
};
