// Every control of the main window's tabs on every shipped profile shows what
// the service holds when its tab opens, writes what the user sets to the
// service, and shows a value the service changed after one tick of the
// refresh timer.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CTabsFixture.h"

namespace {

// How the value a control shows follows the service's value.
enum class Link {
  kSame,       // the same number
  kReversed,   // 3 minus it (the ballistics slider over the acceleration)
  kIsThree,    // ticked for 3, written as 3 or 1 (no acceleration)
  kIsZero,     // ticked for 0, written as 0 or 2 (the eraser in use)
  kComposite,  // computed from several values: checked by writing them back
  kPicture,    // an image: only the service changes it
};

std::int32_t Shows(Link link, std::uint32_t raw) {
  switch (link) {
    case Link::kReversed: return 3 - static_cast<std::int32_t>(raw);
    case Link::kIsThree: return raw == 3 ? 1 : 0;
    case Link::kIsZero: return raw == 0 ? 1 : 0;
    default: return static_cast<std::int32_t>(raw);
  }
}

std::uint32_t Writes(Link link, std::int32_t shown) {
  switch (link) {
    case Link::kReversed: return static_cast<std::uint32_t>(3 - shown);
    case Link::kIsThree: return shown != 0 ? 3 : 1;
    case Link::kIsZero: return shown != 0 ? 0 : 2;
    default: return static_cast<std::uint32_t>(shown);
  }
}

struct StNeed {
  const char* path;
  std::uint32_t value;
};

struct StBound {
  const char* control;  // what the user sees and changes
  const char* tab;      // nullptr: outside the tabs
  std::vector<const char*> paths;
  Link link;
  std::int32_t opening;  // composite and pictures: what a fresh service shows
  std::int32_t user;     // what the user sets (pictures: none)
  std::uint32_t driver;  // what the service changes to (composite: the old values)
  std::vector<StNeed> needs;                // service values the control needs first
  std::vector<const char*> hiddenOn = {};  // profiles on which it is not on screen
};

constexpr const char* kPen = "StylusTab";
constexpr const char* kPuck = "PuckTab";
constexpr const char* kTablet = "TabletTab";
constexpr std::uint32_t kNone = 0;
const StNeed kPenMouseMode{"{penmap}/135", 1};
const StNeed kPuckMouseMode{"{puckmap}/135", 1};

const std::vector<StBound> kBound = {
    {"DriverOnButton", nullptr, {"{tablet}/186"}, Link::kSame, 0, 0, 1, {}},
    {"ClickSound", kPen, {"18/234"}, Link::kSame, 0, 0, 1, {}},
    {"StylusImage", kPen, {}, Link::kPicture, 20, -1, kNone, {}},
    {"EraserFeelSlider", kPen, {"{pen}/11:4/43", "{pen}/11:4/109"},
     Link::kComposite, 3, 5, kNone, {}},
    {"EnableEraserCheckBox", kPen, {"{pen}/205"}, Link::kIsZero, 0, 0, 0, {}},
    {"TipFeelSlider", kPen, {"{pen}/11:1/43", "{pen}/11:1/109"}, Link::kComposite, 3, 1, kNone, {}},
    {"TM_ModeGroup", kPen, {"{penmap}/135"}, Link::kSame, 0, 0, 1, {kPenMouseMode},
     {"pen-display", "tablet-pc"}},
    {"TM_NoAcceleration", kPen, {"{penmap}/221"}, Link::kIsThree, 0, 1, 1,
     {kPenMouseMode}, {"pen-display", "tablet-pc"}},
    {"DCDSlider", kPen, {"{pen}/255", "{pen}/113", "{pen}/170"}, Link::kComposite, 2, 4, kNone, {}},
    {"PuckImage", kPuck, {}, Link::kPicture, 21, -1, kNone, {}},
    {"WheelFunctionGroup", kPuck, {"{puck}/11:32/41"}, Link::kSame, 0, 1, 3, {}, {"model-230"}},
    {"WFLinesSpin", kPuck, {"{puck}/11:32/108"}, Link::kSame, 0, 7, 12,
     {{"{puck}/11:32/41", 0}}, {"model-230"}},
    {"MouseSpeedSlider", kPuck, {"{puckmap}/191"}, Link::kSame, 0, 2, 6, {kPuckMouseMode}},
    {"MouseBallisticsSlider", kPuck, {"{puckmap}/221"}, Link::kReversed, 0, 0, 2, {kPuckMouseMode}},
    {"PTM_Group", kPuck, {"{puckmap}/135"}, Link::kSame, 0, 0, 1, {kPuckMouseMode}},
    {"SignalStateImage", kTablet, {"{tablet}/52"}, Link::kPicture, 0, -1, 3, {}},
    {"BatteryStateImage", kTablet, {"{tablet}/3/52"}, Link::kPicture, 3, -1, 1, {}},
    {"BatteryLow", kTablet, {"{tablet}/3/233"}, Link::kSame, 0, 0, 1, {}},
    {"JoystickScrollGroup", kTablet, {"{tablet}/6/108"}, Link::kSame, 0, 3, 0, {}},
};

class BoundControlsTest : public CTabsFixture {
 protected:
  void Check(const std::string& profile, const StBound& row) {
    SCOPED_TRACE(profile + ": " + row.control);
    const bool hidden = std::find_if(row.hiddenOn.begin(), row.hiddenOn.end(), [&](const char* p) {
                          return profile == p;
                        }) != row.hiddenOn.end();
    if (hidden) {
      EXPECT_FALSE(Control(row.control).OnScreen());
      return;
    }
    for (const StNeed& need : row.needs) Change(need.path, need.value);
    if (!row.needs.empty()) Tick();
    ASSERT_TRUE(Control(row.control).OnScreen());

    const bool computed = row.link == Link::kComposite || (row.link == Link::kPicture && row.paths.empty());
    const std::int32_t opening = computed ? row.opening : Shows(row.link, Read(row.paths.front()));
    EXPECT_EQ(Shown(row.control), opening) << "when the tab opens";

    std::vector<std::vector<std::uint8_t>> before;
    for (const char* path : row.paths) before.push_back(ReadBytes(path));
    if (row.user >= 0) {
      ASSERT_NE(row.user, opening) << "the user must change something";
      Act(row.control, row.user);
      EXPECT_EQ(Shown(row.control), row.user);
      if (row.link == Link::kComposite) {
        bool changed = false;
        for (std::size_t i = 0; i < row.paths.size(); ++i) changed |= ReadBytes(row.paths[i]) != before[i];
        EXPECT_TRUE(changed) << "nothing reached the service";
      } else {
        EXPECT_EQ(Read(row.paths.front()), Writes(row.link, row.user)) << "in the service";
      }
    }

    if (row.link == Link::kComposite) {
      for (std::size_t i = 0; i < row.paths.size(); ++i) Restore(row.paths[i], before[i]);
      Tick();
      EXPECT_EQ(Shown(row.control), opening) << "after the service changed";
    } else if (!row.paths.empty()) {
      Change(row.paths.front(), row.driver);
      Tick();
      EXPECT_EQ(Shown(row.control), Shows(row.link, row.driver)) << "after the service changed";
    }
  }
};

TEST_F(BoundControlsTest, EveryTabOfEveryProfileShowsAndWritesTheServicesValues) {
  struct Case {
    const char* profile;
    std::vector<std::string> tabs;  // the tabs it shows, in order
  };
  const Case cases[] = {
      {"default", {kPen, kPuck}},   {"pen-display", {kPen, "CalibrateTab"}},
      {"tablet-pc", {kPen}},        {"two-tablets", {kPen}},
      {"wireless", {kPen}},         {"model-230", {kPen, kPuck, kTablet}},
  };
  for (const Case& c : cases) {
    ASSERT_NO_FATAL_FAILURE(OpenProfile(c.profile));
    for (const std::string& tab : c.tabs) {
      SelectTab(tab);
      for (const StBound& row : kBound) {
        const bool here = row.tab != nullptr ? tab == row.tab : tab == c.tabs.front();
        if (here) Check(c.profile, row);
      }
    }
  }
}

}  // namespace
