#include "reader/control/control_answer.h"

#include "reader/text/shown_text.h"

namespace reading {

ControlAnswer TraverseAnswer(const ControlRows& rows, const survey::TraverseResult& table,
                             const survey::RigorousTraverse* rigorous,
                             const ControlFormat& format) {
  ControlAnswer answer;
  const std::vector<Observation>& seen = rows.observations();
  for (std::size_t i = 0; i < table.rows.size() && i < seen.size(); ++i) {
    answer.rows.push_back(TraverseCells(table.rows[i], seen[i].name, format,
                                        rigorous ? &rigorous->points[i] : nullptr));
  }
  answer.closure = TraverseClosureCells(table);
  return answer;
}

ControlAnswer LevelAnswer(const ControlRows& rows, std::string_view start,
                          const survey::LevelInput& input, const survey::LevelResult& table) {
  ControlAnswer answer;
  const std::vector<Observation>& seen = rows.observations();
  answer.before = LevelStartCells(start, input.startHeight);
  for (std::size_t i = 0; i < seen.size(); ++i) {
    if (i < table.rows.size()) {
      answer.rows.push_back(LevelCells(table.rows[i], seen[i].name, input.count));
    } else if (i - table.rows.size() < input.back.size()) {
      answer.rows.push_back(
          LevelBackCells(input.back[i - table.rows.size()], seen[i].name, input.count));
    }
  }
  answer.closure = LevelClosureCells(table);
  return answer;
}

std::vector<Cells> TraversePoints(const ControlRows& rows, survey::TraverseKind kind,
                                  const survey::TraverseResult& table) {
  std::vector<Cells> points;
  const std::vector<Observation>& seen = rows.observations();
  const std::size_t last = kind == survey::TraverseKind::kOpen ? table.rows.size()
                                                               : table.rows.size() - 1;
  for (std::size_t i = 1; i < last && i < seen.size(); ++i)
    points.push_back(TraversePointCells(seen[i].name, table.rows[i].point));
  return points;
}

std::vector<Cells> LevelPoints(const ControlRows& rows, const survey::LevelInput& input,
                               const survey::LevelResult& table) {
  std::vector<Cells> points;
  const std::vector<Observation>& seen = rows.observations();
  const std::size_t last = input.kind == survey::LevelKind::kOutAndBack ? table.rows.size()
                                                                        : table.rows.size() - 1;
  for (std::size_t i = 0; i < last && i < seen.size(); ++i)
    points.push_back(LevelPointCells(seen[i].name, table.rows[i].height));
  return points;
}

void AppendAnswerLines(const RowReader& reader, const ControlRows& rows,
                       const ControlAnswer& answer, std::string& out) {
  const char separator = rows.separator();
  bool before = !answer.before.empty();
  for (const ControlLine& line : rows.lines()) {
    if (!line.copied.empty()) {
      out += line.copied;
      continue;
    }
    if (line.observation == kNoObservation || line.observation >= answer.rows.size()) {
      reader.AppendLine(line.answer, out);
    } else {
      if (before) {
        AppendCells(answer.before, separator, out);
        out += '\n';
        before = false;
      }
      AppendCells(answer.rows[line.observation], line.answer.separator, out);
    }
    out += '\n';
  }
  AppendCells(answer.closure, separator, out);
  out += '\n';
}

void AppendNoLine(const RowReader& reader, const ControlRows& rows, std::string_view why,
                  std::string& out) {
  for (const ControlLine& line : rows.lines()) {
    if (!line.copied.empty()) {
      out += line.copied;
      continue;
    }
    if (line.observation == kNoObservation) {
      reader.AppendLine(line.answer, out);
    } else {
      LineAnswer failed = line.answer;
      failed.kind = LineAnswer::Kind::kError;
      failed.text.clear();
      AppendShown(failed.text, failed.name);
      failed.text += ": ";
      failed.text += why;
      reader.AppendLine(failed, out);
    }
    out += '\n';
  }
}

void AppendCellLines(std::span<const Cells> cells, char separator, std::string& out) {
  for (const Cells& line : cells) {
    AppendCells(line, separator, out);
    out += '\n';
  }
}

}  // namespace reading
