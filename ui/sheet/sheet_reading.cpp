#include "ui/sheet/sheet_reading.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <string>
#include <string_view>
#include <vector>

#include "reader/field_splitter.h"
#include "reader/input_rows.h"
#include "reader/known_points.h"
#include "reader/sheet_error_text.h"
#include "reader/sheet_options.h"
#include "reader/sheet_resolver.h"
#include "reader/text_decoder.h"
#include "ui/sheet/setout_sheet.h"

// What the CSV export needs to write the sheet again as corvane-calc does.
struct SheetInput {
  std::string text;  // the design file, decoded
  reading::Sheet sheet;
};

namespace {

constexpr qint64 kChunk = 1 << 20;        // bytes read at a time
constexpr std::size_t kStopEvery = 1024;  // lines between looks at the stop flag
constexpr int kReadShare = 10;            // of the progress bar, for reading the bytes
constexpr std::size_t kPreviewBytes = 1 << 16;

std::string utf8(const QString& text) { return text.toStdString(); }
QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), text.size()); }

// Calls `visit` with each line of `text`, without its line end.
template <class Visit>
void forLines(std::string_view text, Visit visit) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    if (!visit(text.substr(at, end - at), at)) return;
    at = end + 1;
  }
}

// The bytes of `path`, `limit` at most, decoded as every coordinate file is.
// A NUL byte is in no coordinate file: it is another kind of file.
QString readText(const QString& path, qint64 limit, std::string& text,
                 const std::atomic<bool>& stop, const std::function<void(int)>& progress) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return QStringLiteral("无法打开 %1：%2").arg(path, file.errorString());
  const qint64 size = std::max<qint64>(1, std::min(limit, file.size()));
  std::string bytes;
  while (!stop && static_cast<qint64>(bytes.size()) < limit && !file.atEnd()) {
    const QByteArray chunk = file.read(std::min(kChunk, limit - qint64(bytes.size())));
    if (chunk.isEmpty() && file.error() != QFileDevice::NoError)
      return QStringLiteral("无法读取 %1：%2").arg(path, file.errorString());
    bytes.append(chunk.constData(), chunk.size());
    if (progress) progress(static_cast<int>(bytes.size() * kReadShare / size));
  }
  const std::string refused = reading::DecodeText(bytes, text);
  if (!refused.empty())
    return QStringLiteral("无法读取 %1：%2").arg(path, QString::fromStdString(refused));
  if (text.find('\0') != std::string::npos)
    return QStringLiteral("%1 不是文本文件，不能作为坐标文件读取。").arg(path);
  return QString();
}

// Why a point the user has to give is missing, or "".
QString missing(const PointChoice& choice, const QString& role) {
  switch (choice.kind) {
    case PointChoice::Kind::kName:
      return choice.name.isEmpty() ? QStringLiteral("请选择%1点").arg(role) : QString();
    case PointChoice::Kind::kCoordinates:
      return choice.x.isEmpty() || choice.y.isEmpty() ? QStringLiteral("请输入%1的坐标").arg(role)
                                                      : QString();
    case PointChoice::Kind::kAzimuth:
      return choice.azimuth.isEmpty() ? QStringLiteral("请输入后视方位角") : QString();
  }
  return QString();
}

void addPoint(std::vector<std::string>& args, const PointChoice& choice, const char* point,
              const char* byName) {
  switch (choice.kind) {
    case PointChoice::Kind::kName:
      args.push_back(std::string(byName) + "=" + utf8(choice.name));
      break;
    case PointChoice::Kind::kCoordinates:
      args.push_back(std::string(point) + "=" + utf8(choice.x + QLatin1Char(',') + choice.y));
      break;
    case PointChoice::Kind::kAzimuth:
      args.push_back("--backsight-azimuth=" + utf8(choice.azimuth));
      break;
  }
}

// The window's choices as the options corvane-calc takes, so that the same
// code checks and resolves them. No column list (corvane --setout without
// --columns) reads the file as corvane-calc does without one.
std::vector<std::string> optionsOf(const SheetRequest& request) {
  std::vector<std::string> args = {"--decimals=" + std::to_string(request.distanceDecimals),
                                   "--azimuth-decimals=" + std::to_string(request.angleDecimals),
                                   "--header"};
  if (!request.columns.isEmpty()) args.push_back("--columns=" + utf8(request.columns));
  if (!request.controlPath.isEmpty()) {
    args.push_back("--control=" + utf8(request.controlPath));
    if (!request.controlColumns.isEmpty())
      args.push_back("--control-columns=" + utf8(request.controlColumns));
  }
  addPoint(args, request.station, "--station", "--station-point");
  addPoint(args, request.backsight, "--backsight", "--backsight-point");
  return args;
}

// The numbers as text that reads back to the same double.
QString numberText(double value) {
  return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

PointChoice choiceOf(const std::optional<reading::Point>& point, const std::string& name) {
  if (!name.empty()) return {PointChoice::Kind::kName, fromUtf8(name), {}, {}, {}};
  if (point)
    return {PointChoice::Kind::kCoordinates, {}, numberText(point->x), numberText(point->y), {}};
  return {};
}

std::vector<reading::Column> columnsOf(const QString& list) {
  std::vector<reading::Column> columns;
  reading::ReadColumns(utf8(list), reading::RowNumbers(reading::Mode::kSetout, true), true,
                       columns);
  return columns;
}

// The names to pick from, and the points they stand for: the control
// file's, else the design file's own, where a row that does not read adds no
// name (the sheet shows it as an error) and the stop flag is looked at
// between lines.
QString readKnown(const SheetRequest& request, const std::string& design,
                  const std::atomic<bool>& stop, reading::KnownPoints& known) {
  if (!request.controlPath.isEmpty()) {
    return QString::fromStdString(reading::FileErrorText(known.ReadFile(
        utf8(request.controlPath),
        columnsOf(request.controlColumns.isEmpty() ? request.columns : request.controlColumns))));
  }
  known.Start(columnsOf(request.columns), utf8(QFileInfo(request.path).fileName()));
  std::size_t number = 0;
  forLines(design, [&](std::string_view line, std::size_t) {
    known.AddLine(line);
    return ++number % kStopEvery != 0 || !stop;
  });
  return QString();
}

// The text of each of the table's columns, as corvane-calc writes it; a
// failed row has its name and code, and the "ERROR: " line.
SheetRows::Fields rowTexts(const reading::RowReader& reader, const reading::LineAnswer& answer,
                           std::string& buffer) {
  buffer.clear();
  std::array<std::pair<std::size_t, std::size_t>, SheetRows::kFieldCount> spans{};
  const bool failed = answer.kind == reading::LineAnswer::Kind::kError;
  for (const reading::AnswerColumn& column : reader.AnswerColumns(answer.named)) {
    SheetRows::Field field = SheetRows::kHeight;
    if (column.role == reading::AnswerColumn::Role::kName) field = SheetRows::kName;
    if (column.role == reading::AnswerColumn::Role::kCode) field = SheetRows::kCode;
    if (column.role == reading::AnswerColumn::Role::kResult)
      field = SheetRows::Field(SheetRows::kAzimuth + column.result);
    if (failed && field != SheetRows::kName && field != SheetRows::kCode) continue;
    const std::size_t begin = buffer.size();
    reader.AppendColumn(answer, column, buffer);
    spans[field] = {begin, buffer.size()};
  }
  if (failed) {
    const std::size_t begin = buffer.size();
    reader.AppendLine(answer, buffer);
    spans[SheetRows::kError] = {begin, buffer.size()};
  }
  SheetRows::Fields fields;
  for (std::size_t field = 0; field < fields.size(); ++field)
    fields[field] = std::string_view(buffer).substr(spans[field].first,
                                                    spans[field].second - spans[field].first);
  return fields;
}

}  // namespace

PreviewRows ReadPreviewRows(const QString& path, int count) {
  PreviewRows preview;
  std::string text;
  const std::atomic<bool> stop(false);
  preview.problem = readText(path, kPreviewBytes, text, stop, nullptr);
  if (!preview.problem.isEmpty()) return preview;
  forLines(text, [&](std::string_view line, std::size_t) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (reading::IsBlankOrComment(line)) return true;
    std::array<std::string_view, reading::kMaxColumns> fields;
    std::string unquoted;
    const reading::SplitLine split = reading::SplitFields(line, fields, unquoted);
    QStringList row;
    for (std::size_t i = 0; i < std::min(split.count, fields.size()); ++i)
      row << fromUtf8(fields[i]);
    preview.rows << row;
    return preview.rows.size() < count;
  });
  if (preview.rows.isEmpty()) preview.problem = QStringLiteral("文件中没有数据行。");
  return preview;
}

QString CheckColumns(const QString& columns) {
  std::vector<reading::Column> read;
  const auto numbers = reading::RowNumbers(reading::Mode::kSetout, true);
  const reading::ColumnsError error = reading::ReadColumns(utf8(columns), numbers, true, read);
  return error
             ? QString::fromStdString(reading::ColumnsErrorText(error, numbers, true, "--columns"))
             : QString();
}

SheetResult ComputeSheet(const SheetRequest& request, const std::atomic<bool>& stop,
                         const std::function<void(int)>& progress) {
  SheetResult result;
  auto input = std::make_shared<SheetInput>();
  result.failure =
      readText(request.path, std::numeric_limits<qint64>::max(), input->text, stop, progress);
  if (!result.failure.isEmpty() || stop) return result;

  reading::KnownPoints known;
  const QString knownProblem = readKnown(request, input->text, stop, known);
  for (const std::string& name : known.Names()) result.pointNames << fromUtf8(name);
  result.problem = missing(request.station, QStringLiteral("测站"));
  if (result.problem.isEmpty()) result.problem = missing(request.backsight, QStringLiteral("后视"));
  if (!result.problem.isEmpty() || stop) return result;

  reading::SheetOptions options;
  std::vector<std::string> rest;
  std::string problem = reading::TakeSheetOptions(optionsOf(request), options, rest);
  const bool byName = request.station.kind == PointChoice::Kind::kName ||
                      request.backsight.kind == PointChoice::Kind::kName;
  if (problem.empty() && byName && !knownProblem.isEmpty()) problem = utf8(knownProblem);
  reading::SheetRequest wanted;
  if (problem.empty())
    problem = reading::RequestOf(options, reading::Mode::kSetout, reading::DesignNames(), wanted);
  if (problem.empty())
    problem = reading::SheetErrorText(reading::ResolveSheet(
        wanted, input->sheet, request.controlPath.isEmpty() ? &known : nullptr));
  if (!problem.empty()) {
    result.problem = QStringLiteral("无法计算：%1").arg(QString::fromStdString(problem));
    return result;
  }

  auto sheet = std::make_shared<SetoutSheet>();
  const reading::Sheet& resolved = input->sheet;
  sheet->source = QFileInfo(request.path).fileName();
  sheet->station = {fromUtf8(resolved.stationName), resolved.settings.station.x,
                    resolved.settings.station.y};
  if (resolved.backsight)
    sheet->backsightPoint =
        SheetPoint{fromUtf8(resolved.backsightName), resolved.backsight->x, resolved.backsight->y};
  sheet->backsightDegrees = resolved.settings.backsightDegrees;
  sheet->checkAzimuth = fromUtf8(resolved.checkAzimuth);
  sheet->checkDistance = fromUtf8(resolved.checkDistance);

  const reading::RowReader reader(resolved.settings);
  reading::InputRows rows;
  reading::LineAnswer answer;
  std::string buffer;
  std::uint32_t number = 0;
  const double size = std::max<double>(1, input->text.size());
  forLines(input->text, [&](std::string_view line, std::size_t at) {
    ++number;
    if (number % kStopEvery == 0) {
      if (stop) return false;
      if (progress) progress(kReadShare + static_cast<int>(at * (100 - kReadShare) / size));
    }
    reader.Read(line, answer, rows.FirstRow(line));
    if (answer.kind == reading::LineAnswer::Kind::kCopied) return true;
    const SheetRows::Point point{answer.point.x, answer.point.y};
    sheet->rows.append(rowTexts(reader, answer, buffer), number,
                       answer.hasPoint ? &point : nullptr);
    return true;
  });
  sheet->input = input;
  result.sheet = sheet;
  return result;
}

// The lines corvane-calc setout --header writes: before the first row the
// comment line and the header row, the header row taking the place of a
// header the input has.
QString WriteSheetCsv(const SetoutSheet& sheet, const QString& path) {
  const SheetInput& input = *sheet.input;
  const reading::RowReader reader(input.sheet.settings);
  reading::InputRows rows;
  reading::LineAnswer answer;
  std::string out = "\xEF\xBB\xBF";  // the byte-order mark spreadsheets look for
  forLines(input.text, [&](std::string_view line, std::size_t) {
    std::size_t begin = 0;
    if (reading::AppendAnswer(reader, line, rows.FirstRow(line), &input.sheet.headerComment, answer,
                              out, begin) != reading::LineOutcome::kReplaced)
      out += '\n';
    return true;
  });
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(out.data(), static_cast<qint64>(out.size())) != static_cast<qint64>(out.size()) ||
      !file.commit())
    return QStringLiteral("无法写入 %1：%2").arg(path, file.errorString());
  return QString();
}

QString ParseSetoutArguments(const QStringList& arguments, SheetRequest& request, QString& pdf) {
  std::vector<std::string> args;
  for (const QString& argument : arguments) args.push_back(utf8(argument));
  reading::SheetOptions options;
  std::vector<std::string> rest;
  const std::string problem = reading::TakeSheetOptions(args, options, rest);
  if (!problem.empty()) return QString::fromStdString(problem);
  for (std::size_t at = 0; at < rest.size(); ++at) {
    const std::string& arg = rest[at];
    if (arg == "--setout") continue;
    if (reading::OptionName(arg) == "--pdf") {
      std::string value, error;
      if (!reading::OptionValue(rest, at, "--pdf", true, value, error))
        return QString::fromStdString(error);
      pdf = QString::fromStdString(value);
    } else if (arg.rfind("-", 0) == 0 || !request.path.isEmpty()) {
      return QStringLiteral("unknown argument %1").arg(QString::fromStdString(arg));
    } else {
      request.path = QString::fromStdString(arg);
    }
  }
  if (options.columns) request.columns = fromUtf8(*options.columns);
  request.controlPath = fromUtf8(options.control);
  if (options.controlColumns) request.controlColumns = fromUtf8(*options.controlColumns);
  request.station = choiceOf(options.station, options.stationPoint);
  request.backsight = choiceOf(options.backsight, options.backsightPoint);
  if (options.backsightAzimuth)
    request.backsight = {
        PointChoice::Kind::kAzimuth, {}, {}, {}, numberText(*options.backsightAzimuth)};
  request.distanceDecimals = options.decimals;
  request.angleDecimals = options.azimuthDecimals.value_or(options.decimals);
  return QString();
}
