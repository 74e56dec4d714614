#include "ui/common/job_status.h"

#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include "ui/common/job_runner.h"

QProgressBar* AddJobStatus(QStatusBar& bar, CJobRunner& runner, const QString& name) {
  auto* progress = new QProgressBar(&bar);
  progress->setRange(0, 100);
  progress->setMaximumWidth(200);
  progress->setObjectName(name + QStringLiteral("Progress"));
  auto* cancel = new QPushButton(QStringLiteral("取消"), &bar);
  cancel->setObjectName(name);
  bar.addPermanentWidget(progress);
  bar.addPermanentWidget(cancel);
  const auto show = [progress, cancel](bool busy) {
    progress->setVisible(busy);
    cancel->setVisible(busy);
    progress->setValue(0);
  };
  show(false);
  QObject::connect(&runner, &CJobRunner::started, progress, [show] { show(true); });
  QObject::connect(&runner, &CJobRunner::ended, progress, [show] { show(false); });
  QObject::connect(&runner, &CJobRunner::progress, progress, &QProgressBar::setValue);
  QObject::connect(cancel, &QPushButton::clicked, &runner, &CJobRunner::cancel);
  return progress;
}
