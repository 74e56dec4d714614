#include "reader/input_rows.h"

namespace reading {

LineOutcome AppendOutput(const RowReader& reader, const LineAnswer& answer,
                         const std::string* header, std::string& out, std::size_t& begin) {
  if (header != nullptr && reader.AppendHeaderLines(*header, answer, out)) {
    begin = out.size();
    return LineOutcome::kReplaced;
  }
  begin = out.size();
  reader.AppendLine(answer, out);
  return answer.kind == LineAnswer::Kind::kError ? LineOutcome::kFailed : LineOutcome::kAnswered;
}

LineOutcome AppendAnswer(const RowReader& reader, std::string_view line, bool firstRow,
                         const std::string* header, LineAnswer& answer, std::string& out,
                         std::size_t& begin) {
  if (!firstRow || header == nullptr) {
    // The common line, its texts written without a copy.
    begin = out.size();
    return reader.AnswerLine(line, answer, out, firstRow) ? LineOutcome::kAnswered
                                                          : LineOutcome::kFailed;
  }
  reader.Read(line, answer, true);
  return AppendOutput(reader, answer, header, out, begin);
}

}  // namespace reading
