#include "ui/control/observation_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include "reader/fields/field_number.h"
#include "reader/text/text_file.h"
#include "ui/common/file_path.h"

QStringList ObservationFields(const QString& line) {
  return line.trimmed().split(QRegularExpression(QStringLiteral("[\t,，;；]\\s*|\\s+")));
}

bool ReadObservationFile(const QString& path, std::vector<QStringList>& rows, QString& problem) {
  reading::TextFile file(PathBytes(path), true);
  rows.clear();
  std::string_view line;
  while (file.NextLine(line)) {
    const QString text =
        QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())).trimmed();
    if (text.isEmpty() || text.startsWith(QLatin1Char('#'))) continue;
    const QStringList fields = ObservationFields(text);
    // A header row: its second field is no number.
    if (rows.empty() && !reading::StartsLikeNumber(fields.value(1).toStdString())) continue;
    rows.push_back(fields);
  }
  if (!file.error()) return true;
  problem = QStringLiteral("无法读取 %1：%2")
                .arg(QFileInfo(path).fileName(),
                     QString::fromStdString(reading::FileErrorText(file.error())));
  return false;
}

QString WriteObservationFile(const std::vector<QStringList>& rows, const QString& path) {
  QString text;
  for (const QStringList& row : rows) {
    QStringList fields;
    for (const QString& cell : row) fields.push_back(cell.trimmed());
    while (!fields.isEmpty() && fields.back().isEmpty()) fields.removeLast();
    if (!fields.isEmpty()) text += fields.join(QLatin1Char(' ')) + QLatin1Char('\n');
  }
  QSaveFile file(path);
  const QByteArray bytes = text.toUtf8();
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    return file.errorString().isEmpty() ? QStringLiteral("?") : file.errorString();
  return QString();
}
