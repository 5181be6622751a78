#include <gtest/gtest.h>

#include "toolkit/ToolkitFixture.h"
#include "toolkit/ZafTimer.h"

namespace {

// A window that writes down every event it receives.
class CLoggingWindow : public ZafWindow {
 public:
  ZafEventType Event(const ZafEventStruct& event) override {
    m_events.push_back(event.type);
    if (event.type == kZafEventKey) m_keys.push_back(event.key);
    return ZafWindow::Event(event);
  }
  std::vector<ZafEventType> m_events;
  std::vector<ZafKeyInfo> m_keys;
};

class ZafEventManagerTest : public ToolkitFixture {
 protected:
  ZafEventManager& Events() { return m_application->EventManager(); }
  ZafManualClock& Clock() { return m_presenter->ManualClock(); }
  std::size_t Ticks(const CLoggingWindow& w) {
    return static_cast<std::size_t>(std::count(w.m_events.begin(), w.m_events.end(), kZafEventTimer));
  }
};

TEST_F(ZafEventManagerTest, EventsReachTheirTargetInOrderAndUntargetedOnesTheCurrentWindow) {
  CLoggingWindow below;
  CLoggingWindow top;
  m_application->WindowManager().Add(below);
  m_application->WindowManager().Add(top);
  Events().ProcessPending();
  below.m_events.clear();
  top.m_events.clear();

  Events().Post(kZafEventRestart, &below);
  Events().Post(kZafEventRefresh);
  Events().Post(kZafEventMonitorRect, &below);
  EXPECT_TRUE(Events().HasPending());
  Events().ProcessPending();

  EXPECT_EQ(below.m_events, (std::vector<ZafEventType>{kZafEventRestart, kZafEventMonitorRect}));
  EXPECT_EQ(top.m_events, std::vector<ZafEventType>{kZafEventRefresh});
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
  below.m_events.clear();
  ZafEventStruct release;
  release.type = kZafEventKey;
  release.target = &dialog;
  release.key.virtualKey = kZafKeyControl;
  release.key.down = true;
  Events().Post(release);
  Events().ProcessPending();
  EXPECT_TRUE(dialog.m_keys.empty());
  EXPECT_TRUE(below.m_keys.empty());
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
  ASSERT_EQ(window.m_keys.size(), 2U);
  EXPECT_EQ(window.m_keys[1].keyData & (kZafKeyWasDown | kZafKeyReleased), kZafKeyWasDown | kZafKeyReleased);
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
