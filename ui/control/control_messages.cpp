#include "ui/control/control_messages.h"

namespace {

// "第 3 行（点 2）": the row of the station or the section at fault.
QString rowOf(std::size_t index, const QStringList& names) {
  const QString row = QStringLiteral("第 %1 行").arg(index + 1);
  const QString name = index < static_cast<std::size_t>(names.size())
                           ? names[static_cast<qsizetype>(index)]
                           : QString();
  return name.isEmpty() ? row : QStringLiteral("%1（%2）").arg(row, name);
}

// The fault `problem` at the row `at` ("第 3 行（2）"; "" for none).
QString problemAt(survey::ControlProblem problem, const QString& at, bool level) {
  using P = survey::ControlProblem;
  switch (problem) {
    case P::kTooFewLegs:
      return level ? QStringLiteral("测段太少：水准路线至少要两个测段（支水准往返各一个）")
                   : QStringLiteral("导线边太少：至少要两条边（闭合导线三条）");
    case P::kMissingAngle:
      return QStringLiteral("%1没有观测角").arg(at);
    case P::kBadAngle:
      return at.isEmpty() ? QStringLiteral("方位角不是有效的角度")
                          : QStringLiteral("%1的角度无效（天顶角须在 0 至 180 度之间）").arg(at);
    case P::kMissingDistance:
      return QStringLiteral("%1没有到下一点的距离").arg(at);
    case P::kBadDistance:
      return QStringLiteral("%1的距离须大于 0").arg(at);
    case P::kBadLength:
      return QStringLiteral("%1的距离或测站数须大于 0（测站数须为整数）").arg(at);
    case P::kBadCoordinate:
      return at.isEmpty() ? QStringLiteral("已知点的坐标或高程不是有效的数")
                          : QStringLiteral("%1的高差不是有效的数").arg(at);
    case P::kMissingEnd:
      return level ? QStringLiteral("附合水准路线须有终点的已知高程")
                   : QStringLiteral("附合导线须有已知的终点坐标");
    case P::kEndsCoincide:
      return QStringLiteral("无定向附合导线的起点与终点是同一点，定不了方向与尺度");
    case P::kSightOnStation:
      return QStringLiteral("后视点（前视点）与它所定向的测站是同一点");
    case P::kUnknownGrade:
      return QStringLiteral("不认识的等级");
    case P::kBadLimit:
      return QStringLiteral("限差须是大于 0 的数");
    case P::kNoConvergence:
      return QStringLiteral("严密平差迭代不收敛：请检查观测值");
  }
  return {};
}

}  // namespace

QString ControlProblem(const survey::ControlError& error, const QStringList& names, bool level) {
  return problemAt(error.problem,
                   error.index == survey::kNoStation ? QString() : rowOf(error.index, names), level);
}

QString LineProblem(const reading::LineError& error, bool level) {
  using What = reading::LineError::What;
  static const QString kParts[] = {QStringLiteral("起点"), QStringLiteral("后视点"),
                                   QStringLiteral("终点"), QStringLiteral("前视点")};
  const QString part = kParts[static_cast<int>(error.part)];
  const QString name = QString::fromStdString(error.name);
  const QString expected = QString::fromStdString(error.expected);
  switch (error.what) {
    case What::kNone:
      return {};
    case What::kRequest:
      return QStringLiteral("已知点与方位角不配套：%1").arg(QString::fromStdString(error.text));
    case What::kNoSuchPoint:
      return QStringLiteral("%1 %2 不在已知点中").arg(part, name);
    case What::kNamedTwice:
      return QStringLiteral("已知点 %1 出现了两次，坐标不同").arg(name);
    case What::kRowFailed:
      return QStringLiteral("%1无法读取：%2")
          .arg(QString::fromStdString(error.where), QString::fromStdString(error.text));
    case What::kNoRows:
      return level ? QStringLiteral("请输入观测值：每行 点名、高差、距离或测站数")
                   : QStringLiteral("请输入观测值：每行 点名、观测角、距离");
    case What::kFirstRow:
      return QStringLiteral("第一行是 %1，应为起点 %2").arg(name, expected);
    case What::kLastRow:
      return QStringLiteral("最后一行是 %1，应为 %2").arg(name, expected);
    case What::kNoTurn:
      return QStringLiteral("支水准：没有一行到终点 %1（往测到此为止）").arg(name);
    case What::kNoRunBack:
      return QStringLiteral("支水准：终点 %1 之后没有返测").arg(name);
    case What::kLine:
      return problemAt(error.control.problem, QString::fromStdString(error.where), level);
  }
  return {};
}
