#pragma once

// A job runner's place in a status bar: a progress bar and 取消, shown while
// one of its jobs runs. 取消 cancels the job (job_runner.h); the bar and the
// button are named `name` + "Progress" and `name`.

class CJobRunner;
class QStatusBar;
class QString;

void AddJobStatus(QStatusBar& bar, CJobRunner& runner, const QString& name);
