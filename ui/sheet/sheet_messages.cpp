#include "ui/sheet/sheet_messages.h"

#include "core/setup/free_station.h"
#include "ui/common/file_path.h"
#include "ui/common/problem_text.h"

namespace {

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

// A file as the window names it: by its name.
QString fileName(const std::string& path) { return ShownFileName(path); }

// The field of the station's or the backsight's point name, or of a
// sighting's.
QString nameField(const reading::SheetError& error) {
  if (error.part == reading::SheetPart::kSighting)
    return QStringLiteral("第 %1 行点名").arg(error.sighting + 1);
  return error.part == reading::SheetPart::kBacksight ? QStringLiteral("后视点名")
                                                      : QStringLiteral("测站点名");
}

// "第 3 行"
QString rowOf(std::size_t sighting) { return QStringLiteral("第 %1 行").arg(sighting + 1); }

}  // namespace

QString SheetProblem(const reading::SheetError& error) {
  const QString point = fromUtf8(error.name);
  const QString source = fileName(error.source);
  using What = reading::SheetError::What;
  switch (error.what) {
    case What::kNoStation:
      return QStringLiteral("请输入测站");
    case What::kNoBacksight:
      return QStringLiteral("请输入后视");
    case What::kNoKnownPoints:
      return QStringLiteral("%1 %2：没有可查的点名").arg(nameField(error), point);
    case What::kNoSuchPoint:
      return QStringLiteral("%1 %2 不在 %3 中").arg(nameField(error), point, source);
    case What::kNamedTwice:
      return QStringLiteral("%1 %2 在 %3 中出现两次（第 %4 行和第 %5 行），无法确定是哪一个")
          .arg(nameField(error), point, source)
          .arg(error.line)
          .arg(error.otherLine);
    case What::kControlNeedsNames:
      return QStringLiteral("控制点文件的列格式中没有点名列");
    case What::kColumnsNeedNames:
      return QStringLiteral(
          "坐标文件的列格式中没有点名列，不能用来读控制点文件："
          "请为控制点文件另选列格式");
    case What::kControlFile:
      return QStringLiteral("控制点文件：%1").arg(FileProblem(error.file));
    case What::kBacksightIsStation:
      return QStringLiteral("后视点与测站相同，请另选一点");
    case What::kOutOfRange:
      return QStringLiteral("测站到后视点的距离超出范围");
    case What::kAzimuthOutOfRange:
      return QStringLiteral("后视方位角须在 0 到 360 之间");
    case What::kSetup:
      return SetupProblem(error.setup, error.freeStation, rowOf);
    case What::kNoStationHeight:
      return point.isEmpty()
                 ? QStringLiteral("请输入测站高程")
                 : QStringLiteral("测站 %1 在 %2 中没有高程，请输入测站高程").arg(point, source);
    case What::kDmsNeedsSeconds:
      return QStringLiteral("角度格式为度°分′秒″时，角度小数位须为 4 或更多（4 为整秒）");
    case What::kNone:
      break;
  }
  return QString();
}

QString SetupProblem(const survey::SetupError& error, bool free,
                     const std::function<QString(std::size_t)>& row) {
  using survey::SetupProblem;
  switch (error.problem) {
    case SetupProblem::kTooFewObservations:
      return free ? QStringLiteral("自由设站至少需要三个点的读数，或两个点的读数和距离")
                  : QStringLiteral("多后视定向至少需要两个后视点的读数");
    case SetupProblem::kBadCoordinate:
      return error.sighting == survey::kNoSighting
                 ? QStringLiteral("测站坐标不是数字")
                 : QStringLiteral("%1的点坐标不是数字").arg(row(error.sighting));
    case SetupProblem::kBadReading:
      return QStringLiteral("%1读数不是数字").arg(row(error.sighting));
    case SetupProblem::kBadDistance:
      return QStringLiteral("%1距离须大于 0").arg(row(error.sighting));
    case SetupProblem::kBadSigma:
      return QStringLiteral("中误差须大于 0（测距的固定部分和比例部分不能都为 0）");
    case SetupProblem::kPointTwice:
      return QStringLiteral("%1与%2是同一个点").arg(row(error.sighting), row(error.other));
    case SetupProblem::kTargetAtStation:
      return free ? QStringLiteral("测站落在%1的点上，该点的方向无意义").arg(row(error.sighting))
                  : QStringLiteral("%1的后视点就是测站").arg(row(error.sighting));
    case SetupProblem::kTargetsInLine:
      return QStringLiteral("各点与测站在一条直线上，定不出测站");
    case SetupProblem::kDangerCircle:
      return QStringLiteral(
                 "测站在危险圆（过各已知点的圆）上或附近，定不出可靠的测站（弱度 %1，上限 %2）")
          .arg(error.measure, 0, 'f', 1)
          .arg(survey::kWeakestGeometry, 0, 'f', 0);
    case SetupProblem::kNoConvergence:
      return QStringLiteral("这些读数对不上任何测站，请核对读数");
    case SetupProblem::kKnownPointsCoincide:
    case SetupProblem::kNoIntersection:
      break;
  }
  return QStringLiteral("无法设站");
}

QString ColumnsProblem(const reading::ColumnsError& error) {
  const QString role = fromUtf8(error.role);
  using What = reading::ColumnsError::What;
  switch (error.what) {
    case What::kUnknownRole:
      return QStringLiteral(
                 "不认识的列“%1”：各列可为 name 点名、code 编码、x 北坐标、"
                 "y 东坐标、h 高程、- 不读")
          .arg(role);
    case What::kRoleTwice:
      return QStringLiteral("“%1”列出现了两次").arg(role);
    case What::kTooMany:
      return QStringLiteral("列数超过 %1").arg(reading::kMaxColumns);
    case What::kNoColumnFor:
      return role == QStringLiteral("x") ? QStringLiteral("缺少 x（北坐标）列")
                                         : QStringLiteral("缺少 y（东坐标）列");
    case What::kNone:
      break;
  }
  return QString();
}

QString UndecodedProblem(const reading::UndecodedLine& line) {
  const QString encoding = fromUtf8(std::string(reading::EncodingName(line.encoding)));
  if (line.other)
    return QStringLiteral("（此行按 %1 和 %2 都能读，请选择编码）")
        .arg(encoding, fromUtf8(std::string(reading::EncodingName(*line.other))));
  return QStringLiteral("（此行不是 %1 文本，请选择编码）").arg(encoding);
}
