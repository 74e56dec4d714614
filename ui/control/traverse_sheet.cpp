#include "ui/control/traverse_sheet.h"

#include <cmath>

#include "ui/control/control_fields.h"
#include "ui/control/control_messages.h"
#include "ui/control/control_text.h"

namespace {

using survey::TraverseKind;

bool blank(const QStringList& row) {
  for (const QString& cell : row)
    if (!cell.trimmed().isEmpty()) return false;
  return true;
}

// A known point with both coordinates; none where both are blank.
// `needed`: a point the kind cannot do without.
std::optional<survey::PlanePoint> readKnown(const KnownTyped& known, const QString& role,
                                            bool needed, QString& problem) {
  const auto x = ReadControlNumber(known.x, role + QStringLiteral("的 X"), problem);
  if (!problem.isEmpty()) return std::nullopt;
  const auto y = ReadControlNumber(known.y, role + QStringLiteral("的 Y"), problem);
  if (!problem.isEmpty()) return std::nullopt;
  if (x && y) return survey::PlanePoint{*x, *y};
  if (x || y || needed)
    problem = QStringLiteral("请填写%1的 X 与 Y").arg(role);
  return std::nullopt;
}

// The orientation at one end: a point where it is given, else the azimuth.
bool readOrientation(const KnownTyped& point, const QString& role, const QString& azimuth,
                     const QString& azimuthRole, std::optional<survey::PlanePoint>& known,
                     double& packed, QString& problem) {
  known = readKnown(point, role, false, problem);
  if (!problem.isEmpty()) return false;
  if (known) return true;
  const auto typed = ReadControlAngle(azimuth, azimuthRole, problem);
  if (!problem.isEmpty()) return false;
  if (!typed) {
    problem = QStringLiteral("请填写%1，或%2的坐标").arg(azimuthRole, role);
    return false;
  }
  packed = *typed;
  return true;
}

bool readLimits(const TraverseTyped& typed, survey::TraverseLimits& limits, QString& problem) {
  if (!typed.grade.isEmpty()) {
    const auto grade = survey::TraverseGrade(typed.grade.toStdString());
    if (!grade.ok()) problem = ControlProblem(grade.error(), {}, false);
    if (grade.ok()) limits = grade.value();
    return grade.ok();
  }
  const auto k = ReadControlNumber(typed.angleLimit, QStringLiteral("角度闭合差限差"), problem);
  const auto n = problem.isEmpty()
                     ? ReadControlNumber(typed.relativeLimit, QStringLiteral("相对闭合差限差"), problem)
                     : std::nullopt;
  if (!problem.isEmpty()) return false;
  const auto typedLimits = survey::TypedTraverseLimits(k.value_or(0.0), n.value_or(0.0));
  if (!typedLimits.ok()) {
    problem = ControlProblem(typedLimits.error(), {}, false);
    return false;
  }
  limits = typedLimits.value();
  return true;
}

bool readStations(const TraverseTyped& typed, TraverseShown& shown, QString& problem) {
  std::vector<QStringList> rows;
  for (const QStringList& row : typed.rows)
    if (!blank(row)) rows.push_back(row);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const QStringList& row = rows[i];
    const int at = static_cast<int>(i);
    survey::TraverseStation station;
    station.angle = ReadControlAngle(row.value(kStationAngle), CellName(at, QStringLiteral("观测角")), problem);
    if (problem.isEmpty())
      station.distance =
          ReadControlNumber(row.value(kStationDistance), CellName(at, QStringLiteral("距离")), problem);
    if (problem.isEmpty())
      station.zenith =
          ReadControlAngle(row.value(kStationZenith), CellName(at, QStringLiteral("天顶角")), problem);
    if (!problem.isEmpty()) return false;
    // The last station's distance goes nowhere: it is not read.
    if (i + 1 == rows.size()) station.distance.reset(), station.zenith.reset();
    shown.input.stations.push_back(station);
    shown.names.push_back(row.value(kStationName).trimmed());
  }
  if (shown.names.isEmpty()) {
    problem = QStringLiteral("请输入观测值：每行 点名、观测角、距离");
    return false;
  }
  if (shown.names.front().isEmpty()) shown.names.front() = typed.start.name.trimmed();
  const KnownTyped& last = typed.kind == TraverseKind::kClosed ? typed.start : typed.end;
  if (shown.names.back().isEmpty() && typed.kind != TraverseKind::kOpen)
    shown.names.back() = last.name.trimmed();
  return true;
}

bool readInput(const TraverseTyped& typed, TraverseShown& shown, QString& problem) {
  survey::TraverseInput& input = shown.input;
  input.kind = typed.kind;
  input.side = typed.side;
  if (!readLimits(typed, input.limits, problem)) return false;
  const auto start = readKnown(typed.start, QStringLiteral("起点"), true, problem);
  if (!start) return false;
  input.start = *start;
  const bool oriented = typed.kind != TraverseKind::kUnoriented;
  if (oriented && !readOrientation(typed.backsight, QStringLiteral("后视点"), typed.azimuthIn,
                                   QStringLiteral("起始方位角"), input.backsight, input.azimuthIn,
                                   problem))
    return false;
  if (typed.kind == TraverseKind::kAttached || typed.kind == TraverseKind::kUnoriented) {
    input.end = readKnown(typed.end, QStringLiteral("终点"), true, problem);
    if (!input.end) return false;
  }
  if (typed.kind == TraverseKind::kAttached &&
      !readOrientation(typed.foresight, QStringLiteral("前视点"), typed.azimuthOut,
                       QStringLiteral("终边方位角"), input.foresight, input.azimuthOut, problem))
    return false;
  return readStations(typed, shown, problem);
}

}  // namespace

std::shared_ptr<const TraverseShown> ComputeTraverseSheet(const TraverseTyped& typed,
                                                          QString& problem) {
  problem.clear();
  auto shown = std::make_shared<TraverseShown>();
  shown->typed = typed;
  if (!readInput(typed, *shown, problem)) return nullptr;
  if (typed.rigorous) {
    const auto adjusted = survey::AdjustTraverseRigorously(shown->input);
    if (!adjusted.ok()) {
      problem = ControlProblem(adjusted.error(), shown->names, false);
      return nullptr;
    }
    shown->rigorous = adjusted.value();
    shown->result = adjusted.value().table;
    return shown;
  }
  const auto result = survey::ComputeTraverse(shown->input);
  if (!result.ok()) {
    problem = ControlProblem(result.error(), shown->names, false);
    return nullptr;
  }
  shown->result = result.value();
  return shown;
}

TextTable TraverseTable(const TraverseShown& shown) {
  TextTable table;
  table.titles = {QStringLiteral("点名"), QStringLiteral("改正数″"), QStringLiteral("改正后角值"),
                  QStringLiteral("方位角"), QStringLiteral("距离"),     QStringLiteral("ΔX"),
                  QStringLiteral("ΔY"),     QStringLiteral("改正数 vX"), QStringLiteral("改正数 vY"),
                  QStringLiteral("X"),      QStringLiteral("Y")};
  const bool rigorous = shown.rigorous.has_value();
  for (std::size_t i = 0; i < shown.result.rows.size(); ++i) {
    const survey::TraverseRow& row = shown.result.rows[i];
    QStringList cells(table.titles.size());
    cells[0] = shown.names.value(static_cast<qsizetype>(i));
    if (row.correctedAngle) {
      cells[1] = rigorous ? SignedText(row.correctionSeconds, 1) : SecondsText(row.correctionSeconds);
      cells[2] = PackedText(*row.correctedAngle);
    }
    if (row.leg) {
      cells[3] = PackedText(row.leg->azimuth);
      cells[4] = FixedText(row.leg->distance, 3);
      cells[5] = FixedText(row.leg->dx, 3);
      cells[6] = FixedText(row.leg->dy, 3);
      cells[7] = SignedText(row.leg->vx, 3);
      cells[8] = SignedText(row.leg->vy, 3);
    }
    cells[9] = FixedText(row.point.x, 3);
    cells[10] = FixedText(row.point.y, 3);
    table.rows.push_back(cells);
  }
  return table;
}

std::vector<ClosureText> TraverseClosures(const TraverseShown& shown) {
  std::vector<ClosureText> texts;
  const survey::TraverseResult& r = shown.result;
  if (r.angle)
    texts.push_back({QStringLiteral("fβ = %1″，限差 ±%2″（n = %3）")
                         .arg(SecondsText(r.angle->seconds), FixedText(r.angle->limit, 0))
                         .arg(r.angle->count),
                     r.angle->over});
  if (r.coordinates) {
    const survey::CoordinateClosure& c = *r.coordinates;
    texts.push_back({QStringLiteral("fx = %1 m，fy = %2 m，f = %3 m，ΣD = %4 m")
                         .arg(SignedText(c.fx, 3), SignedText(c.fy, 3), FixedText(c.f, 3),
                              FixedText(r.sumD, 3)),
                     false});
    const QString k = c.denominator == 0 ? QStringLiteral("0")
                                         : QStringLiteral("1/%1").arg(c.denominator);
    texts.push_back({QStringLiteral("K = %1，限差 1/%2").arg(k, FixedText(c.limit, 0)), c.over});
  } else {
    texts.push_back({QStringLiteral("支导线：无检核，ΣD = %1 m").arg(FixedText(r.sumD, 3)), false});
  }
  if (r.similarity)
    texts.push_back({QStringLiteral("尺度 %1，旋转 %2″")
                         .arg(FixedText(r.similarity->scale, 6),
                              SignedText(r.similarity->rotationSeconds, 1)),
                     false});
  if (shown.rigorous) {
    const survey::RigorousTraverse& g = *shown.rigorous;
    const survey::RigorousPoint& weak = g.points[g.weakest];
    texts.push_back({QStringLiteral("严密平差：σ0 = %1，最弱点 %2，mP = %3 mm")
                         .arg(FixedText(g.sigma0, 2), shown.names.value(static_cast<qsizetype>(g.weakest)),
                              FixedText(weak.mpMm, 1)),
                     false});
  }
  return texts;
}

QString TraverseKindName(survey::TraverseKind kind) {
  switch (kind) {
    case TraverseKind::kAttached:
      return QStringLiteral("附合导线");
    case TraverseKind::kClosed:
      return QStringLiteral("闭合导线");
    case TraverseKind::kUnoriented:
      return QStringLiteral("无定向附合导线");
    case TraverseKind::kOpen:
      return QStringLiteral("支导线");
  }
  return {};
}
