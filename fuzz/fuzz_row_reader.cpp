// Input lines of any bytes, under every mode: each line gives exactly one
// output line, an "ERROR: " line exactly when the row failed, blank and
// comment lines come back unchanged where they hold no control byte, no
// line written shows a control byte (but tabs in answers and copied lines),
// every azimuth and angle written is one the tool accepts as input, an
// answer read into a LineAnswer is written as the one written straight from
// its line, and a piece of many lines read as an input (its first lines by
// the rules of an input's start, some of them skipped) gives one answer per
// line (and, with the --header lines, two more, or one where a header gives
// way). The same bytes read as an input in two pieces give the lines that
// reading them at once gives.
//
// The input is a byte of settings and the lines. Where the lines start with
// a NUL byte and a mode's name, the text up to the first line end is a
// settings line that sets the mode and, after a blank, a --columns list:
// "\0setout name,code,y,x,h\n" sets out the rows that follow in those
// columns.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "cli/input_start.h"
#include "cli/piece.h"
#include "core/field_text.h"
#include "reader/rows/columns.h"
#include "reader/fields/number_text.h"
#include "reader/fields/packed_digits.h"
#include "reader/rows/row_reader.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// The first byte picks the mode, the station and the decimals (and with
// bit 6 the azimuth's apart from them); bit 7 makes the line a first row.
reading::RowSettings SettingsFrom(std::uint8_t choice) {
  reading::RowSettings settings;
  settings.mode = (choice & 1) != 0 ? reading::Mode::kInverse : reading::Mode::kForward;
  settings.hasStation = (choice & 2) != 0;
  settings.station = {1000.0, 2000.0};
  settings.decimals = (choice >> 2) % 21;
  if ((choice & 0x40) != 0) settings.azimuthDecimals = 20 - settings.decimals;
  return settings;
}

// Reads the settings line at the start of `input`, if there is one, and
// takes it off; false when its --columns list is bad.
bool ReadSettingsLine(std::string_view& input, reading::RowSettings& settings) {
  if (input.empty() || input[0] != '\0') return true;
  const std::size_t end = std::min(input.find('\n'), input.size());
  const std::string_view line = input.substr(1, end - 1);
  const std::size_t blank = std::min(line.find(' '), line.size());
  const std::string_view mode = line.substr(0, blank);
  if (mode == "setout") {
    settings.mode = reading::Mode::kSetout;
    settings.hasStation = true;
    settings.backsightDegrees = settings.decimals * 17.5;  // 0 to 350
  } else if (mode == "inverse" || mode == "forward") {
    settings.mode = mode == "inverse" ? reading::Mode::kInverse : reading::Mode::kForward;
  } else {
    return true;  // a line that starts with NUL
  }
  input.remove_prefix(std::min(end + 1, input.size()));
  if (blank == line.size()) return true;
  const reading::RowReader reader(settings);
  return !reading::ReadColumns(line.substr(blank + 1), reader.FieldNames(),
                               settings.mode == reading::Mode::kSetout, settings.columns);
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// A written azimuth or angle, read as the tool reads an azimuth field.
void RequireValidAzimuth(std::string_view azimuth) {
  double value = 0.0;
  Require(azimuth.size() <= survey::kFieldChars);
  Require(reading::ReadFieldNumber(azimuth, value) == reading::FieldNumber::kNumber);
  Require(reading::FindAzimuthFault(azimuth, value) == reading::AzimuthFault::kNone);
}

// Every result of an answer that is an angle.
void RequireValidAngles(const reading::RowReader& reader, const reading::LineAnswer& answer) {
  for (const reading::AnswerColumn& column : reader.AnswerColumns(answer.named)) {
    const std::string_view name =
        column.role == reading::AnswerColumn::Role::kResult ? column.title : "";
    if (name != "AZIMUTH" && name != "ANGLE") continue;
    std::string text;
    reader.AppendColumn(answer, column, text);
    RequireValidAzimuth(text);
  }
}

// The lines of `bytes` read as an input: at once, and in two pieces at
// `split`, through TextLines; both give the same lines, each ending "\n".
void RequireSameLines(std::string_view bytes, std::size_t split) {
  std::string whole;
  const std::string refused = reading::DecodeText(bytes, whole);
  reading::TextLines lines;
  std::string pieces;
  std::string piece;
  const bool added =
      lines.Add(bytes.substr(0, split)) && lines.Add(bytes.substr(split)) && lines.End();
  while (lines.Take(piece)) {
    Require(!piece.empty() && piece.back() == '\n');
    pieces += piece;
  }
  Require(added == refused.empty());
  if (!refused.empty()) return;
  if (!whole.empty() && whole.back() != '\n') whole += '\n';
  // Overlong lines are cut in pieces and not at once: compare the rest.
  if (whole.size() < reading::kMaxLineChars) Require(pieces == whole);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  reading::RowSettings settings = SettingsFrom(data[0]);
  std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (!ReadSettingsLine(input, settings)) return 0;
  const reading::RowReader reader(settings);
  const std::string_view line = input.substr(0, input.find('\n'));

  const bool firstRow = (data[0] & 0x80) != 0;
  const reading::RowPlace place{firstRow ? 1u : 0u, reading::DecimalMark::kUnknown};
  std::string out;
  const bool computed = reader.AnswerLine(line, out, place);
  Require(out.find('\n') == std::string::npos);
  Require(computed != StartsWith(out, "ERROR: "));
  // No line written acts on a terminal: no control byte but the tabs of
  // answers and copied lines.
  Require(std::none_of(out.begin(), out.end(), [computed](char c) {
    return (c != '\t' || !computed) && (static_cast<unsigned char>(c) < 0x20 || c == 0x7F);
  }));
  const std::size_t firstMark = line.find_first_not_of(" \t");
  const bool passedThrough = firstMark == std::string_view::npos ||
                             (line[firstMark] == '#' && reading::IsBlankOrComment(line)) ||
                             (line[firstMark] == '\r' && firstMark + 1 == line.size());
  if (passedThrough && line.size() <= reading::kMaxLineChars) {
    std::string_view expected = line;
    if (!expected.empty() && expected.back() == '\r') expected.remove_suffix(1);
    // Copied as it is where nothing in it needs showing escaped.
    if (std::all_of(expected.begin(), expected.end(),
                    [](char c) { return (c >= ' ' && c < 0x7F) || c == '\t'; })) {
      Require(out == expected);
    }
  }
  reading::LineAnswer answer;
  reader.Read(line, answer, place);
  if (answer.kind == reading::LineAnswer::Kind::kAnswer) RequireValidAngles(reader, answer);
  // The answer read into its own strings is written as the one written
  // straight from the line.
  std::string kept;
  reader.AppendLine(answer, kept);
  Require(kept == out);

  calc::Piece piece;
  piece.input.assign(input);
  if (piece.input.empty() || piece.input.back() != '\n') piece.input += '\n';
  // With bit 6 the --header lines go before the first row, or in the place
  // of the header; with bit 7 the first line is skipped.
  const std::string comment = "# station";
  const bool header = (data[0] & 0x40) != 0;
  calc::InputStart start(reader, {firstRow ? 1u : 0u, header ? &comment : nullptr, false});
  start.Prepare(piece);
  calc::AnswerPiece(reader, piece, piece.startMark);
  std::string output = piece.output;
  start.Finish(output);
  const auto lines =
      static_cast<std::size_t>(std::count(piece.input.begin(), piece.input.end(), '\n'));
  Require(piece.lines == lines);
  const auto written = static_cast<std::size_t>(std::count(output.begin(), output.end(), '\n'));
  Require(start.headerWritten() ? written == lines + 1 || written == lines + 2 : written == lines);

  RequireSameLines(input, input.size() / 3);
  return 0;
}
