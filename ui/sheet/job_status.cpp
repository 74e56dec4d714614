#include "ui/sheet/job_status.h"

#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include "ui/sheet/job_runner.h"

void AddJobStatus(QStatusBar& status, CJobRunner& runner, const QString& name) {
  auto* bar = new QProgressBar(&status);
  bar->setRange(0, 100);
  bar->setMaximumWidth(200);
  bar->setObjectName(name + QStringLiteral("Progress"));
  auto* cancel = new QPushButton(QStringLiteral("取消"), &status);
  cancel->setObjectName(name);
  status.addPermanentWidget(bar);
  status.addPermanentWidget(cancel);
  const auto show = [bar, cancel](bool busy) {
    bar->setVisible(busy);
    cancel->setVisible(busy);
    bar->setValue(0);
  };
  show(false);
  QObject::connect(&runner, &CJobRunner::started, bar, [show] { show(true); });
  QObject::connect(&runner, &CJobRunner::ended, bar, [show] { show(false); });
  QObject::connect(&runner, &CJobRunner::progress, bar, &QProgressBar::setValue);
  QObject::connect(cancel, &QPushButton::clicked, &runner, &CJobRunner::cancel);
}
