#pragma once

// A window's background work in its status bar: a progress bar and 取消,
// shown while a job of its runner runs, hidden once it has ended.

#include <QString>

class CJobRunner;
class QProgressBar;
class QStatusBar;

// Adds them at the right of `bar`; 取消 is named `name` (for tests and for
// keyboard users' scripts), the progress bar `name` + "Progress".
QProgressBar* AddJobStatus(QStatusBar& bar, CJobRunner& runner, const QString& name);
