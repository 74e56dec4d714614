// Ticks kept by line and name: they hold on the file as it was, follow
// their point where lines come and go, and tick no other point where a line
// now holds another name or a name is no longer one row's.

#include "ui/sheet/sheet_ticks.h"

#include <gtest/gtest.h>

#include "ui/sheet/sheet_rows.h"

namespace {

// Rows named `names` on lines 1, 2, ... (nullptr: a comment line, no row).
SheetRows rowsOf(std::initializer_list<const char*> names) {
  SheetRows rows;
  std::uint32_t line = 0;
  for (const char* name : names) {
    ++line;
    if (!name) continue;
    SheetRows::Fields fields{};
    fields[SheetRows::kName] = name;
    rows.append(fields, line, nullptr, {',', true});
  }
  return rows;
}

std::vector<bool> ticked(const SheetTicks& ticks) { return ticks.rows(); }

TEST(SheetTicks, FollowTheirPointsAndTickNoOther) {
  using Ticks = std::vector<SheetTicks::Tick>;
  const Ticks kept = {{1, "K1"}, {3, "K3"}, {4, ""}, {5, "K5"}};
  const struct {
    const char* what;
    SheetRows rows;
    std::vector<bool> ticked;
    Ticks keptAfter;
  } cases[] = {
      {"the same file", rowsOf({"K1", "K2", "K3", "", "K5"}), {1, 0, 1, 1, 1}, kept},
      // The tick of the row without a name gives way to K3's.
      {"a line put in above K3",
       rowsOf({"K1", "K2", nullptr, "K3", "", "K5"}),
       {1, 0, 1, 0, 1},
       {{1, "K1"}, {4, "K3"}, {6, "K5"}}},
      {"K3 renamed", rowsOf({"K1", "K2", "K3a", "", "K5"}), {1, 0, 0, 1, 1}, kept},
      {"K5 twice elsewhere", rowsOf({"K1", "K5", "K3", "", "K6", "K5"}), {1, 0, 1, 1, 0, 0}, kept},
      {"a shorter file", rowsOf({"K1"}), {1}, kept},
  };
  for (const auto& given : cases) {
    SheetTicks ticks;
    ticks.setKept(kept);
    ticks.match(given.rows);
    EXPECT_EQ(ticked(ticks), given.ticked) << given.what;
    EXPECT_EQ(ticks.count(),
              std::size_t(std::count(given.ticked.begin(), given.ticked.end(), true)))
        << given.what;
    EXPECT_EQ(ticks.kept(), given.keptAfter) << given.what;
  }
}

TEST(SheetTicks, TickingARowKeepsItsLineAndName) {
  const SheetRows rows = rowsOf({"K1", nullptr, "桩3"});
  SheetTicks ticks;
  ticks.match(rows);
  const std::uint64_t before = ticks.version();
  ticks.set(rows, 1, true);
  ticks.set(rows, 0, true);
  ticks.set(rows, 0, false);
  EXPECT_EQ(ticks.kept(), (std::vector<SheetTicks::Tick>{{3, "桩3"}}));
  EXPECT_EQ(ticked(ticks), (std::vector<bool>{false, true}));
  EXPECT_NE(ticks.version(), before);
}

}  // namespace
