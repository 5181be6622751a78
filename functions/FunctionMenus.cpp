#include "functions/FunctionMenus.h"

#include <algorithm>
#include <array>

#include "functions/FunctionNames.h"

namespace {

constexpr std::array<FunctionCode, 12> kPuckButtons = {1, 3, 2, 19, 20, 4, 7, 8, 9, 11, 29, 0};
constexpr std::array<FunctionCode, 14> kSideSwitches = {1, 3, 2, 19, 20, 4, 7, 8, 9, 10, 11, 15, 29, 0};

}  // namespace

std::vector<FunctionCode> FunctionMenuCodes(FunctionMenu menu, TabletPcMode mode) {
  std::vector<FunctionCode> codes;
  if (menu == FunctionMenu::kPuckButton) {
    codes.assign(kPuckButtons.begin(), kPuckButtons.end());
  } else {
    codes.assign(kSideSwitches.begin(), kSideSwitches.end());
    if (mode == TabletPcMode::kOn) {
      std::erase_if(codes, [](FunctionCode code) { return code == kFunctionModeToggle || code == kFunctionUnnamed; });
      if (menu == FunctionMenu::kLowerSideSwitch) codes.push_back(kFunctionTabletPcBarrel);
    }
  }
  codes.push_back(kFunctionDefault);
  return codes;
}

const char* FunctionMenuEntryName(FunctionCode code) {
  return code == kFunctionDefault ? kFunctionDefaultName : FunctionName(code);
}
