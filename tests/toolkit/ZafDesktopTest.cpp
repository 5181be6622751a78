// The platform's user-interface functions answered by a running toolkit: the
// monitors are the presenter's screens (headless: $KELVO_SCREENS), a window
// handle stands for a window on screen, the pointer is the current window's.

#include <gtest/gtest.h>

#include "platform/Monitors.h"
#include "platform/User.h"
#include "support/CScopedEnv.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/ZafDesktop.h"
#include "toolkit/ZafScreens.h"

namespace {

TEST(ZafScreens, DescriptionsGiveScreensOrNothing) {
  std::vector<ZafScreen> screens;
  ASSERT_TRUE(
      ZafScreens::Parse("800x600+-800+0,work=800x560+-800+0,name=LEFT,flags=11;"
                        "640x480+0+0,primary,id=MONITOR\\KLV1201\\0001",
                        screens));
  ASSERT_EQ(screens.size(), 2U);
  EXPECT_FALSE(screens[0].primary) << "a screen that says primary is the primary one";
  EXPECT_EQ(screens[0].bounds, ZafRegion::FromSize(-800, 0, 800, 600));
  EXPECT_EQ(screens[0].workArea.Height(), 560);
  EXPECT_EQ(screens[0].name, "LEFT");
  EXPECT_EQ(screens[0].stateFlags, 11U);
  EXPECT_EQ(screens[1].deviceId, "MONITOR\\KLV1201\\0001");
  EXPECT_EQ(screens[1].workArea, screens[1].bounds);
  ASSERT_TRUE(ZafScreens::Parse("640x480+0+0", screens));
  EXPECT_TRUE(screens[0].primary) << "without a word the first one is";
  EXPECT_EQ(screens[0].stateFlags, 3U);
  for (const char* bad : {"", "640x480", "640x480+0", "0x480+0+0", "axb+0+0", "640x480+0+0;",
                          "640x480+0+0,colour=3", "640x480+0+0,flags=-1"}) {
    screens.clear();
    EXPECT_FALSE(ZafScreens::Parse(bad, screens)) << bad;
    EXPECT_TRUE(screens.empty()) << bad;
  }
}

class ZafDesktopTest : public ToolkitFixture {
 protected:
  CScopedEnv m_screens{"KELVO_SCREENS", "1280x1024+0+0;1024x768+1280+0"};
};

TEST_F(ZafDesktopTest, MonitorsAndWindowsComeFromThePresenterAndTheWindowManager) {
  ZafWindow window;
  window.SetRegion(ZafRegion::FromSize(1400, 100, 300, 200));
  EXPECT_EQ(MonitorFromWindow(ZafDesktop::Handle(window), MONITOR_DEFAULTTONULL), nullptr)
      << "not on screen yet";
  m_application->WindowManager().Add(window);
  MONITORINFO info;
  ASSERT_EQ(
      GetMonitorInfoA(MonitorFromWindow(ZafDesktop::Handle(window), MONITOR_DEFAULTTONULL), &info),
      TRUE);
  EXPECT_EQ(info.rcMonitor.left, 1280);
  // The pointer of the window on top, counted as the platform counts it,
  // shown again and counted afresh when the window leaves the screen.
  EXPECT_EQ(ShowCursor(FALSE), -1);
  EXPECT_EQ(ShowCursor(FALSE), -2);
  EXPECT_EQ(ShowCursor(TRUE), -1);
  EXPECT_TRUE(window.PointerHidden());
  m_application->WindowManager().Subtract(window);
  EXPECT_FALSE(window.PointerHidden());
  EXPECT_EQ(window.ShowPointer(false), -1);
}

}  // namespace
