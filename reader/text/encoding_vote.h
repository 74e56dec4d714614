#pragma once

// Which encoding an input without a byte-order mark and without a named
// encoding is in, found once for the whole input from the lines of its
// start (TextLines holds them until this is decided): UTF-8 or GB18030
// (which holds GBK, what Chinese Windows and CASS write, and GB2312).
//
// Many GBK pairs (a first byte C2 to DF, a second 80 to BF) are valid
// two-byte UTF-8 too, which reads as Latin, Greek, Hebrew or Armenian
// letters, never as Chinese: UTF-8 writes every Chinese character in three
// bytes. GBK 桩 is D7 AE, 路缘 C2 B7 D4 B5, all valid UTF-8. So each line
// that is not ASCII counts as:
//
// - UTF-8: valid UTF-8 that holds a character of three or four bytes, or a
//   pair whose second byte is 80 to A0 (no-break space C2 A0, × C3 97),
//   which in GBK are rare characters;
// - either: valid UTF-8 of pairs alone, each a first byte C2 to DF and a
//   second A1 to BF: each is a common Chinese character of GB2312 as well;
// - GB18030: no valid UTF-8, and GB18030 text;
// - neither: no text in either (it is refused as a row in its place).
//
// The input is UTF-8 where its UTF-8 lines outnumber its GB18030 and
// either lines together, else GB18030: a file of 桩1,路缘 rows is GBK, and
// one stray GBK row in a UTF-8 file does not make its UTF-8 rows errors.
// An input with no line that is not ASCII is UTF-8.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "reader/text/line_converter.h"
#include "reader/text/text_encoding.h"

namespace reading {

class EncodingVote {
 public:
  EncodingVote();
  ~EncodingVote();
  EncodingVote(const EncodingVote&) = delete;
  EncodingVote& operator=(const EncodingVote&) = delete;

  // Counts one line (without its line end).
  void Count(std::string_view line);

  // What the lines counted so far decide.
  TextEncoding Decision() const;

  // The GB18030 converter the lines that are no UTF-8 were tried with (none
  // where there was none), for the input's lines once it is GB18030.
  const LineConverter* converter() const { return gb18030_.get(); }
  std::unique_ptr<LineConverter> TakeConverter() { return std::move(gb18030_); }

 private:
  std::unique_ptr<LineConverter> gb18030_;
  std::string scratch_;
  std::size_t utf8_ = 0;
  std::size_t either_ = 0;
  std::size_t gb18030Lines_ = 0;
};

}  // namespace reading
