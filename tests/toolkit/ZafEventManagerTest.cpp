#include <gtest/gtest.h>

#include "toolkit/ToolkitFixture.h"
#include "toolkit/ZafTimer.h"

namespace {

using CLoggingWindow = CEventLog<>;

class ZafEventManagerTest : public ToolkitFixture {
 protected:
  ZafEventManager& Events() { return m_application->EventManager(); }
  // Lets the clock run on and the events it brings be handled.
  void Advance(std::int64_t ms) {
    m_presenter->ManualClock().Advance(ms);
    Events().ProcessPending();
  }
  static ZafEventStruct Key(ZafWindowObject* target, bool down) {
    ZafEventStruct key;
    key.type = kZafEventKey;
    key.target = target;
    key.key.virtualKey = kZafKeyControl;
    key.key.down = down;
    key.key.keyData = ZafMakeKeyData(down, !down, false);
    return key;
  }
};

TEST_F(ZafEventManagerTest, EventsReachTheirTargetInOrderAndUntargetedOnesTheCurrentWindow) {
  CLoggingWindow below;
  CLoggingWindow top;
  m_application->WindowManager().Add(below);
  m_application->WindowManager().Add(top);
  Events().ProcessPending();
  below.heard.clear();
  top.heard.clear();

  Events().Post(kZafEventRestart, &below);
  Events().Post(kZafEventRefresh);
  Events().Post(kZafEventMonitorRect, &below);
  Events().ProcessPending();
  EXPECT_EQ(below.Types(), (std::vector<ZafEventType>{kZafEventRestart, kZafEventMonitorRect}));
  EXPECT_EQ(top.Types(), std::vector<ZafEventType>{kZafEventRefresh});
  EXPECT_FALSE(Events().HasPending());
}

// A key typed into a window that has closed since (Enter closing a dialog,
// then its release) reaches no window, but the keyboard state follows it.
TEST_F(ZafEventManagerTest, KeysReachTheirOpenWindowAndAlwaysTheKeyboardState) {
  CLoggingWindow below;
  CLoggingWindow dialog;
  m_application->WindowManager().Add(below);
  m_application->WindowManager().Add(dialog);
  Events().ProcessPending();
  m_application->WindowManager().Subtract(dialog);
  Events().Post(Key(&dialog, true));
  Events().ProcessPending();
  EXPECT_TRUE(dialog.Keys().empty());
  EXPECT_TRUE(below.Keys().empty());
  EXPECT_NE(m_application->Keyboard().GetKeyState(kZafKeyControl) & 0x8000, 0);
  Events().Post(Key(nullptr, false));
  Events().ProcessPending();
  EXPECT_EQ(below.Keys().size(), 1U);
  EXPECT_EQ(m_application->Keyboard().GetKeyState(kZafKeyControl) & 0x8000, 0);
}

TEST_F(ZafEventManagerTest, AWindowThatGoesAwayTakesItsQueuedEventsAndTimersWithIt) {
  auto doomed = std::make_unique<CLoggingWindow>();
  Events().Post(kZafEventRestart, doomed.get());
  ZafTimer* timer = Events().AddTimer(std::make_unique<ZafTimer>(100, doomed.get()));
  doomed.reset();
  EXPECT_FALSE(Events().HasPending());
  EXPECT_EQ(timer->Target(), nullptr);
  Advance(1000);  // would crash on a dangling target
}

// A tick comes once its interval is over, is not made up for when late, and
// comes a whole interval after the timer is switched on again.
TEST_F(ZafEventManagerTest, TimerTicksFollowTheClockAndStopAndRestartOnTheirEvents) {
  CLoggingWindow window;
  ZafTimer* timer = Events().AddTimer(std::make_unique<ZafTimer>(2500, &window));
  Advance(2499);
  EXPECT_TRUE(window.Of(kZafEventTimer).empty());
  Advance(1 + 25000);
  EXPECT_EQ(window.Of(kZafEventTimer).size(), 1U);
  EXPECT_EQ(Events().NextDue(), 27500 + 2500);

  Events().SendTimerEvent(*timer, kZafEventTimerOff);
  Advance(10000);
  Events().SendTimerEvent(*timer, kZafEventTimerOn);
  Advance(2499);
  EXPECT_EQ(window.Of(kZafEventTimer).size(), 1U);
  Advance(1);
  EXPECT_EQ(window.Of(kZafEventTimer).size(), 2U);
}

TEST(ZafKeyData, BitsFollowTheKeyMessageLayout) {
  EXPECT_EQ(ZafMakeKeyData(true, false, false), 0x00000001U);  // first press
  EXPECT_EQ(ZafMakeKeyData(true, true, false), 0x40000001U);   // auto-repeat: bit 30, not 31
  EXPECT_EQ(ZafMakeKeyData(false, true, false), 0xC0000001U);  // release
  EXPECT_EQ(ZafMakeKeyData(true, false, true), 0x01000001U);   // extended (navigation block)
}

}  // namespace
