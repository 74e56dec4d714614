#include "ui/common/job_runner.h"

#include <QThread>
#include <algorithm>

#if defined(__SANITIZE_ADDRESS__)
#define CORVANE_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CORVANE_ADDRESS_SANITIZER 1
#endif
#endif

#if defined(__GLIBC__) && !defined(CORVANE_ADDRESS_SANITIZER)
#include <malloc.h>
#endif

namespace {

// A job passes tens of megabytes (a file's lines, the index of its names)
// that glibc keeps in this thread's arena once freed: a hundred thousand
// points left 55 MiB over the idle calculator, 33 MiB trimmed
// (bench/setout). Not under AddressSanitizer, whose allocator holds that
// memory (glibc's trim there walks arenas glibc never set up, and crashed a
// test on a loaded machine), nor on Windows, whose heap gives it back.
void ReturnFreedMemory() {
#if defined(__GLIBC__) && !defined(CORVANE_ADDRESS_SANITIZER)
  malloc_trim(0);
#endif
}

}  // namespace

CJobRunner::CJobRunner(QObject* parent) : QObject(parent) {}

CJobRunner::~CJobRunner() {
  stopRunning();
  for (const QPointer<QThread>& thread : std::as_const(m_threads))
    if (thread) thread->wait();
}

// The job's own stop flag travels with everything it posts back, so that a
// result or a step of progress posted just before a stop is dropped.
void CJobRunner::start(Work work) {
  stopRunning();
  auto stopFlag = std::make_shared<std::atomic<bool>>(false);
  m_stop = stopFlag;
  QThread* thread = QThread::create([this, work = std::move(work), stopFlag] {
    int shown = -1;
    const Progress report = [&](int percent) {
      if (percent == shown) return;
      shown = percent;
      QMetaObject::invokeMethod(this, [this, percent, stopFlag] {
        if (!*stopFlag) emit progress(percent);
      });
    };
    Done done = work(*stopFlag, report);
    ReturnFreedMemory();
    QMetaObject::invokeMethod(this, [this, done = std::move(done), stopFlag] {
      if (*stopFlag) return;
      m_stop.reset();
      emit ended();
      if (done) done();
    });
  });
  connect(thread, &QThread::finished, thread, &QObject::deleteLater);
  m_threads.removeAll(nullptr);
  m_threads.append(thread);
  emit started();
  thread->start();
}

// A job's thread is deleted (deleteLater on its end) only after what it
// posted before it ended has been delivered: both go through this thread's
// queue, in order.
bool CJobRunner::allEnded() const {
  return std::all_of(m_threads.begin(), m_threads.end(),
                     [](const QPointer<QThread>& thread) { return thread.isNull(); });
}

void CJobRunner::cancel() {
  if (!m_stop) return;
  stopRunning();
  emit cancelled();
  emit ended();
}

// The job ends on its own a moment later; the window need not wait for it.
void CJobRunner::stopRunning() {
  if (m_stop) *m_stop = true;
  m_stop.reset();
}
