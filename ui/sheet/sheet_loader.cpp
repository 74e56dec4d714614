#include "ui/sheet/sheet_loader.h"

#include <malloc.h>

#include <QThread>

CSheetLoader::CSheetLoader(QObject* parent) : QObject(parent) { qRegisterMetaType<SheetResult>(); }

// Every job still running looks at its stop flag every few lines, so this
// waits milliseconds whatever the file's size.
CSheetLoader::~CSheetLoader() {
  cancel();
  for (const QPointer<QThread>& thread : std::as_const(m_threads))
    if (thread) thread->wait();
}

// The job's own stop flag travels with everything it posts back, so that a
// result or a step of progress posted just before a stop is dropped.
void CSheetLoader::start(const SheetRequest& request) {
  cancel();
  auto stopFlag = std::make_shared<std::atomic<bool>>(false);
  m_stop = stopFlag;
  QThread* thread = QThread::create([this, request, stopFlag] {
    int shown = -1;
    auto report = [&](int percent) {
      if (percent == shown) return;
      shown = percent;
      QMetaObject::invokeMethod(this, [this, percent, stopFlag] {
        if (!*stopFlag) emit progress(percent);
      });
    };
    SheetResult result = ComputeSheet(request, *stopFlag, report);
    // The job passes tens of megabytes (the file's bytes, the index of its
    // names) that glibc keeps in this thread's arena once freed: a hundred
    // thousand points left 55 MiB over the idle calculator, 33 MiB trimmed
    // (bench/setout).
    malloc_trim(0);
    QMetaObject::invokeMethod(this, [this, result = std::move(result), stopFlag] {
      if (*stopFlag) return;
      m_stop.reset();
      if (!result.failure.isEmpty())
        emit failed(result.failure);
      else
        emit finished(result);
    });
  });
  connect(thread, &QThread::finished, thread, &QObject::deleteLater);
  m_threads.removeAll(nullptr);
  m_threads.append(thread);
  thread->start();
}

// The job ends on its own a moment later; the window need not wait for it.
void CSheetLoader::cancel() {
  if (m_stop) *m_stop = true;
  m_stop.reset();
}
