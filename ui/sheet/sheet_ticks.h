#pragma once

// The design points ticked off as staked (已放样) on a sheet. A tick is kept
// by the row's input line and its point name, so that it holds while the
// file stays as it is and follows its point where the file is edited: a
// tick whose line now holds another point (or none) moves to the one row of
// its name; where no row, or several, have that name, it stays kept but
// shows on no row, rather than tick a point that was not staked. A tick of
// a row without a name holds by its line alone, and gives way to a tick
// that moves to its line.
//
// Matching a million rows takes one pass in line order (a few
// milliseconds), and a second pass over the names only where some tick no
// longer holds. Not for threads to share: the window owns one, and a job
// that needs the rows ticked takes a copy of rows().

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class SheetRows;

class SheetTicks {
 public:
  struct Tick {
    std::uint32_t line;  // the row's input line, from 1
    std::string name;    // its point's name as read; "" for a row without one
    bool operator==(const Tick&) const = default;
  };

  // The ticks kept, in line order (those that show on no row included).
  std::vector<Tick> kept() const;
  // Replaces the ticks kept (a later tick of a line replaces an earlier
  // one); no row shows one until match().
  void setKept(const std::vector<Tick>& ticks);

  // Puts the ticks kept on `rows`, whose lines rise from row to row (a
  // sheet's rows do), moving those whose line holds another point.
  void match(const SheetRows& rows);

  // Of the rows matched last: whether `row` is ticked (false past them),
  // all of them, and how many are.
  bool ticked(std::size_t row) const { return row < m_rows.size() && m_rows[row]; }
  const std::vector<bool>& rows() const { return m_rows; }
  std::size_t count() const { return m_count; }

  // Ticks or unticks `row` of `rows`, the rows matched last.
  void set(const SheetRows& rows, std::size_t row, bool ticked);

  // Changes whenever the ticks kept do.
  std::uint64_t version() const { return m_version; }

 private:
  std::map<std::uint32_t, std::string> m_kept;  // by line
  std::vector<bool> m_rows;
  std::size_t m_count = 0;
  std::uint64_t m_version = 0;
};
