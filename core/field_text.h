#pragma once

// Numbers as field text: reading a field's text as the C runtime's strtod
// does in the "C" locale, whatever the process locale, the full-width forms
// a Chinese input method types folded to ASCII, and results written as
// "%f" writes them.

#include <string>
#include <string_view>

namespace survey {

// Only this many characters of a field take part in a computation.
inline constexpr std::size_t kFieldChars = 35;

// The number a field's text stands for, read like the C runtime's strtod in
// the "C" locale: leading white space, sign, digits, one ".", an exponent
// introduced by e, E, d or D. Only the first kFieldChars characters count,
// whatever follows the number is ignored, and text that does not start with
// a number reads as 0. Hexadecimal, infinity and NaN spellings are not
// numbers. Overflow reads as +-infinity, underflow as zero.
double ParseField(std::string_view text);

// The field text with the full-width forms that a Chinese input method types
// for the characters of a number replaced by their ASCII twins, so that
// ParseField reads them as the user meant: digits ０ to ９, "．" and the
// ideographic full stop "。" as ".", "－", "＋" and the minus sign "−" as signs,
// "ｅ" and "Ｅ" as exponent marks, the ideographic space as a blank. The text
// is UTF-8; every other byte, valid UTF-8 or not, is kept, so ASCII text
// comes back unchanged. Each form becomes one character, so the folded text
// has as many characters as the text.
std::string FoldNumberForms(std::string_view text);

// The length of the number at the start of text by ParseField's rules, not
// counting leading white space; 0 when there is none. `start` receives the
// position where the number begins.
std::size_t ScanNumber(std::string_view text, std::size_t& start);

// The ASCII digits 0 to 9, the only digits a number's text may hold,
// whatever the process locale.
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The value of a number that ScanNumber has found (any length, exponent
// letter e, E, d or D), independent of the process locale.
double ConvertNumber(std::string_view number);

// A value as "%f" writes it in the "C" locale: six decimals, no grouping, no
// exponent, of any magnitude; "inf", "-inf" and "nan" for non-finite values.
std::string FormatResult(double value);

}  // namespace survey
