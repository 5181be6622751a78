#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "toolkit/ToolkitFixture.h"
#include "toolkit/ZafDialogWindow.h"
#include "toolkit/controls/ZafButton.h"

namespace {

class CLoggingDialog : public ZafDialogWindow {
 public:
  ZafEventType Event(const ZafEventStruct& event) override {
    m_events.push_back(event.type);
    // What the user does once the dialog is on screen.
    if (event.type == kZafEventCurrent && m_onScreen) std::exchange(m_onScreen, nullptr)();
    return ZafDialogWindow::Event(event);
  }
  std::vector<ZafEventType> m_events;
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
  EXPECT_EQ(first.m_events, (std::vector<ZafEventType>{kZafEventInitialize, kZafEventCurrent}));
  EXPECT_EQ(m_presenter->RealizedCount(), 1U);

  windows.Add(second);
  m_application->EventManager().ProcessPending();
  windows.Subtract(second);
  EXPECT_EQ(second.m_events, (std::vector<ZafEventType>{kZafEventInitialize, kZafEventCurrent, kZafEventNonCurrent}));
  // The window below becomes current again.
  EXPECT_EQ(first.m_events.back(), kZafEventCurrent);
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
    EXPECT_EQ(dialog.m_events.front(), kZafEventInitialize) << how;
    EXPECT_EQ(dialog.m_events.back(), kZafEventNonCurrent) << how;
    m_application->EventManager().ProcessPending();
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
