#include "reader/control/control_rows.h"

#include <utility>

#include "reader/rows/mode_rule.h"

namespace reading {
namespace {

// A control line's rows are read, not computed: their numbers are kept as
// the row's results, to be worked out with the other rows.
std::string KeepNumbers(const RowSettings&, const std::string_view*, const double* values,
                        LineAnswer& answer) {
  answer.hasPoint = false;
  answer.results = {values[0], values[1], values[2], 0.0};
  return {};
}

}  // namespace

RowSettings ControlRowSettings(Mode mode, DecimalMark mark) {
  RowSettings settings;
  settings.mode = mode;
  settings.decimalMark = mark;
  settings.namedRow = KeepNumbers;
  return settings;
}

void ControlRows::Start() {
  Finish();
  rows_.emplace(reader_, InputOptions{skipLines_, nullptr, false, nullptr});
}

void ControlRows::StartJoined() {
  std::string copied;
  rows_->StartInput(copied);
  Keep(copied);
}

void ControlRows::Finish() {
  if (!rows_) return;
  std::string copied;
  rows_->Finish(copied);
  Keep(copied);
  rows_.reset();
}

void ControlRows::Add(std::string_view text, std::string where) {
  ControlLine line;
  std::string copied;
  const bool row = rows_->Read(text, line.answer, copied);
  Keep(copied);
  if (!row) return;
  const LineAnswer& answer = line.answer;
  if (answer.kind == LineAnswer::Kind::kError) {
    if (firstFailure_.empty()) {
      firstFailure_ = std::move(where);
      firstFailureText_ = answer.text;
    }
  } else {
    if (observations_.empty()) separator_ = answer.separator;
    line.observation = observations_.size();
    observations_.push_back(
        {answer.name, {answer.results[0], answer.results[1], answer.results[2]}, std::move(where)});
  }
  lines_.push_back(std::move(line));
}

// Lines copied through, as a line of their own.
void ControlRows::Keep(std::string& copied) {
  if (copied.empty()) return;
  ControlLine line;
  line.copied = std::move(copied);
  copied.clear();
  lines_.push_back(std::move(line));
}

}  // namespace reading
