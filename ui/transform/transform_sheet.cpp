#include "ui/transform/transform_sheet.h"

bool TransformSheet::planeAnswer() const {
  if (points.kind == TransformKind::kProject) return !points.inverse;
  if (points.kind == TransformKind::kGrid) return !points.inverse;
  return true;
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
