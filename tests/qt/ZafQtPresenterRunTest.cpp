// Running windows through Qt: modal runs in a nested loop that return their
// closing event, message boxes, timers waking the loop, screenshots; and
// scripts that click, type and move the real widgets, where a check fails
// when the screen shows other than the toolkit holds, so that what only Qt
// gets wrong fails the script.

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTest>
#include <QTimer>
#include <chrono>

#include "qt/QtFixture.h"
#include "support/CTempDir.h"
#include "toolkit/automation/ZafAutomation.h"
#include "toolkit/controls/ZafButton.h"
#include "toolkit/controls/ZafString.h"

namespace {

using QtRun = QtFixture;

// Each dialog is closed once its modal run is underway: with a button, or
// with Escape, which is Cancel through the toolkit.
// (That it blocks the windows below is the scripts' test further down.)
TEST_F(QtRun, AModalDialogAnswersTheEventThatClosedIt) {
  Show("ConsumerCPLMainWindow");
  struct StCase {
    const char* dialog;
    const char* button;
    ZafEventType closing;
  };
  for (const StCase& c : {StCase{"KeystrokeDialog", "OkButton", kZafEventOk},
                          StCase{"KeystrokeDialog", "CancelButton", kZafEventCancel},
                          StCase{"AboutDialog", nullptr, kZafEventCancel}}) {
    ZafWindow& dialog = Load(c.dialog);
    QTimer::singleShot(0, [&] {
      if (c.button == nullptr)
        return QTest::keyClick(m_presenter->WidgetFor(dialog), Qt::Key_Escape);
      QTest::mouseClick(WidgetOf<QPushButton>(Find<ZafWindowObject>(dialog, c.button)),
                        Qt::LeftButton);
    });
    EXPECT_EQ(m_application->WindowManager().RunModal(dialog), c.closing) << c.button;
    EXPECT_FALSE(m_presenter->Realized(dialog));
  }
}

TEST_F(QtRun, MessageBoxesAnswerWithTheButtonPressed) {
  struct StCase {
    ZafMessageButtons buttons;
    QMessageBox::StandardButton press;
    ZafMessageAnswer answer;
  };
  const StCase cases[] = {
      {ZafMessageButtons::kOk, QMessageBox::Ok, ZafMessageAnswer::kOk},
      {ZafMessageButtons::kOkCancel, QMessageBox::Cancel, ZafMessageAnswer::kCancel},
      {ZafMessageButtons::kYesNo, QMessageBox::No, ZafMessageAnswer::kNo},
      {ZafMessageButtons::kYesNoCancel, QMessageBox::Yes, ZafMessageAnswer::kYes},
      {ZafMessageButtons::kRetryCancel, QMessageBox::Retry, ZafMessageAnswer::kRetry},
  };
  for (const StCase& c : cases) {
    QString title;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      title = box->windowTitle();
      box->button(c.press)->click();
    });
    EXPECT_EQ(m_presenter->MessageBox("Tablet", "Something happened", c.buttons), c.answer);
    EXPECT_EQ(title, "Tablet");
  }
}

TEST_F(QtRun, AToolkitTimerWakesTheLoopOnTime) {
  CEventLog<> window;  // counts its timer's ticks
  window.SetRegion(ZafRegion::FromSize(0, 0, 100, 50));
  m_application->WindowManager().Add(window);
  ZafTimer* timer = m_application->EventManager().AddTimer(std::make_unique<ZafTimer>(40, &window));
  // Should nothing wake the loop, this ends the wait so the test fails instead of hanging.
  bool gaveUp = false;
  // Tied to this test: a later test's loop must not reach its gone locals.
  QObject scope;
  QTimer::singleShot(3000, &scope, [&] { gaveUp = true; });
  const auto started = std::chrono::steady_clock::now();
  EXPECT_TRUE(m_application->EventManager().RunUntil(
      [&] { return window.Of(kZafEventTimer).size() >= 3 || gaveUp; }));
  const auto elapsed = std::chrono::steady_clock::now() - started;
  EXPECT_EQ(window.Of(kZafEventTimer).size(), 3U);
  EXPECT_GE(elapsed, std::chrono::milliseconds(110)) << "ticks came early";
  EXPECT_LT(elapsed, std::chrono::seconds(1)) << "the loop slept past its timers";
  m_application->EventManager().RemoveTimer(timer);
  m_application->WindowManager().Subtract(window);
}

TEST_F(QtRun, AScreenshotOfTheMainWindowIsAPngOfItsSize) {
  ZafWindow& main = Show("ConsumerCPLMainWindow");
  CTempDir temp;
  const std::string path = temp.Path() + "/main.png";
  ASSERT_EQ(m_presenter->Screenshot(main, path), kStatusOk);
  QImage picture(QString::fromStdString(path), "PNG");
  EXPECT_EQ(picture.size(), QSize(main.Region().Width(), main.Region().Height()));
  EXPECT_EQ(m_presenter->Screenshot(main, temp.Path() + "/no/such/folder/x.png"),
            kStatusWriteFailed);
  ZafWindow& hidden = Load("AboutDialog");
  EXPECT_EQ(m_presenter->Screenshot(hidden, temp.Path() + "/about.png"), kStatusNoItem);
}

TEST_F(QtRun, TheFileChooserAnswersTheChosenFileOrNothing) {
  CTempDir temp;
  const std::string chosen = temp.Write("manual.pdf", "%PDF");
  for (const bool accept : {true, false}) {
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->windowTitle(), "Find the manual");
      if (!accept) return dialog->reject();
      dialog->selectFile(QString::fromStdString(chosen));
      QMetaObject::invokeMethod(dialog, "accept");
    });
    std::string path = temp.Path();
    EXPECT_EQ(m_presenter->ChooseOpenFile("Find the manual", "Documents|*.pdf", path), accept);
    EXPECT_EQ(path, accept ? chosen : temp.Path());
  }
}

TEST_F(QtRun, FileFiltersBecomeQtFilters) {
  // Programs here have no extension: "*.*" offers every file (the run dialog's chooser).
  EXPECT_EQ(ZafQtPresenter::QtFilter("Text files|*.txt|All files|*.*"),
            "Text files (*.txt);;All files (*)");
  EXPECT_EQ(ZafQtPresenter::QtFilter("All Files (*.*)|*.*"), "All Files (*.*) (*)");
  EXPECT_EQ(ZafQtPresenter::QtFilter("Pictures|*.png;*.bmp"), "Pictures (*.png *.bmp)");
  EXPECT_EQ(ZafQtPresenter::QtFilter("Images (*.png)"), "Images (*.png)");
}

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
    return automation->Failed() ? automation->FailureText()
                                : (automation->Done() ? "" : "stopped early: " + err);
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
  EXPECT_NE(failure.find("the toolkit holds yes but the screen shows no"), std::string::npos)
      << failure;
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
  EXPECT_NE(Run("press AboutButton\ncheck ConsumerCPLMainWindow/ClickSound off\nexpect checked "
                "ConsumerCPLMainWindow/ClickSound no\n"),
            "");
  EXPECT_TRUE(ticked.events.empty());
}

// The file chooser is a real Qt dialog, answered by the script's user as the
// script armed it: the armed file once, then nothing. (Message boxes answered
// by scripts are the acceptance cases run with Qt.)
TEST_F(QtScript, TheScriptAnswersQtsFileChooser) {
  Show("ConsumerCPLMainWindow");
  const std::string chosen = m_temp.Write("tool", "#!/bin/sh\n");
  std::vector<std::string> paths;
  ZafAutomation::AddVerb("browse", [&](const std::vector<std::string>&) {
    std::string path = m_temp.Path();
    const bool taken = m_presenter->ChooseOpenFile("Application to run", "All Files|*", path);
    paths.push_back(taken ? path : "-");
    return std::string{};
  });
  EXPECT_EQ(Run("choose " + chosen + "\nbrowse\nbrowse\n"), "");
  ZafAutomation::AddVerb("browse", nullptr);
  EXPECT_EQ(paths, (std::vector<std::string>{chosen, "-"}));
}

}  // namespace
