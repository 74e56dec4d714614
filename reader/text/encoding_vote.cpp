#include "reader/text/encoding_vote.h"

#include <algorithm>

#include "reader/text/utf8_check.h"

namespace reading {

EncodingVote::EncodingVote() = default;
EncodingVote::~EncodingVote() = default;

void EncodingVote::Count(std::string_view line) {
  if (IsUtf8(line)) {
    if (OnlyGbkLikePairs(line)) {
      ++either_;
    } else if (!std::all_of(line.begin(), line.end(),
                            [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
      ++utf8_;  // ASCII alone reads either way
    }
    return;
  }
  if (!gb18030_) gb18030_ = std::make_unique<LineConverter>(TextEncoding::kGb18030);
  scratch_.clear();
  if (gb18030_->Append(line, scratch_)) ++gb18030Lines_;
}

TextEncoding EncodingVote::Decision() const {
  if (utf8_ + either_ + gb18030Lines_ == 0 && !gb18030_) return TextEncoding::kUtf8;
  return utf8_ > either_ + gb18030Lines_ ? TextEncoding::kUtf8 : TextEncoding::kGb18030;
}

}  // namespace reading
