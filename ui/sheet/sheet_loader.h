#pragma once

// Reads a design file and computes its setting-out sheet off the interface
// thread, with the reader corvane-calc uses, so the window stays responsive
// and shows progress. One job at a time: a new one, or cancel(), stops the
// one running at once; a stopped job reports nothing more.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <atomic>
#include <memory>

#include "ui/sheet/sheet_reading.h"

class QThread;

Q_DECLARE_METATYPE(SheetResult)

class CSheetLoader : public QObject {
  Q_OBJECT

 public:
  explicit CSheetLoader(QObject* parent = nullptr);
  ~CSheetLoader() override;

  void start(const SheetRequest& request);
  void cancel();
  bool busy() const { return m_stop != nullptr; }

 signals:
  void progress(int percent);
  void finished(const SheetResult& result);
  // The file cannot be read or is not text; `message` says so in Chinese.
  void failed(const QString& message);

 private:
  std::shared_ptr<std::atomic<bool>> m_stop;  // the running job's, null when idle
  QList<QPointer<QThread>> m_threads;         // jobs not yet ended, stopped ones included
};
