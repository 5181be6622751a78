// The pictures of the tabs follow the values behind them. Each step changes
// the picture, so a name missing from the resource file (the old picture
// stays) fails as surely as a wrong rule.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CTabsFixture.h"
#include "toolkit/controls/ZafImage.h"

namespace {

class ImagesTest : public CTabsFixture {
 protected:
  void Reopen(const char* profile) {
    m_window.reset();
    m_runtime = std::make_unique<CTempDir>();
    m_folder = std::make_unique<CScopedEnv>("KELVO_RUNTIME_DIR", m_runtime->Path());
    ASSERT_NO_FATAL_FAILURE(OpenProfile(profile));
  }
  std::string Picture(const char* control) { return static_cast<ZafImage&>(Control(control)).BitmapName(); }

 private:
  std::unique_ptr<CTempDir> m_runtime;
  std::unique_ptr<CScopedEnv> m_folder;
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

TEST_F(ImagesTest, PuckSignalAndBatteryPicturesFollowTheirValues) {
  struct Step {
    const char* path;
    std::uint32_t value;
    const char* picture;
  };
  struct Case {
    const char* profile;
    const char* tab;
    const char* control;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"default",
       "PuckTab",
       "PuckImage",
       {{"{puck}/115", 18, "Transducer_18"},
        {"{puck}/115", 43, "Transducer_43"},
        {"{puck}/115", 99, "Transducer_21"},  // any other puck is drawn as the usual one
        {"{puck}/115", 18, "Transducer_18"},
        {"{puck}/115", 21, "Transducer_21"}}},
      {"model-230",
       "TabletTab",
       "SignalStateImage",
       {{"{tablet}/52", 1, "WirelessSignal_1"},
        {"{tablet}/52", 2, "WirelessSignal_2"},
        {"{tablet}/52", 3, "WirelessSignal_3"},
        {"{tablet}/52", 4, "WirelessSignal_4"},
        {"{tablet}/52", 5, "WirelessSignal_5"},
        {"{tablet}/52", 0, "WirelessSignal_0"}}},
      {"model-230",
       "TabletTab",
       "BatteryStateImage",
       {{"{tablet}/3/52", 0, "BatteryStatus_0"},
        {"{tablet}/3/52", 1, "BatteryStatus_1"},
        {"{tablet}/3/52", 2, "BatteryStatus_2"},
        {"{tablet}/3/52", 4, "BatteryStatus_4"},
        {"{tablet}/3/52", 5, "BatteryStatus_5"},
        {"{tablet}/3/52", 3, "BatteryStatus_3"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    ASSERT_NO_FATAL_FAILURE(Reopen(c.profile));
    SelectTab(c.tab);
    for (const Step& step : c.steps) {
      Change(step.path, step.value);
      Tick();
      EXPECT_EQ(Picture(c.control), step.picture) << step.value;
    }
  }
}

}  // namespace
