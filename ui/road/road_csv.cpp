#include "ui/road/road_csv.h"

#include <QSaveFile>
#include <string>

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr std::size_t kPiece = 1 << 16;  // written a piece at a time

// Why `file` failed, in the system's words ("?" where it has none).
QString reason(const QSaveFile& file) {
  return file.errorString().isEmpty() ? QStringLiteral("?") : file.errorString();
}

}  // namespace

QString WriteCurveCsv(const RoadShown& road, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return reason(file);
  std::string text = kByteOrderMark;
  reading::AppendRoadTable(*road.design, road.decimals, true, text);
  if (file.write(text.data(), static_cast<qint64>(text.size())) != qint64(text.size()) ||
      !file.commit())
    return reason(file);
  return QString();
}

QString WriteStakeCsv(const RoadShown& road, const std::vector<reading::Stake>& stakes,
                      const QString& path, const std::atomic<bool>* stop) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return reason(file);
  std::string text = kByteOrderMark;
  reading::AppendStakeTitles(road.design->profile.has_value(), text);
  text += '\n';
  for (const reading::Stake& stake : stakes) {
    reading::AppendStakeLine(stake, *road.rows, road.decimals, text);
    text += '\n';
    if (text.size() < kPiece) continue;
    if (stop && *stop) {
      file.cancelWriting();
      return QString();
    }
    if (file.write(text.data(), static_cast<qint64>(text.size())) != qint64(text.size()))
      return reason(file);
    text.clear();
  }
  if (file.write(text.data(), static_cast<qint64>(text.size())) != qint64(text.size()) ||
      !file.commit())
    return reason(file);
  return QString();
}
