#include "cli/control_runner.h"

#include <cstring>
#include <string>

#include "cli/batch_runner.h"
#include "cli/row_input.h"
#include "core/control/level_line.h"
#include "core/control/traverse.h"
#include "core/control/traverse_rigorous.h"
#include "reader/control/control_answer.h"
#include "reader/control/control_line.h"
#include "reader/control/control_rows.h"
#include "reader/control/level_heights.h"
#include "reader/fields/angle_text.h"
#include "reader/fields/number_text.h"
#include "reader/text/shown_text.h"

namespace calc {
namespace {

constexpr int kWithinLimits = 0;
constexpr int kOverLimit = 1;
constexpr int kNoLine = 2;

// ControlRows, telling each row that does not read on standard error as
// it comes.
class TellingRows : public reading::ControlRows {
 public:
  TellingRows(const reading::RowReader& reader, std::size_t skipLines, int errFd)
      : ControlRows(reader, skipLines), errFd_(errFd) {}

  void Add(std::string_view line, std::string where) {
    const std::size_t before = lines().size();
    const std::string said = where;
    ControlRows::Add(line, std::move(where));
    for (std::size_t i = before; i < lines().size(); ++i) {
      const reading::LineAnswer& answer = lines()[i].answer;
      if (lines()[i].copied.empty() && answer.kind == reading::LineAnswer::Kind::kError)
        WriteAll(errFd_, "corvane-calc: " + said + ": " + answer.text + "\n");
    }
  }

 private:
  int errFd_;
};

// What the line gives: the text for standard output, the notes for
// standard error, and whether a closure is over its limit.
struct Written {
  std::string out;
  std::string notes;
  bool over = false;
};

std::string ClosureNote(const reading::Cells& closure) {
  std::string line;
  reading::AppendCells(closure, ' ', line);
  return "corvane-calc: " + line + "\n";
}

// The traverse's table (or its points) from the input made of the rows.
reading::LineError WriteTraverse(const reading::ControlJob& job, const reading::RowReader& reader,
                                 const reading::ControlRows& rows,
                                 const survey::TraverseInput& input, Written& written) {
  const auto& seen = rows.observations();
  std::optional<survey::RigorousTraverse> rigorous;
  survey::TraverseResult table;
  if (job.rigorous) {
    auto adjusted = survey::AdjustTraverseRigorously(input);
    if (!adjusted.ok()) return reading::LineErrorOf(adjusted.error(), seen);
    rigorous = std::move(adjusted.value());
    table = rigorous->table;
  } else {
    auto computed = survey::ComputeTraverse(input);
    if (!computed.ok()) return reading::LineErrorOf(computed.error(), seen);
    table = std::move(computed.value());
  }
  const reading::ControlAnswer answer =
      reading::TraverseAnswer(rows, table, rigorous ? &*rigorous : nullptr, job.format);
  if (job.points) {
    reading::AppendCellLines(reading::TraversePoints(rows, input.kind, table), rows.separator(),
                             written.out);
    written.notes += ClosureNote(answer.closure);
  } else {
    reading::AppendAnswerLines(reader, rows, answer, written.out);
  }
  if (table.similarity) {
    std::string note = "corvane-calc: scale ";
    reading::AppendFixed(note, table.similarity->scale, 6);
    note += " rotation ";
    reading::AppendFixed(note, table.similarity->rotationSeconds, 1);
    written.notes += note + "\"\n";
  }
  if (rigorous) {
    std::string note = "corvane-calc: sigma0 ";
    reading::AppendFixed(note, rigorous->sigma0, 2);
    note += " redundancy " + std::to_string(rigorous->redundancy) + ", weakest point ";
    reading::AppendShown(note, seen[rigorous->weakest].name);
    written.notes += note + "\n";
  }
  written.over = table.over();
  return {};
}

// The levelling line's table (or its points).
reading::LineError WriteLevel(const reading::ControlJob& job, const reading::RowReader& reader,
                              const reading::ControlRows& rows, const survey::LevelInput& input,
                              Written& written) {
  const auto computed = survey::ComputeLevelLine(input);
  if (!computed.ok()) return reading::LineErrorOf(computed.error(), rows.observations());
  const survey::LevelResult& table = computed.value();
  const reading::ControlAnswer answer = reading::LevelAnswer(rows, job.level.start, input, table);
  if (job.points) {
    reading::AppendCellLines(reading::LevelPoints(rows, input, table), rows.separator(),
                             written.out);
    written.notes += ClosureNote(answer.closure);
  } else {
    reading::AppendAnswerLines(reader, rows, answer, written.out);
  }
  written.over = table.over;
  return {};
}

// Makes the line of the rows and writes it; kNone or why there is none.
reading::LineError MakeAndWrite(const reading::ControlJob& job, const reading::RowReader& reader,
                                const reading::ControlRows& rows, Written& written,
                                std::string& source, std::string& problem) {
  if (job.mode == reading::Mode::kTraverse) {
    reading::KnownPoints known;
    if (const reading::FileError error = known.ReadFile(job.control, job.columns, job.input)) {
      problem = reading::FileErrorText(error);
      return {};
    }
    source = known.source();
    if (rows.failed()) return reading::RowFailed(rows);
    survey::TraverseInput input;
    if (reading::LineError error =
            reading::MakeTraverse(job.traverse, known, rows.observations(), input))
      return error;
    return WriteTraverse(job, reader, rows, input, written);
  }
  reading::LevelHeights known;
  if (const reading::FileError error = known.ReadFile(job.control, job.input)) {
    problem = reading::FileErrorText(error);
    return {};
  }
  source = known.source();
  if (rows.failed()) return reading::RowFailed(rows);
  survey::LevelInput input;
  if (reading::LineError error =
          reading::MakeLevelLine(job.level, known, rows.observations(), input))
    return error;
  return WriteLevel(job, reader, rows, input, written);
}

}  // namespace

int RunControl(const Options& options, int outFd, int errFd) {
  const reading::ControlJob& job = *options.control;
  const reading::RowReader reader(reading::ControlRowSettings(job.mode, job.input.decimalMark));
  TellingRows rows(reader, job.input.skipLines, errFd);
  if (const std::string problem = ReadRowInputs(options.values, options.files, job.input, rows);
      !problem.empty()) {
    WriteAll(errFd, "corvane-calc: " + problem + "\n");
    return kNoLine;
  }
  Written written;
  std::string source;
  std::string problem;
  const reading::LineError error = MakeAndWrite(job, reader, rows, written, source, problem);
  if (!problem.empty()) {
    WriteAll(errFd, "corvane-calc: " + problem + "\n");
    return kNoLine;
  }
  if (error) {
    const std::string why =
        std::string(job.mode == reading::Mode::kTraverse ? "no traverse: " : "no levelling line: ") +
        reading::LineErrorText(error, source);
    WriteAll(errFd, "corvane-calc: " + why + "\n");
    if (!job.points) reading::AppendNoLine(reader, rows, why, written.out);
  }
  WriteAll(errFd, written.notes);
  if (const int failed = WriteAll(outFd, written.out); failed != 0) {
    WriteAll(errFd, std::string("corvane-calc: cannot write: ") + std::strerror(failed) + "\n");
    return kNoLine;
  }
  if (error) return kNoLine;
  return written.over ? kOverLimit : kWithinLimits;
}

}  // namespace calc
