#include "ui/control/traverse_sheet.h"

#include <cmath>
#include <string>

#include "core/field_text.h"
#include "reader/control/control_line.h"
#include "reader/control/control_rows.h"
#include "reader/rows/known_points.h"
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
  if (x && y && known.name.trimmed().isEmpty())
    problem = QStringLiteral("请填写%1的点名").arg(role);
  if (x && y) return survey::PlanePoint{*x, *y};
  if (x || y || needed) problem = QStringLiteral("请填写%1的 X 与 Y").arg(role);
  return std::nullopt;
}

// The known points typed, by their names, as a control file gives them.
struct Known {
  reading::KnownPoints points;
  Known() { points.Start({}, "已知点"); }
  void add(const KnownTyped& typed, const survey::PlanePoint& point) {
    points.AddPoint(typed.name.trimmed().toStdString(), {point.x, point.y});
  }
};

// One end's orientation: a point where one is typed, else the azimuth.
bool readOrientation(const KnownTyped& point, const QString& role, const QString& azimuth,
                     const QString& azimuthRole, Known& known, std::string& name,
                     std::optional<double>& packed, QString& problem) {
  const auto sighted = readKnown(point, role, false, problem);
  if (!problem.isEmpty()) return false;
  if (sighted) {
    known.add(point, *sighted);
    name = point.name.trimmed().toStdString();
    return true;
  }
  packed = ReadControlAngle(azimuth, azimuthRole, problem);
  if (problem.isEmpty() && !packed)
    problem = QStringLiteral("请填写%1，或%2的点名与坐标").arg(azimuthRole, role);
  return problem.isEmpty();
}

bool readLimits(const TraverseTyped& typed, survey::TraverseLimits& limits, QString& problem) {
  if (!typed.grade.isEmpty()) {
    const auto grade = survey::TraverseGrade(typed.grade.toStdString());
    if (!grade.ok()) problem = ControlProblem(grade.error(), {}, false);
    if (grade.ok()) limits = grade.value();
    return grade.ok();
  }
  const auto k = ReadControlNumber(typed.angleLimit, QStringLiteral("角度闭合差限差"), problem);
  const auto n = problem.isEmpty() ? ReadControlNumber(typed.relativeLimit,
                                                       QStringLiteral("相对闭合差限差"), problem)
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

// The request and the known points of the fields.
bool readRequest(const TraverseTyped& typed, reading::TraverseRequest& request, Known& known,
                 QString& problem) {
  if (!readLimits(typed, request.limits, problem)) return false;
  request.side = typed.side;
  const auto start = readKnown(typed.start, QStringLiteral("起点"), true, problem);
  if (!start) return false;
  if (typed.start.name.trimmed().isEmpty()) {
    problem = QStringLiteral("请填写起点的点名");
    return false;
  }
  known.add(typed.start, *start);
  request.start = typed.start.name.trimmed().toStdString();
  request.closed = typed.kind == TraverseKind::kClosed;
  if (typed.kind != TraverseKind::kUnoriented &&
      !readOrientation(typed.backsight, QStringLiteral("后视点"), typed.azimuthIn,
                       QStringLiteral("起始方位角"), known, request.backsight,
                       request.startAzimuth, problem))
    return false;
  if (typed.kind == TraverseKind::kAttached || typed.kind == TraverseKind::kUnoriented) {
    const auto end = readKnown(typed.end, QStringLiteral("终点"), true, problem);
    if (!end) return false;
    if (typed.end.name.trimmed().isEmpty()) {
      problem = QStringLiteral("请填写终点的点名");
      return false;
    }
    known.add(typed.end, *end);
    request.end = typed.end.name.trimmed().toStdString();
  }
  return typed.kind != TraverseKind::kAttached ||
         readOrientation(typed.foresight, QStringLiteral("前视点"), typed.azimuthOut,
                         QStringLiteral("终边方位角"), known, request.foresight,
                         request.endAzimuth, problem);
}

// Each cell checked in the window's words first, then the rows read as
// the tool reads them: a row's line is its cells apart by blanks, "-" for
// a number left out.
bool readRows(const TraverseTyped& typed, reading::ControlRows& rows, QString& problem) {
  std::vector<QStringList> typedRows;
  for (const QStringList& row : typed.rows)
    if (!blank(row)) typedRows.push_back(row);
  if (typedRows.empty()) {
    problem = QStringLiteral("请输入观测值：每行 点名、观测角、距离");
    return false;
  }
  const QString lastName = typed.kind == TraverseKind::kClosed ? typed.start.name : typed.end.name;
  rows.Start();
  for (std::size_t i = 0; i < typedRows.size(); ++i) {
    const int at = static_cast<int>(i);
    const QStringList& row = typedRows[i];
    ReadControlAngle(row.value(kStationAngle), CellName(at, QStringLiteral("观测角")), problem);
    if (problem.isEmpty())
      ReadControlNumber(row.value(kStationDistance), CellName(at, QStringLiteral("距离")), problem);
    if (problem.isEmpty())
      ReadControlAngle(row.value(kStationZenith), CellName(at, QStringLiteral("天顶角")), problem);
    if (!problem.isEmpty()) return false;
    reading::Cells cells = {row.value(kStationName).trimmed().toStdString()};
    if (cells[0].empty() && i == 0) cells[0] = typed.start.name.trimmed().toStdString();
    if (cells[0].empty() && i + 1 == typedRows.size() && typed.kind != TraverseKind::kOpen)
      cells[0] = lastName.trimmed().toStdString();
    for (int column : {kStationAngle, kStationDistance, kStationZenith}) {
      const std::string text = survey::FoldNumberForms(row.value(column).trimmed().toStdString());
      cells.push_back(text.empty() ? std::string(reading::kNoCell) : text);
    }
    while (cells.size() > 2 && cells.back() == reading::kNoCell) cells.pop_back();
    std::string line;
    reading::AppendCells(cells, ' ', line);
    rows.Add(line, QStringLiteral("第 %1 行").arg(at + 1).toStdString());
  }
  rows.Finish();
  if (!rows.failed()) return true;
  problem = QStringLiteral("%1：%2").arg(QString::fromStdString(rows.firstFailure()),
                                        QString::fromStdString(rows.firstFailureText()));
  return false;
}

bool compute(TraverseShown& shown, const reading::ControlRows& rows, bool rigorous,
             QString& problem) {
  if (rigorous) {
    const auto adjusted = survey::AdjustTraverseRigorously(shown.input);
    if (!adjusted.ok()) {
      problem = ControlProblem(adjusted.error(), shown.names, false);
      return false;
    }
    shown.rigorous = adjusted.value();
    shown.result = adjusted.value().table;
  } else {
    const auto result = survey::ComputeTraverse(shown.input);
    if (!result.ok()) {
      problem = ControlProblem(result.error(), shown.names, false);
      return false;
    }
    shown.result = result.value();
  }
  shown.answer = reading::TraverseAnswer(rows, shown.result,
                                         shown.rigorous ? &*shown.rigorous : nullptr, {});
  return true;
}

}  // namespace

std::shared_ptr<const TraverseShown> ComputeTraverseSheet(const TraverseTyped& typed,
                                                          QString& problem) {
  problem.clear();
  auto shown = std::make_shared<TraverseShown>();
  shown->typed = typed;
  reading::TraverseRequest request;
  Known known;
  if (!readRequest(typed, request, known, problem)) return nullptr;
  const reading::RowReader reader(reading::ControlRowSettings(reading::Mode::kTraverse));
  reading::ControlRows rows(reader);
  if (!readRows(typed, rows, problem)) return nullptr;
  for (const reading::Observation& row : rows.observations())
    shown->names.push_back(QString::fromStdString(row.name));
  if (const reading::LineError error =
          reading::MakeTraverse(request, known.points, rows.observations(), shown->input)) {
    problem = LineProblem(error, false);
    return nullptr;
  }
  if (!compute(*shown, rows, typed.rigorous, problem)) return nullptr;
  return shown;
}

TextTable TraverseTable(const TraverseShown& shown) {
  TextTable table;
  table.titles = {QStringLiteral("点名"),     QStringLiteral("观测角"),   QStringLiteral("改正数″"),
                  QStringLiteral("改正后角值"), QStringLiteral("方位角"),   QStringLiteral("距离"),
                  QStringLiteral("ΔX"),       QStringLiteral("ΔY"),       QStringLiteral("vX mm"),
                  QStringLiteral("vY mm"),    QStringLiteral("X"),        QStringLiteral("Y")};
  if (shown.rigorous)
    table.titles += {QStringLiteral("mX mm"), QStringLiteral("mY mm"), QStringLiteral("mP mm")};
  for (const reading::Cells& cells : shown.answer.rows) {
    QStringList row;
    for (const std::string& cell : cells) row.push_back(QString::fromStdString(cell));
    table.rows.push_back(row);
  }
  return table;
}

std::vector<ClosureText> TraverseClosures(const TraverseShown& shown) {
  // The tool's closure cells: CLOSURE F_BETA LIMIT FX FY F SUM_D K LIMIT_K.
  const auto cell = [&](std::size_t i) {
    return QString::fromStdString(shown.answer.closure.at(i));
  };
  std::vector<ClosureText> texts;
  const survey::TraverseResult& r = shown.result;
  if (r.angle)
    texts.push_back({QStringLiteral("fβ = %1″，限差 ±%2″（n = %3）").arg(cell(1), cell(2)).arg(r.angle->count),
                     r.angle->over});
  if (r.coordinates) {
    texts.push_back({QStringLiteral("fx = %1 m，fy = %2 m，f = %3 m，ΣD = %4 m")
                         .arg(cell(3), cell(4), cell(5), cell(6)),
                     false});
    texts.push_back({QStringLiteral("K = %1，限差 %2").arg(cell(7), cell(8)), r.coordinates->over});
  } else {
    texts.push_back({QStringLiteral("支导线：无检核，ΣD = %1 m").arg(cell(6)), false});
  }
  if (r.similarity)
    texts.push_back({QStringLiteral("尺度 %1，旋转 %2″")
                         .arg(FixedText(r.similarity->scale, 6),
                              FixedText(r.similarity->rotationSeconds, 1)),
                     false});
  if (shown.rigorous) {
    const survey::RigorousTraverse& g = *shown.rigorous;
    texts.push_back({QStringLiteral("严密平差：σ0 = %1，多余观测 %2，最弱点 %3，mP = %4 mm")
                         .arg(FixedText(g.sigma0, 2))
                         .arg(g.redundancy)
                         .arg(shown.names.value(static_cast<qsizetype>(g.weakest)),
                              FixedText(g.points[g.weakest].mpMm, 1)),
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
