#pragma once

// Known points by name: the station and the backsight of a setting-out
// sheet, read from a control file (or from the design file itself) by the
// same rules as any coordinate file (input_rows.h): encodings, separators,
// quotes, comments, the lines before the first row, and the columns a
// column list names (it must name a name, x and y; an h column gives the
// point's height, code and - are read
// past). Without a column list a row is NAME X Y.
//
// Reading is strict: a row that does not read (a field that is no number, a
// row without a name) refuses the whole file with an error that names its
// line. A name given twice is kept as such: Find() refuses it, since which
// of the two is meant cannot be told.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reader/rows/input_reading.h"
#include "reader/rows/input_rows.h"
#include "reader/rows/row_reader.h"
#include "reader/text/text_file.h"

namespace reading {

class KnownPoints {
 public:
  // Reads the points of a whole text (decoded, e.g. by TextLines) named
  // `source` in errors; `columns` as a column list reads them for setout.
  // kNone, or the first row that does not read (kRow).
  FileError Read(std::string_view text, const std::vector<Column>& columns, std::string_view source,
                 const InputReading& reading = {});

  // Read() line by line, for a caller that looks at a cancel flag between
  // lines, or that takes the names of a design file whose rows may have
  // errors: Start(), then AddLine() with each line in turn (without its
  // "\n"). AddLine() returns kNone or the line's error (kRow); such a line
  // adds no point, and the caller may go on.
  void Start(const std::vector<Column>& columns, std::string_view source,
             const InputReading& reading = {});
  FileError AddLine(std::string_view line);

  // The next line starts a new input (TextFile::startsInput()).
  void StartInput();

  // Adds a point handed over by a caller, as the next line (after Start()),
  // with its height (metres) where it has one.
  void AddPoint(std::string_view name, const Point& point,
                std::optional<double> height = std::nullopt);

  // The same for the file at `path`, which names it in errors.
  FileError ReadFile(const std::string& path, const std::vector<Column>& columns,
                     const InputReading& reading = {});

  // Whether a name is found.
  struct Found {
    enum class What : unsigned char { kFound, kMissing, kTwice };
    What what;
    std::size_t line;       // kTwice: where it is given first, from 1
    std::size_t twiceLine;  // kTwice: where it is given again
  };

  // The point named `name`, into `point` where it is found once.
  Found Find(std::string_view name, Point& point) const;
  // The same with its height, none where its h is empty or not read.
  Found Find(std::string_view name, Point& point, std::optional<double>& height) const;

  // Names that are not among these points are looked up among `more` too
  // (the program's window reads a control file's points and, after them,
  // the design file's own, so that a design point may be the station).
  // Start() forgets it.
  void LookAlsoIn(std::shared_ptr<const KnownPoints> more);
  // The points that answer for `name`: `more`, where the name is there and
  // not here, else these.
  const KnownPoints& HolderOf(std::string_view name) const;

  // The file the points come from, as errors name it.
  const std::string& source() const { return source_; }

  // The names in the order of the file, each once (for a list to pick from).
  const std::vector<std::string>& Names() const { return names_; }

 private:
  struct Entry {
    Point point;
    double height;          // metres; NaN where the point has none (8 bytes less a point)
    std::size_t line;       // where it is given first, from 1
    std::size_t twiceLine;  // where it is given again; 0 when not
  };

  void Keep(std::string_view name, const Point& point, std::optional<double> height,
            std::size_t line);

  // Where rows_ finds it whatever moves or copies this (copies share it:
  // it is immutable).
  std::shared_ptr<const RowReader> reader_;
  std::optional<InputRows> rows_;
  std::string source_;
  std::size_t lines_ = 0;
  std::map<std::string, Entry, std::less<>> points_;
  std::vector<std::string> names_;
  std::shared_ptr<const KnownPoints> more_;
};

}  // namespace reading
