#include "ui/common/printed_heading.h"

QString TitleText(const PrintedHeading& heading) {
  return QStringLiteral("%1  %2").arg(heading.window, heading.shown);
}

QString PageLineText(const PrintedHeading& heading) {
  return QStringLiteral("日期 %1    第 %2 页，共 %3 页")
      .arg(heading.date)
      .arg(heading.page)
      .arg(heading.pages);
}
