#pragma once

// Text from the input shown in a message, so that no byte of it can act on
// the terminal or be mistaken for the message's own: printable ASCII and
// printable UTF-8 as they are; backslash and double quote behind a
// backslash; tab, carriage return and line feed as \t, \r and \n; every
// other byte (control characters, DEL, bytes that are no valid UTF-8, and
// the UTF-8 of invisible and direction-changing characters) as \xHH.

#include <string>
#include <string_view>

namespace reading {

void AppendShown(std::string& out, std::string_view text);

// The same between double quotes.
void AppendQuoted(std::string& out, std::string_view text);

// Text read from a field (a name, a code, a height) written as a field of
// an answer line whose fields `separator` separates: as AppendShown shows
// it, but with backslash, double quote and tab as they are; and between
// double quotes, each quote doubled (RFC 4180), where the line would
// otherwise read back into other fields: the text holds a quote, the
// separator (or, with blanks between fields, a blank), or a mark the line
// would be split at instead (a semicolon anywhere, a tab but in a semicolon
// line, a comma in a line of blanks), is empty between blanks, has a blank
// at either end or starts with "#".
void AppendField(std::string& out, std::string_view text, char separator);

// Whether AppendField writes `text` as it is (most names, codes and heights
// are printable ASCII that needs no quotes). Without `mayHoldMarks` the
// text holds no mark its line was not split at (it was no quoted field):
// one test less a byte.
bool IsFieldAsItIs(std::string_view text, char separator, bool mayHoldMarks = true);

// A line copied through (a comment, a header) as it is but for what could
// act on a terminal: control bytes other than tabs, bytes that are no valid
// UTF-8 and invisible characters, shown as AppendShown shows them.
void AppendCopied(std::string& out, std::string_view line);

}  // namespace reading
