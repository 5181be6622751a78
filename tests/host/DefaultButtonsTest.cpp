// The Default button of each tab puts that tab's values (and, on the stylus
// tab, the click sound) back to the driver's factory values, leaves every
// other value alone, and the window shows the defaults at once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CTabsFixture.h"
#include "toolkit/controls/ZafButton.h"

namespace {

struct StValue {
  const char* control;  // where the window shows it (nullptr: not shown alone)
  const char* path;
  std::uint32_t changed;  // what the test sets first
};

struct StTab {
  const char* profile;
  const char* tab;
  const char* button;
  std::vector<StValue> reset;  // back to the factory value
  std::vector<StValue> kept;   // left as the test set them
};

class DefaultButtonsTest : public CTabsFixture {};

TEST_F(DefaultButtonsTest, EachTabResetsItsOwnValues) {
  const StTab tabs[] = {
      {"default",
       "StylusTab",
       "StylusDefaultButton",
       {{"TipFeelSlider", "{pen}/11:1/43", 60},
        {nullptr, "{pen}/11:1/109", 0},
        {"EraserFeelSlider", "{pen}/11:4/43", 90},
        {"DCDSlider", "{pen}/255", 15},
        {nullptr, "{pen}/113", 750},
        {"EnableEraserCheckBox", "{pen}/205", 2},
        {"TM_ModeGroup", "{penmap}/135", 0},
        {"TM_NoAcceleration", "{penmap}/221", 3},
        {"UpperSideSwitchComboBox", "{pen}/11:3/41", 7},
        {"LowerSideSwitchComboBox", "{pen}/11:2/41", 19},
        {"ClickSound", "18/234", 0}},
       {{"MouseSpeedSlider", "{puckmap}/191", 1}, {nullptr, "{tablet}/186", 0}}},
      {"default",
       "PuckTab",
       "PuckDefaultButton",
       {{"LeftPuckButtonComboBox", "{puck}/11:1/41", 20},
        {"MidPuckButtonComboBox", "{puck}/11:3/41", 7},
        {"WheelFunctionGroup", "{puck}/11:32/41", 1},
        {"WFLinesSpin", "{puck}/11:32/108", 9},
        {"MouseSpeedSlider", "{puckmap}/191", 1},
        {"MouseBallisticsSlider", "{puckmap}/221", 3},
        {"PTM_Group", "{puckmap}/135", 0}},
       {{"ClickSound", "18/234", 0}, {nullptr, "{pen}/205", 2}, {nullptr, "{penmap}/191", 2}}},
      // A pen display's stylus tab has no tracking group: its mode and
      // acceleration are not the tab's to reset.
      {"pen-display",
       "StylusTab",
       "StylusDefaultButton",
       {{"TipFeelSlider", "{pen}/11:1/43", 60}, {"DCDSlider", "{pen}/255", 15}},
       {{nullptr, "{penmap}/135", 1}, {nullptr, "{penmap}/221", 3}}},
      {"model-230",
       "TabletTab",
       "TabletDefaultButton",
       {{"BatteryLow", "{tablet}/3/233", 0},
        {"JoystickScrollGroup", "{tablet}/6/108", 3},
        {"JoystickSwitchGroup", "{tablet}/6/11:0/41", 9}},
       {{nullptr, "18/234", 0}, {nullptr, "{pen}/205", 2}}},
  };
  for (const StTab& t : tabs) {
    SCOPED_TRACE(t.tab);
    CloseWindow();
    ASSERT_NO_FATAL_FAILURE(OpenProfile(t.profile));
    SelectTab(t.tab);
    std::vector<std::int32_t> defaultsShown;
    for (const StValue& v : t.reset) defaultsShown.push_back(v.control != nullptr ? Shown(v.control) : 0);
    for (const std::vector<StValue>* values : {&t.reset, &t.kept})
      for (const StValue& v : *values) Change(v.path, v.changed);
    Tick();

    static_cast<ZafButton&>(Control(t.button)).UserPress();
    for (std::size_t i = 0; i < t.reset.size(); ++i) {
      const StValue& v = t.reset[i];
      EXPECT_EQ(Read(v.path), ReadDefault(v.path)) << v.path;
      if (v.control != nullptr) {
        EXPECT_EQ(Shown(v.control), defaultsShown[i]) << v.control;
      }
    }
    for (const StValue& v : t.kept) EXPECT_EQ(Read(v.path), v.changed) << v.path;
  }
}

}  // namespace
