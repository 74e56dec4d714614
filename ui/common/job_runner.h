#pragma once

// Runs a window's heavy work off its interface thread, so that the window
// stays responsive: reading a design file, listing a road's stakes, writing
// a PDF or a CSV, laying out and printing pages (the 放样表, the 线路
// window). One job at a time: a new one, or
// cancel(), stops the one running at once; a stopped job reports nothing
// more. The work gets a stop flag to look at now and then and a progress
// report; what it returns runs on the interface thread once it is done.

#include <QList>
#include <QObject>
#include <QPointer>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

class QThread;

// A share of a job's progress: reports `from` to `to` percent of the whole
// as `done` goes from 0 to `whole` (nothing where there is no report).
struct ProgressStage {
  const std::function<void(int percent)>& progress;
  int from;
  int to;

  void operator()(std::uint64_t done, std::uint64_t whole) const {
    if (progress && whole > 0)
      progress(from + static_cast<int>(static_cast<double>(done) / whole * (to - from)));
  }
};

class CJobRunner : public QObject {
  Q_OBJECT

 public:
  using Progress = std::function<void(int percent)>;
  // What runs on the interface thread with the job's result.
  using Done = std::function<void()>;
  using Work = std::function<Done(const std::atomic<bool>& stop, const Progress& progress)>;

  explicit CJobRunner(QObject* parent = nullptr);
  // Stops every job still running and waits for it: jobs look at their stop
  // flag often, so this takes milliseconds.
  ~CJobRunner() override;

  // Starts `work`, stopping the job that runs.
  void start(Work work);
  // Stops the job that runs, if one does.
  void cancel();
  bool busy() const { return m_stop != nullptr; }
  // Every job started has ended, stopped ones included, and what each
  // posted back has arrived (and was dropped where it was stopped): what a
  // test waits on before it looks at what a stopped job left.
  bool allEnded() const;

 signals:
  void started();
  void progress(int percent);
  // The job ended, done or cancelled: the window is at rest again.
  void ended();
  // The user cancelled the job: it reports nothing.
  void cancelled();

 private:
  void stopRunning();

  std::shared_ptr<std::atomic<bool>> m_stop;  // the running job's, null when idle
  QList<QPointer<QThread>> m_threads;         // jobs not yet ended, stopped ones included
};
