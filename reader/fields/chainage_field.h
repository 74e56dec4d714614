#pragma once

// A chainage field of a row or a table, read strictly: the whole field a
// number as any number field is read (decimal commas included), or a
// chainage as crews write it, "K1+234.567" (survey::ReadChainage; with a
// decimal comma as a number takes one, "K1+234,567"); else the message that
// says what is wrong with which field.

#include <string>
#include <string_view>

namespace reading {

// Reads field `name`'s `text` into `value`, metres; false, with `problem`
// set ("CHAINAGE is not a chainage (1234.567 or K1+234.567): \"K1-20\""),
// where it is neither.
bool ReadChainageField(const char* name, std::string_view text, double& value,
                       std::string& problem);

}  // namespace reading
