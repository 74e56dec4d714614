#include "ui/transform/transform_statement.h"

#include <cmath>

#include "core/transform/projection_zone.h"
#include "reader/fields/number_text.h"
#include "reader/fields/packed_digits.h"
#include "reader/transform/signed_angle.h"
#include "ui/transform/projection_form.h"

namespace {

// The shortest text that reads back to `value`: 500000, 1.000012.
QString Plain(double value) { return QString::number(value, 'g', 15); }

QString Fixed(double value, int decimals) {
  std::string text;
  reading::AppendFixed(text, value, decimals);
  return QString::fromStdString(text);
}

// "125°12′09.87″", "-0°00′01.244048″" with `decimals` of a packed angle.
QString Dms(double degrees, int decimals) {
  std::string text;
  reading::AppendDmsAngle(text, reading::DegreesToSignedPacked(degrees), std::max(0, decimals - 4));
  return QString::fromStdString(text);
}

QStringList GridStatement(const TransformTask& task) {
  return {QStringLiteral("施工坐标系原点 X0 = %1，Y0 = %2，A 轴方位角 α = %3")
              .arg(Fixed(task.origin.x, task.decimals), Fixed(task.origin.y, task.decimals),
                   Dms(task.azimuth, task.angleDecimals)),
          task.inverse ? QStringLiteral("测量坐标 X,Y → 施工坐标 A,B")
                       : QStringLiteral("施工坐标 A,B → 测量坐标 X,Y"),
          QStringLiteral("X = X0 + A·cos α − B·sin α，Y = Y0 + A·sin α + B·cos α（B 轴在 A 轴顺时针 90°）")};
}

QStringList FitStatement(const TransformSheet& sheet) {
  const TransformTask& task = sheet.points;
  QStringList lines;
  if (sheet.fit) {
    const TransformAnswer* fit = sheet.fitAnswer.get();
    if (fit && fit->fit) {
      QString sigma = QStringLiteral("无（两点无多余观测）");
      if (fit->fit->sigma0Mm) sigma = QStringLiteral("±%1 mm").arg(Fixed(*fit->fit->sigma0Mm, 1));
      lines << QStringLiteral("参数由公共点最小二乘求得：参与 %1 点（共 %2 点），限差 %3 mm，单位权中误差 %4")
                   .arg(fit->fit->pointsUsed)
                   .arg(fit->fit->residuals.size())
                   .arg(Plain(sheet.fit->limitMm), sigma);
    } else {
      lines << QStringLiteral("参数未求出：%1")
                   .arg(QString::fromStdString(fit ? fit->fitProblem : std::string()));
      return lines;
    }
  } else {
    lines << QStringLiteral("参数为输入值");
  }
  lines << QStringLiteral("ΔX = %1 m，ΔY = %2 m，θ = %3，m = %4")
               .arg(Fixed(task.dx, task.decimals), Fixed(task.dy, task.decimals),
                    Dms(task.theta, task.angleDecimals + 4), Fixed(task.scale, 12));
  lines << QStringLiteral("X = ΔX + m (x·cos θ − y·sin θ)，Y = ΔY + m (x·sin θ + y·cos θ)；θ 顺时针为正，m 为尺度本身（非 ppm）");
  lines << (task.inverse ? QStringLiteral("目标 X,Y → 源 x,y") : QStringLiteral("源 x,y → 目标 X,Y"));
  lines << QStringLiteral("残差 = 计算值 − 已知值（mm）；未参与的点也列出残差");
  return lines;
}

}  // namespace

QString EllipsoidText(survey::Ellipsoid ellipsoid) {
  const survey::EllipsoidAxes axes = survey::AxesOf(ellipsoid);
  return QStringLiteral("%1（a = %2 m，1/f = %3）")
      .arg(EllipsoidNames().value(static_cast<int>(ellipsoid)), Plain(axes.a), Plain(1 / axes.f));
}

QString ProjectionText(const survey::ProjectionSetup& setup) {
  QString zone;
  if (setup.centralMeridian) {
    zone = QStringLiteral("中央子午线 %1").arg(Dms(*setup.centralMeridian, 4));
  } else if (setup.zone) {
    zone = QStringLiteral("第 %1 带，中央子午线 %2")
               .arg(*setup.zone)
               .arg(Dms(survey::CentralMeridianOf(*setup.zone, setup.zoneWidth), 4));
  } else {
    zone = QStringLiteral("按各点经度定带（反算按 Y 前的带号）");
  }
  return QStringLiteral("%1° 带，%2，东偏 %3 m，%4，投影面高程 %5 m，中央子午线尺度 %6")
      .arg(setup.zoneWidth)
      .arg(zone, Plain(setup.falseEasting),
           setup.zonePrefix ? QStringLiteral("Y 前加带号") : QStringLiteral("Y 前不加带号"),
           Plain(setup.heightSurface), Plain(setup.scale));
}

QStringList StatementOf(const TransformSheet& sheet) {
  const TransformTask& task = sheet.points;
  switch (task.kind) {
    case TransformKind::kGrid:
      return GridStatement(task);
    case TransformKind::kFit:
    case TransformKind::kApply:
      return FitStatement(sheet);
    case TransformKind::kProject:
      return {QStringLiteral("椭球 %1").arg(EllipsoidText(task.projection.ellipsoid)),
              ProjectionText(task.projection),
              task.inverse ? QStringLiteral("反算 X,Y → B,L") : QStringLiteral("正算 B,L → X,Y"),
              task.degrees ? QStringLiteral("B、L 为十进制度")
                           : QStringLiteral("B、L 为度.分秒；子午线收敛角为坐标北相对真北的方位，东偏为正")};
    case TransformKind::kRezone:
      return {QStringLiteral("椭球 %1").arg(EllipsoidText(task.projection.ellipsoid)),
              QStringLiteral("原坐标系：%1").arg(ProjectionText(task.projection)),
              QStringLiteral("新坐标系：%1").arg(ProjectionText(task.target))};
  }
  return {};
}
