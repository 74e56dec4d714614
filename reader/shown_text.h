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

}  // namespace reading
