#include "ui/sheet_reading.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <string>
#include <string_view>
#include <vector>

#include "cli/options.h"
#include "cli/row_reader.h"
#include "core/survey.h"
#include "ui/setout_sheet.h"

struct SheetInput {
  std::string text;
  calc::RowSettings settings;
  std::string note;
};

namespace {

constexpr qint64 kChunk = 1 << 20;

std::string utf8(const QString& text) { return text.toStdString(); }

struct Roles {
  int name = -1, code = -1, x = -1, y = -1, h = -1;
};

Roles rolesOf(const QString& columns) {
  Roles roles;
  const QStringList list = columns.split(QLatin1Char(','));
  for (int i = 0; i < list.size(); ++i) {
    const QString role = list[i].trimmed();
    if (role == "name") roles.name = i;
    if (role == "code") roles.code = i;
    if (role == "x") roles.x = i;
    if (role == "y") roles.y = i;
    if (role == "h") roles.h = i;
  }
  return roles;
}

std::vector<std::string_view> splitFields(std::string_view line) {
  std::vector<std::string_view> fields(calc::kMaxColumns + 1);
  char separator = ' ';
  const std::size_t count = calc::SplitColumns(line, fields, separator);
  fields.resize(std::min(count, fields.size()));
  return fields;
}

std::vector<std::string_view> lines(std::string_view text) {
  std::vector<std::string_view> out;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    out.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return out;
}

bool readText(const QString& path, std::string& text, QString& failure,
              const std::atomic<bool>& stop, const std::function<void(int)>& progress) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    failure = QStringLiteral("无法打开 %1：%2").arg(path, file.errorString());
    return false;
  }
  const qint64 size = std::max<qint64>(1, file.size());
  while (!file.atEnd() && !stop) {
    const QByteArray chunk = file.read(kChunk);
    if (chunk.isEmpty() && file.error() != QFile::NoError) {
      failure = QStringLiteral("无法读取 %1：%2").arg(path, file.errorString());
      return false;
    }
    text.append(chunk.constData(), chunk.size());
    if (progress) progress(static_cast<int>(text.size() * 20 / size));
  }
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  if (text.find('\0') != std::string::npos) {
    failure = QStringLiteral("%1 不是文本文件。").arg(path);
    return false;
  }
  return true;
}

struct Known {
  QStringList names;
  QHash<QString, QList<QPair<double, double>>> points;
};

Known knownPoints(std::string_view text, const QString& columns, const std::atomic<bool>& stop) {
  Known known;
  const Roles roles = rolesOf(columns);
  if (roles.name < 0 || roles.x < 0 || roles.y < 0) return known;
  for (std::string_view line : lines(text)) {
    if (stop) break;
    if (calc::IsBlankOrComment(line)) continue;
    const auto fields = splitFields(line);
    const int needed = std::max({roles.name, roles.x, roles.y});
    if (static_cast<int>(fields.size()) <= needed) continue;
    const QString name = QString::fromUtf8(fields[roles.name].data(), fields[roles.name].size());
    known.names << name;
    known.points[name].append(
        {survey::ParseField(fields[roles.x]), survey::ParseField(fields[roles.y])});
  }
  return known;
}

bool resolve(const PointChoice& choice, const Known& known, const QString& role, std::string& value,
             std::optional<SheetPoint>& point, QString& problem) {
  switch (choice.kind) {
    case PointChoice::Kind::kCoordinates:
      if (choice.x.isEmpty() || choice.y.isEmpty()) {
        problem = QStringLiteral("请输入%1的坐标").arg(role);
        return false;
      }
      value = utf8(choice.x + "," + choice.y);
      point = SheetPoint{QString(), survey::ParseField(utf8(choice.x)),
                         survey::ParseField(utf8(choice.y))};
      return true;
    case PointChoice::Kind::kAzimuth:
      if (choice.azimuth.isEmpty()) {
        problem = QStringLiteral("请输入后视方位角");
        return false;
      }
      value = utf8(choice.azimuth);
      return true;
    default: {
      if (choice.name.isEmpty()) {
        problem = QStringLiteral("请选择%1点").arg(role);
        return false;
      }
      const auto found = known.points.value(choice.name);
      if (found.size() != 1) {
        problem = found.isEmpty() ? QStringLiteral("找不到%1点 %2").arg(role, choice.name)
                                  : QStringLiteral("%1点 %2 重复").arg(role, choice.name);
        return false;
      }
      char buffer[80];
      std::snprintf(buffer, sizeof buffer, "%.17g,%.17g", found[0].first, found[0].second);
      value = buffer;
      point = SheetPoint{choice.name, found[0].first, found[0].second};
      return true;
    }
  }
}

}  // namespace

PreviewRows ReadPreviewRows(const QString& path, int count) {
  PreviewRows preview;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    preview.problem = QStringLiteral("无法打开 %1：%2").arg(path, file.errorString());
    return preview;
  }
  const QByteArray head = file.read(64 * 1024);
  std::string text(head.constData(), head.size());
  for (std::string_view line : lines(text)) {
    if (calc::IsBlankOrComment(line)) continue;
    QStringList row;
    for (std::string_view field : splitFields(line))
      row << QString::fromUtf8(field.data(), field.size());
    preview.rows << row;
    if (preview.rows.size() == count) break;
  }
  return preview;
}

QString CheckColumns(const QString& columns) {
  calc::RowSettings settings;
  settings.mode = calc::Mode::kSetout;
  settings.hasStation = true;
  std::vector<calc::Column> read;
  return QString::fromStdString(
      calc::ReadColumns(utf8(columns), calc::RowReader(settings).FieldNames(), true, read));
}

SheetResult ComputeSheet(const SheetRequest& request, const std::atomic<bool>& stop,
                         const std::function<void(int)>& progress) {
  SheetResult result;
  auto input = std::make_shared<SheetInput>();
  if (!readText(request.path, input->text, result.failure, stop, progress)) return result;
  std::string controlText;
  if (!request.controlPath.isEmpty() &&
      !readText(request.controlPath, controlText, result.failure, stop, nullptr))
    return result;
  const Known known =
      request.controlPath.isEmpty()
          ? knownPoints(input->text, request.columns, stop)
          : knownPoints(controlText,
                        request.controlColumns.isEmpty() ? request.columns : request.controlColumns,
                        stop);
  result.pointNames = known.names;
  auto sheet = std::make_shared<SetoutSheet>();
  sheet->source = QFileInfo(request.path).fileName();
  std::string station, backsight;
  std::optional<SheetPoint> stationPoint;
  if (!resolve(request.station, known, QStringLiteral("测站"), station, stationPoint,
               result.problem) ||
      !resolve(request.backsight, known, QStringLiteral("后视"), backsight, sheet->backsightPoint,
               result.problem))
    return result;
  sheet->station = *stationPoint;
  const bool azimuth = request.backsight.kind == PointChoice::Kind::kAzimuth;
  const calc::Options options = calc::ParseOptions(
      {"setout", "--station", station, azimuth ? "--backsight-azimuth" : "--backsight", backsight,
       "--columns", utf8(request.columns), "--decimals", std::to_string(request.distanceDecimals),
       "--azimuth-decimals", std::to_string(request.angleDecimals)});
  if (!options.error.empty()) {
    result.problem = QString::fromStdString(options.error);
    return result;
  }
  input->settings = options.settings;
  input->note = options.note;
  sheet->backsightDegrees = options.settings.backsightDegrees;
  // "station to backsight: azimuth A distance D"
  const QStringList note = QString::fromStdString(options.note).split(' ');
  sheet->checkAzimuth = note.value(4);
  sheet->checkDistance = note.value(6);
  const Roles roles = rolesOf(request.columns);
  const calc::RowReader reader(options.settings);
  const auto all = lines(input->text);
  bool first = true;
  std::string out;
  for (std::size_t i = 0; i < all.size() && !stop; ++i) {
    const std::string_view line = all[i];
    out.clear();
    const bool ok = reader.AnswerLine(line, out, first);
    if (calc::IsBlankOrComment(line)) continue;
    const bool wasFirst = first;
    first = false;
    if (ok && wasFirst && out == line && !out.empty() && rolesOf(request.columns).name >= 0 &&
        std::string_view(out).find_first_of("0123456789") == std::string_view::npos)
      continue;
    const auto fields = splitFields(line);
    auto at = [&](int index) {
      return index >= 0 && index < (int)fields.size() ? fields[index] : std::string_view();
    };
    SheetRows::Fields texts{};
    texts[SheetRows::kName] = at(roles.name);
    texts[SheetRows::kCode] = at(roles.code);
    texts[SheetRows::kHeight] = at(roles.h);
    std::vector<std::string_view> answer;
    if (ok) {
      answer = splitFields(out);
      const std::size_t skip = roles.name >= 0 ? 1 : 0;
      texts[SheetRows::kAzimuth] = answer.size() > skip ? answer[skip] : "";
      texts[SheetRows::kAngle] = answer.size() > skip + 1 ? answer[skip + 1] : "";
      texts[SheetRows::kDistance] = answer.size() > skip + 2 ? answer[skip + 2] : "";
    } else {
      texts[SheetRows::kError] = out;
    }
    SheetRows::Point point{survey::ParseField(at(roles.x)), survey::ParseField(at(roles.y))};
    const bool hasPoint = !at(roles.x).empty() && !at(roles.y).empty();
    sheet->rows.append(texts, static_cast<std::uint32_t>(i + 1), hasPoint ? &point : nullptr);
    if (progress && i % 4096 == 0) progress(20 + static_cast<int>(i * 80 / all.size()));
  }
  sheet->input = input;
  result.sheet = sheet;
  return result;
}

QString WriteSheetCsv(const SetoutSheet& sheet, const QString& path) {
  std::string text = "\xEF\xBB\xBF";
  const calc::RowReader reader(sheet.input->settings);
  text += "# " + sheet.input->note + "\n";
  bool first = true;
  for (std::string_view line : lines(sheet.input->text)) {
    std::string out;
    reader.AnswerLine(line, out, first);
    if (!calc::IsBlankOrComment(line)) first = false;
    text += out + "\n";
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(text.data(), text.size()) != qint64(text.size()) || !file.commit())
    return QStringLiteral("无法写入 %1：%2").arg(path, file.errorString());
  return QString();
}

QString ParseSetoutArguments(const QStringList& arguments, SheetRequest& request, QString& pdf) {
  request.columns = QStringLiteral("name,code,y,x,h");
  for (int i = 0; i < arguments.size(); ++i) {
    const QString& arg = arguments[i];
    if (arg == "--setout") continue;
    if (!arg.startsWith("--")) {
      request.path = arg;
      continue;
    }
    if (i + 1 >= arguments.size()) return arg + " needs a value";
    const QString value = arguments[++i];
    if (arg == "--pdf")
      pdf = value;
    else if (arg == "--columns")
      request.columns = value;
    else if (arg == "--control")
      request.controlPath = value;
    else if (arg == "--control-columns")
      request.controlColumns = value;
    else if (arg == "--station-point")
      request.station = {PointChoice::Kind::kName, value, {}, {}, {}};
    else if (arg == "--backsight-point")
      request.backsight = {PointChoice::Kind::kName, value, {}, {}, {}};
    else if (arg == "--station")
      request.station = {
          PointChoice::Kind::kCoordinates, {}, value.section(',', 0, 0), value.section(',', 1), {}};
    else if (arg == "--backsight")
      request.backsight = {
          PointChoice::Kind::kCoordinates, {}, value.section(',', 0, 0), value.section(',', 1), {}};
    else if (arg == "--backsight-azimuth")
      request.backsight = {PointChoice::Kind::kAzimuth, {}, {}, {}, value};
    else if (arg == "--decimals")
      request.distanceDecimals = value.toInt();
    else if (arg == "--azimuth-decimals")
      request.angleDecimals = value.toInt();
    else
      return "unknown option " + arg;
  }
  return QString();
}
