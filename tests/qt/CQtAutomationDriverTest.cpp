// Automation on the Qt presenter: a script clicks, types and moves the real
// widgets, and a check fails when the screen shows other than the toolkit
// holds, so that what only Qt gets wrong fails the script.

#include <QCheckBox>
#include <QSignalBlocker>
#include <QWidget>

#include "qt/QtFixture.h"
#include "support/CTempDir.h"
#include "toolkit/automation/ZafAutomation.h"
#include "toolkit/controls/ZafButton.h"
#include "toolkit/controls/ZafString.h"

namespace {

class QtScript : public QtFixture {
 protected:
  // Runs the script to its end on the presenter; answers what failed, empty when it passed.
  std::string Run(const std::string& text) {
    const std::string path = m_temp.Write("test.script", text);
    EXPECT_EQ(m_presenter->LoadScript(path), kStatusOk);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(m_application->EventManager().RunUntil([] { return false; }));
    const std::string err = testing::internal::GetCapturedStderr();
    ZafAutomation* automation = m_presenter->Automation();
    return automation->Failed() ? automation->FailureText() : (automation->Done() ? "" : "stopped early: " + err);
  }
  CTempDir m_temp;
};

// Ticking, choosing, moving and paging on the real widgets are the acceptance
// cases run with Qt; typing and the caret are not among them.
TEST_F(QtScript, AScriptTypesMovesTheCaretAndClosesOnTheRealWidgets) {
  Show("ConsumerCPLMainWindow");
  ZafWindow& run = Show("RunDialog");
  EXPECT_EQ(Run(R"(type "C:\\x ä"
expect text AppToRunPrompt "C:\\x ä"
caret AppToRunPrompt 2
expect caret AppToRunPrompt 2
close RunDialog
expect window ConsumerCPLMainWindow
)"),
            "");
  EXPECT_EQ(run.ClosingEvent(), kZafEventClose);
}

TEST_F(QtScript, ACheckFailsWhenTheScreenShowsOtherThanTheToolkitHolds) {
  ZafWindow& main = Show("ConsumerCPLMainWindow");
  auto& box = Find<ZafButton>(main, "ClickSound");
  box.SetChecked(true);
  {
    // The widget loses the toolkit's state, as a presenter fault would lose it.
    auto* widget = WidgetOf<QCheckBox>(box);
    const QSignalBlocker quiet(widget);
    widget->setChecked(false);
  }
  const std::string failure = Run("expect checked ClickSound yes\n");
  EXPECT_NE(failure.find("the toolkit holds yes but the screen shows no"), std::string::npos) << failure;
}

TEST_F(QtScript, AClickOnAControlUnderAModalDialogDoesNotGetThrough) {
  ZafWindow& main = Show("ConsumerCPLMainWindow");
  StUserCalls ticked;
  Find<ZafButton>(main, "ClickSound").SetChecked(true);
  Find<ZafButton>(main, "ClickSound").SetUserFunction(ticked.Function());
  ZafWindow& about = Load("AboutDialog");
  Find<ZafWindowObject>(main, "AboutButton").SetUserFunction([&](ZafWindowObject&, ZafEventType) {
    m_application->WindowManager().RunModal(about);
    return ZafEventType{0};
  });
  // Headless the toolkit alone would let it through; on the screen Qt blocks it.
  EXPECT_NE(Run("press AboutButton\ncheck ConsumerCPLMainWindow/ClickSound off\nexpect checked ConsumerCPLMainWindow/ClickSound no\n"),
            "");
  EXPECT_TRUE(ticked.events.empty());
}

// Message boxes and the file chooser are real Qt dialogs, answered by the
// script's user as the script armed them.
TEST_F(QtScript, TheScriptAnswersQtsMessageBoxesAndFileChooser) {
  Show("ConsumerCPLMainWindow");
  const std::string chosen = m_temp.Write("tool", "#!/bin/sh\n");
  std::vector<ZafMessageAnswer> answers;
  std::vector<std::string> paths;
  ZafAutomation::AddVerb("ask", [&](const std::vector<std::string>&) {
    answers.push_back(m_presenter->MessageBox("Question", "Go on?", ZafMessageButtons::kYesNo));
    return std::string{};
  });
  ZafAutomation::AddVerb("browse", [&](const std::vector<std::string>&) {
    std::string path = m_temp.Path();
    paths.push_back(m_presenter->ChooseOpenFile("Application to run", "All Files (*.*)|*.*", path) ? path : "-");
    return std::string{};
  });
  EXPECT_EQ(Run("answer cancel\nask\nask\nexpect message Question \"Go on?\"\nchoose " + chosen + "\nbrowse\nbrowse\n"), "");
  ZafAutomation::AddVerb("ask", nullptr);
  ZafAutomation::AddVerb("browse", nullptr);
  EXPECT_EQ(answers, (std::vector<ZafMessageAnswer>{ZafMessageAnswer::kNo, ZafMessageAnswer::kYes}));
  EXPECT_EQ(paths, (std::vector<std::string>{chosen, "-"}));
}

}  // namespace
