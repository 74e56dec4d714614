#include "reader/answer_format.h"

#include "reader/mode_rule.h"
#include "reader/number_text.h"
#include "reader/packed_digits.h"
#include "reader/shown_text.h"

namespace reading {
namespace {

bool Lists(const std::vector<Column>& columns, Column::Role role) {
  for (const Column& column : columns) {
    if (column.role == role) return true;
  }
  return false;
}

}  // namespace

AnswerFormat::AnswerFormat(const RowSettings& settings)
    : decimals_(settings.decimals),
      angleDecimals_(settings.azimuthDecimals.value_or(settings.decimals)),
      resultIsAngle_(RuleOf(settings.mode).resultIsAngle) {
  const ModeRule& rule = RuleOf(settings.mode);
  for (const bool named : {false, true}) {
    std::vector<AnswerColumn>& list = columns_[named ? 1 : 0];
    if (named) list.push_back({AnswerColumn::Role::kName, 0, "NAME"});
    if (Lists(settings.columns, Column::Role::kCode)) {
      list.push_back({AnswerColumn::Role::kCode, 0, "CODE"});
    }
    for (std::size_t i = 0; i < rule.resultCount; ++i) {
      list.push_back({AnswerColumn::Role::kResult, i, rule.results[i]});
    }
    if (Lists(settings.columns, Column::Role::kHeight)) {
      list.push_back({AnswerColumn::Role::kHeight, 0, "H"});
    }
  }
}

// Inline: AppendLine writes every column of every answer with it.
inline void AnswerFormat::AppendColumn(const LineAnswer& answer, const AnswerTexts& texts,
                                       const AnswerColumn& column, std::string& out) const {
  switch (column.role) {
    case AnswerColumn::Role::kName:
      AppendField(out, texts.name, answer.separator);
      break;
    case AnswerColumn::Role::kCode:
      AppendField(out, texts.code, answer.separator);
      break;
    case AnswerColumn::Role::kHeight:
      AppendField(out, texts.height, answer.separator);
      break;
    case AnswerColumn::Role::kResult:
      if (resultIsAngle_[column.result]) {
        AppendPackedAngle(out, answer.results[column.result], angleDecimals_);
      } else {
        AppendFixed(out, answer.results[column.result], decimals_);
      }
      break;
  }
}

void AnswerFormat::AppendColumn(const LineAnswer& answer, const AnswerColumn& column,
                                std::string& out) const {
  AppendColumn(answer, TextsOf(answer), column, out);
}

void AnswerFormat::AppendLine(const LineAnswer& answer, const AnswerTexts& texts,
                              std::string& out) const {
  switch (answer.kind) {
    case LineAnswer::Kind::kCopied:
      AppendCopied(out, answer.text);
      return;
    case LineAnswer::Kind::kError:
      out += kErrorPrefix;
      out += answer.text;
      return;
    case LineAnswer::Kind::kAnswer:
      break;
  }
  bool first = true;
  for (const AnswerColumn& column : Columns(answer.named)) {
    if (!first) out += answer.separator;
    first = false;
    AppendColumn(answer, texts, column, out);
  }
}

void AnswerFormat::AppendHeaderRow(const LineAnswer& firstRow, std::string& out) const {
  bool first = true;
  for (const AnswerColumn& column : Columns(firstRow.named)) {
    if (!first) out += firstRow.separator;
    first = false;
    out += column.title;
  }
}

bool AnswerFormat::AppendHeaderLines(std::string_view comment, const LineAnswer& firstRow,
                                     std::string& out) const {
  if (!comment.empty()) {
    out += comment;
    out += '\n';
  }
  AppendHeaderRow(firstRow, out);
  out += '\n';
  return firstRow.kind == LineAnswer::Kind::kCopied;
}

}  // namespace reading
