#include "host/mainwindow/FunctionNames.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 30> kNames = {
    "BDisabled",        "BLeftClick",       "BMiddleClick",     "BRightClick",
    "BLeftDoubleClick", "BMiddleDoubleClick", "BRightDoubleClick", "BLeftClickLock",
    "BKeystroke",       "BModifier",        "BPressureHold",    "BModeToggle",
    "BMacro",           "BScreenMacro",     "BAutoErase",       "BErase",
    "BEraseKeystroke",  "BEraseModifier",   "BEraseMacro",      "BButton4Click",
    "BButton5Click",    "BMiddleClickLock", "BRightClickLock",  "BRunApplication",
    "BToggleInking",    "BTabletPCTip",     "BTabletPCEraser",  "BTabletPCBarrel",
    "",                 ""};

constexpr std::array<std::uint32_t, 12> kPuckButtons = {1, 3, 2, 19, 20, 4, 7, 8, 9, 11, 29, 0};
constexpr std::array<std::uint32_t, 14> kSideSwitches = {1, 3, 2, 19, 20, 4, 7, 8, 9, 10, 11, 15, 29, 0};

}  // namespace

std::string_view FunctionName(std::uint32_t code) {
  if (code == kFunctionDefault) return kFunctionDefaultName;
  return code < kNames.size() ? kNames[code] : std::string_view{};
}

std::span<const std::uint32_t> PuckButtonFunctions() { return kPuckButtons; }
std::span<const std::uint32_t> SideSwitchFunctions() { return kSideSwitches; }
