#include "cli/transform_runner.h"


#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "cli/batch_runner.h"
#include "cli/row_input.h"
#include "reader/rows/input_rows.h"

namespace calc {
namespace {

constexpr int kAllComputed = 0;
constexpr int kRowsFailed = 1;
constexpr int kBadUsage = 2;

// The lines of every input as read: rows (their answers, in one list for
// the fit) and what is copied between them, in order.
class FitRows {
 public:
  FitRows(const reading::RowReader& reader, const reading::InputReading& input, int errFd)
      : reader_(reader), input_(input), errFd_(errFd) {}

  void Start() {
    Finish();
    rows_.emplace(reader_, reading::InputOptions{input_.skipLines, nullptr, false, nullptr});
  }

  void Finish() {
    if (!rows_) return;
    std::string copied;
    rows_->Finish(copied);
    Keep(copied);
    rows_.reset();
  }

  void StartJoined() {
    std::string copied;
    rows_->StartInput(copied);
    Keep(copied);
  }

  void Add(std::string_view text, const std::string& where) {
    reading::LineAnswer answer;
    std::string copied;
    const bool row = rows_->Read(text, answer, copied);
    Keep(copied);
    if (!row) return;
    if (answer.kind == reading::LineAnswer::Kind::kError) {
      failed_ = true;
      WriteAll(errFd_, "corvane-calc: " + where + ": " + answer.text + "\n");
    }
    order_.push_back(answers_.size());
    answers_.push_back(std::move(answer));
  }

  bool failed() const { return failed_; }
  std::vector<reading::LineAnswer>& answers() { return answers_; }

  // Every line in order: the copied text, or the row's line by `row`.
  template <typename Row>
  void AppendLines(std::string& out, Row row) const {
    for (std::size_t i = 0; i < order_.size(); ++i) {
      if (order_[i] == kCopiedLine) {
        out += copied_[i];
      } else {
        row(answers_[order_[i]], out);
        out += '\n';
      }
    }
  }

 private:
  static constexpr std::size_t kCopiedLine = static_cast<std::size_t>(-1);

  void Keep(std::string& copied) {
    if (copied.empty()) return;
    copied_.resize(order_.size());
    copied_.push_back(std::move(copied));
    copied.clear();
    order_.push_back(kCopiedLine);
  }

  const reading::RowReader& reader_;
  reading::InputReading input_;
  int errFd_;
  std::optional<reading::InputRows> rows_;
  std::vector<reading::LineAnswer> answers_;
  std::vector<std::size_t> order_;   // each line: its answer, or kCopiedLine
  std::vector<std::string> copied_;  // by line, where it is copied text
  bool failed_ = false;
};

}  // namespace

int RunFit(const Options& options, int outFd, int errFd) {
  const reading::TransformRows& job = *options.transform;
  FitRows rows(job.reader(), options.sheet.input, errFd);
  if (const std::string problem = ReadRowInputs(options.values, options.files, options.sheet.input, rows); !problem.empty()) {
    WriteAll(errFd, "corvane-calc: " + problem + "\n");
    return kBadUsage;
  }
  std::vector<reading::LineAnswer>& answers = rows.answers();
  const reading::FitAnswer fit = job.Fit(answers);
  if (!fit.fit) WriteAll(errFd, "corvane-calc: " + fit.why + "\n");
  char separator = ' ';
  for (const reading::LineAnswer& answer : answers) {
    if (answer.kind == reading::LineAnswer::Kind::kAnswer) {
      separator = answer.separator;
      break;
    }
  }
  std::string out;
  job.AppendParamsLine(fit, separator, out);
  out += '\n';
  if (options.header) {
    out += job.comment() + "\n";
    reading::LineAnswer first;
    first.named = true;
    first.separator = separator;
    job.reader().AppendHeaderRow(first, out);
    out += std::string(1, separator) + "MARK\n";
  }
  rows.AppendLines(out, [&job](const reading::LineAnswer& row, std::string& text) {
    job.AppendFitLine(row, text);
  });
  if (const int error = WriteAll(outFd, out); error != 0) {
    WriteAll(errFd, std::string("corvane-calc: cannot write: ") + std::strerror(error) + "\n");
    return kBadUsage;
  }
  return rows.failed() || !fit.fit ? kRowsFailed : kAllComputed;
}

}  // namespace calc
