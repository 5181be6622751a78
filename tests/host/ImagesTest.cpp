// The pictures of the tabs follow the values behind them. Each step changes
// the picture, so a name missing from the resource file (the old picture
// stays) fails as surely as a wrong rule.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CTabsFixture.h"
#include "toolkit/controls/ZafImage.h"

namespace {

class ImagesTest : public CTabsFixture {
 protected:
  void Reopen(const char* profile) {
    CloseWindow();
    ASSERT_NO_FATAL_FAILURE(OpenProfile(profile));
  }
  std::string Picture(const char* control) { return static_cast<ZafImage&>(Control(control)).BitmapName(); }
};

// Models 223, 225 and 226 draw their pen without an eraser when it is off.
TEST_F(ImagesTest, PenPictureFollowsTheModelAndTheEraser) {
  struct Case {
    std::uint32_t model;
    const char* withoutEraser;
  };
  const Case cases[] = {{223, "Transducer_45"}, {224, "Transducer_20"}, {225, "Transducer_45"},
                        {226, "Transducer_45"}, {130, "Transducer_20"}};
  ASSERT_NO_FATAL_FAILURE(Reopen("default"));
  ASSERT_EQ(Shown("EnableEraserCheckBox"), 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.model);
    Change("{tablet}/124", c.model);
    Tick();
    Act("EnableEraserCheckBox", 0);
    EXPECT_EQ(Picture("StylusImage"), c.withoutEraser);
    Act("EnableEraserCheckBox", 1);
    EXPECT_EQ(Picture("StylusImage"), "Transducer_20");
  }
  // A Tablet PC opens with its pen's picture chosen by the same rule.
  ASSERT_NO_FATAL_FAILURE(Reopen("tablet-pc"));
  EXPECT_EQ(Picture("StylusImage"), "Transducer_20");
  Act("EnableEraserCheckBox", 0);
  EXPECT_EQ(Picture("StylusImage"), "Transducer_45");
}

// Each value in turn shows the picture named after it; any other puck is
// drawn as the usual one (21).
TEST_F(ImagesTest, PuckSignalAndBatteryPicturesFollowTheirValues) {
  struct Case {
    const char* profile;
    const char* tab;
    const char* control;
    const char* path;
    const char* picture;  // the name before the number
    std::vector<std::uint32_t> values;
  };
  const Case cases[] = {
      {"default", "PuckTab", "PuckImage", "{puck}/115", "Transducer_", {18, 43, 99, 18, 21}},
      {"model-230", "TabletTab", "SignalStateImage", "{tablet}/52", "WirelessSignal_", {1, 2, 3, 4, 5, 0}},
      {"model-230", "TabletTab", "BatteryStateImage", "{tablet}/3/52", "BatteryStatus_", {0, 1, 2, 4, 5, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    ASSERT_NO_FATAL_FAILURE(Reopen(c.profile));
    SelectTab(c.tab);
    for (const std::uint32_t value : c.values) {
      Change(c.path, value);
      Tick();
      EXPECT_EQ(Picture(c.control), c.picture + std::to_string(value == 99 ? 21 : value)) << value;
    }
  }
}

}  // namespace
