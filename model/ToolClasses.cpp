#include "model/ToolClasses.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::uint16_t, 37> kStylusCodes{
    0,  1,  2,  4,  7,  15, 17, 19, 20, 22, 23, 24, 25, 26, 27, 28, 32, 34, 37,
    38, 40, 42, 45, 46, 52, 53, 54, 55, 58, 59, 61, 62, 63, 65, 66, 67, 68};

constexpr std::array<std::uint16_t, 24> kPuckCodes{3,  5,  6,  8,  12, 13, 14, 16, 18, 21, 29, 30,
                                                   31, 33, 35, 36, 39, 41, 43, 44, 47, 56, 60, 64};

bool Holds(const auto& codes, std::uint16_t code) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

}  // namespace

ToolClass ToolClassForTypeCode(std::uint16_t typeCode) {
  if (Holds(kStylusCodes, typeCode)) return ToolClass::kStylus;
  if (Holds(kPuckCodes, typeCode)) return ToolClass::kPuck;
  return ToolClass::kNone;
}

ButtonClass ButtonClassFor(ToolClass tool, std::uint32_t buttonNumber) {
  switch (tool) {
    case ToolClass::kStylus:
      if (buttonNumber == 1 || buttonNumber == 4) return ButtonClass::kPressureButton;
      if (buttonNumber == 2 || buttonNumber == 3) return ButtonClass::kButton;
      if (buttonNumber == 32) return ButtonClass::kWheel;
      return ButtonClass::kNone;
    case ToolClass::kPuck:
      if (buttonNumber == 16) return ButtonClass::kRoller;
      if (buttonNumber == 32) return ButtonClass::kWheel;
      return ButtonClass::kButton;
    case ToolClass::kNone:
      break;
  }
  return ButtonClass::kNone;
}

TabletControlClass TabletControlClassFor(std::uint32_t number) {
  if (number == 0) return TabletControlClass::kBattery;
  if (number == 1) return TabletControlClass::kJoystick;
  return TabletControlClass::kNone;
}
