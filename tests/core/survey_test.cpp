#include "core/survey.h"

#include <gtest/gtest.h>

#include <string>

#include "core/field_text.h"
#include "core/packed_angle.h"

namespace {

using survey::ComputeForward;
using survey::ComputeInverse;
using survey::FormatResult;

struct Shown {
  std::string first;
  std::string second;
};

Shown Forward(double x0, double y0, double azimuth, double distance) {
  const survey::ForwardResult r = ComputeForward(x0, y0, azimuth, distance);
  return {FormatResult(r.x), FormatResult(r.y)};
}

Shown Inverse(double x0, double y0, double x1, double y1) {
  const survey::InverseResult r = ComputeInverse(x0, y0, x1, y1);
  EXPECT_FALSE(r.identicalPoints);
  return {FormatResult(r.azimuth), FormatResult(r.distance)};
}

TEST(ForwardComputation, WorkedValuesShowAsTheFormShowsThem) {
  struct Case {
    double x0, y0, azimuth, distance;
    const char* x;
    const char* y;
  };
  const Case cases[] = {
      {1000, 2000, 45.3025, 100, "1070.082282", "2071.333539"},
      {0, 0, 90, 10, "0.000000", "10.000000"},
      {0, 0, 0, 10, "10.000000", "0.000000"},
      // The program's pi leaves a small easting offset due south.
      {0, 0, 180, 10, "-10.000000", "0.000001"},
      {0, 0, 0, 0, "0.000000", "0.000000"},
  };
  for (const Case& c : cases) {
    const Shown got = Forward(c.x0, c.y0, c.azimuth, c.distance);
    EXPECT_EQ(got.first, c.x) << c.azimuth;
    EXPECT_EQ(got.second, c.y) << c.azimuth;
  }
}

TEST(ForwardComputation, NothingIsRangeChecked) {
  // A negative distance points the other way; 60 minutes are a degree.
  const survey::ForwardResult back = ComputeForward(0, 0, 0, -10);
  EXPECT_EQ(FormatResult(back.x), "-10.000000");
  const survey::ForwardResult sixty = ComputeForward(0, 0, 45.6, 10);
  const survey::ForwardResult whole = ComputeForward(0, 0, 46, 10);
  EXPECT_EQ(sixty.x, whole.x);
  EXPECT_EQ(sixty.y, whole.y);
}

TEST(InverseComputation, WorkedValuesShowAsTheFormShowsThem) {
  struct Case {
    double x0, y0, x1, y1;
    const char* azimuth;
    const char* distance;
  };
  const Case cases[] = {
      {0, 0, 100, 100, "45.000000", "141.421356"},
      {0, 0, 0, 100, "90.000001", "100.000000"},
      {0, 0, 0, -100, "269.595999", "100.000000"},
      {0, 0, -100, 0, "180.000001", "100.000000"},
      {0, 0, 100, 0, "0.000000", "100.000000"},
      // The seconds round up to 60 in the six-decimal text.
      {0, 0, 100, -0.0000001, "359.596000", "100.000000"},
      // So small a negative angle that adding 360 gives exactly 360.
      {0, 0, 100, -1e-15, "360.000000", "100.000000"},
      {1000, 2000, 1070, 2071.4, "45.340216", "99.989799"},
  };
  for (const Case& c : cases) {
    const Shown got = Inverse(c.x0, c.y0, c.x1, c.y1);
    EXPECT_EQ(got.first, c.azimuth) << c.x1 << "," << c.y1;
    EXPECT_EQ(got.second, c.distance) << c.x1 << "," << c.y1;
  }
}

TEST(InverseComputation, IdenticalPointsGiveNoNumbersButAnyDifferenceDoes) {
  EXPECT_TRUE(ComputeInverse(0, 0, 0, 0).identicalPoints);
  EXPECT_TRUE(ComputeInverse(1000.5, -2000.25, 1000.5, -2000.25).identicalPoints);
  EXPECT_TRUE(ComputeInverse(0.0, 0.0, -0.0, -0.0).identicalPoints);
  const survey::InverseResult near = ComputeInverse(0, 0, 0, 1e-300);
  EXPECT_FALSE(near.identicalPoints);
  EXPECT_EQ(FormatResult(near.azimuth), "90.000001");
}

// Angles between directions are differences of these decimal degrees, so
// they must be the very values that are packed, not a reading back of the
// packed azimuth (which loses the last bits and the carry of 60 seconds).
// The packed azimuths are those degrees packed: worked out apart from the
// program (floor, remainder and the 0.01 and 0.006 factors in doubles, as
// the packing is fixed), each within one unit in the last place of the exact
// packing of the degrees (269.5959994473156 exactly; the steps give one unit
// less).
TEST(InverseComputation, GivesTheDecimalDegreesItPacks) {
  struct Case {
    double x1, y1;
    double degrees;
    double azimuth;
  };
  const Case cases[] = {
      {0, 100, 90.0000015352345, 90.00000055268443},
      {0, -100, 269.9999984647655, 269.59599944731553},
      {100, 0, 0.0, 0.0},
      {100, -1e-15, 360.0, 360.0},
      {-100, 0, 180.000003070469, 180.00000110536885},
      {-100, -1e-300, 179.999996929531, 179.59599889463115},  // below zero, 360 added
  };
  for (const Case& c : cases) {
    const survey::InverseResult r = ComputeInverse(0, 0, c.x1, c.y1);
    EXPECT_EQ(r.degrees, c.degrees) << c.x1 << "," << c.y1;
    EXPECT_EQ(r.azimuth, c.azimuth) << c.x1 << "," << c.y1;
  }
}

// The form's round trip: forward, then inverse on the six-decimal end point,
// gives back the azimuth and distance typed.
TEST(InverseComputation, UndoesTheForwardComputationToTheShownDecimals) {
  const survey::ForwardResult end = ComputeForward(1000, 2000, 45.3025, 100);
  const Shown back = Inverse(1000, 2000, survey::ParseField(FormatResult(end.x)),
                             survey::ParseField(FormatResult(end.y)));
  EXPECT_EQ(back.first, "45.302500");
  EXPECT_EQ(back.second, "100.000000");
}

// A setting-out angle turns clockwise from the backsight's direction, so it
// is never negative: 360 is added below zero, and the sum is packed.
TEST(TurnedAngle, TurnsClockwiseFromTheBacksightAndPacks) {
  struct Case {
    double point, backsight;
    double packed;
  };
  const Case cases[] = {
      {45.0, 0.0, 45.0},
      {10.0, 350.0, 20.0},
      {90.0000015352345, 90.0000015352345, 0.0},
      {360.0, 0.0, 360.0},
      {45.50694444444444, 0.0, 45.302499999999995},  // 45°30'25"
      // 269°59'59.9945": the inverse computation's due east seen from north
      {0.0, 90.0000015352345, 269.59599944731553},
      {0.0, 1e-12, 359.59599999999961},  // a hair short of a full turn
  };
  for (const Case& c : cases) {
    EXPECT_EQ(survey::TurnedAngle(c.point, c.backsight), c.packed) << c.point << " " << c.backsight;
  }
}

}  // namespace
