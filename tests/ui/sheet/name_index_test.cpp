// The search among point names: every name that holds the typed text, in
// any case of its Latin letters, in file order, as many as asked.

#include "ui/sheet/name_index.h"

#include <gtest/gtest.h>

namespace {

TEST(NameIndex, FindsTheNamesThatHoldTheTextInFileOrder) {
  const NameIndex names({"K12", "k1", "桩K1", "A1", "BK-1"});
  const struct {
    const char* typed;
    std::size_t limit;
    std::vector<std::uint32_t> found;
  } cases[] = {
      {"k1", 10, {0, 1, 2}}, {"K1", 2, {0, 1}}, {"桩", 10, {2}},
      {"-1", 10, {4}},       {"1\nA", 10, {}},  // never across two names
      {"", 3, {0, 1, 2}},    {"x", 10, {}},
  };
  for (const auto& given : cases)
    EXPECT_EQ(names.find(given.typed, given.limit), given.found) << given.typed;
  EXPECT_EQ(names.name(2), "桩K1");
}

}  // namespace
