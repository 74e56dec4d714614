#pragma once

// Characters that a Chinese input method types where a coordinate file
// wants ASCII: full-width digits, points, signs and exponents, the
// ideographic full stop, and as a separator the full-width comma and
// semicolon, the ideographic space and the no-break space (which shows as
// a blank). corvane-calc reads none of them as part of a number or as a
// separator, so a row typed with them fails; its message names the
// character, and an input's first line that would be a row but for them is
// a row, never a header.

#include <string>
#include <string_view>

namespace reading {

struct OddCharacter {
  std::string_view utf8;  // as it stands in the line
  char32_t code;          // U+FF0C
  const char* name;       // "full-width comma"
  char ascii;             // its ASCII twin: ',', ' ', '1', '.'
};

// The first such character in `text`; nullptr where there is none.
const OddCharacter* FindOddCharacter(std::string_view text);

// `line` with every such character replaced by its ASCII twin.
std::string WithAsciiTwins(std::string_view line);

// Appends to a row's message what the character is and what to type:
// ` (the line holds a full-width comma "，" U+FF0C: part fields with ASCII
// commas, semicolons, tabs or blanks)`.
void AppendOddCharacterNote(std::string& message, const OddCharacter& character);

}  // namespace reading
