#include "ui/common/problem_text.h"

#include <cerrno>

#include "ui/common/file_path.h"

namespace {

// Why the system could not open or read a file.
QString reason(int error) {
  switch (error) {
    case ENOENT:
      return QStringLiteral("文件不存在");
    case EACCES:
    case EPERM:
      return QStringLiteral("没有读取的权限");
    case EISDIR:
      return QStringLiteral("这是一个文件夹");
    case EIO:
      return QStringLiteral("读写出错");
    default:
      return QStringLiteral("系统错误 %1").arg(error);
  }
}

}  // namespace

QString FileProblem(const reading::FileError& error) {
  const QString name = ShownFileName(error.path);
  using What = reading::FileError::What;
  switch (error.what) {
    case What::kCannotOpen:
      return QStringLiteral("无法打开 %1：%2").arg(name, reason(error.error));
    case What::kCannotRead:
      return QStringLiteral("无法读取 %1：%2").arg(name, reason(error.error));
    case What::kRefused:
      switch (error.refusal) {
        case reading::Refusal::kUtf32:
          return QStringLiteral("无法读取 %1：这是 UTF-32 文本，请另存为 UTF-8 或 UTF-16。")
              .arg(name);
        case reading::Refusal::kNoConverter:
          return QStringLiteral("无法读取 %1：本机无法转换所选的编码（iconv 不支持）。").arg(name);
        case reading::Refusal::kUtf16WithoutMark:
        case reading::Refusal::kNone:
          break;
      }
      return QStringLiteral(
                 "无法读取 %1：它不是 UTF-8 文本（开头有 NUL 字节，"
                 "或是没有字节顺序标记的 UTF-16），请另存为 UTF-8，"
                 "或带字节顺序标记的 UTF-16。")
          .arg(name);
    case What::kNotText:
      return QStringLiteral("%1 不是文本文件，不能作为坐标文件读取。").arg(name);
    case What::kRow:
      if (error.undecoded)
        return QStringLiteral("%1 第 %2 行不能按文件的编码读取，请在“列格式”中选择编码。")
            .arg(name)
            .arg(error.line);
      return QStringLiteral("%1 第 %2 行读不出点名和坐标，请用“列格式”核对各列。")
          .arg(name)
          .arg(error.line);
    case What::kNone:
      break;
  }
  return QString();
}

QString NumberProblem(const QString& field, reading::FieldNumber read, const QString& text) {
  if (text.isEmpty()) return QStringLiteral("请输入%1").arg(field);
  switch (read) {
    case reading::FieldNumber::kNotANumber:
      return text.contains(QLatin1Char(','))
                 ? QStringLiteral("%1不是数字：%2（小数点请用“.”）").arg(field, text)
                 : QStringLiteral("%1不是数字：%2").arg(field, text);
    case reading::FieldNumber::kOutOfRange:
      return QStringLiteral("%1超出范围：%2").arg(field, text);
    case reading::FieldNumber::kNumber:
      break;
  }
  return QString();
}

QString AzimuthProblem(const QString& field, reading::TypedAzimuth read, const QString& text) {
  if (text.isEmpty()) return QStringLiteral("请输入%1").arg(field);
  switch (read) {
    case reading::TypedAzimuth::kNotANumber:
      return QStringLiteral("%1不是数字：%2").arg(field, text);
    case reading::TypedAzimuth::kMinutes:
      return QStringLiteral("%1的分不能是 60 或更多：%2").arg(field, text);
    case reading::TypedAzimuth::kSeconds:
      return QStringLiteral("%1的秒不能是 60 或更多：%2").arg(field, text);
    case reading::TypedAzimuth::kNegative:
      return QStringLiteral("%1不能为负：%2（请加 360）").arg(field, text);
    case reading::TypedAzimuth::kOver360:
      return QStringLiteral("%1须在 0 到 360 之间：%2").arg(field, text);
    case reading::TypedAzimuth::kAzimuth:
      break;
  }
  return QString();
}
