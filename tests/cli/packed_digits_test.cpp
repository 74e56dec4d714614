#include "cli/packed_digits.h"

#include <gtest/gtest.h>

namespace {

TEST(PackedDigits, ReadsMinutesAndSecondsFromTheWrittenDigits) {
  struct Case {
    const char* text;
    int minutes;
    int seconds;
  };
  const Case cases[] = {
      {"45.302512", 30, 25}, {"45.30", 30, 0},       {"45.3", 30, 0},
      {"45", 0, 0},          {"45.", 0, 0},          {".5959", 59, 59},
      {"-45.3025", 30, 25},  {"+0.0001", 0, 1},      {"45.6", 60, 0},
      {"45.0060", 0, 60},    {"359.5999", 59, 99},   {"4530.25e-2", 30, 25},
      {"0.4530d2", 30, 0},   {"45302512E-6", 30, 25}, {"4.53025e1", 30, 25},
      {"45.3025e-9", 0, 0},  {"1e400", 0, 0},        {"1e-400", 0, 0},
      {"0.0000000001e7", 0, 10},
  };
  for (const Case& c : cases) {
    const calc::PackedDigits digits = calc::ReadPackedDigits(c.text);
    EXPECT_EQ(digits.minutes, c.minutes) << c.text;
    EXPECT_EQ(digits.seconds, c.seconds) << c.text;
  }
}

}  // namespace
