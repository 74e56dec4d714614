#include "ui/sheet/sheet_job.h"


#include <QFile>
#include <array>
#include <string>
#include <unordered_set>

#include "reader/rows/input_rows.h"
#include "reader/sheet/sheet_resolver.h"
#include "reader/text/file_open.h"
#include "reader/text/text_file.h"
#include "ui/common/file_path.h"
#include "ui/common/job_runner.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sheet_look.h"

namespace {

constexpr std::size_t kStopEvery = 1024;  // lines between looks at the stop flag

QString fromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

using Stage = ProgressStage;

// Calls `visit` with each line of the file at `path` (and whether it starts
// a new input), read in `encoding`, looking at `stop` now and then; the
// file's error, or kNone.
template <class Visit>
reading::FileError forLines(const std::string& path, std::optional<reading::TextEncoding> encoding,
                            const std::atomic<bool>& stop, const Stage& stage, Visit visit) {
  reading::TextFile file(path, true, encoding);
  std::string_view line;
  for (std::size_t number = 1; file.NextLine(line); ++number) {
    if (number % kStopEvery == 0) {
      if (stop) break;
      stage(file.bytesRead(), file.size());
    }
    visit(line, file.startsInput());
  }
  return file.error();
}

KnownFile::Source sourceOf(const std::string& path, std::vector<reading::Column> columns,
                            const reading::InputReading& input) {
  const reading::FileFacts facts = reading::FactsOf(path);
  return {path, std::move(columns), input, facts.size, facts.modifiedMs};
}

// The names of the control file: strict, a row that does not read refuses
// the file. A name not among them is looked up among `more`'s.
std::shared_ptr<const KnownFile> controlNames(const reading::SheetRequest& request,
                                              const reading::ControlFile& control,
                                              const std::shared_ptr<const KnownFile>& more,
                                              const std::atomic<bool>& stop, const Stage& stage) {
  auto known = std::make_shared<KnownFile>();
  std::vector<reading::Column> columns;
  known->problem = reading::ControlColumns(request, control, columns);
  const reading::InputReading input = control.input.value_or(request.input);
  known->source = sourceOf(control.path, columns, input);
  if (known->problem) return known;
  known->points.Start(columns, control.path, input);
  reading::FileError failed;
  reading::FileError error = forLines(control.path, input.encoding, stop, stage,
                                      [&](std::string_view line, bool startsInput) {
                                        if (startsInput) known->points.StartInput();
                                        if (!failed) failed = known->points.AddLine(line);
                                      });
  if (!error) error = std::move(failed);
  if (error) {
    known->points.Start(columns, control.path, input);
    known->problem.what = reading::SheetError::What::kControlFile;
    known->problem.part = reading::SheetPart::kControl;
    known->problem.file = std::move(error);
  }
  known->points.LookAlsoIn(std::shared_ptr<const reading::KnownPoints>(more, &more->points));
  return known;
}

// The names of the design points themselves, where a row that does not read
// adds no name (the sheet shows it as an error).
std::shared_ptr<const KnownFile> designNames(const SheetJob& job, const std::atomic<bool>& stop,
                                             const Stage& stage, reading::FileError& failure) {
  auto known = std::make_shared<KnownFile>();
  const reading::SheetRequest& request = job.request;
  if (const auto* points = std::get_if<std::vector<reading::DesignPoint>>(&request.design)) {
    known->points.Start({}, job.title.toStdString());
    for (const reading::DesignPoint& point : *points)
      known->points.AddPoint(point.name, point.point, point.height);
    return known;
  }
  const std::string& path = std::get<reading::DesignFile>(request.design).path;
  known->source = sourceOf(path, request.columns, request.input);
  known->points.Start(request.columns, ShownFileName(path).toStdString(), request.input);
  failure = forLines(path, request.input.encoding, stop, stage,
                     [&](std::string_view line, bool startsInput) {
                       if (startsInput) known->points.StartInput();
                       known->points.AddLine(line);
                     });
  return known;
}

// The points of the job's known names read before from `source`, or null.
std::shared_ptr<const KnownFile> readBefore(const SheetJob& job, const KnownFile::Source& source) {
  if (!job.known || source.path.empty()) return nullptr;
  for (const auto& part : {job.known->first, job.known->more})
    if (part && part->source == source) return part;
  return nullptr;
}

// The names to pick from: those of `first`, then those of `more` that
// `first` does not have.
NameIndex pickList(const KnownFile& first, const KnownFile* more) {
  if (!more) return NameIndex(first.points.Names());
  std::vector<std::string> names = first.points.Names();
  const std::unordered_set<std::string_view> taken(names.begin(), names.end());
  std::vector<std::string> added;
  for (const std::string& name : more->points.Names())
    if (!taken.contains(name)) added.push_back(name);
  names.insert(names.end(), std::make_move_iterator(added.begin()),
               std::make_move_iterator(added.end()));
  return NameIndex(names);
}

// The known points of the job: those it brings where they are read from
// the same, else read anew. With a control file, the design points' own
// names are read too. `split` is where their share of the progress ends.
std::shared_ptr<const KnownNames> knownNames(const SheetJob& job, const std::atomic<bool>& stop,
                                             const std::function<void(int)>& progress, int split,
                                             reading::FileError& failure) {
  constexpr int kControlShare = 10;  // percent, of the control file's reading
  const reading::SheetRequest& request = job.request;
  const auto* file = std::get_if<reading::DesignFile>(&request.design);
  auto design = [&](const Stage& part) {
    auto known = file ? readBefore(job, sourceOf(file->path, request.columns, request.input)) : nullptr;
    return known ? known : designNames(job, stop, part, failure);
  };
  auto known = std::make_shared<KnownNames>();
  if (const auto* control = std::get_if<reading::ControlFile>(&request.known)) {
    std::vector<reading::Column> columns;
    reading::ControlColumns(request, *control, columns);
    known->more = design(Stage{progress, 0, split - kControlShare});
    // The control points look names up among these design points: read
    // again for others.
    known->first = readBefore(job, sourceOf(control->path, columns, control->input.value_or(request.input)));
    if (!known->first || job.known->more != known->more)
      known->first = controlNames(request, *control, known->more, stop,
                                  Stage{progress, split - kControlShare, split});
  } else {
    known->first = design(Stage{progress, 0, split});
  }
  if (job.known && job.known->first == known->first && job.known->more == known->more)
    return job.known;
  known->index = pickList(*known->first, known->more.get());
  return known;
}

// The text of each of the table's columns: the name and the code as read
// (an answer line quotes them where its separator asks for it, see
// AppendCellText), the rest as corvane-calc writes it; a failed row has its
// name and code, and the "ERROR: " line.
SheetRows::Fields rowTexts(const reading::RowReader& reader, const reading::LineAnswer& answer,
                           std::string& buffer) {
  buffer.clear();
  std::array<std::pair<std::size_t, std::size_t>, SheetRows::kFieldCount> spans{};
  const bool failed = answer.kind == reading::LineAnswer::Kind::kError;
  const bool computed = reader.settings().compute;
  for (const reading::AnswerColumn& column : reader.AnswerColumns(answer.named)) {
    if (!computed && column.role == reading::AnswerColumn::Role::kResult) continue;
    const SheetRows::Field field = FieldOf(column);
    if (failed && field != SheetRows::kName && field != SheetRows::kCode) continue;
    const std::size_t begin = buffer.size();
    if (column.role == reading::AnswerColumn::Role::kName)
      buffer += answer.name;
    else if (column.role == reading::AnswerColumn::Role::kCode)
      buffer += answer.code;
    else
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

// Adds the answer of one input line to the sheet's rows.
void addRow(SheetRows& rows, const reading::RowReader& reader, const reading::LineAnswer& answer,
            std::uint32_t line, std::string& buffer) {
  const SheetRows::Point point{answer.point.x, answer.point.y};
  rows.append(rowTexts(reader, answer, buffer), line, answer.hasPoint ? &point : nullptr,
              {answer.separator, answer.named}, &answer.error);
}

// Before the first row, the --header lines as corvane-calc setout --header
// writes them: the comment line, then the heading row, whose place is kept.
void startRows(const reading::Sheet& resolved, const reading::LineAnswer& first, SheetRows& rows) {
  const std::size_t comment =
      resolved.headerComment.empty() ? 0 : resolved.headerComment.size() + 1;
  if (comment) rows.appendLines(resolved.headerComment + '\n');
  rows.markHeading({first.separator, first.named}, comment);
}

// The rows of the design file, each line read as corvane-calc setout
// --header reads it; the lines it copies, and the --header lines, are kept
// between the rows for the CSV. A header of the file's own gives way to
// the heading, as the tool's to its header row.
reading::FileError readRows(const std::string& path, const reading::Sheet& resolved,
                            const std::atomic<bool>& stop, const Stage& stage, SheetRows& rows) {
  const reading::RowReader reader(resolved.settings);
  std::string lines;  // the lines before a row, as they come
  // The lines before the --header lines go first: the heading's place is
  // marked after them.
  const reading::HeaderWriter heading = [&](const reading::LineAnswer& first, std::string& out) {
    rows.appendLines(out);
    out.clear();
    startRows(resolved, first, rows);
  };
  reading::InputRows input(reader,
                           {resolved.input.skipLines, &resolved.headerComment, false, heading});
  reading::LineAnswer answer;
  std::string buffer;
  std::uint32_t number = 0;
  reading::FileError error = forLines(path, resolved.input.encoding, stop, stage,
                                      [&](std::string_view line, bool startsInput) {
                                        ++number;
                                        lines.clear();
                                        if (startsInput) input.StartInput(lines);
                                        const bool row = input.Read(line, answer, lines);
                                        rows.appendLines(lines);
                                        if (row) addRow(rows, reader, answer, number, buffer);
                                      });
  lines.clear();
  input.Finish(lines);
  rows.appendLines(lines);
  return error;
}

// The rows of a caller's design points, numbered from 1, after the
// --header lines of a sheet written with commas.
void pointRows(const std::vector<reading::DesignPoint>& points, const reading::Sheet& resolved,
               SheetRows& rows) {
  const reading::RowReader reader(resolved.settings);
  reading::LineAnswer answer;
  std::string buffer;
  for (std::size_t at = 0; at < points.size(); ++at) {
    reader.ReadPoint(points[at], answer);
    if (at == 0) startRows(resolved, answer, rows);
    addRow(rows, reader, answer, static_cast<std::uint32_t>(at + 1), buffer);
  }
}

SheetPoint pointOf(const std::string& name, const reading::Point& point) {
  return {fromUtf8(name), point.x, point.y};
}

// Whether the setup looks a point up by its name.
bool namesAPoint(const reading::SheetRequest& request) {
  if (!request.setup) return false;
  if (std::holds_alternative<reading::OrientedStation>(*request.setup))
    return true;  // its sightings
  const auto& given = std::get<reading::StationAndBacksight>(*request.setup);
  return std::holds_alternative<reading::PointName>(given.station) ||
         (given.backsight && std::holds_alternative<reading::PointName>(*given.backsight));
}

// The design points with nothing computed, before a station is chosen.
std::shared_ptr<const SetoutSheet> listing(const SheetJob& job, const std::atomic<bool>& stop,
                                           const Stage& stage, reading::FileError& failure) {
  const reading::SheetRequest& request = job.request;
  reading::Sheet listed;
  listed.settings.mode = reading::Mode::kSetout;
  listed.settings.hasStation = true;
  listed.settings.compute = false;
  listed.settings.decimals = request.decimals;
  listed.settings.azimuthDecimals = request.azimuthDecimals;
  listed.settings.columns = request.columns;
  listed.settings.decimalMark = request.input.decimalMark;
  listed.input = request.input;
  auto sheet = std::make_shared<SetoutSheet>();
  sheet->listed = true;
  sheet->settings = listed.settings;
  if (const auto* file = std::get_if<reading::DesignFile>(&request.design)) {
    sheet->path = PathFromBytes(file->path);
    sheet->source = ShownFileName(file->path);
    failure = readRows(file->path, listed, stop, stage, sheet->rows);
  } else {
    sheet->source = job.title;
    pointRows(std::get<std::vector<reading::DesignPoint>>(request.design), listed, sheet->rows);
  }
  return sheet;
}

}  // namespace

SheetResult ComputeSheet(const SheetJob& job, const std::atomic<bool>& stop,
                         const std::function<void(int)>& progress) {
  SheetResult result;
  const reading::SheetRequest& request = job.request;
  const auto* file = std::get_if<reading::DesignFile>(&request.design);
  // A design file read for its names is read twice: the names first (with
  // a control file, after the control file's).
  const bool control = std::holds_alternative<reading::ControlFile>(request.known);
  const bool twice =
      file && (control || std::holds_alternative<reading::DesignNames>(request.known));
  const int split = twice ? 40 : 10;
  result.known = knownNames(job, stop, progress, split, result.failure);
  if (result.failure || stop) return result;
  // The design points stay listed until a station is set: without a setup,
  // and with one that does not resolve (a name not among the points).
  const auto listAll = [&] {
    auto listed = listing(job, stop, Stage{progress, split, 100}, result.failure);
    if (!result.failure && !stop) result.listing = std::move(listed);
    return result;
  };
  if (!request.setup) return listAll();
  if (namesAPoint(request) && result.known->first->problem) {
    result.problem = result.known->first->problem;
    return listAll();
  }
  reading::Sheet resolved;
  const KnownNames& known = *result.known;
  result.problem = reading::ResolveSheet(request, resolved, &known.first->points);
  if (result.problem) return listAll();

  auto sheet = std::make_shared<SetoutSheet>();
  sheet->settings = resolved.settings;
  sheet->station = pointOf(resolved.stationName, resolved.settings.station);
  if (resolved.backsight)
    sheet->backsightPoint = pointOf(resolved.backsightName, *resolved.backsight);
  sheet->backsightDegrees = resolved.settings.backsightDegrees;
  sheet->checkAzimuth = fromUtf8(resolved.checkAzimuth);
  sheet->checkDistance = fromUtf8(resolved.checkDistance);
  if (resolved.setup) {
    sheet->oriented = resolved.oriented;
    sheet->setup = resolved.setup;
    sheet->limits = job.limits;
  }
  if (file) {
    sheet->path = PathFromBytes(file->path);
    sheet->source = ShownFileName(file->path);
    result.failure = readRows(file->path, resolved, stop, Stage{progress, split, 100}, sheet->rows);
    if (result.failure) return result;
  } else {
    sheet->source = job.title;
    pointRows(std::get<std::vector<reading::DesignPoint>>(request.design), resolved, sheet->rows);
  }
  result.sheet = std::move(sheet);
  return result;
}
