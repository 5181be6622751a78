#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "functions/FunctionCodes.h"
#include "functions/FunctionMenus.h"

namespace {

using Codes = std::vector<FunctionCode>;

// With tablet PC mode on, the side switches lose the mode toggle and the
// unnamed entry, and the lower one gains the barrel; the puck's list stays.
TEST(FunctionMenus, TabletPcModeChangesOnlyTheSideSwitchLists) {
  const Codes off = FunctionMenuCodes(FunctionMenu::kUpperSideSwitch, TabletPcMode::kOff);
  ASSERT_FALSE(off.empty());
  EXPECT_EQ(off.back(), kFunctionDefault);
  EXPECT_EQ(FunctionMenuCodes(FunctionMenu::kLowerSideSwitch, TabletPcMode::kOff), off);
  Codes on = off;
  std::erase_if(on, [](FunctionCode code) { return code == kFunctionModeToggle || code == kFunctionUnnamed; });
  ASSERT_EQ(on.size(), off.size() - 2);
  EXPECT_EQ(FunctionMenuCodes(FunctionMenu::kUpperSideSwitch, TabletPcMode::kOn), on);
  on.insert(on.end() - 1, kFunctionTabletPcBarrel);
  EXPECT_EQ(FunctionMenuCodes(FunctionMenu::kLowerSideSwitch, TabletPcMode::kOn), on);
  EXPECT_EQ(FunctionMenuCodes(FunctionMenu::kPuckButton, TabletPcMode::kOn),
            FunctionMenuCodes(FunctionMenu::kPuckButton, TabletPcMode::kOff));
  EXPECT_STREQ(FunctionMenuEntryName(kFunctionDefault), "BDefault");
}

}  // namespace
