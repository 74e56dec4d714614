#pragma once

// The known benchmarks of a levelling line by name, from a control file
// whose rows are NAME H or NAME X Y H (metres; the position is read past):
// the points a `level --points` answer writes read back, and so does a
// setting-out control file with heights. Lines are read as every input's
// (text_file.h): encodings, separators, quotes, blank and comment lines,
// the lines before the first row that are headings (a header), --skip-lines.
//
// Reading is strict, as for known points (known_points.h): a row that does
// not read refuses the whole file with an error that names its line; a
// name given twice is kept as such, and Find() refuses it.

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

#include "reader/rows/input_reading.h"
#include "reader/rows/known_points.h"
#include "reader/text/text_file.h"

namespace reading {

class LevelHeights {
 public:
  // Reads the file at `path`, which names it in errors: kNone, or why it
  // cannot be read (kRow: the first row that does not read).
  FileError ReadFile(const std::string& path, const InputReading& reading = {});

  // Line by line (a window's table, a test): Start(), then AddLine() with
  // each line in turn, without its "\n"; kNone or the line's error (kRow).
  void Start(std::string_view source, const InputReading& reading = {});
  FileError AddLine(std::string_view line);

  // The height of `name`, into `height` where it is found once.
  KnownPoints::Found Find(std::string_view name, double& height) const;

  const std::string& source() const { return source_; }

 private:
  struct Entry {
    double height;
    std::size_t line;
    std::size_t twiceLine;
  };
  std::string ReadRow(std::string_view line, std::size_t number);

  InputReading reading_;
  std::string source_;
  std::size_t lines_ = 0;
  bool rowSeen_ = false;
  std::map<std::string, Entry, std::less<>> heights_;
};

}  // namespace reading
