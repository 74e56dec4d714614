#pragma once

// A window test's way past a message box: answers the next one with 确定
// and keeps its text.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTest>
#include <QTimer>

// Answers the next message box with 确定; returns its text once it showed.
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
