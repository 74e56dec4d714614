#include "reader/fields/header_row.h"

#include <algorithm>
#include <string>

#include "core/field_text.h"
#include "core/survey.h"
#include "reader/fields/chainage_field.h"
#include "reader/fields/field_number.h"

namespace reading {

bool HoldsChainage(std::span<const std::string_view> fields) {
  return std::any_of(fields.begin(), fields.end(), [](std::string_view field) {
    double metres = 0.0;
    std::string problem;
    return field.size() <= survey::kFieldChars && ReadChainageField("K", field, metres, problem);
  });
}

bool IsHeaderRow(std::string_view line, std::span<const std::string_view> fields) {
  if (line.starts_with(kErrorPrefix)) return false;
  return !HoldsChainage(fields) &&
         std::none_of(fields.begin(), fields.end(), [](std::string_view field) {
           return StartsLikeNumber(field) || IsNumberField(field);
         });
}

}  // namespace reading
