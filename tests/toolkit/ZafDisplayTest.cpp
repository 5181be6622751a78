#include <gtest/gtest.h>

#include "toolkit/ZafDisplay.h"

namespace {

TEST(ZafDisplay, ColourValuesKeepRedInTheLowByteAndRefuseIndexesPastTheTable) {
  ZafDisplay display;
  EXPECT_EQ(ZafDisplay::Rgb(0x12, 0x34, 0x56), 0x563412U);
  EXPECT_TRUE(display.SetColour(251, 7));
  EXPECT_EQ(display.Colour(251), 7U);
  EXPECT_FALSE(display.SetColour(252, 7));
  EXPECT_FALSE(display.SetColour(-1, 7));
}

}  // namespace
