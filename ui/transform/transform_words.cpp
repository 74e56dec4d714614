#include "ui/transform/transform_words.h"

#include <cmath>
#include <cstdio>

namespace {

std::string Number(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// "（第 3 点）" for a fault of a point, counted from 1 as the user counts.
std::string PointWords(const survey::TransformError& error) {
  if (error.point == survey::TransformError::kNoPoint) return {};
  std::string words = "（第 " + std::to_string(error.point + 1) + " 点";
  if (error.other != survey::TransformError::kNoPoint)
    words += "与第 " + std::to_string(error.other + 1) + " 点";
  return words + "）";
}

}  // namespace

std::string TransformProblemWords(const survey::TransformError& error) {
  using P = survey::TransformProblem;
  const double v = error.value;
  std::string words;
  switch (error.problem) {
    case P::kNotANumber: words = "有数值不是有限的数"; break;
    case P::kTooFewPoints:
      words = "参与计算的公共点只有 " + Number(v, 0) + " 个，至少要 2 个"; break;
    case P::kIdenticalPoints: words = "两个公共点位置相同，定不出旋转和尺度"; break;
    case P::kAxisPointAtOrigin: words = "轴线上的点与原点重合"; break;
    case P::kBadScale: words = "尺度须大于 0：" + Number(v, 9); break;
    case P::kBadLimit: words = "限差须大于 0：" + Number(v, 1) + " mm"; break;
    case P::kLatitudeBeyondPole: words = "纬度超出 ±90°：" + Number(v, 6) + "°"; break;
    case P::kLongitudeOutsideZone:
      words = "经度离中央子午线 " + Number(v, 6) + "°，超出本带"; break;
    case P::kBadZoneWidth: words = "带宽只能是 3° 或 6°：" + Number(v, 0); break;
    case P::kBadZone: words = "没有这个带号：" + Number(v, 0); break;
    case P::kBadCentralMeridian: words = "中央子午线不对：" + Number(v, 6) + "°"; break;
    case P::kNoZoneNumber: words = "中央子午线 " + Number(v, 6) + "° 不是哪一带的，Y 前不能加带号"; break;
    case P::kNoZone: words = "没有带号，也没有中央子午线，Y 前也没有带号"; break;
    case P::kZonePrefixMismatch: words = "Y 前的带号 " + Number(v, 0) + " 不是所给的带号"; break;
    case P::kBadHeightSurface: words = "投影面高程不对：" + Number(v, 3) + " m"; break;
    case P::kOffProjection: words = "X 超出投影范围：" + Number(v, 3); break;
  }
  return words + PointWords(error);
}
