#include "model/ToolClasses.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(ToolClassesTest, TypeCodeDecidesStylusPuckOrNothing) {
  const std::set<int> styluses{0,  1,  2,  4,  7,  15, 17, 19, 20, 22, 23, 24, 25,
                               26, 27, 28, 32, 34, 37, 38, 40, 42, 45, 46, 52, 53,
                               54, 55, 58, 59, 61, 62, 63, 65, 66, 67, 68};
  const std::set<int> pucks{3,  5,  6,  8,  12, 13, 14, 16, 18, 21, 29, 30,
                            31, 33, 35, 36, 39, 41, 43, 44, 47, 56, 60, 64};
  for (int code = 0; code <= 300; ++code) {
    const ToolClass expected = styluses.contains(code) ? ToolClass::kStylus
                               : pucks.contains(code)  ? ToolClass::kPuck
                                                       : ToolClass::kNone;
    EXPECT_EQ(ToolClassForTypeCode(static_cast<std::uint16_t>(code)), expected) << code;
  }
  EXPECT_EQ(ToolClassForTypeCode(0xFFFF), ToolClass::kNone);
}

struct ButtonCase {
  ToolClass tool;
  std::uint32_t number;
  ButtonClass expected;
};

TEST(ToolClassesTest, ButtonNumberDecidesButtonClass) {
  const ButtonCase cases[] = {
      {ToolClass::kStylus, 1, ButtonClass::kPressureButton},
      {ToolClass::kStylus, 4, ButtonClass::kPressureButton},
      {ToolClass::kStylus, 2, ButtonClass::kButton},
      {ToolClass::kStylus, 3, ButtonClass::kButton},
      {ToolClass::kStylus, 32, ButtonClass::kWheel},
      {ToolClass::kStylus, 0, ButtonClass::kNone},
      {ToolClass::kStylus, 5, ButtonClass::kNone},
      {ToolClass::kStylus, 16, ButtonClass::kNone},
      {ToolClass::kPuck, 16, ButtonClass::kRoller},
      {ToolClass::kPuck, 32, ButtonClass::kWheel},
      {ToolClass::kPuck, 0, ButtonClass::kButton},
      {ToolClass::kPuck, 1, ButtonClass::kButton},
      {ToolClass::kPuck, 5, ButtonClass::kButton},
      {ToolClass::kPuck, 31, ButtonClass::kButton},
      {ToolClass::kNone, 1, ButtonClass::kNone},
  };
  for (const ButtonCase& c : cases)
    EXPECT_EQ(ButtonClassFor(c.tool, c.number), c.expected) << static_cast<int>(c.tool) << '/' << c.number;
}

TEST(ToolClassesTest, TabletControlNumbers) {
  EXPECT_EQ(TabletControlClassFor(0), TabletControlClass::kBattery);
  EXPECT_EQ(TabletControlClassFor(1), TabletControlClass::kJoystick);
  EXPECT_EQ(TabletControlClassFor(2), TabletControlClass::kNone);
}

}  // namespace
