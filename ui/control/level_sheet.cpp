#include "ui/control/level_sheet.h"

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

bool readHeights(const LevelTyped& typed, survey::LevelInput& input, QString& problem) {
  const auto start = ReadControlNumber(typed.startHeight, QStringLiteral("起点高程"), problem);
  if (!problem.isEmpty()) return false;
  if (!start) {
    problem = QStringLiteral("请填写起点的已知高程");
    return false;
  }
  input.startHeight = *start;
  if (typed.kind != LevelKind::kAttached) return true;
  input.endHeight = ReadControlNumber(typed.endHeight, QStringLiteral("终点高程"), problem);
  if (problem.isEmpty() && !input.endHeight) problem = QStringLiteral("请填写终点的已知高程");
  return problem.isEmpty();
}

bool readSections(const LevelTyped& typed, LevelShown& shown, QString& problem) {
  const QString unit = typed.count == survey::LevelCount::kLength ? QStringLiteral("距离")
                                                                  : QStringLiteral("测站数");
  bool back = false;
  int at = 0;
  for (const QStringList& row : typed.rows) {
    if (blank(row)) continue;
    const auto dh = ReadControlNumber(row.value(kSectionDh), CellName(at, QStringLiteral("高差")), problem);
    const auto length =
        problem.isEmpty() ? ReadControlNumber(row.value(kSectionLength), CellName(at, unit), problem)
                          : std::nullopt;
    if (!problem.isEmpty()) return false;
    if (!dh || !length) {
      problem = QStringLiteral("请填写%1").arg(CellName(at, dh ? unit : QStringLiteral("高差")));
      return false;
    }
    const QString name = row.value(kSectionName).trimmed();
    (back ? shown.input.back : shown.input.sections).push_back({*dh, *length});
    (back ? shown.backNames : shown.names).push_back(name);
    back = back || (typed.kind == LevelKind::kOutAndBack && !name.isEmpty() &&
                    name == typed.endName.trimmed());
    ++at;
  }
  if (at == 0) {
    problem = QStringLiteral("请输入观测值：每行 点名、高差、%1").arg(unit);
    return false;
  }
  if (typed.kind == LevelKind::kOutAndBack && shown.input.back.empty()) {
    problem = QStringLiteral("支水准：往测须到终点（%1）为止，其后为返测")
                  .arg(typed.endName.trimmed().isEmpty() ? QStringLiteral("请填写终点点名")
                                                         : typed.endName.trimmed());
    return false;
  }
  const QString last =
      typed.kind == LevelKind::kClosed ? typed.startName.trimmed() : typed.endName.trimmed();
  if (shown.names.back().isEmpty()) shown.names.back() = last;
  return true;
}

}  // namespace

std::shared_ptr<const LevelShown> ComputeLevelSheet(const LevelTyped& typed, QString& problem) {
  problem.clear();
  auto shown = std::make_shared<LevelShown>();
  shown->typed = typed;
  shown->input.kind = typed.kind;
  shown->input.count = typed.count;
  if (!readLimits(typed, shown->input.limits, problem) ||
      !readHeights(typed, shown->input, problem) || !readSections(typed, *shown, problem))
    return nullptr;
  const auto result = survey::ComputeLevelLine(shown->input);
  if (!result.ok()) {
    QStringList names = shown->names;
    names += shown->backNames;
    problem = ControlProblem(result.error(), names, true);
    return nullptr;
  }
  shown->result = result.value();
  return shown;
}

TextTable LevelTable(const LevelShown& shown) {
  const bool km = shown.input.count == survey::LevelCount::kLength;
  TextTable table;
  table.titles = {QStringLiteral("点名"),
                  km ? QStringLiteral("距离 km") : QStringLiteral("测站数"),
                  QStringLiteral("实测高差"),
                  QStringLiteral("改正数"),
                  QStringLiteral("改正后高差"),
                  QStringLiteral("高程")};
  QString start = shown.typed.startName.trimmed();
  table.rows.push_back({start, {}, {}, {}, {}, FixedText(shown.input.startHeight, 3)});
  for (std::size_t i = 0; i < shown.result.rows.size(); ++i) {
    const survey::LevelRow& row = shown.result.rows[i];
    table.rows.push_back({shown.names.value(static_cast<qsizetype>(i)),
                          km ? FixedText(row.length, 3) : FixedText(row.length, 0),
                          SignedText(row.dh, 3), SignedText(row.correction, 3),
                          SignedText(row.correctedDh, 3), FixedText(row.height, 3)});
  }
  return table;
}

std::vector<ClosureText> LevelClosures(const LevelShown& shown) {
  const survey::LevelResult& r = shown.result;
  const bool km = shown.input.count == survey::LevelCount::kLength;
  std::vector<ClosureText> texts;
  texts.push_back({QStringLiteral("fh = %1 mm，限差 ±%2 mm").arg(SignedText(r.fhMm, 0), FixedText(r.limitMm, 0)),
                   r.over});
  QString sums = QStringLiteral("%1 = %2，Σh = %3 m")
                     .arg(km ? QStringLiteral("ΣL") : QStringLiteral("Σn"),
                          km ? FixedText(r.sumLength, 3) + QStringLiteral(" km") : FixedText(r.sumLength, 0),
                          SignedText(r.sumDh, 3));
  if (shown.input.kind == LevelKind::kOutAndBack)
    sums += QStringLiteral("，返测 Σh = %1 m").arg(SignedText(r.backDh, 3));
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
