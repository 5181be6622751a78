// What the tabs do beyond showing values, through the real window: the pen
// display's tracking group, greying by tracking mode and wheel function,
// the eraser box, the values the window turns round or clamps, the advanced
// settings dialog, the pictures, the Default buttons and what a tick reads;
// and the window's start: its failure dialogs and its language.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "CTabsFixture.h"
#include "host/upperview/CUpperView.h"
#include "model/CDriverLink.h"
#include "model/CDriverObject.h"
#include "model/ModelCodes.h"
#include "service/CPathText.h"
#include "settings/CDriverData.h"
#include "toolkit/automation/ZafScript.h"
#include "toolkit/controls/ZafButton.h"
#include "toolkit/controls/ZafImage.h"
#include "toolkit/controls/ZafInteger.h"
#include "views/CItemView.h"
#include "views/ControlIds.h"

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

class TabViewsTest : public CTabsFixture {
 protected:
  [[nodiscard]] bool Greyed(const char* name) { return Control(name).Disabled(); }
  std::string Picture(const char* control) { return static_cast<ZafImage&>(Control(control)).BitmapName(); }
  // The requests sent while `act` runs.
  template <typename Act>
  std::vector<StRecordedRequest> Sent(Act act) {
    auto& driver = *static_cast<CRecordingDriverInterface*>(GetDriverInterface());
    driver.ClearRequests();
    act();
    return driver.GetRequests();
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
    SelectTab("CalibrateTab");
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
    auto script = std::make_unique<ZafScript>();  // runs while the dialog is open
    ASSERT_EQ(script->Parse(answer), kStatusOk);
    m_presenter->SetScript(std::move(script));
    static_cast<ZafButton&>(Control("StylusAdvancedButton")).UserPress();
    EXPECT_EQ(upper->GetCurrentTabView(), upper->GetOwnedView(ControlId::kStylusView)) << answer;
    Act("TipFeelSlider", 5);
    EXPECT_EQ(Shown("TipFeelSlider"), 5) << "the stylus tab is bound again";
    Act("TipFeelSlider", 3);
  }
}

// The pictures follow the values behind them; each step changes the picture,
// so a name missing from the resource file fails as surely as a wrong rule.
// Models 223, 225 and 226 draw their pen without an eraser when it is off.
TEST_F(TabViewsTest, PenPictureFollowsTheModelAndTheEraser) {
  struct Case {
    std::uint32_t model;
    const char* withoutEraser;
  };
  const Case cases[] = {{223, "Transducer_45"}, {224, "Transducer_20"}, {226, "Transducer_45"}};
  ASSERT_NO_FATAL_FAILURE(OpenProfile("default"));
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
  ASSERT_NO_FATAL_FAILURE(OpenProfile("tablet-pc"));
  EXPECT_EQ(Picture("StylusImage"), "Transducer_20");
  Act("EnableEraserCheckBox", 0);
  EXPECT_EQ(Picture("StylusImage"), "Transducer_45");
}

// Each value in turn shows the picture named after it; any other puck is
// drawn as the usual one (21).
TEST_F(TabViewsTest, PuckSignalAndBatteryPicturesFollowTheirValues) {
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
    ASSERT_NO_FATAL_FAILURE(OpenProfile(c.profile));
    SelectTab(c.tab);
    for (const std::uint32_t value : c.values) {
      Change(c.path, value);
      Tick();
      EXPECT_EQ(Picture(c.control), c.picture + std::to_string(value == 99 ? 21 : value)) << value;
    }
  }
}

// The Default button of each tab puts that tab's values (and, on the stylus
// tab, the click sound) back to the driver's factory values, leaves every
// other value alone, and the window shows the defaults at once.
TEST_F(TabViewsTest, EachDefaultButtonResetsItsTabsValues) {
  const StTab tabs[] = {
      {"default",
       "StylusTab",
       "StylusDefaultButton",
       {{"TipFeelSlider", "{pen}/11:1/43", 60},
        {nullptr, "{pen}/11:1/109", 0},
        {"EnableEraserCheckBox", "{pen}/205", 2},
        {"TM_ModeGroup", "{penmap}/135", 0},
        {"LowerSideSwitchComboBox", "{pen}/11:2/41", 19},
        {"ClickSound", "18/234", 0}},
       {{"MouseSpeedSlider", "{puckmap}/191", 1}, {nullptr, "{tablet}/186", 0}}},
      {"default",
       "PuckTab",
       "PuckDefaultButton",
       {{"LeftPuckButtonComboBox", "{puck}/11:1/41", 20},
        {"WheelFunctionGroup", "{puck}/11:32/41", 1},
        {"WFLinesSpin", "{puck}/11:32/108", 9},
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
      EXPECT_EQ(Read(v.path), Read(v.path, true)) << v.path;
      if (v.control != nullptr) {
        EXPECT_EQ(Shown(v.control), defaultsShown[i]) << v.control;
      }
    }
    for (const StValue& v : t.kept) EXPECT_EQ(Read(v.path), v.changed) << v.path;
  }
}

// A tick of the refresh timer on each tab reads every value a control is
// bound to exactly once, and reads nothing else but the tablet and tool lists.
TEST_F(TabViewsTest, EachBoundValueIsReadOnceATick) {
  struct Case {
    const char* profile;
    const char* tab;
    std::size_t bound;  // views bound on that tab and around it
  };
  const Case cases[] = {{"default", "StylusTab", 15}, {"default", "PuckTab", 14},
                        {"pen-display", "StylusTab", 13}, {"model-230", "TabletTab", 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.profile) + " " + c.tab);
    ASSERT_NO_FATAL_FAILURE(OpenProfile(c.profile));
    SelectTab(c.tab);
    Tick();

    const auto tick = Sent([&] { Tick(); });

    CUpperView* upper = CUpperView::Instance();
    const std::size_t lists = Sent([&] {
                                (void)GetDriverObject()->GetSubGroupCount(kSubGroupMain);
                                (void)upper->GetTablet()->GetSubGroupCount(kSubGroupMain);
                              }).size();

    const std::vector<CItemView*> bound = BoundViews();
    EXPECT_EQ(bound.size(), c.bound);
    // What each bound item reads when it alone is refreshed.
    std::size_t itemReads = 0;
    for (CItemView* view : bound) {
      bool changed = false;
      const std::size_t reads =
          Sent([&] { DropStatus(view->GetItem()->Refresh(changed, view), "the count is what matters"); }).size();
      EXPECT_GE(reads, 1U) << view->GetControlId();
      itemReads += reads;
    }

    EXPECT_EQ(tick.size(), itemReads + lists);
    std::vector<std::string> paths;
    for (const auto& request : tick) {
      EXPECT_EQ(request.command, kCommandGet) << CPathText::Format(request.levels);
      paths.push_back(CPathText::Format(request.levels));
    }
    std::sort(paths.begin(), paths.end());
    const auto twice = std::adjacent_find(paths.begin(), paths.end());
    EXPECT_TRUE(twice == paths.end()) << "read twice: " << (twice != paths.end() ? *twice : "");
  }
}

using CCPLMainWindowTest = CTabsFixture;

// A start that fails shows its dialog alone, with no half-built main window
// behind it; a start that succeeds shows the main window.
TEST_F(CCPLMainWindowTest, FailureDialogsStandAlone) {
  struct Case {
    const char* profile;
    Status result;
    const char* dialog;
  };
  const Case cases[] = {
      {"unsupported.json", kStatusNoTablet, "NoSuppTabletDialog"},
      {"old-driver.json", kStatusVersionMismatch, "Tablet Version Mismatch"},
  };
  for (const Case& c : cases) {
    m_presenter->behindDialogs.clear();
    EXPECT_EQ(Open(c.profile), c.result) << c.profile;
    ASSERT_FALSE(m_presenter->behindDialogs.empty()) << c.profile;
    EXPECT_EQ(m_presenter->behindDialogs.back().first, c.dialog);
    EXPECT_EQ(m_presenter->behindDialogs.back().second, std::vector<std::string>{}) << c.profile;
    EXPECT_FALSE(m_application->WindowManager().Contains(*m_window)) << c.profile;
  }
  ASSERT_EQ(Open(), kStatusOk);
  EXPECT_TRUE(m_application->WindowManager().Contains(*m_window));
}

// The user's locale picks the language of every text; Hong Kong reads
// Traditional Chinese.
TEST_F(CCPLMainWindowTest, TheLocaleChoosesTheLanguageStrings) {
  struct Case {
    const char* locale;
    const char* title;
  };
  const Case cases[] = {{"zh_HK", "數位板內容"}, {"de_DE.UTF-8", "Tablett-Eigenschaften"}};
  for (const Case& c : cases) {
    CScopedEnv locale("LC_ALL", std::string(c.locale));
    ASSERT_EQ(Open(), kStatusOk) << c.locale;
    EXPECT_EQ(m_window->Text(), c.title) << c.locale;
  }
}

}  // namespace
