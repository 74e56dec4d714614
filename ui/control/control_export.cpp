#include "ui/control/control_export.h"

#include <QSaveFile>
#include <string>

#include "reader/text/utf8_converter.h"
#include "ui/control/control_text.h"

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

QString reason(const QSaveFile& file) {
  return file.errorString().isEmpty() ? QStringLiteral("?") : file.errorString();
}

// A CSV field, quoted where it holds a comma, a quote or a line end.
QString csvField(const QString& text) {
  if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
      !text.contains(QLatin1Char('\n')))
    return text;
  QString quoted = text;
  quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString csvLine(const QStringList& cells) {
  QStringList fields;
  for (const QString& cell : cells) fields.push_back(csvField(cell));
  return fields.join(QLatin1Char(',')) + QLatin1Char('\n');
}

QString writeBytes(const std::string& bytes, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return reason(file);
  if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != qint64(bytes.size()) ||
      !file.commit())
    return reason(file);
  return QString();
}

}  // namespace

QString WriteControlCsv(const TextTable& table, const std::vector<ClosureText>& closures,
                        const QString& path) {
  QString text = csvLine(table.titles);
  for (const QStringList& row : table.rows) text += csvLine(row);
  text += QLatin1Char('\n');
  for (const ClosureText& closure : closures)
    text += csvLine({closure.over ? closure.text + QStringLiteral("（超限）") : closure.text});
  return writeBytes(kByteOrderMark + text.toStdString(), path);
}

std::vector<NamedPoint> AdjustedPoints(const TraverseShown& shown) {
  std::vector<NamedPoint> points;
  const auto& rows = shown.result.rows;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (i + 1 == rows.size() && shown.input.kind == survey::TraverseKind::kClosed) break;
    points.push_back({shown.names.value(static_cast<qsizetype>(i)), rows[i].point});
  }
  return points;
}

QString WriteCassDat(const std::vector<NamedPoint>& points, const QString& path) {
  QString text;
  for (const NamedPoint& p : points)
    text += QStringLiteral("%1,,%2,%3,\r\n")
                .arg(p.name, FixedText(p.point.y, 3), FixedText(p.point.x, 3));
  std::string bytes;
  if (!reading::EncodeUtf8(text.toStdString(), reading::TextEncoding::kGb18030, bytes))
    return QStringLiteral("点名无法写成 GB18030");
  return writeBytes(bytes, path);
}

QString WriteControlPoints(const std::vector<NamedPoint>& points, const QString& path) {
  QString text;
  for (const NamedPoint& p : points)
    text += csvLine({p.name, FixedText(p.point.x, 3), FixedText(p.point.y, 3)});
  return writeBytes(kByteOrderMark + text.toStdString(), path);
}
