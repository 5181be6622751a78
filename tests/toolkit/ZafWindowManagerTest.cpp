#include <functional>
#include <utility>

#include <gtest/gtest.h>

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

// Acts when it gets an event, as input from a presenter would.
class CAction : public ZafWindowObject {
 public:
  explicit CAction(std::function<void()> act) : ZafWindowObject("Action"), m_act(std::move(act)) {}
  ZafEventType Event(const ZafEventStruct&) override {
    m_act();
    return 0;
  }
  std::function<void()> m_act;
};

class ZafWindowManagerTest : public ToolkitFixture {
 protected:
  ZafEventManager& Events() { return m_application->EventManager(); }
  ZafWindowManager& Windows() { return m_application->WindowManager(); }
};

TEST_F(ZafWindowManagerTest, AddingAndTakingAwaySendsSetupCurrentAndNonCurrent) {
  CLoggingDialog first;
  CLoggingDialog second;
  Windows().Add(first);
  Windows().Add(first);  // a second add changes nothing
  Events().ProcessPending();
  EXPECT_EQ(first.Types(), (std::vector<ZafEventType>{kZafEventInitialize, kZafEventCurrent}));
  EXPECT_EQ(m_presenter->RealizedCount(), 1U);

  Windows().Add(second);
  Events().ProcessPending();
  Windows().Subtract(second);
  EXPECT_EQ(second.Types(), (std::vector<ZafEventType>{kZafEventInitialize, kZafEventCurrent,
                                                       kZafEventNonCurrent}));
  // The window below becomes current again.
  EXPECT_EQ(first.heard.back().type, kZafEventCurrent);
  EXPECT_EQ(Windows().Current(), &first);
  // A window taken away before its set-up never gets it.
  CLoggingDialog gone;
  Windows().Add(gone);
  Windows().Subtract(gone);
  Events().ProcessPending();
  EXPECT_TRUE(gone.Of(kZafEventInitialize).empty());
}

// How a modal run ends, and the event it answers.
TEST_F(ZafWindowManagerTest, ModalRunsAnswerTheEventThatClosedThem) {
  const std::pair<std::string, ZafEventType> rows[] = {
      {"cancel-button", kZafEventCancel}, {"close", kZafEventClose}, {"unattended", kZafEventOk}};
  for (const auto& [how, expected] : rows) {
    CLoggingDialog dialog;
    auto* cancel = static_cast<ZafButton*>(dialog.Add(std::make_unique<ZafButton>()));
    cancel->SetCancel(true);
    CAction pressCancel([cancel] { cancel->UserPress(); });
    if (how == "cancel-button")
      dialog.m_onScreen = [&] { Events().Post(kZafEventRestart, &pressCancel); };
    if (how == "close") dialog.m_onScreen = [&] { Events().Post(kZafEventClose, &dialog); };

    EXPECT_EQ(Windows().RunModal(dialog), expected) << how;
    EXPECT_FALSE(Windows().Contains(dialog)) << how;
    EXPECT_EQ(dialog.heard.back().type, kZafEventNonCurrent) << how;
    Events().ProcessPending();
  }
}

TEST_F(ZafWindowManagerTest, ANestedModalRunReturnsToTheOuterOne) {
  CLoggingDialog outer;
  CLoggingDialog inner;
  ZafEventType innerResult = kZafEventNone;
  // When the outer dialog runs, the restart event runs the inner one modally.
  CAction opener([&] {
    Events().Post(kZafEventCancel, &inner);
    innerResult = Windows().RunModal(inner);
    Events().Post(kZafEventOk, Windows().Windows().back());
  });
  Events().Post(kZafEventRestart, &opener);
  EXPECT_EQ(Windows().RunModal(outer), kZafEventOk);
  EXPECT_EQ(innerResult, kZafEventCancel);
  EXPECT_EQ(Windows().Count(), 0U);
}

}  // namespace
