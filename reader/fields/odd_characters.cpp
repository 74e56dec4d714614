#include "reader/fields/odd_characters.h"

#include <array>
#include <cstdio>

namespace reading {
namespace {

constexpr std::array<OddCharacter, 23> kOdd = {{
    {"\xE3\x80\x80", 0x3000, "ideographic space", ' '},
    {"\xC2\xA0", 0x00A0, "no-break space", ' '},
    {"\xEF\xBC\x8C", 0xFF0C, "full-width comma", ','},
    {"\xEF\xBC\x9B", 0xFF1B, "full-width semicolon", ';'},
    {"\xEF\xBC\x90", 0xFF10, "full-width digit", '0'},
    {"\xEF\xBC\x91", 0xFF11, "full-width digit", '1'},
    {"\xEF\xBC\x92", 0xFF12, "full-width digit", '2'},
    {"\xEF\xBC\x93", 0xFF13, "full-width digit", '3'},
    {"\xEF\xBC\x94", 0xFF14, "full-width digit", '4'},
    {"\xEF\xBC\x95", 0xFF15, "full-width digit", '5'},
    {"\xEF\xBC\x96", 0xFF16, "full-width digit", '6'},
    {"\xEF\xBC\x97", 0xFF17, "full-width digit", '7'},
    {"\xEF\xBC\x98", 0xFF18, "full-width digit", '8'},
    {"\xEF\xBC\x99", 0xFF19, "full-width digit", '9'},
    {"\xEF\xBC\x8E", 0xFF0E, "full-width point", '.'},
    {"\xE3\x80\x82", 0x3002, "ideographic full stop", '.'},
    {"\xEF\xBC\x8D", 0xFF0D, "full-width minus", '-'},
    {"\xE2\x88\x92", 0x2212, "minus sign", '-'},
    {"\xEF\xBC\x8B", 0xFF0B, "full-width plus", '+'},
    {"\xEF\xBD\x85", 0xFF45, "full-width e", 'e'},
    {"\xEF\xBC\xA5", 0xFF25, "full-width E", 'E'},
    {"\xEF\xBD\x84", 0xFF44, "full-width d", 'd'},
    {"\xEF\xBC\xA4", 0xFF24, "full-width D", 'D'},
}};

// The character at text[at], where it is one of them.
const OddCharacter* OddAt(std::string_view text, std::size_t at) {
  for (const OddCharacter& odd : kOdd) {
    if (text.substr(at, odd.utf8.size()) == odd.utf8) return &odd;
  }
  return nullptr;
}

// Each of them starts with one of these bytes.
bool MayStartOne(char c) { return c == '\xE3' || c == '\xC2' || c == '\xEF' || c == '\xE2'; }

}  // namespace

const OddCharacter* FindOddCharacter(std::string_view text) {
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (!MayStartOne(text[at])) continue;
    if (const OddCharacter* odd = OddAt(text, at)) return odd;
  }
  return nullptr;
}

std::string WithAsciiTwins(std::string_view line) {
  std::string ascii;
  ascii.reserve(line.size());
  for (std::size_t at = 0; at < line.size();) {
    const OddCharacter* odd = MayStartOne(line[at]) ? OddAt(line, at) : nullptr;
    if (odd == nullptr) {
      ascii += line[at++];
      continue;
    }
    ascii += odd->ascii;
    at += odd->utf8.size();
  }
  return ascii;
}

void AppendOddCharacterNote(std::string& message, const OddCharacter& character) {
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character.code));
  const char first = character.name[0];
  const bool vowel = first == 'a' || first == 'e' || first == 'i' || first == 'o' || first == 'u';
  message += vowel ? " (the line holds an " : " (the line holds a ";
  message += character.name;
  message += " \"";
  message += character.utf8;
  message += "\" ";
  message += code;
  const bool separator = character.ascii == ' ' || character.ascii == ',' || character.ascii == ';';
  message += separator ? ": part fields with ASCII commas, semicolons, tabs or blanks)"
                       : ": write numbers in ASCII)";
}

}  // namespace reading
