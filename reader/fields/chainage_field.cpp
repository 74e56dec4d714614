#include "reader/fields/chainage_field.h"

#include <array>

#include "core/alignment/chainage_text.h"
#include "reader/fields/field_number.h"
#include "reader/fields/number_text.h"
#include "reader/text/shown_text.h"

namespace reading {

bool ReadChainageField(const char* name, std::string_view text, double& value,
                       std::string& problem) {
  if (ReadPlainNumberField(text, false, value)) return true;
  // A number that does not read says why as any number field does (out of
  // range, too long).
  if (IsNumberField(text)) return ReadNumberField(name, false, text, value, problem);
  if (text.size() <= survey::kFieldChars) {
    // K0+209,047 where the comma is the decimal mark, as in any number.
    std::array<char, survey::kFieldChars> buffer;
    if (const auto chainage = survey::ReadChainage(WithDecimalPoint(text, buffer))) {
      value = *chainage;
      return true;
    }
  }
  problem = name;
  problem += " is not a chainage (1234.567 or K1+234.567): ";
  AppendQuoted(problem, text);
  return false;
}

}  // namespace reading
