#include <gtest/gtest.h>

#include "toolkit/ZafDisplay.h"

namespace {

TEST(ZafDisplay, ApplicationColoursFillSixteenToOneHundredEighty) {
  struct Row {
    int index;
    std::uint8_t r, g, b;
  };
  // First, last and a few in between, including the near-duplicates 172/173.
  const Row rows[] = {{16, 66, 66, 66},    {33, 255, 16, 16},   {58, 173, 255, 0},  {96, 0, 115, 214},
                      {143, 255, 58, 0},   {159, 49, 58, 0},    {172, 99, 99, 107}, {173, 99, 99, 108},
                      {180, 58, 49, 54}};
  ZafDisplay display;
  const std::uint32_t before181 = display.Colour(181);
  display.SetApplicationColours();
  for (const Row& row : rows) {
    EXPECT_EQ(display.Colour(row.index), ZafDisplay::Rgb(row.r, row.g, row.b)) << row.index;
  }
  EXPECT_EQ(display.Colour(181), before181);
  EXPECT_EQ(display.Colour(15), ZafDisplay::Rgb(255, 255, 255));
}

TEST(ZafDisplay, ColourValuesKeepRedInTheLowByteAndRefuseIndexesPastTheTable) {
  ZafDisplay display;
  EXPECT_EQ(ZafDisplay::Rgb(0x12, 0x34, 0x56), 0x563412U);
  EXPECT_TRUE(display.SetColour(251, 7));
  EXPECT_EQ(display.Colour(251), 7U);
  EXPECT_FALSE(display.SetColour(252, 7));
  EXPECT_FALSE(display.SetColour(-1, 7));
}

}  // namespace
