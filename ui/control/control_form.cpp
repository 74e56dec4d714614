#include "ui/control/control_form.h"

#include <cmath>

#include "core/packed_angle.h"
#include "ui/control/control_text.h"

namespace {

using survey::TraverseKind;

constexpr int kTraverseColumns = 13;
constexpr int kLevelColumns = 8;

QString correctionText(double seconds, bool rigorous) {
  return rigorous ? SignedText(seconds, 1) : SecondsText(seconds);
}

// Whole millimetres, signed: a correction written over its number.
QString millimetres(double metres) { return SignedText(std::round(metres * 1000.0), 0); }

std::vector<FormColumn> traverseColumns() {
  return {{{}, QStringLiteral("点号"), 0.7},
          {{}, QStringLiteral("观测角\n° ′ ″"), 1.15},
          {{}, QStringLiteral("改正数\n″"), 0.6},
          {{}, QStringLiteral("改正后角值\n° ′ ″"), 1.15},
          {{}, QStringLiteral("坐标方位角\n° ′ ″"), 1.15},
          {{}, QStringLiteral("距离 D\nm"), 0.95},
          {QStringLiteral("增量计算值 (m)"), QStringLiteral("ΔX"), 0.9},
          {QStringLiteral("增量计算值 (m)"), QStringLiteral("ΔY"), 0.9},
          {QStringLiteral("改正后增量 (m)"), QStringLiteral("ΔX"), 0.9},
          {QStringLiteral("改正后增量 (m)"), QStringLiteral("ΔY"), 0.9},
          {QStringLiteral("坐标 (m)"), QStringLiteral("X"), 1.05},
          {QStringLiteral("坐标 (m)"), QStringLiteral("Y"), 1.05},
          {{}, QStringLiteral("点号"), 0.7}};
}

FormRow pointRow(const QString& name, int columns) {
  FormRow row;
  row.cells = QStringList(columns);
  row.small = QStringList(columns);
  row.cells[0] = name;
  row.cells[columns - 1] = name;
  return row;
}

FormRow betweenRow(int columns) {
  FormRow row;
  row.cells = QStringList(columns);
  row.small = QStringList(columns);
  row.between = true;
  return row;
}

// Sums of packed angles, in degrees to the exact second.
struct AngleSum {
  double degrees = 0.0;
  void add(double packed) { degrees += survey::PackedToDegrees(packed); }
  QString text() const { return DmsText(survey::DegreesToPacked(degrees)); }
};

void addTraverseRows(const TraverseShown& shown, ControlForm& form) {
  const auto& rows = shown.result.rows;
  const bool rigorous = shown.rigorous.has_value();
  const bool closed = shown.input.kind == TraverseKind::kClosed;
  AngleSum observed, corrected;
  double corrections = 0, dx = 0, dy = 0, adjustedDx = 0, adjustedDy = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const survey::TraverseRow& r = rows[i];
    FormRow row = pointRow(shown.names.value(static_cast<qsizetype>(i)), kTraverseColumns);
    if (r.angle && r.correctedAngle) {
      row.cells[1] = DmsText(*r.angle);
      row.cells[2] = correctionText(r.correctionSeconds, rigorous);
      row.cells[3] = DmsText(*r.correctedAngle);
      // A closed loop's first angle joins it to the backsight: not the polygon's.
      if (!(closed && i == 0)) {
        observed.add(*r.angle);
        corrected.add(*r.correctedAngle);
        corrections += r.correctionSeconds;
      }
    }
    row.cells[10] = FixedText(r.point.x, 3);
    row.cells[11] = FixedText(r.point.y, 3);
    form.rows.push_back(row);
    if (!r.leg) continue;
    const survey::TraverseLegRow& leg = *r.leg;
    FormRow between = betweenRow(kTraverseColumns);
    between.cells[4] = DmsText(leg.azimuth);
    between.cells[5] = FixedText(leg.distance, 3);
    between.cells[6] = FixedText(leg.dx, 3);
    between.cells[7] = FixedText(leg.dy, 3);
    between.small[6] = millimetres(leg.vx);
    between.small[7] = millimetres(leg.vy);
    between.cells[8] = FixedText(leg.dx + leg.vx, 3);
    between.cells[9] = FixedText(leg.dy + leg.vy, 3);
    form.rows.push_back(between);
    dx += leg.dx, dy += leg.dy, adjustedDx += leg.dx + leg.vx, adjustedDy += leg.dy + leg.vy;
  }
  form.sums = QStringList(kTraverseColumns);
  form.sums[0] = QStringLiteral("Σ");
  if (shown.result.angle) {
    form.sums[1] = observed.text();
    form.sums[2] = correctionText(corrections, rigorous);
    form.sums[3] = corrected.text();
  }
  form.sums[5] = FixedText(shown.result.sumD, 3);
  form.sums[6] = FixedText(dx, 3);
  form.sums[7] = FixedText(dy, 3);
  form.sums[8] = FixedText(adjustedDx, 3);
  form.sums[9] = FixedText(adjustedDy, 3);
}

}  // namespace

ControlForm TraverseForm(const TraverseShown& shown, const QString& title) {
  ControlForm form;
  form.title = QStringLiteral("导线计算表");
  if (!title.isEmpty()) form.facts.push_back(QStringLiteral("路线：%1").arg(title));
  form.facts.push_back(QStringLiteral("类型：%1").arg(TraverseKindName(shown.input.kind)));
  form.facts.push_back(QStringLiteral("等级：%1").arg(
      shown.typed.grade.isEmpty() ? QStringLiteral("自定限差") : shown.typed.grade));
  form.facts.push_back(shown.input.side == survey::AngleSide::kLeft ? QStringLiteral("观测左角")
                                                                    : QStringLiteral("观测右角"));
  form.facts.push_back(shown.rigorous ? QStringLiteral("严密平差") : QStringLiteral("近似平差"));
  form.columns = traverseColumns();
  const bool oriented = shown.input.kind != TraverseKind::kUnoriented;
  if (oriented) {
    form.rows.push_back(pointRow(shown.typed.backsight.name.trimmed(), kTraverseColumns));
    FormRow in = betweenRow(kTraverseColumns);
    in.cells[4] = DmsText(shown.input.azimuthIn);
    form.rows.push_back(in);
  }
  addTraverseRows(shown, form);
  if (shown.input.kind == TraverseKind::kAttached) {
    FormRow out = betweenRow(kTraverseColumns);
    out.cells[4] = DmsText(shown.input.azimuthOut);
    form.rows.push_back(out);
    form.rows.push_back(pointRow(shown.typed.foresight.name.trimmed(), kTraverseColumns));
  }
  form.closures = TraverseClosures(shown);
  form.sketch = &shown;
  return form;
}

ControlForm LevelForm(const LevelShown& shown, const QString& title) {
  const bool km = shown.input.count == survey::LevelCount::kLength;
  ControlForm form;
  form.title = QStringLiteral("水准测量成果计算表");
  if (!title.isEmpty()) form.facts.push_back(QStringLiteral("路线：%1").arg(title));
  form.facts.push_back(QStringLiteral("类型：%1").arg(LevelKindName(shown.input.kind)));
  form.facts.push_back(QStringLiteral("等级：%1").arg(
      shown.typed.grade.isEmpty() ? QStringLiteral("自定限差") : shown.typed.grade));
  form.facts.push_back(km ? QStringLiteral("按距离改正") : QStringLiteral("按测站数改正"));
  form.columns = {{{}, QStringLiteral("点号"), 0.8},
                  {{}, km ? QStringLiteral("距离 L\nkm") : QStringLiteral("测站数\nn"), 1.0},
                  {{}, QStringLiteral("实测高差\nm"), 1.1},
                  {{}, QStringLiteral("改正数\nmm"), 0.9},
                  {{}, QStringLiteral("改正后高差\nm"), 1.1},
                  {{}, QStringLiteral("高程\nm"), 1.2},
                  {{}, QStringLiteral("点号"), 0.8},
                  {{}, QStringLiteral("备注"), 1.2}};
  FormRow start = pointRow(shown.typed.startName.trimmed(), kLevelColumns - 1);
  start.cells.push_back(QStringLiteral("已知点"));
  start.small.push_back({});
  start.cells[5] = FixedText(shown.input.startHeight, 3);
  form.rows.push_back(start);
  double dh = 0, corrections = 0, corrected = 0;
  const auto& rows = shown.result.rows;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const survey::LevelRow& r = rows[i];
    FormRow section = betweenRow(kLevelColumns);
    section.cells[1] = km ? FixedText(r.length, 3) : FixedText(r.length, 0);
    section.cells[2] = SignedText(r.dh, 3);
    section.cells[3] = millimetres(r.correction);
    section.cells[4] = SignedText(r.correctedDh, 3);
    form.rows.push_back(section);
    dh += r.dh, corrections += r.correction, corrected += r.correctedDh;
    FormRow point = pointRow(shown.names.value(static_cast<qsizetype>(i)), kLevelColumns - 1);
    const bool known = i + 1 == rows.size() && shown.input.kind != survey::LevelKind::kOutAndBack;
    point.cells.push_back(known ? QStringLiteral("已知点") : QString());
    point.small.push_back({});
    point.cells[5] = FixedText(r.height, 3);
    form.rows.push_back(point);
  }
  form.sums = QStringList(kLevelColumns);
  form.sums[0] = QStringLiteral("Σ");
  form.sums[1] = km ? FixedText(shown.result.sumLength, 3) : FixedText(shown.result.sumLength, 0);
  form.sums[2] = SignedText(dh, 3);
  form.sums[3] = millimetres(corrections);
  form.sums[4] = SignedText(corrected, 3);
  form.closures = LevelClosures(shown);
  return form;
}
