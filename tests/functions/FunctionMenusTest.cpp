#include <vector>

#include <gtest/gtest.h>

#include "functions/FunctionMenus.h"

namespace {

using Codes = std::vector<FunctionCode>;

TEST(FunctionMenus, ListsInMenuOrderWithTheirTabletPcVariants) {
  const Codes puck = {1, 3, 2, 19, 20, 4, 7, 8, 9, 11, 29, 0, 1000};
  EXPECT_EQ(FunctionMenuCodes(FunctionMenu::kPuckButton, TabletPcMode::kOff), puck);
  EXPECT_EQ(FunctionMenuCodes(FunctionMenu::kPuckButton, TabletPcMode::kOn), puck);
  const Codes pen = {1, 3, 2, 19, 20, 4, 7, 8, 9, 10, 11, 15, 29, 0, 1000};
  EXPECT_EQ(FunctionMenuCodes(FunctionMenu::kUpperSideSwitch, TabletPcMode::kOff), pen);
  EXPECT_EQ(FunctionMenuCodes(FunctionMenu::kLowerSideSwitch, TabletPcMode::kOff), pen);
  EXPECT_EQ(FunctionMenuCodes(FunctionMenu::kUpperSideSwitch, TabletPcMode::kOn),
            (Codes{1, 3, 2, 19, 20, 4, 7, 8, 9, 10, 15, 0, 1000}));
  EXPECT_EQ(FunctionMenuCodes(FunctionMenu::kLowerSideSwitch, TabletPcMode::kOn),
            (Codes{1, 3, 2, 19, 20, 4, 7, 8, 9, 10, 15, 0, 27, 1000}));
  EXPECT_STREQ(FunctionMenuEntryName(1000), "BDefault");
  EXPECT_STREQ(FunctionMenuEntryName(27), "BTabletPCBarrel");
}

}  // namespace
