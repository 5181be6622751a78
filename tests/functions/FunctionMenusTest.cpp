#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "functions/FunctionMenus.h"

namespace {

std::vector<std::string> Names(FunctionMenu menu, TabletPcMode mode) {
  std::vector<std::string> names;
  for (const FunctionCode code : FunctionMenuCodes(menu, mode)) {
    const std::string name = FunctionMenuEntryName(code);
    names.push_back(name.empty() ? std::to_string(code) : name);
  }
  return names;
}

TEST(FunctionMenus, ListsInMenuOrder) {
  const std::vector<std::string> puck = {"BLeftClick", "BRightClick", "BMiddleClick", "BButton4Click",
                                         "BButton5Click", "BLeftDoubleClick", "BLeftClickLock", "BKeystroke",
                                         "BModifier", "BModeToggle", "29", "BDisabled", "BDefault"};
  EXPECT_EQ(Names(FunctionMenu::kPuckButton, TabletPcMode::kOff), puck);
  EXPECT_EQ(Names(FunctionMenu::kPuckButton, TabletPcMode::kOn), puck) << "pucks are no Tablet PC pens";
  const std::vector<std::string> pen = {"BLeftClick", "BRightClick", "BMiddleClick", "BButton4Click",
                                        "BButton5Click", "BLeftDoubleClick", "BLeftClickLock", "BKeystroke",
                                        "BModifier", "BPressureHold", "BModeToggle", "BErase", "29",
                                        "BDisabled", "BDefault"};
  EXPECT_EQ(Names(FunctionMenu::kUpperSideSwitch, TabletPcMode::kOff), pen);
  EXPECT_EQ(Names(FunctionMenu::kLowerSideSwitch, TabletPcMode::kOff), pen);
}

TEST(FunctionMenus, TabletPcSideSwitches) {
  std::vector<std::string> upper = {"BLeftClick", "BRightClick", "BMiddleClick", "BButton4Click",
                                    "BButton5Click", "BLeftDoubleClick", "BLeftClickLock", "BKeystroke",
                                    "BModifier", "BPressureHold", "BErase", "BDisabled", "BDefault"};
  EXPECT_EQ(Names(FunctionMenu::kUpperSideSwitch, TabletPcMode::kOn), upper);
  std::vector<std::string> lower = upper;
  lower.insert(lower.end() - 1, "BTabletPCBarrel");
  EXPECT_EQ(Names(FunctionMenu::kLowerSideSwitch, TabletPcMode::kOn), lower);
}

}  // namespace
