// What the tabs do beyond showing values, through the real window: the pen
// display's tracking group, greying by tracking mode and wheel function,
// the eraser box, the values the window turns round or clamps, and the
// advanced settings dialog.
#include <gtest/gtest.h>

#include <memory>

#include "CTabsFixture.h"
#include "host/upperview/CUpperView.h"
#include "toolkit/automation/ZafScript.h"
#include "toolkit/controls/ZafButton.h"
#include "toolkit/controls/ZafInteger.h"
#include "views/ControlIds.h"
#include "views/tabs/CStylusView.h"

namespace {

class TabViewsTest : public CTabsFixture {
 protected:
  [[nodiscard]] bool Greyed(const char* name) { return Control(name).Disabled(); }
  [[nodiscard]] const CStylusView& StylusView() {
    return dynamic_cast<const CStylusView&>(*CUpperView::Instance()->GetOwnedView(ControlId::kStylusView));
  }
  // Runs the script's lines while the next modal dialog is open.
  void DuringNextDialog(const std::string& lines) {
    auto script = std::make_unique<ZafScript>();
    ASSERT_EQ(script->Parse(lines), kStatusOk);
    m_presenter->SetScript(std::move(script));
  }
};

// A pen display's pen points where it touches: no tracking mode, however
// often the tab is left and opened again.
TEST_F(TabViewsTest, PenDisplayStylusTabHasNoTrackingGroup) {
  OpenProfile("pen-display");
  for (int opening = 0; opening < 2; ++opening) {
    // A pen display opens on its Calibrate tab.
    SelectTab("StylusTab");
    Tick();
    for (const char* name : {"TM_Group", "TM_PenMode", "TM_MouseMode", "TM_NoAcceleration"})
      EXPECT_FALSE(Control(name).OnScreen()) << name << ", opening " << opening;
    EXPECT_NE(StylusView().GetKeptModeView(), nullptr);
    EXPECT_TRUE(Control("TipFeelSlider").OnScreen());
    SelectTab("CalibrateTab");
    EXPECT_EQ(StylusView().GetKeptModeView(), nullptr) << "the group goes back when the tab is left";
  }
}

TEST_F(TabViewsTest, PenModeGreysWhatOnlyMouseModeUses) {
  OpenProfile("default");
  struct Case {
    const char* tab;
    const char* mode;
    const char* modePath;
    std::vector<const char*> followers;
  };
  const Case cases[] = {
      {"StylusTab", "TM_ModeGroup", "{penmap}/135", {"TM_NoAcceleration"}},
      {"PuckTab", "PTM_Group", "{puckmap}/135",
       {"MouseBallisticsSlider", "MouseBallisticsGroup", "MouseSpeedSlider", "MouseSpeedGroup"}},
  };
  for (const Case& c : cases) {
    SelectTab(c.tab);
    for (const std::int32_t mode : {0, 1, 0}) {
      Act(c.mode, mode);
      Tick();  // a refresh keeps what the mode decided
      for (const char* follower : c.followers) EXPECT_EQ(Greyed(follower), mode == 0) << follower << " " << mode;
    }
    // The driver switching to mouse mode lets them go at the next refresh.
    Change(c.modePath, 1);
    Tick();
    for (const char* follower : c.followers) EXPECT_FALSE(Greyed(follower)) << follower;
  }
}

// Only scrolling by lines uses the line count, which the window keeps in its
// range as it sends it.
TEST_F(TabViewsTest, TheLineCountIsForLinesOnlyAndClamped) {
  OpenProfile("default");
  SelectTab("PuckTab");
  for (const std::int32_t function : {1, 0, 3, 0}) {
    Act("WheelFunctionGroup", function);
    Tick();
    EXPECT_EQ(Greyed("WFLinesSpin"), function != 0) << function;
  }
  auto& field = static_cast<ZafInteger&>(Control("WFLinesValue"));
  struct Lines {
    std::int32_t typed;
    std::int32_t kept;
  };
  for (const Lines& l : {Lines{20, 15}, Lines{-2, 0}, Lines{9, 9}}) {
    field.UserSetValue(l.typed);
    EXPECT_EQ(Read("{puck}/11:32/108"), static_cast<std::uint32_t>(l.kept)) << l.typed;
  }
  Change("{puck}/11:32/41", 1);
  Tick();
  EXPECT_TRUE(Greyed("WFLinesSpin")) << "the driver chose pages";
}

// The eraser box takes the eraser's feel and the switch beside it along at
// once.
TEST_F(TabViewsTest, EraserBoxReevaluatesWhatDependsOnTheEraser) {
  OpenProfile("default");
  // Another program makes the eraser firmer and changes both switches;
  // only the eraser's own company is read again at once.
  const char* feel[] = {"{pen}/11:4/43", "{pen}/11:4/109"};
  Act("EraserFeelSlider", 6);
  const std::vector<std::uint8_t> firm[] = {ReadBytes(feel[0]), ReadBytes(feel[1])};
  Act("EraserFeelSlider", 3);
  for (int i = 0; i < 2; ++i) Restore(feel[i], firm[i]);
  Change("{pen}/11:3/41", 7);
  Change("{pen}/11:2/41", 7);
  Act("EnableEraserCheckBox", 0);
  EXPECT_EQ(Read("{pen}/205"), 2U);
  EXPECT_EQ(Shown("EraserFeelSlider"), 6);
  EXPECT_EQ(Shown("UpperSideSwitchComboBox"), 7);
  EXPECT_NE(Shown("LowerSideSwitchComboBox"), 7) << "waits for the refresh";
}

// After the advanced settings, OK or Cancel, the stylus tab's views take the
// window back.
TEST_F(TabViewsTest, AdvancedSettingsReturnToTheStylusTab) {
  m_temp.Write("registry.reg",
               "Windows Registry Editor Version 5.00\n\n"
               "[HKEY_USERS\\.DEFAULT\\Software\\Kelvo\\Parameters]\n\n"
               "[HKEY_LOCAL_MACHINE\\Software\\kelvo]\n\"UseHID\"=dword:00000001\n");
  OpenProfile("default");
  CUpperView* upper = CUpperView::Instance();
  for (const char* answer : {"answer ok\n", "answer cancel\n"}) {
    DuringNextDialog(answer);
    static_cast<ZafButton&>(Control("StylusAdvancedButton")).UserPress();
    EXPECT_EQ(upper->GetCurrentTabView(), upper->GetOwnedView(ControlId::kStylusView)) << answer;
    EXPECT_EQ(upper->GetCurrentTool(), upper->GetFirstStylus());
    EXPECT_EQ(CurrentTab(), "StylusTab");
    Act("TipFeelSlider", 5);
    EXPECT_EQ(Shown("TipFeelSlider"), 5) << "the stylus tab is bound again";
    Act("TipFeelSlider", 3);
  }
}

}  // namespace
