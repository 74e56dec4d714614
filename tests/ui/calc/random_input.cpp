#include "random_input.h"

#include <array>

namespace {

// Spellings that sit on the edge of what reads as a number.
const std::array<const char*, 18> kOddNumbers = {
    "inf", "-Infinity", "nan", "0x1A", "1e400", "-1e400", "1e-400",       "1d5", "4.5D-3",
    "1,5", "+.5",       "-.",  ".e3",  "1e",    "1e+",    "00045.302512", "360", "359.595999"};

// Characters a user may type or paste, ASCII and not.
const QString kAlphabet = QStringLiteral(
    "0123456789+-.eEdD xXaAfFiInNtTyY,;:'\"/_*#"
    "中文坐标方位角距离终点起点°′″１２３．é±§×"
    "\U0001F4D0");

// Words a Chinese user might enter into the wrong field.
const std::array<QString, 5> kChinese = {QStringLiteral("坐标"), QStringLiteral("东北"),
                                         QStringLiteral("四十五度"), QStringLiteral("１２．５"),
                                         QStringLiteral("距离100米")};

}  // namespace

QString RandomInput::fieldText() {
  switch (number(0, 7)) {
    case 0:
      return digits(1, 12);
    case 1:
      return numberLike();
    case 2:
      return QString::fromLatin1(oneOf(kOddNumbers));
    case 3:
      return blanks(1, 5) + numberLike() + mixture(number(0, 4));
    case 4:
      return longText();
    case 5:
      return chance(0.5) ? oneOf(kChinese) : oneOf(kChinese) + numberLike();
    case 6:
      return mixture(number(1, 20));
    default:
      return numberLike() + QStringLiteral("abc");
  }
}

QString RandomInput::digits(int low, int high) {
  QString text;
  for (int n = number(low, high); n > 0; --n) text += QChar(u'0' + number(0, 9));
  return text;
}

// Sign, whole digits, fraction and exponent, each there or not.
QString RandomInput::numberLike() {
  QString text;
  if (chance(0.3)) text += chance(0.5) ? u'-' : u'+';
  if (chance(0.9)) text += digits(1, 8);
  if (chance(0.6)) text += u'.' + digits(0, 8);
  if (chance(0.2)) {
    text += oneOf(std::array<char16_t, 4>{u'e', u'E', u'd', u'D'});
    if (chance(0.5)) text += chance(0.5) ? u'-' : u'+';
    text += digits(1, 3);
  }
  return text;
}

QString RandomInput::blanks(int low, int high) { return QString(number(low, high), u' '); }

QString RandomInput::mixture(int length) {
  QString text;
  for (int i = 0; i < length; ++i) {
    const int at = number(0, static_cast<int>(kAlphabet.size()) - 1);
    // A character beyond the 16-bit range is two code units: keep them together.
    if (kAlphabet.at(at).isLowSurrogate())
      text += kAlphabet.mid(at - 1, 2);
    else if (kAlphabet.at(at).isHighSurrogate())
      text += kAlphabet.mid(at, 2);
    else
      text += kAlphabet.at(at);
  }
  return text;
}

// More than 35 characters, with a number that may start before the 35th and
// run past it.
QString RandomInput::longText() {
  switch (number(0, 2)) {
    case 0:
      return blanks(25, 40) + numberLike() + digits(0, 10);
    case 1:
      return digits(30, 50) + u'.' + digits(1, 10);
    default:
      return numberLike() + mixture(number(36, 60));
  }
}
