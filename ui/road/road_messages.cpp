#include "ui/road/road_messages.h"

#include <QFileInfo>

#include "reader/road/curve_table.h"
#include "ui/common/problem_text.h"

namespace {

using Kind = survey::AlignmentError::Kind;
using Table = reading::RoadRequest::Table;

QString metres(double value) { return QString::number(value, 'f', 3); }
QString chainage(double value) { return QString::fromStdString(reading::ChainageText(value, 3)); }

// A JD by its name; an element by its name, else by its place.
QString pointName(Table table, const std::string& name, std::size_t row) {
  if (!name.empty() || table == Table::kIntersections) return QString::fromStdString(name);
  return QStringLiteral("第 %1 个线元").arg(row + 1);
}

// How a table's rows are laid out, for a row that does not read.
QString rowLayout(const reading::RoadError& error) {
  if (error.inProfile) return QStringLiteral("纵断面每行为：桩号 高程 [竖曲线半径]");
  return error.table == Table::kIntersections
             ? QStringLiteral("交点表每行为：点名 X Y [R [Ls1 [Ls2]]]")
             : QStringLiteral(
                   "线元表首行为：[点名] X Y 方位角 桩号，其后每行：[名称] 长度 "
                   "起点半径 终点半径");
}

QString designProblem(const reading::RoadError& error) {
  const survey::AlignmentError& fault = error.fault;
  const QString one = pointName(error.table, fault.name, fault.row);
  const QString other = pointName(error.table, fault.otherName, fault.otherRow);
  switch (fault.kind) {
    case Kind::kTooFewPoints:
      return error.table == Table::kElements
                 ? QStringLiteral("线元表要有起点行（X Y 方位角 桩号）和至少一个线元")
                 : QStringLiteral("交点表至少要有起点和终点两行");
    case Kind::kSamePlace:
      return QStringLiteral("%1 与 %2 在同一位置").arg(one, other);
    case Kind::kBadRadius:
      return QStringLiteral("%1 的半径 R 必须大于 0（现为 %2）").arg(one, metres(fault.value));
    case Kind::kNegativeSpiral:
      return QStringLiteral("%1 的缓和曲线长不能为负（%2）").arg(one, metres(fault.value));
    case Kind::kSpiralsTooLong:
      return QStringLiteral("%1 的两段缓和曲线太长，转角不够：圆曲线长将为 %2 m")
          .arg(one, metres(fault.value));
    case Kind::kTurnsBack:
      return QStringLiteral("%1 处路线折返").arg(one);
    case Kind::kCurvesOverlap:
      return QStringLiteral("%1 与 %2 的曲线重叠 %3 m（切线长之和大于两点间距）")
          .arg(one, other, metres(fault.value));
    case Kind::kBadLength:
      return QStringLiteral("%1 的长度必须大于 0（现为 %2）").arg(one, metres(fault.value));
    case Kind::kFullCircle:
      return QStringLiteral("%1 转过 %2°，超过一整圈").arg(one, metres(fault.value));
    case Kind::kOutOfOrder:
    case Kind::kBesideRange:
    case Kind::kBesideNoElement:
      break;
  }
  return QString();
}

QString profileProblem(const reading::RoadError& error) {
  const survey::AlignmentError& fault = error.fault;
  switch (fault.kind) {
    case Kind::kTooFewPoints:
      return QStringLiteral("纵断面至少要有两个变坡点");
    case Kind::kSamePlace:
      return QStringLiteral("第 %1 行与第 %2 行的桩号相同").arg(error.line).arg(error.otherLine);
    case Kind::kOutOfOrder:
      return QStringLiteral("桩号 %1 小于上一行的桩号").arg(chainage(fault.value));
    case Kind::kBadRadius:
      return QStringLiteral("竖曲线半径不能为负（%1）").arg(metres(fault.value));
    case Kind::kCurvesOverlap:
      return QStringLiteral("第 %1 行与第 %2 行的竖曲线重叠 %3 m")
          .arg(error.line)
          .arg(error.otherLine)
          .arg(metres(fault.value));
    default:
      break;
  }
  return QString();
}

}  // namespace

QString RoadProblem(const reading::RoadError& error) {
  const QString file = QFileInfo(QString::fromStdString(error.path)).fileName();
  const QString where = error.line > 0 ? QStringLiteral("%1 第 %2 行：").arg(file).arg(error.line)
                                       : QStringLiteral("%1：").arg(file);
  switch (error.what) {
    case reading::RoadError::What::kFile:
      if (error.file.what == reading::FileError::What::kRow)
        return QStringLiteral("%1 第 %2 行读不出。%3")
            .arg(QFileInfo(QString::fromStdString(error.file.path)).fileName())
            .arg(error.file.line)
            .arg(rowLayout(error));
      return FileProblem(error.file);
    case reading::RoadError::What::kDesign:
      return where + designProblem(error);
    case reading::RoadError::What::kProfile:
      return where + profileProblem(error);
    case reading::RoadError::What::kNone:
      break;
  }
  return QString();
}

QString ChainageProblem(const QString& field, const QString& text) {
  return QStringLiteral("%1不是桩号：%2（可写 1234.567 或 K1+234.567）").arg(field, text);
}

QString PointProblem(const survey::AlignmentError& error, double start, double end) {
  if (error.kind == Kind::kBesideRange)
    return QStringLiteral("桩号 %1 不在线路上（%2 至 %3）")
        .arg(chainage(error.value), chainage(start), chainage(end));
  return QStringLiteral("该点不在任何线元旁（在起点之前、终点之后或曲线圆心以外）");
}

QString HeightProblem(double start, double end) {
  return QStringLiteral("纵断面只有 %1 至 %2，此处没有设计高程")
      .arg(chainage(start), chainage(end));
}
