#include "cli/road_output.h"

#include "cli/batch_runner.h"
#include "reader/rows/line_answer.h"

namespace calc {
namespace {

// Output is written in pieces of about this size.
constexpr std::size_t kPiece = 1 << 16;

// Writes `text` once it has grown to a piece (or at once with `all`).
int Flush(std::string& text, int fd, bool all = false) {
  if (text.size() < kPiece && !all) return 0;
  const int error = WriteAll(fd, text);
  text.clear();
  return error;
}

}  // namespace

RoadOutcome WriteAlignmentTable(const reading::RoadDesign& design,
                                const reading::RoadDecimals& decimals, bool header, int outFd) {
  std::string text;
  reading::AppendRoadTable(design, decimals, header, text);
  return {WriteAll(outFd, text), false};
}

RoadOutcome WriteStakes(const reading::RoadRows& road, const reading::StakeRange& range,
                        const reading::RoadDecimals& decimals, bool header, int outFd, int errFd) {
  RoadOutcome outcome;
  std::string text;
  if (header) {
    reading::AppendStakeTitles(road.design->profile.has_value(), text);
    text += '\n';
  }
  reading::StakeWalk walk(road, range, decimals.lengths);
  reading::Stake stake;
  while (walk.Next(stake) && outcome.writeError == 0) {
    const std::size_t begin = text.size();
    if (!reading::AppendStakeLine(stake, road, decimals, text)) {
      outcome.rowsFailed = true;
      // Standard output's lines so far go first, as the rows' do.
      const std::string line = text.substr(begin + reading::kErrorPrefix.size());
      text += '\n';
      outcome.writeError = Flush(text, outFd, true);
      WriteAll(errFd, "corvane-calc: " + line + "\n");
      continue;
    }
    text += '\n';
    outcome.writeError = Flush(text, outFd);
  }
  if (outcome.writeError == 0) outcome.writeError = Flush(text, outFd, true);
  return outcome;
}

}  // namespace calc
