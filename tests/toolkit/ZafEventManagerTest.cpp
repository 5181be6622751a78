#include <gtest/gtest.h>

#include "toolkit/ToolkitFixture.h"
#include "toolkit/ZafTimer.h"

namespace {

using CLoggingWindow = CEventLog<>;

class ZafEventManagerTest : public ToolkitFixture {
 protected:
  ZafEventManager& Events() { return m_application->EventManager(); }
  ZafManualClock& Clock() { return m_presenter->ManualClock(); }
  static std::size_t Ticks(const CLoggingWindow& w) { return w.Of(kZafEventTimer).size(); }
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
  EXPECT_TRUE(Events().HasPending());
  Events().ProcessPending();

  EXPECT_EQ(below.Types(), (std::vector<ZafEventType>{kZafEventRestart, kZafEventMonitorRect}));
  EXPECT_EQ(top.Types(), std::vector<ZafEventType>{kZafEventRefresh});
  EXPECT_FALSE(Events().HasPending());
}

// A key typed into a window that has closed since (Enter closing a dialog,
// then its release) reaches no window; the keyboard still follows it.
TEST_F(ZafEventManagerTest, AKeyForAWindowThatClosedReachesNoWindow) {
  CLoggingWindow below;
  CLoggingWindow dialog;
  m_application->WindowManager().Add(below);
  m_application->WindowManager().Add(dialog);
  Events().ProcessPending();
  m_application->WindowManager().Subtract(dialog);
  below.heard.clear();
  ZafEventStruct release;
  release.type = kZafEventKey;
  release.target = &dialog;
  release.key.virtualKey = kZafKeyControl;
  release.key.down = true;
  Events().Post(release);
  Events().ProcessPending();
  EXPECT_TRUE(dialog.Keys().empty());
  EXPECT_TRUE(below.Keys().empty());
  EXPECT_TRUE(m_application->Keyboard().IsDown(kZafKeyControl));
}

TEST_F(ZafEventManagerTest, AWindowThatGoesAwayTakesItsQueuedEventsAndTimersWithIt) {
  auto doomed = std::make_unique<CLoggingWindow>();
  Events().Post(kZafEventRestart, doomed.get());
  ZafTimer* timer = Events().AddTimer(std::make_unique<ZafTimer>(100, doomed.get()));
  doomed.reset();
  EXPECT_FALSE(Events().HasPending());
  EXPECT_EQ(timer->Target(), nullptr);
  EXPECT_FALSE(timer->On());
  Clock().Advance(1000);
  Events().ProcessPending();  // would crash on a dangling target
}

TEST_F(ZafEventManagerTest, TimerTicksFollowTheClockAndStopAndRestartOnTheirEvents) {
  CLoggingWindow window;
  ZafTimer* timer = Events().AddTimer(std::make_unique<ZafTimer>(2500, &window));
  EXPECT_EQ(Events().NextDue(), 2500);

  Clock().Advance(2499);
  Events().ProcessPending();
  EXPECT_EQ(Ticks(window), 0U);
  Clock().Advance(1);
  Events().ProcessPending();
  EXPECT_EQ(Ticks(window), 1U);

  Events().SendTimerEvent(*timer, kZafEventTimerOff);
  Clock().Advance(10000);
  Events().ProcessPending();
  EXPECT_EQ(Ticks(window), 1U);
  EXPECT_FALSE(Events().NextDue().has_value());

  // Switched on again, the next tick is a whole interval away.
  Events().SendTimerEvent(*timer, kZafEventTimerOn);
  Clock().Advance(2499);
  Events().ProcessPending();
  EXPECT_EQ(Ticks(window), 1U);
  Clock().Advance(1);
  Events().ProcessPending();
  EXPECT_EQ(Ticks(window), 2U);
}

TEST_F(ZafEventManagerTest, ALateTickIsNotMadeUpFor) {
  CLoggingWindow window;
  Events().AddTimer(std::make_unique<ZafTimer>(100, &window));
  Clock().Advance(1050);  // ten intervals late
  Events().ProcessPending();
  EXPECT_EQ(Ticks(window), 1U);
  EXPECT_EQ(Events().NextDue(), 1150);
}

TEST_F(ZafEventManagerTest, KeyEventsUpdateTheKeyboardStateAndReachTheFocusObject) {
  CLoggingWindow window;
  m_application->WindowManager().Add(window);
  ZafEventStruct ctrl;
  ctrl.type = kZafEventKey;
  ctrl.key.virtualKey = kZafKeyControl;
  ctrl.key.keyData = ZafMakeKeyData(true, false, false);
  Events().Post(ctrl);
  Events().ProcessPending();
  EXPECT_TRUE(m_application->Keyboard().IsDown(kZafKeyControl));
  EXPECT_NE(m_application->Keyboard().GetKeyState(kZafKeyControl) & 0x8000, 0);

  ctrl.key.down = false;
  ctrl.key.keyData = ZafMakeKeyData(false, true, false);
  Events().Post(ctrl);
  Events().ProcessPending();
  EXPECT_FALSE(m_application->Keyboard().IsDown(kZafKeyControl));
  EXPECT_EQ(m_application->Keyboard().GetKeyState(kZafKeyControl) & 0x8000, 0);
  ASSERT_EQ(window.Keys().size(), 2U);
  EXPECT_EQ(window.Keys()[1].keyData & (kZafKeyWasDown | kZafKeyReleased), kZafKeyWasDown | kZafKeyReleased);
}

TEST(ZafKeyData, BitsFollowTheKeyMessageLayout) {
  struct Row {
    bool down, wasDown, extended;
    std::uint32_t expected;
  };
  const Row rows[] = {
      {true, false, false, 0x00000001U},   // first press
      {true, true, false, 0x40000001U},    // auto-repeat: bit 30 set, bit 31 clear
      {false, true, false, 0xC0000001U},   // release
      {true, false, true, 0x01000001U},    // extended key (navigation block)
  };
  for (const Row& r : rows) {
    EXPECT_EQ(ZafMakeKeyData(r.down, r.wasDown, r.extended), r.expected);
  }
}

}  // namespace
