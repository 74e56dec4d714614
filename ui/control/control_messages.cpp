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

}  // namespace

QString ControlProblem(const survey::ControlError& error, const QStringList& names, bool level) {
  using P = survey::ControlProblem;
  const QString at = error.index == survey::kNoStation ? QString() : rowOf(error.index, names);
  switch (error.problem) {
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
