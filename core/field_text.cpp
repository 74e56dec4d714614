#include "core/field_text.h"

#include <locale.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace survey {
namespace {

// White space as the "C" locale's isspace sees it.
bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::size_t SkipDigits(std::string_view text, std::size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

// A character an input method types for a number, as UTF-8, and its ASCII twin.
struct NumberForm {
  std::string_view utf8;
  char ascii;
};

constexpr NumberForm kNumberForms[] = {
    // ０ to ９
    {"\uFF10", '0'},
    {"\uFF11", '1'},
    {"\uFF12", '2'},
    {"\uFF13", '3'},
    {"\uFF14", '4'},
    {"\uFF15", '5'},
    {"\uFF16", '6'},
    {"\uFF17", '7'},
    {"\uFF18", '8'},
    {"\uFF19", '9'},
    // ． full-width full stop; 。 ideographic full stop, the point of Chinese punctuation
    {"\uFF0E", '.'},
    {"\u3002", '.'},
    // － full-width hyphen-minus, − minus sign, ＋ full-width plus sign
    {"\uFF0D", '-'},
    {"\u2212", '-'},
    {"\uFF0B", '+'},
    // ｅ, Ｅ, ideographic space
    {"\uFF45", 'e'},
    {"\uFF25", 'E'},
    {"\u3000", ' '}};
// The table is matched byte by byte against UTF-8 field text.
static_assert(kNumberForms[0].utf8 == "\xEF\xBC\x90", "the execution character set must be UTF-8");

// strtod in the "C" locale, for the rare conversions from_chars refuses.
double StrtodC(const char* text) {
#ifdef _WIN32
  static const _locale_t cLocale = _create_locale(LC_ALL, "C");
  return _strtod_l(text, nullptr, cLocale);
#else
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
  return strtod_l(text, nullptr, cLocale);
#endif
}

}  // namespace

std::size_t ScanNumber(std::string_view text, std::size_t& start) {
  std::size_t at = 0;
  while (at < text.size() && IsSpace(text[at])) ++at;
  start = at;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  const std::size_t intBegin = at;
  at = SkipDigits(text, at);
  std::size_t mantissaDigits = at - intBegin;
  if (at < text.size() && text[at] == '.') {
    const std::size_t fracBegin = at + 1;
    const std::size_t fracEnd = SkipDigits(text, fracBegin);
    mantissaDigits += fracEnd - fracBegin;
    at = fracEnd;
  }
  if (mantissaDigits == 0) return 0;
  if (at < text.size() &&
      (text[at] == 'e' || text[at] == 'E' || text[at] == 'd' || text[at] == 'D')) {
    std::size_t exp = at + 1;
    if (exp < text.size() && (text[exp] == '+' || text[exp] == '-')) ++exp;
    const std::size_t expEnd = SkipDigits(text, exp);
    if (expEnd > exp) at = expEnd;  // an exponent needs a digit
  }
  return at - start;
}

double ConvertNumber(std::string_view number) {
  std::string spelled;
  if (number.find_first_of("dD") != std::string_view::npos) {
    spelled.assign(number);
    for (char& c : spelled) {
      if (c == 'd' || c == 'D') c = 'e';
    }
    number = spelled;
  }
  const std::string_view unsignedPart =
      (!number.empty() && number.front() == '+') ? number.substr(1) : number;
  double value = 0.0;
  const auto result =
      std::from_chars(unsignedPart.data(), unsignedPart.data() + unsignedPart.size(), value);
  if (result.ec == std::errc()) return value;
  // from_chars refuses magnitudes out of range; strtod reads them as
  // infinity or (underflow) zero, as the runtime always has.
  const std::string copy(number);
  return StrtodC(copy.c_str());
}

double ParseField(std::string_view text) {
  text = text.substr(0, kFieldChars);
  std::size_t start = 0;
  const std::size_t length = ScanNumber(text, start);
  if (length == 0) return 0.0;
  return ConvertNumber(text.substr(start, length));
}

std::string FoldNumberForms(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  while (!text.empty()) {
    const auto form = std::ranges::find_if(
        kNumberForms, [text](const NumberForm& f) { return text.starts_with(f.utf8); });
    if (form == std::end(kNumberForms)) {
      folded += text.front();
      text.remove_prefix(1);
    } else {
      folded += form->ascii;
      text.remove_prefix(form->utf8.size());
    }
  }
  return folded;
}

std::string FormatResult(double value) {
  if (std::isnan(value)) return "nan";
  // The widest "%f" text: sign, 309 integer digits, point, six decimals.
  std::array<char, 320> buffer;
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, 6);
  return std::string(buffer.data(), result.ptr);
}

}  // namespace survey
