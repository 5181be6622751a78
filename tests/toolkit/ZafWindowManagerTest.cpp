#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "toolkit/ToolkitFixture.h"
#include "toolkit/ZafDialogWindow.h"
#include "toolkit/controls/ZafButton.h"

namespace {

class CLoggingDialog : public CEventLog<ZafDialogWindow> {
 public:
  ZafEventType Event(const ZafEventStruct& event) override {
    // What the user does once the dialog is on screen.
    if (event.type == kZafEventCurrent && m_onScreen) std::exchange(m_onScreen, nullptr)();
    return CEventLog::Event(event);
  }
  std::function<void()> m_onScreen;
};

using ZafWindowManagerTest = ToolkitFixture;

TEST_F(ZafWindowManagerTest, AddingAndTakingAwaySendsSetupCurrentAndNonCurrent) {
  CLoggingDialog first;
  CLoggingDialog second;
  auto& windows = m_application->WindowManager();
  windows.Add(first);
  windows.Add(first);  // a second add changes nothing
  m_application->EventManager().ProcessPending();
  EXPECT_EQ(first.Types(), (std::vector<ZafEventType>{kZafEventInitialize, kZafEventCurrent}));
  EXPECT_EQ(m_presenter->RealizedCount(), 1U);

  windows.Add(second);
  m_application->EventManager().ProcessPending();
  windows.Subtract(second);
  EXPECT_EQ(second.Types(), (std::vector<ZafEventType>{kZafEventInitialize, kZafEventCurrent, kZafEventNonCurrent}));
  // The window below becomes current again.
  EXPECT_EQ(first.heard.back().type, kZafEventCurrent);
  EXPECT_EQ(windows.Current(), &first);
}

// How a modal run ends, and the event it answers.
TEST_F(ZafWindowManagerTest, ModalRunsAnswerTheEventThatClosedThem) {
  struct Row {
    const char* how;
    ZafEventType expected;
  };
  const Row rows[] = {
      {"ok-button", kZafEventOk},         {"cancel-button", kZafEventCancel}, {"escape", kZafEventCancel},
      {"close", kZafEventClose},          {"armed-cancel", kZafEventCancel},  {"unattended", kZafEventOk},
  };
  for (const Row& row : rows) {
    CLoggingDialog dialog;
    auto* ok = static_cast<ZafButton*>(dialog.Add(std::make_unique<ZafButton>()));
    ok->SetDefault(true);
    auto* cancel = static_cast<ZafButton*>(dialog.Add(std::make_unique<ZafButton>()));
    cancel->SetCancel(true);
    const std::string how = row.how;
    // What the "user" does once the dialog is set up.
    ZafEventStruct key;
    key.type = kZafEventKey;
    key.key.virtualKey = kZafKeyEscape;
    key.key.keyData = ZafMakeKeyData(true, false, false);
    ZafEventManager& events = m_application->EventManager();
    if (how == "escape") dialog.m_onScreen = [&] { events.Post(key); };
    if (how == "close") dialog.m_onScreen = [&] { events.Post(kZafEventClose, &dialog); };
    if (how == "armed-cancel") m_presenter->ArmModalAnswer(kZafEventCancel);

    // Buttons are pressed from an event handler, as a presenter would.
    class CPresser : public ZafWindowObject {
     public:
      explicit CPresser(ZafButton* b) : ZafWindowObject("Presser"), m_button(b) {}
      ZafEventType Event(const ZafEventStruct&) override { return m_button->UserPress(); }
      ZafButton* m_button;
    };
    CPresser pressOk(ok);
    CPresser pressCancel(cancel);
    if (how == "ok-button") dialog.m_onScreen = [&] { events.Post(kZafEventRestart, &pressOk); };
    if (how == "cancel-button") dialog.m_onScreen = [&] { events.Post(kZafEventRestart, &pressCancel); };

    EXPECT_EQ(m_application->WindowManager().RunModal(dialog), row.expected) << how;
    EXPECT_FALSE(m_application->WindowManager().Contains(dialog)) << how;
    EXPECT_EQ(dialog.heard.front().type, kZafEventInitialize) << how;
    EXPECT_EQ(dialog.heard.back().type, kZafEventNonCurrent) << how;
    m_application->EventManager().ProcessPending();
  }
}

// The opener gives a window its data (a monitor rectangle) right after adding
// it, by sending or posting; the window's set-up comes after both.
TEST_F(ZafWindowManagerTest, TheSetUpComesAfterWhatTheOpenerGaveTheWindow) {
  CLoggingDialog dialog;
  ZafEventManager& events = m_application->EventManager();
  m_application->WindowManager().Add(dialog);
  ZafEventStruct rectangle;
  rectangle.type = kZafEventMonitorRect;
  rectangle.target = &dialog;
  dialog.Event(rectangle);
  events.Post(kZafEventRestart, &dialog);
  dialog.m_onScreen = [&] { events.Post(kZafEventOk, &dialog); };
  events.ProcessPending();
  EXPECT_EQ(dialog.Types(), (std::vector<ZafEventType>{kZafEventMonitorRect, kZafEventRestart, kZafEventInitialize,
                                                         kZafEventCurrent, kZafEventOk, kZafEventNonCurrent}));
  // A window taken away before its set-up never gets it.
  CLoggingDialog gone;
  m_application->WindowManager().Add(gone);
  m_application->WindowManager().Subtract(gone);
  events.ProcessPending();
  EXPECT_EQ(gone.Of(kZafEventInitialize).size(), 0U);
}

// The pointer is counted as the platform counts it, per window, and shown
// again whenever the window leaves the screen.
TEST_F(ZafWindowManagerTest, AWindowsPointerIsShownAgainHoweverItCloses) {
  CRecordingObserver observer;
  for (const ZafEventType closing : {kZafEventOk, kZafEventCancel, kZafEventClose}) {
    CLoggingDialog dialog;
    EXPECT_EQ(dialog.ShowPointer(false), -1);
    EXPECT_EQ(dialog.ShowPointer(false), -2);
    EXPECT_EQ(dialog.ShowPointer(true), -1);
    EXPECT_TRUE(dialog.PointerHidden()) << "hidden twice, shown once";
    dialog.m_onScreen = [&] { m_application->EventManager().Post(closing, &dialog); };
    EXPECT_EQ(m_application->WindowManager().RunModal(dialog), closing);
    EXPECT_FALSE(dialog.PointerHidden()) << closing;
    EXPECT_EQ(dialog.ShowPointer(false), -1) << "the count starts afresh";
    dialog.SetObserver(&observer);
    dialog.ResetPointer();
    EXPECT_EQ(observer.Count(dialog, ZafChange::kPointer), 1U);
    dialog.SetObserver(nullptr);
    observer.m_changes.clear();
  }
}

TEST_F(ZafWindowManagerTest, ANestedModalRunReturnsToTheOuterOne) {
  CLoggingDialog outer;
  CLoggingDialog inner;
  ZafEventType innerResult = kZafEventNone;
  // When the outer dialog gets the restart event it runs the inner one modally.
  class COpener : public ZafWindowObject {
   public:
    COpener(ZafApplication& a, ZafWindow& w, ZafEventType& r) : ZafWindowObject("Opener"), m_a(a), m_w(w), m_r(r) {}
    ZafEventType Event(const ZafEventStruct&) override {
      m_a.EventManager().Post(kZafEventCancel, &m_w);
      m_r = m_a.WindowManager().RunModal(m_w);
      m_a.EventManager().Post(kZafEventOk, m_a.WindowManager().Windows().back());
      return 0;
    }
    ZafApplication& m_a;
    ZafWindow& m_w;
    ZafEventType& m_r;
  };
  COpener opener(*m_application, inner, innerResult);
  m_application->EventManager().Post(kZafEventRestart, &opener);
  EXPECT_EQ(m_application->WindowManager().RunModal(outer), kZafEventOk);
  EXPECT_EQ(innerResult, kZafEventCancel);
  EXPECT_EQ(m_application->WindowManager().Count(), 0U);
}

TEST_F(ZafWindowManagerTest, TheEventLoopEndsWhenTheLastWindowCloses) {
  ZafWindow main;
  m_application->WindowManager().Add(main);
  m_application->EventManager().Post(kZafEventClose, &main);
  EXPECT_EQ(m_application->Control(), 0);
  EXPECT_EQ(main.ClosingEvent(), kZafEventClose);
  EXPECT_EQ(m_application->WindowManager().Count(), 0U);
}

}  // namespace
