#pragma once

// How an input's bytes and lines are read, apart from its columns: the
// encoding of a file without a byte-order mark (--encoding NAME), the lines
// at its start that are copied as they are (--skip-lines N), and the
// decimal mark where a comma may group thousands or be the mark
// (--decimal-mark , | .).

#include <cstddef>
#include <optional>

#include "reader/fields/decimal_mark.h"
#include "reader/text/text_encoding.h"

namespace reading {

struct InputReading {
  std::optional<TextEncoding> encoding;  // none: as the bytes show it (text_lines.h)
  std::size_t skipLines = 0;
  DecimalMark decimalMark = DecimalMark::kUnknown;  // kUnknown: as the rows settle it
  bool operator==(const InputReading&) const = default;
};

}  // namespace reading
