#include "calibration/CalibratedArea.h"

#include <gtest/gtest.h>

namespace {

struct StAreaCase {
  const char* name;
  StCalibrationInput in;
  StCalibratedArea expected;
};

TEST(CalibratedArea, FromTwoTapsAndTheTargets) {
  const StAreaCase cases[] = {
      // Targets 100 and 700 pixels in on an 800-pixel window (span 799), taps at 1000 and 7000.
      {"eight hundred pixels", {{1000, 1000}, {7000, 5000}, {100, 100}, {700, 500}, 799, 599}, {{0, 0}, {8000, 6000}}},
      // dX * ULx / px = 28000 * 56 / 688 = 2279.07: truncated; so is 56 * 28000 / 688 in the extent.
      {"truncating", {{1000, 1000}, {29000, 21000}, {56, 56}, {744, 544}, 799, 599},
       {{-1279, -1295}, {32558, 24590}}},
      // A tablet mounted the other way round: dX below zero, divisions still toward zero.
      {"reversed", {{7000, 1000}, {1000, 7000}, {100, 100}, {700, 700}, 799, 799}, {{8000, 0}, {-8000, 8000}}},
      {"negative quotient truncates up", {{0, 0}, {-7, 7}, {1, 1}, {4, 4}, 9, 9}, {{2, -2}, {-23, 23}}},
      // Window spans differ from target places: the far edge adds (span - LR + 1) pixels.
      {"wide window", {{500, 300}, {9500, 6300}, {40, 30}, {1240, 630}, 1279, 659}, {{200, 0}, {9600, 6600}}},
  };
  for (const StAreaCase& c : cases) {
    StCalibratedArea out;
    ASSERT_TRUE(ComputeCalibratedArea(c.in, out)) << c.name;
    EXPECT_EQ(out.origin[0], c.expected.origin[0]) << c.name;
    EXPECT_EQ(out.origin[1], c.expected.origin[1]) << c.name;
    EXPECT_EQ(out.extent[0], c.expected.extent[0]) << c.name;
    EXPECT_EQ(out.extent[1], c.expected.extent[1]) << c.name;
  }
}

TEST(CalibratedArea, TargetsInOneColumnOrRowGiveNothing) {
  StCalibratedArea out;
  out.origin[0] = 17;
  EXPECT_FALSE(ComputeCalibratedArea({{1, 1}, {9, 9}, {100, 100}, {100, 500}, 799, 599}, out));
  EXPECT_FALSE(ComputeCalibratedArea({{1, 1}, {9, 9}, {100, 100}, {700, 100}, 799, 599}, out));
  EXPECT_EQ(out.origin[0], 17);
}

TEST(CalibratedArea, TargetCentresCountBothEdges) {
  // A 32-pixel target at 40..71 has its centre at 56; a 31-pixel one at 40..70 at 55.
  EXPECT_EQ(SpanCentre(40, 71), 56);
  EXPECT_EQ(SpanCentre(40, 70), 55);
}

}  // namespace
