#include "ui/control/level_sheet.h"

#include <string>

#include "core/field_text.h"
#include "reader/control/control_line.h"
#include "reader/control/control_rows.h"
#include "reader/control/level_heights.h"
#include "ui/control/control_fields.h"
#include "ui/control/control_messages.h"
#include "ui/control/control_text.h"

namespace {

using survey::LevelKind;

bool blank(const QStringList& row) {
  for (const QString& cell : row)
    if (!cell.trimmed().isEmpty()) return false;
  return true;
}

bool readLimits(const LevelTyped& typed, survey::LevelLimits& limits, QString& problem) {
  if (!typed.grade.isEmpty()) {
    const auto grade = survey::LevelGrade(typed.grade.toStdString());
    if (!grade.ok()) problem = ControlProblem(grade.error(), {}, true);
    if (grade.ok()) limits = grade.value();
    return grade.ok();
  }
  const auto k = ReadControlNumber(typed.limit, QStringLiteral("闭合差限差"), problem);
  if (!problem.isEmpty()) return false;
  const auto typedLimits = survey::TypedLevelLimits(k.value_or(0.0));
  if (!typedLimits.ok()) {
    problem = ControlProblem(typedLimits.error(), {}, true);
    return false;
  }
  limits = typedLimits.value();
  return true;
}

// A benchmark's name and height, as a levelling control file's row.
bool addBenchmark(const QString& name, const QString& height, const QString& role,
                  reading::LevelHeights& known, QString& problem) {
  const auto value = ReadControlNumber(height, role + QStringLiteral("高程"), problem);
  if (!problem.isEmpty()) return false;
  if (name.trimmed().isEmpty() || !value) {
    problem = QStringLiteral("请填写%1的点名与已知高程").arg(role);
    return false;
  }
  std::string line;
  reading::AppendCells({name.trimmed().toStdString(), FixedText(*value, 6).toStdString()}, ' ',
                       line);
  if (known.AddLine(line)) {
    problem = QStringLiteral("%1的点名无法读取：%2").arg(role, name.trimmed());
    return false;
  }
  return true;
}

bool readRequest(const LevelTyped& typed, reading::LevelRequest& request,
                 reading::LevelHeights& known, QString& problem) {
  if (!readLimits(typed, request.limits, problem)) return false;
  request.count = typed.count;
  known.Start("已知点");
  if (!addBenchmark(typed.startName, typed.startHeight, QStringLiteral("起点"), known, problem))
    return false;
  request.start = typed.startName.trimmed().toStdString();
  request.closed = typed.kind == LevelKind::kClosed;
  if (typed.kind == LevelKind::kAttached) {
    if (!addBenchmark(typed.endName, typed.endHeight, QStringLiteral("终点"), known, problem))
      return false;
    request.end = typed.endName.trimmed().toStdString();
  }
  if (typed.kind == LevelKind::kOutAndBack) {
    if (typed.endName.trimmed().isEmpty()) {
      problem = QStringLiteral("支水准：请填写终点（往测到此点为止）的点名");
      return false;
    }
    request.turn = typed.endName.trimmed().toStdString();
  }
  return true;
}

bool readRows(const LevelTyped& typed, reading::ControlRows& rows, QString& problem) {
  const QString unit = typed.count == survey::LevelCount::kLength ? QStringLiteral("距离")
                                                                  : QStringLiteral("测站数");
  std::vector<QStringList> typedRows;
  for (const QStringList& row : typed.rows)
    if (!blank(row)) typedRows.push_back(row);
  if (typedRows.empty()) {
    problem = QStringLiteral("请输入观测值：每行 点名、高差、%1").arg(unit);
    return false;
  }
  const QString last =
      typed.kind == LevelKind::kAttached ? typed.endName : typed.startName;
  rows.Start();
  for (std::size_t i = 0; i < typedRows.size(); ++i) {
    const int at = static_cast<int>(i);
    const QStringList& row = typedRows[i];
    const auto dh = ReadControlNumber(row.value(kSectionDh), CellName(at, QStringLiteral("高差")), problem);
    const auto length = problem.isEmpty()
                            ? ReadControlNumber(row.value(kSectionLength), CellName(at, unit), problem)
                            : std::nullopt;
    if (!problem.isEmpty()) return false;
    if (!dh || !length) {
      problem = QStringLiteral("请填写%1").arg(CellName(at, dh ? unit : QStringLiteral("高差")));
      return false;
    }
    reading::Cells cells = {row.value(kSectionName).trimmed().toStdString()};
    if (cells[0].empty() && i + 1 == typedRows.size()) cells[0] = last.trimmed().toStdString();
    for (int column : {kSectionDh, kSectionLength})
      cells.push_back(survey::FoldNumberForms(row.value(column).trimmed().toStdString()));
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

}  // namespace

std::shared_ptr<const LevelShown> ComputeLevelSheet(const LevelTyped& typed, QString& problem) {
  problem.clear();
  auto shown = std::make_shared<LevelShown>();
  shown->typed = typed;
  reading::LevelRequest request;
  reading::LevelHeights known;
  if (!readRequest(typed, request, known, problem)) return nullptr;
  const reading::RowReader reader(reading::ControlRowSettings(reading::Mode::kLevel));
  reading::ControlRows rows(reader);
  if (!readRows(typed, rows, problem)) return nullptr;
  if (const reading::LineError error =
          reading::MakeLevelLine(request, known, rows.observations(), shown->input)) {
    problem = LineProblem(error, true);
    return nullptr;
  }
  const std::size_t out = shown->input.sections.size();
  for (std::size_t i = 0; i < rows.observations().size(); ++i)
    (i < out ? shown->names : shown->backNames)
        .push_back(QString::fromStdString(rows.observations()[i].name));
  const auto result = survey::ComputeLevelLine(shown->input);
  if (!result.ok()) {
    problem = LineProblem(reading::LineErrorOf(result.error(), rows.observations()), true);
    return nullptr;
  }
  shown->result = result.value();
  shown->answer = reading::LevelAnswer(rows, request.start, shown->input, shown->result);
  return shown;
}

TextTable LevelTable(const LevelShown& shown) {
  const bool km = shown.input.count == survey::LevelCount::kLength;
  TextTable table;
  table.titles = {QStringLiteral("点名"),
                  km ? QStringLiteral("距离 km") : QStringLiteral("测站数"),
                  QStringLiteral("实测高差"),
                  QStringLiteral("改正数 mm"),
                  QStringLiteral("改正后高差"),
                  QStringLiteral("高程")};
  const auto add = [&table](const reading::Cells& cells) {
    QStringList row;
    for (const std::string& cell : cells) row.push_back(QString::fromStdString(cell));
    table.rows.push_back(row);
  };
  if (!shown.answer.before.empty()) add(shown.answer.before);
  for (const reading::Cells& cells : shown.answer.rows) add(cells);
  return table;
}

std::vector<ClosureText> LevelClosures(const LevelShown& shown) {
  // The tool's closure cells: CLOSURE FH LIMIT.
  const survey::LevelResult& r = shown.result;
  const bool km = shown.input.count == survey::LevelCount::kLength;
  std::vector<ClosureText> texts;
  texts.push_back({QStringLiteral("fh = %1 mm，限差 ±%2 mm")
                       .arg(QString::fromStdString(shown.answer.closure.at(1)),
                            QString::fromStdString(shown.answer.closure.at(2))),
                   r.over});
  QString sums = QStringLiteral("%1 = %2，Σh = %3 m")
                     .arg(km ? QStringLiteral("ΣL") : QStringLiteral("Σn"),
                          km ? FixedText(r.sumLength, 3) + QStringLiteral(" km")
                             : FixedText(r.sumLength, 0),
                          FixedText(r.sumDh, 3));
  if (shown.input.kind == LevelKind::kOutAndBack)
    sums += QStringLiteral("，返测 Σh = %1 m").arg(FixedText(r.backDh, 3));
  texts.push_back({sums, false});
  return texts;
}

QString LevelKindName(survey::LevelKind kind) {
  switch (kind) {
    case LevelKind::kAttached:
      return QStringLiteral("附合水准路线");
    case LevelKind::kClosed:
      return QStringLiteral("闭合水准路线");
    case LevelKind::kOutAndBack:
      return QStringLiteral("支水准路线");
  }
  return {};
}
