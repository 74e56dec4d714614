#include "ui/sheet_loader.h"

#include <QThread>

CSheetLoader::CSheetLoader(QObject* parent) : QObject(parent) { qRegisterMetaType<SheetResult>(); }

CSheetLoader::~CSheetLoader() { stop(); }

// The job's own stop flag travels with everything it posts back, so that a
// result or a step of progress posted just before a stop is dropped.
void CSheetLoader::start(const SheetRequest& request) {
  stop();
  auto stopFlag = std::make_shared<std::atomic<bool>>(false);
  m_stop = stopFlag;
  m_thread = QThread::create([this, request, stopFlag] {
    int shown = -1;
    auto report = [&](int percent) {
      if (percent == shown) return;
      shown = percent;
      QMetaObject::invokeMethod(this, [this, percent, stopFlag] {
        if (!*stopFlag) emit progress(percent);
      });
    };
    SheetResult result = ComputeSheet(request, *stopFlag, report);
    QMetaObject::invokeMethod(this, [this, result = std::move(result), stopFlag] {
      if (*stopFlag) return;
      stop();
      if (!result.failure.isEmpty())
        emit failed(result.failure);
      else
        emit finished(result);
    });
  });
  m_thread->start();
}

void CSheetLoader::cancel() { stop(); }

// Waits for the job to see its flag: it looks at it every few lines, so
// this takes milliseconds whatever the file's size.
void CSheetLoader::stop() {
  if (m_stop) *m_stop = true;
  m_stop.reset();
  if (!m_thread) return;
  m_thread->wait();
  delete m_thread;
  m_thread = nullptr;
}
