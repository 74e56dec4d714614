#include "ui/transform/transform_sheet.h"

QString TransformSheet::notForSheet() const {
  if (!points.inverse) return {};
  if (points.kind == TransformKind::kProject)
    return QStringLiteral("这些结果是经纬度，不是平面坐标，不能送到放样表。");
  if (points.kind == TransformKind::kGrid)
    return QStringLiteral("这些结果是施工坐标 A、B，放样表用测量坐标：请选“施工 A,B → 测量 X,Y”。");
  return {};
}

void AnswerSheet(TransformSheet& sheet, const std::atomic<bool>* stop,
                 const TransformProgress& progress) {
  const TransformProgress half = [&progress](int percent) {
    if (progress) progress(percent / 2);
  };
  if (sheet.fit) {
    auto fit = std::make_shared<TransformAnswer>(AnswerTask(*sheet.fit, stop, half));
    sheet.fitAnswer = fit;
    if (!fit->fit) {
      sheet.pointsAnswer = std::make_shared<TransformAnswer>();
      return;
    }
    const survey::FourParameters& found = fit->fit->parameters;
    sheet.points.dx = found.dx();
    sheet.points.dy = found.dy();
    sheet.points.theta = found.rotationDegrees();
    sheet.points.scale = found.scale();
  }
  sheet.pointsAnswer = std::make_shared<TransformAnswer>(AnswerTask(sheet.points, stop, progress));
}
