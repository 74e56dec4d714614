#pragma once

// What one input line gives, as data: a computed row, a row that could not
// be computed and why, or a line copied through. RowReader fills it, the
// answer format writes it, and the program's setting-out window shows it.

#include <array>
#include <string>
#include <string_view>

#include "reader/fields/decimal_mark.h"
#include "reader/fields/header_row.h"
#include "reader/rows/row_error.h"
#include "reader/rows/row_settings.h"

namespace reading {

struct LineAnswer {
  enum class Kind : unsigned char {
    kAnswer,  // a row, computed
    kError,   // a row that could not be: `text` says why
    kCopied,  // a blank or comment line, or a header: `text` is the line
  };
  Kind kind = Kind::kCopied;
  // The separator of the answer's fields: the row's own (a comma, a
  // semicolon or a tab), a blank for rows split at blanks.
  char separator = ' ';
  // The answer starts with the name: the row has a name field, or the
  // column list names one (the name may then be empty). For a header: it
  // has the name field that a row would.
  bool named = false;
  std::string name;               // as read: blanks around it and quotes taken off
  std::string code;               // as read, where the column list names a code
  std::string height;             // the design height as read, "" where it is empty
  bool textsMayHoldMarks = true;  // as AnswerTexts::mayHoldMarks
  // Whether `point` holds the row's point: the design point (setout), the
  // second point (inverse), the end point (forward). Set once the row's
  // numbers are read, on error lines too where a computation failed.
  bool hasPoint = false;
  Point point{0.0, 0.0};
  std::array<double, 4> results{};  // the mode's results, as ResultNames()
  // How the row's commas that may group thousands or be the decimal mark
  // read (its height is written so); the mark its own numbers show, where
  // the reader was not told the file's (RowPlace::fileMark) or had to look;
  // and whether it took the file's mark, which the rows before it settled.
  DecimalMark readMark = DecimalMark::kUnknown;
  DecimalMark ownMark = DecimalMark::kUnknown;
  bool markFromFile = false;
  // An error of a line before its input's first row that may be a title or
  // a preamble line all the same (leading_line.h): the lines after it are
  // read as lines before the first row still.
  bool mayBePreamble = false;
  // The design height as a number, where the row has one (read by an h
  // column, or a caller's point's); set on error lines too once read.
  bool hasHeight = false;
  double heightValue = 0.0;  // metres
  // setout with heights (RowSettings::heights), a row with a design height:
  // the sight to the target held on it, ΔH (metres), the zenith angle
  // (packed) and the slope distance (metres).
  bool hasSight = false;
  std::array<double, 3> sight{};
  // kError: what is wrong, as the line shows it after "ERROR: " (field text
  // and names escaped); kCopied: the line, without its "\r".
  std::string text;
  // kError: the same as a value, for a window's own words.
  RowError error;
};

}  // namespace reading
