#include "ui/control/control_text.h"

#include <cmath>
#include <string>

#include "reader/fields/number_text.h"
#include "reader/fields/packed_digits.h"

namespace {

// A packed angle to whole seconds: four decimals.
constexpr int kSecondsDecimals = 4;

}  // namespace

QString FixedText(double value, int decimals) {
  std::string out;
  reading::AppendFixed(out, value, decimals);
  return QString::fromStdString(out);
}

QString SignedText(double value, int decimals) {
  const QString text = FixedText(value, decimals);
  // -0.0004 written to the millimetre is "-0.000": no sign on a zero.
  if (FixedText(0.0, decimals) == text.mid(text.startsWith(QLatin1Char('-')) ? 1 : 0))
    return FixedText(0.0, decimals);
  return value > 0 ? QLatin1Char('+') + text : text;
}

QString PackedText(double packed) {
  std::string out;
  reading::AppendPackedAngle(out, packed, kSecondsDecimals);
  return QString::fromStdString(out);
}

QString DmsText(double packed) {
  std::string out;
  reading::AppendDmsAngle(out, packed, 0);
  return QString::fromStdString(out);
}

QString SecondsText(double seconds) { return SignedText(std::round(seconds), 0); }
