// The window's background jobs: a job that is cancelled, or replaced by a
// newer one, reports nothing, whenever it ends.

#include "ui/common/job_runner.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

namespace {

// A job that runs until it is stopped or released, then reports `name`.
CJobRunner::Work waiting(const char* name, std::atomic<bool>& release, QStringList& done) {
  return
      [name, &release, &done](const std::atomic<bool>& stop, const CJobRunner::Progress& progress) {
        progress(50);
        while (!stop && !release) QThread::msleep(1);
        return [name, &done] { done << QString::fromLatin1(name); };
      };
}

TEST(JobRunner, ACancelledOrReplacedJobReportsNothing) {
  CJobRunner runner;
  QSignalSpy ended(&runner, &CJobRunner::ended);
  QSignalSpy cancelled(&runner, &CJobRunner::cancelled);
  std::atomic<bool> release(false);
  QStringList done;

  runner.start(waiting("first", release, done));
  runner.cancel();
  EXPECT_FALSE(runner.busy());
  EXPECT_EQ(cancelled.size(), 1);
  EXPECT_EQ(ended.size(), 1);

  runner.start(waiting("second", release, done));
  runner.start(waiting("third", release, done));  // replaces the second, quietly
  EXPECT_EQ(cancelled.size(), 1);
  release = true;
  ASSERT_TRUE(QTest::qWaitFor([&] { return !runner.busy(); }));
  // What the stopped jobs post arrives too, and is dropped.
  ASSERT_TRUE(QTest::qWaitFor([&] { return runner.allEnded(); }));
  EXPECT_EQ(done, QStringList{"third"});
  EXPECT_EQ(ended.size(), 2);
}

}  // namespace
