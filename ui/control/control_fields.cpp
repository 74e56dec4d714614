#include "ui/control/control_fields.h"

#include <string>

#include "core/field_text.h"
#include "reader/fields/field_number.h"
#include "reader/fields/number_text.h"

namespace {

std::string folded(const QString& text) {
  return survey::FoldNumberForms(text.trimmed().toStdString());
}

}  // namespace

std::optional<double> ReadControlNumber(const QString& text, const QString& field,
                                        QString& problem) {
  const std::string typed = folded(text);
  if (typed.empty()) return std::nullopt;
  double value = 0.0;
  if (reading::ReadFieldNumber(typed, value) != reading::FieldNumber::kNumber) {
    problem = QStringLiteral("%1不是数：%2").arg(field, text.trimmed());
    return std::nullopt;
  }
  return value;
}

std::optional<double> ReadControlAngle(const QString& text, const QString& field,
                                       QString& problem) {
  const std::string typed = folded(text);
  if (typed.empty()) return std::nullopt;
  double packed = 0.0;
  switch (reading::ReadTypedAzimuth(typed, packed)) {
    case reading::TypedAzimuth::kAzimuth:
      return packed;
    case reading::TypedAzimuth::kMinutes:
      problem = QStringLiteral("%1的分超过 59（度.分秒）：%2").arg(field, text.trimmed());
      break;
    case reading::TypedAzimuth::kSeconds:
      problem = QStringLiteral("%1的秒超过 59（度.分秒）：%2").arg(field, text.trimmed());
      break;
    case reading::TypedAzimuth::kNegative:
    case reading::TypedAzimuth::kOver360:
      problem = QStringLiteral("%1不在 0 至 360 度之间：%2").arg(field, text.trimmed());
      break;
    case reading::TypedAzimuth::kNotANumber:
      problem = QStringLiteral("%1不是角度（度.分秒）：%2").arg(field, text.trimmed());
      break;
  }
  return std::nullopt;
}

QString CellName(int row, const QString& column) {
  return QStringLiteral("第 %1 行的%2").arg(row + 1).arg(column);
}
