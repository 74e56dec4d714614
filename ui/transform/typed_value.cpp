#include "ui/transform/typed_value.h"

#include <QLineEdit>
#include <cmath>

#include "reader/fields/number_text.h"
#include "reader/transform/signed_angle.h"

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

// A negative angle (a rotation, a meridian west of Greenwich) keeps its
// sign (signed_angle.h).
bool ReadTypedAngle(const QLineEdit& field, const QString& label, double& degrees,
                    QString& problem) {
  double value = 0;
  if (!ReadTypedNumber(field, label, value, problem)) return false;
  // The tool's reading of an angle option, on the digits as typed.
  const std::string text = survey::FoldNumberForms(field.text().trimmed().toStdString());
  if (reading::ReadSignedPacked(text, "", degrees).empty()) return true;
  problem = QStringLiteral("%1 不是度.分秒：“%2”（分、秒须小于 60）").arg(label, field.text());
  return false;
}
