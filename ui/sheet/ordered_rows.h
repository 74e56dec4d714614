#pragma once

// The order the 放样表 shows its rows in, and which rows it shows: the
// file's order, sorted by a column, or the order of the walk from the
// station (路线, core/walking_route.h) with the rows ticked off left out of
// the walk and shown after it; then only the rows of one code, and only
// those whose name holds a text. Whatever the order, each row keeps its own
// input line as its number.
//
// Sorting: names and codes in their natural order (K2 before K10, Latin
// letters in any case), numbers by their value (angles as packed d.mmss or
// as D°M′S″ text, design coordinates as the points' own), ticked rows after
// the others; rows with no value in the
// column (a failed row's numbers, an empty code) come last either way, and
// rows of equal value keep their file order. A million rows are ordered in
// well under a second (bench/setout), off the interface thread
// (ui/common/job_runner.h): with a stop flag looked at between steps, and progress.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/sheet/sheet_look.h"

struct SetoutSheet;

struct RowOrder {
  // kTicked: the rows ticked off after the others (descending: first).
  enum class By { kFile, kColumn, kTicked, kRoute };
  By by = By::kFile;
  // kColumn: what the column shows (sheet_look.h).
  SheetColumn::Shows shows = SheetColumn::Shows::kField;
  SheetRows::Field field = SheetRows::kName;  // of a column that shows a field
  bool descending = false;                    // kColumn, kTicked
  // Only the rows of this code ("" for those without one); all where unset.
  std::optional<std::string> code;
  // Only the rows whose name holds this, in any case of its Latin letters;
  // all where it is empty.
  std::string name;

  bool filters() const { return code.has_value() || !name.empty(); }
  bool operator==(const RowOrder&) const = default;
};

// A walk from the station: the sheet's rows in the order walked.
using WalkedRows = std::shared_ptr<const std::vector<std::uint32_t>>;

struct OrderedRows {
  // The sheet's rows as shown, in their order; null for all of them in
  // file order.
  std::shared_ptr<const std::vector<std::uint32_t>> shown;
  // Where each of the sheet's rows is shown, -1 where it is not; null with
  // `shown`.
  std::shared_ptr<const std::vector<std::int32_t>> at;
  // RowOrder::By::kRoute: the walk (as given, or walked here).
  WalkedRows route;
};

// Orders the rows of `sheet` as `order` says. `ticked` tells the rows
// ticked off (as many as the rows, or none); `route` is a walk from this
// sheet's station to reuse, else (null) one is walked, over the rows that
// have a point, are not failed and not ticked (a listing, which has no
// station, gives none). None where `stop` turned true; `progress` gets 0 to
// 100.
std::optional<OrderedRows> OrderRows(const SetoutSheet& sheet, const std::vector<bool>& ticked,
                                     const RowOrder& order, WalkedRows route,
                                     const std::atomic<bool>& stop,
                                     const std::function<void(int percent)>& progress = {});

// The codes of the rows, each once, in their natural order; at most
// `limit` of them (the first in that order).
std::vector<std::string> RowCodes(const SheetRows& rows, std::size_t limit);

// Negative, zero or positive as `a` sorts before, with or after `b` in the
// natural order of names: runs of digits by their value, Latin letters in
// any case, other bytes by their value.
int CompareNames(std::string_view a, std::string_view b);

// The value of a number's text as the sheet writes it: a length, a packed
// angle (d.mmss) or an angle as D°M′S″ (in degrees); none where the text is
// none of them.
std::optional<double> SortValue(std::string_view text);
