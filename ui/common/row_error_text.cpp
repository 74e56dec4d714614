#include "ui/common/row_error_text.h"

#include "core/field_text.h"
#include "reader/rows/line_answer.h"
#include "reader/text/text_lines.h"

namespace {

using Kind = reading::RowError::Kind;

// A field as the sheet's columns and the station panel name it.
QString fieldName(const std::string& field) {
  static const struct {
    const char* field;
    const char* name;
  } kNames[] = {
      {"X", "北坐标 X"},  {"Y", "东坐标 Y"},      {"H", "设计高程 H"}, {"NAME", "点名"},
      {"CODE", "编码"},   {"AZIMUTH", "方位角"},  {"ANGLE", "水平角"}, {"DISTANCE", "距离"},
      {"DH", "高差"},     {"ZENITH", "天顶距"},   {"SLOPE", "斜距"},   {"X0", "测站 X"},
      {"Y0", "测站 Y"},
  };
  for (const auto& known : kNames)
    if (field == known.field) return QString::fromUtf8(known.name);
  return QString::fromStdString(field);
}

QString quoted(const std::string& text) {
  return QStringLiteral("“%1”").arg(QString::fromStdString(text));
}

QString encodingName(reading::TextEncoding encoding) {
  const std::string_view name = reading::EncodingName(encoding);
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// What is wrong, without the row and the notes; empty where the kind has no
// words of its own.
QString what(const reading::RowError& error) {
  const QString field = fieldName(error.field);
  const QString text = quoted(error.text);
  switch (error.kind) {
    case Kind::kNotANumber:
      return QStringLiteral("%1 不是数字：%2").arg(field, text);
    case Kind::kSpreadsheetError:
      return QStringLiteral("%1 不是数字：%2（电子表格的错误值）").arg(field, text);
    case Kind::kOutOfRange:
      return QStringLiteral("%1 超出范围：%2").arg(field, text);
    case Kind::kTooLong:
      return QStringLiteral("%1 超过 %2 个字符：%3").arg(field).arg(survey::kFieldChars).arg(text);
    case Kind::kMinutes:
      return QStringLiteral("%1 的分不能是 60 或更多：%2").arg(field, text);
    case Kind::kSeconds:
      return QStringLiteral("%1 的秒不能是 60 或更多：%2").arg(field, text);
    case Kind::kNegative:
      return QStringLiteral("%1 不能为负：%2（请加 360）").arg(field, text);
    case Kind::kEitherMark:
      return QStringLiteral(
                 "%1 %2 中的逗号可能是千位分隔符，也可能是小数点：请在“列格式”中选择小数点")
          .arg(field, text);
    case Kind::kMissingField:
      return QStringLiteral("缺少%1").arg(field);
    case Kind::kExtraField:
      return QStringLiteral("多出一列：%1，请用“列格式”核对各列").arg(text);
    case Kind::kOnStation:
      return QStringLiteral("测站与该点重合");
    case Kind::kResultOutOfRange:
      return QStringLiteral("%1超出范围").arg(field);
    case Kind::kSwappedAxes:
      return QStringLiteral("点离测站太远，北坐标和东坐标可能颠倒了，请用“列格式”核对各列");
    case Kind::kUndecoded:
      if (error.other)
        return QStringLiteral("此行按 %1 和 %2 都能读，请在“列格式”中选择编码")
            .arg(encodingName(error.encoding), encodingName(*error.other));
      return QStringLiteral("此行不是 %1 文本，请在“列格式”中选择编码")
          .arg(encodingName(error.encoding));
    case Kind::kLineTooLong:
      return QStringLiteral("此行超过 %1 个字符").arg(reading::kMaxLineChars);
    case Kind::kReservedName:
      return QStringLiteral("点名不能以“ERROR:”开头");
    case Kind::kQuoteNotClosed:
      return QStringLiteral("引号没有闭合");
    case Kind::kTextAfterQuote:
      return QStringLiteral("引号后面还有文字");
    case Kind::kTransform:  // no sheet row is a transformation's
    case Kind::kOther:
    case Kind::kNone:
      break;
  }
  return QString();
}

}  // namespace

QString RowErrorText(const reading::RowError& error, std::size_t line, const QString& english) {
  QString text = what(error);
  if (text.isEmpty()) {
    // Words of the tool's alone: its message, without "ERROR: ".
    const QString prefix = QString::fromUtf8(reading::kErrorPrefix.data(),
                                             static_cast<qsizetype>(reading::kErrorPrefix.size()));
    return QStringLiteral("第 %1 行：%2")
        .arg(line)
        .arg(english.startsWith(prefix) ? english.mid(prefix.size()) : english);
  }
  if (error.oddCode != 0)
    text += QStringLiteral("（此行有字符“%1” U+%2，请改用半角的逗号、空格和数字）")
                .arg(QString::fromStdString(error.oddText),
                     QString::number(static_cast<unsigned>(error.oddCode), 16)
                         .toUpper()
                         .rightJustified(4, QLatin1Char('0')));
  if (error.mayBePreamble) text += QStringLiteral("（是标题行吗？可在“列格式”中设置跳过的行数）");
  return QStringLiteral("第 %1 行：%2").arg(line).arg(text);
}
