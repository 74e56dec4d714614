#include "ui/transform/transform_export.h"

#include <QSaveFile>
#include <QStringEncoder>

#include "reader/fields/number_text.h"

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

QString reason(const QSaveFile& file) {
  return file.errorString().isEmpty() ? QStringLiteral("?") : file.errorString();
}

// `bytes` as the whole of `path`.
QString WriteWhole(const QString& path, const QByteArray& bytes, const std::atomic<bool>* stop) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return reason(file);
  if (stop && *stop) {
    file.cancelWriting();
    return QString();
  }
  if (file.write(bytes) != bytes.size() || !file.commit()) return reason(file);
  return QString();
}

// The answer the CSV holds: the points', or a fit's without points.
const TransformAnswer* CsvAnswer(const TransformSheet& sheet) {
  const bool points = sheet.pointsAnswer && !sheet.pointsAnswer->lines.empty();
  if (!points && sheet.fitAnswer) return sheet.fitAnswer.get();
  return sheet.pointsAnswer.get();
}

}  // namespace

std::vector<reading::DesignPoint> DesignPointsOf(const TransformAnswer& answer) {
  std::vector<reading::DesignPoint> points;
  for (const TransformLine& line : answer.lines) {
    if (line.what != TransformLine::What::kAnswer || !line.point) continue;
    points.push_back({line.cells.empty() ? std::string() : line.cells[0], std::string(),
                      {line.point->x, line.point->y}, std::nullopt});
  }
  return points;
}

std::string TransformCsvText(const TransformSheet& sheet) {
  const TransformAnswer* answer = CsvAnswer(sheet);
  return answer ? answer->csv : std::string();
}

QString WriteTransformCsv(const TransformSheet& sheet, const QString& path,
                          const std::atomic<bool>* stop) {
  const std::string text = kByteOrderMark + TransformCsvText(sheet);
  return WriteWhole(path, QByteArray::fromStdString(text), stop);
}

QString WriteCassDat(const TransformSheet& sheet, const QString& path,
                     const std::atomic<bool>* stop) {
  QStringEncoder gb18030("GB18030");
  if (!gb18030.isValid()) return QStringLiteral("本机的 Qt 不能写 GB18030 编码");
  std::string text;
  const int decimals = sheet.points.decimals;
  for (const reading::DesignPoint& point : DesignPointsOf(*sheet.pointsAnswer)) {
    text += point.name;
    text += ",,";
    reading::AppendFixed(text, point.point.y, decimals);
    text += ',';
    reading::AppendFixed(text, point.point.x, decimals);
    text += ",\r\n";
  }
  const QByteArray bytes = gb18030.encode(QString::fromStdString(text));
  if (gb18030.hasError()) return QStringLiteral("有点名不能用 GB18030 编码写出");
  return WriteWhole(path, bytes, stop);
}
