#include "ui/common/pdf_file.h"

#include <QPdfWriter>
#include <QSaveFile>

QString WritePdfFile(const QString& path, const QString& title, const QPageLayout& page,
                     const std::atomic<bool>* stop,
                     const std::function<bool(QPdfWriter& writer)>& paint) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  bool painted = false;
  {
    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("Corvane"));
    writer.setTitle(title);
    writer.setPageLayout(page);
    painted = paint(writer);
  }
  if (stop && *stop) {
    file.cancelWriting();
    return QString();
  }
  if (!painted || !file.commit()) {
    const QString reason = file.errorString();
    return reason.isEmpty() ? QStringLiteral("?") : reason;
  }
  return QString();
}
