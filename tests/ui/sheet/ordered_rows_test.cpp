// The 放样表's rows in order: names in their natural order and numbers by
// their value, each row keeping its own line; a code and a name narrow the
// rows; the walk from the station leaves the rows ticked off, failed or
// without a point out; a stopped job gives nothing.

#include "ui/sheet/ordered_rows.h"

#include <gtest/gtest.h>

#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sheet_model.h"

namespace {

TEST(RowOrder, NamesSortNaturallyAndNumbersByValue) {
  const struct {
    const char* a;
    const char* b;
    int sign;
  } names[] = {
      {"K2", "K10", -1},   {"K10", "K9", 1},   {"k2", "K2", 0},
      {"K02", "K2", 0},    {"K2a", "K2b", -1}, {"K", "K1", -1},
      {"桩2", "桩10", -1}, {"B1", "a9", 1},    {"P999", "P1000", -1},
  };
  for (const auto& given : names) {
    const int compared = CompareNames(given.a, given.b);
    EXPECT_EQ((compared > 0) - (compared < 0), given.sign) << given.a << " " << given.b;
  }
  const struct {
    const char* text;
    std::optional<double> value;
  } numbers[] = {
      {"358.5449", 358.5449},
      {"-0.250", -0.25},
      {"109\u00B051\u203249\u2033", 109 + 51 / 60.0 + 49 / 3600.0},
      {"0\u00B030\u203200.5\u2033", 0.5 + 0.5 / 3600},
      {"", std::nullopt},
      {"ERROR: K5", std::nullopt},
      {"12.5m", std::nullopt},
  };
  for (const auto& given : numbers) EXPECT_EQ(SortValue(given.text), given.value) << given.text;
}

// Rows on lines 3, 4, ...: name, code, azimuth, then the point (x north, y
// east); a name starting "bad" is a failed row with no point.
SetoutSheet sheetOf(
    std::initializer_list<std::tuple<const char*, const char*, const char*, double, double>> rows) {
  SetoutSheet sheet;
  sheet.station = {QStringLiteral("S"), 0, 0};
  std::uint32_t line = 3;
  for (const auto& [name, code, azimuth, x, y] : rows) {
    SheetRows::Fields fields{};
    fields[SheetRows::kName] = name;
    fields[SheetRows::kCode] = code;
    const bool failed = std::string_view(name).starts_with("bad");
    fields[failed ? SheetRows::kError : SheetRows::kAzimuth] = failed ? "ERROR: bad" : azimuth;
    const SheetRows::Point point{x, y};
    sheet.rows.append(fields, line++, failed ? nullptr : &point, {',', true});
  }
  return sheet;
}

std::vector<std::uint32_t> linesOf(const SetoutSheet& sheet, const OrderedRows& ordered) {
  std::vector<std::uint32_t> lines;
  if (!ordered.shown) {
    for (std::size_t row = 0; row < sheet.rows.size(); ++row) lines.push_back(sheet.rows.line(row));
    return lines;
  }
  for (const std::uint32_t row : *ordered.shown) lines.push_back(sheet.rows.line(row));
  return lines;
}

RowOrder orderOf(RowOrder::By by, SheetRows::Field field = SheetRows::kName,
                 bool descending = false, std::optional<std::string> code = std::nullopt,
                 std::string name = {}) {
  RowOrder order;
  order.by = by;
  order.field = field;
  order.descending = descending;
  order.code = std::move(code);
  order.name = std::move(name);
  return order;
}

TEST(RowOrder, SortsFiltersAndWalksKeepingEachRowsLine) {
  // Lines:                  3                      4                         5
  const SetoutSheet sheet = sheetOf({{"K10", "kerb", "90.0000", 0, 10},
                                     {"k2", "", "180.3000", -5, 0},
                                     {"bad1", "kerb", "", 0, 0},
                                     {"K9", "kerb", "45.0000", 1, 1},
                                     {"桩1", "路缘", "270.0000", 0, -20}});
  //                         6                      7
  const std::vector<bool> ticked = {false, false, false, true, false};
  using By = RowOrder::By;
  const struct {
    RowOrder order;
    std::vector<std::uint32_t> lines;
  } cases[] = {
      {orderOf(By::kFile), {3, 4, 5, 6, 7}},
      {orderOf(By::kColumn, SheetRows::kName, false), {5, 4, 6, 3, 7}},
      {orderOf(By::kColumn, SheetRows::kName, true), {7, 3, 6, 4, 5}},
      // The failed row has no azimuth: last, either way.
      {orderOf(By::kColumn, SheetRows::kAzimuth, false), {6, 3, 4, 7, 5}},
      {orderOf(By::kColumn, SheetRows::kAzimuth, true), {7, 4, 3, 6, 5}},
      // Empty codes last; equal codes in file order.
      {orderOf(By::kColumn, SheetRows::kCode, false), {3, 5, 6, 7, 4}},
      {orderOf(By::kTicked, SheetRows::kName, true), {6, 3, 4, 5, 7}},
      {orderOf(By::kFile, SheetRows::kName, false, "kerb"), {3, 5, 6}},
      {orderOf(By::kFile, SheetRows::kName, false, ""), {4}},
      {orderOf(By::kColumn, SheetRows::kName, false, "kerb", "K"), {6, 3}},
      {orderOf(By::kFile, SheetRows::kName, false, std::nullopt, "桩"), {7}},
      // From the station (0, 0): K9's line is ticked; the walk goes to the
      // nearest, k2 (5 m), then K10, then 桩1; the rest follow in file order.
      {orderOf(By::kRoute), {4, 3, 7, 5, 6}},
      {orderOf(By::kRoute, SheetRows::kName, false, "kerb"), {3, 5, 6}},
  };
  const std::atomic<bool> going(false);
  for (const auto& given : cases) {
    const auto ordered = OrderRows(sheet, ticked, given.order, nullptr, going);
    ASSERT_TRUE(ordered);
    EXPECT_EQ(linesOf(sheet, *ordered), given.lines)
        << int(given.order.by) << " " << int(given.order.field) << " " << given.order.name;
    if (given.order.by == By::kRoute) {
      EXPECT_EQ(*ordered->route, (std::vector<std::uint32_t>{1, 0, 4}));
    }
    for (std::size_t i = 0; ordered->shown && i < ordered->shown->size(); ++i)
      EXPECT_EQ((*ordered->at)[(*ordered->shown)[i]], static_cast<std::int32_t>(i));
  }
  const std::atomic<bool> stopped(true);
  EXPECT_FALSE(OrderRows(sheet, ticked, orderOf(By::kRoute), nullptr, stopped));
  EXPECT_FALSE(
      OrderRows(sheet, ticked, orderOf(By::kColumn, SheetRows::kName), nullptr, stopped));
}

// A sort of more rows than are sorted at a time (the runs are merged) keeps
// equal rows in file order.
TEST(RowOrder, ABigSortIsStable) {
  SetoutSheet sheet;
  const char* codes[] = {"b", "a", "c"};
  std::vector<std::string> names(40000);
  for (std::uint32_t row = 0; row < names.size(); ++row) {
    SheetRows::Fields fields{};
    fields[SheetRows::kCode] = codes[(row * 7919) % 3];
    const SheetRows::Point point{0, 0};
    sheet.rows.append(fields, row + 1, &point, {',', true});
  }
  const std::atomic<bool> going(false);
  const auto ordered =
      OrderRows(sheet, {}, orderOf(RowOrder::By::kColumn, SheetRows::kCode), nullptr, going);
  ASSERT_TRUE(ordered);
  const auto& shown = *ordered->shown;
  ASSERT_EQ(shown.size(), names.size());
  for (std::size_t i = 1; i < shown.size(); ++i) {
    const auto a = sheet.rows.field(shown[i - 1], SheetRows::kCode);
    const auto b = sheet.rows.field(shown[i], SheetRows::kCode);
    ASSERT_TRUE(a < b || (a == b && shown[i - 1] < shown[i])) << i;
  }
}

}  // namespace
