#include "ui/transform/typed_value.h"

#include <QLineEdit>
#include <cmath>

#include "core/packed_angle.h"
#include "reader/fields/number_text.h"
#include "reader/fields/packed_digits.h"

namespace {

bool ReadNumber(const QString& typed, double& value) {
  const std::string text = survey::FoldNumberForms(typed.trimmed().toStdString());
  return reading::ReadFieldNumber(text, value) == reading::FieldNumber::kNumber;
}

}  // namespace

bool ReadTypedNumber(const QLineEdit& field, const QString& label, double& value,
                     QString& problem) {
  if (ReadNumber(field.text(), value)) return true;
  problem = QStringLiteral("%1 不是数字：“%2”").arg(label, field.text());
  return false;
}

// A negative angle (a rotation, a meridian west of Greenwich) is read by
// its size: the notation's floor would read -0.0001 as -1°01′01″.
bool ReadTypedAngle(const QLineEdit& field, const QString& label, double& degrees,
                    QString& problem) {
  double value = 0;
  if (!ReadTypedNumber(field, label, value, problem)) return false;
  const std::string text = survey::FoldNumberForms(field.text().trimmed().toStdString());
  const std::string size = !text.empty() && (text[0] == '-' || text[0] == '+') ? text.substr(1) : text;
  const reading::AzimuthFault fault = reading::FindAzimuthFault(size, std::fabs(value));
  if (fault == reading::AzimuthFault::kNone) {
    degrees = std::copysign(survey::PackedToDegrees(std::fabs(value)), value);
    return true;
  }
  problem = QStringLiteral("%1 不是度.分秒：“%2”（分、秒须小于 60）").arg(label, field.text());
  return false;
}
