#include "ui/sheet/ordered_rows.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>
#include <unordered_set>

#include "core/walking_route.h"
#include "ui/common/job_runner.h"
#include "ui/sheet/name_index.h"
#include "ui/sheet/setout_sheet.h"

namespace {

using Rows = std::vector<std::uint32_t>;
using Progress = std::function<void(int)>;

constexpr std::size_t kRun = std::size_t(1) << 14;  // rows sorted at a time between looks at stop

bool isDigit(char c) { return c >= '0' && c <= '9'; }
char folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

using Stage = ProgressStage;

// A stable sort of `rows` in runs, then merges of runs, looking at `stop`
// between them; false where it turned true.
template <class Less>
bool sortStopping(Rows& rows, Less less, const std::atomic<bool>& stop, const Stage& stage) {
  const std::size_t count = rows.size();
  std::size_t steps = 0;
  std::size_t allSteps = (count + kRun - 1) / kRun;
  for (std::size_t width = kRun; width < count; width *= 2) ++allSteps;
  for (std::size_t start = 0; start < count; start += kRun) {
    if (stop) return false;
    std::stable_sort(rows.begin() + start, rows.begin() + std::min(count, start + kRun), less);
    stage(++steps, allSteps);
  }
  Rows merged(count);
  for (std::size_t width = kRun; width < count; width *= 2) {
    for (std::size_t start = 0; start < count; start += 2 * width) {
      if (stop) return false;
      const auto middle = rows.begin() + std::min(count, start + width);
      const auto end = rows.begin() + std::min(count, start + 2 * width);
      std::merge(rows.begin() + start, middle, middle, end, merged.begin() + start, less);
    }
    rows.swap(merged);
    stage(++steps, allSteps);
  }
  return true;
}

// `rows` sorted by `key`, those without one after the others.
template <class Key, class Compare>
bool sortByKey(Rows& rows, const std::vector<std::optional<Key>>& keys, Compare compare,
               bool descending, const std::atomic<bool>& stop, const Stage& stage) {
  const auto keyed = std::stable_partition(
      rows.begin(), rows.end(), [&](std::uint32_t row) { return keys[row].has_value(); });
  Rows sorted(rows.begin(), keyed);
  const bool done = sortStopping(
      sorted,
      [&](std::uint32_t a, std::uint32_t b) {
        return descending ? compare(*keys[b], *keys[a]) : compare(*keys[a], *keys[b]);
      },
      stop, stage);
  std::copy(sorted.begin(), sorted.end(), rows.begin());
  return done;
}

// The rows in the order of a column, or of the ticks.
bool sortByColumn(const SetoutSheet& sheet, const std::vector<bool>& ticked,
                  const RowOrder& order, Rows& rows, const std::atomic<bool>& stop,
                  const Stage& stage) {
  const SheetRows& sheetRows = sheet.rows;
  const std::size_t count = sheetRows.size();
  const bool descending = order.descending;
  if (order.by == RowOrder::By::kTicked) {
    std::vector<std::optional<bool>> keys(count);
    for (std::size_t row = 0; row < count; ++row) keys[row] = row < ticked.size() && ticked[row];
    return sortByKey(rows, keys, std::less<bool>(), descending, stop, stage);
  }
  using Shows = SheetColumn::Shows;
  const SheetRows::Field field = order.field;
  if (order.shows == Shows::kField &&
      (field == SheetRows::kName || field == SheetRows::kCode)) {
    std::vector<std::optional<std::string_view>> keys(count);
    for (std::size_t row = 0; row < count; ++row) {
      std::string_view text = sheetRows.field(row, field);
      // A name written in quotes (it holds the separator) sorts by itself.
      if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
      if (!text.empty()) keys[row] = text;
    }
    return sortByKey(
        rows, keys, [](std::string_view a, std::string_view b) { return CompareNames(a, b) < 0; },
        descending, stop, stage);
  }
  std::vector<std::optional<double>> keys(count);
  for (std::size_t row = 0; row < count; ++row) {
    if (row % kRun == 0 && stop) return false;
    if (order.shows != Shows::kField) {
      if (sheetRows.hasPoint(row))
        keys[row] = order.shows == Shows::kDesignX ? sheetRows.point(row).x
                                                   : sheetRows.point(row).y;
    } else if (!sheetRows.failed(row)) {
      keys[row] = SortValue(sheetRows.field(row, field));
    }
  }
  return sortByKey(rows, keys, std::less<double>(), descending, stop, stage);
}

// The walk from the station over the rows that have a point, are not
// failed and are not ticked; null where `stop` turned true.
WalkedRows walk(const SetoutSheet& sheet, const std::vector<bool>& ticked,
                const std::atomic<bool>& stop, const Stage& stage) {
  if (sheet.listed) return std::make_shared<const Rows>();
  const SheetRows& rows = sheet.rows;
  std::vector<survey::RoutePoint> points(rows.size());
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const SheetRows::Point point = rows.point(row);
    const bool done =
        !rows.hasPoint(row) || rows.failed(row) || (row < ticked.size() && ticked[row]);
    points[row] = {point.x, point.y, done};
  }
  const auto walked = survey::WalkingRoute(
      sheet.station.x, sheet.station.y, points,
      [&](std::size_t done, std::size_t whole) { stage(done, whole); }, &stop);
  if (!walked) return nullptr;
  auto route = std::make_shared<Rows>(walked->begin(), walked->end());
  return route;
}

// Whether the row passes the filters of `order`.
class Filter {
 public:
  explicit Filter(const RowOrder& order) : m_order(order), m_name(FoldedName(order.name)) {}

  bool passes(const SheetRows& rows, std::size_t row) {
    if (m_order.code && rows.field(row, SheetRows::kCode) != *m_order.code) return false;
    if (m_name.empty()) return true;
    const std::string_view name = rows.field(row, SheetRows::kName);
    m_folded.assign(name);
    std::transform(m_folded.begin(), m_folded.end(), m_folded.begin(), folded);
    return m_folded.find(m_name) != std::string::npos;
  }

 private:
  const RowOrder& m_order;
  std::string m_name;
  std::string m_folded;
};

}  // namespace

std::optional<OrderedRows> OrderRows(const SetoutSheet& sheet, const std::vector<bool>& ticked,
                                     const RowOrder& order, WalkedRows route,
                                     const std::atomic<bool>& stop, const Progress& progress) {
  OrderedRows ordered;
  const SheetRows& rows = sheet.rows;
  const std::size_t count = rows.size();
  if (order.by == RowOrder::By::kFile && !order.filters()) return ordered;
  Rows shown(count);
  std::iota(shown.begin(), shown.end(), 0u);
  if (order.by == RowOrder::By::kRoute) {
    if (!route) route = walk(sheet, ticked, stop, Stage{progress, 0, 80});
    if (!route) return std::nullopt;
    ordered.route = route;
    // The walk, then the rows it leaves out in file order.
    std::vector<bool> walked(count, false);
    for (const std::uint32_t row : *route) walked[row] = true;
    const auto rest = std::stable_partition(shown.begin(), shown.end(),
                                            [&](std::uint32_t row) { return !walked[row]; });
    Rows inOrder(route->begin(), route->end());
    inOrder.insert(inOrder.end(), shown.begin(), rest);
    shown.swap(inOrder);
  } else if (order.by != RowOrder::By::kFile) {
    if (!sortByColumn(sheet, ticked, order, shown, stop, Stage{progress, 0, 90}))
      return std::nullopt;
  }
  if (stop) return std::nullopt;
  if (order.filters()) {
    Filter filter(order);
    std::erase_if(shown, [&](std::uint32_t row) { return !filter.passes(rows, row); });
  }
  auto at = std::make_shared<std::vector<std::int32_t>>(count, -1);
  for (std::size_t i = 0; i < shown.size(); ++i) (*at)[shown[i]] = static_cast<std::int32_t>(i);
  ordered.shown = std::make_shared<const Rows>(std::move(shown));
  ordered.at = std::move(at);
  if (progress) progress(100);
  return ordered;
}

std::vector<std::string> RowCodes(const SheetRows& rows, std::size_t limit) {
  std::unordered_set<std::string_view> seen;
  for (std::size_t row = 0; row < rows.size(); ++row)
    seen.insert(rows.field(row, SheetRows::kCode));
  std::vector<std::string> codes(seen.begin(), seen.end());
  std::sort(codes.begin(), codes.end(),
            [](const std::string& a, const std::string& b) { return CompareNames(a, b) < 0; });
  if (codes.size() > limit) codes.resize(limit);
  return codes;
}

int CompareNames(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (isDigit(a[i]) && isDigit(b[j])) {
      while (i < a.size() && a[i] == '0') ++i;
      while (j < b.size() && b[j] == '0') ++j;
      const std::size_t startA = i;
      const std::size_t startB = j;
      while (i < a.size() && isDigit(a[i])) ++i;
      while (j < b.size() && isDigit(b[j])) ++j;
      // The longer run of digits without leading zeros is the larger number.
      if (i - startA != j - startB) return i - startA < j - startB ? -1 : 1;
      if (const int digits = a.substr(startA, i - startA).compare(b.substr(startB, j - startB)))
        return digits;
      continue;
    }
    const unsigned char x = folded(a[i]);
    const unsigned char y = folded(b[j]);
    if (x != y) return x < y ? -1 : 1;
    ++i;
    ++j;
  }
  const std::size_t restA = a.size() - i;
  const std::size_t restB = b.size() - j;
  return restA == restB ? 0 : (restA < restB ? -1 : 1);
}

std::optional<double> SortValue(std::string_view text) {
  static constexpr std::string_view kMarks[] = {"\u00B0", "\u2032", "\u2033"};  // ° ′ ″
  const bool negative = text.starts_with('-');
  double value = 0.0;
  double unit = 1.0;  // of the part read next, in degrees (or metres)
  for (const std::string_view mark : kMarks) {
    double part = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), part);
    if (error != std::errc() || !std::isfinite(part)) return std::nullopt;
    value += std::fabs(part) * unit;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    if (!text.empty() && !text.starts_with(mark)) return std::nullopt;
    if (!text.empty()) text.remove_prefix(mark.size());
    if (text.empty()) return negative ? -value : value;
    unit /= 60.0;
  }
  return std::nullopt;
}
