// Running windows through Qt: modal runs in a nested loop that return their
// closing event, message boxes, timers waking the loop, screenshots.

#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>

#include "qt/QtFixture.h"
#include "support/CTempDir.h"
#include "toolkit/qt/ZafQtStartup.h"

namespace {

using QtRun = QtFixture;

// Each dialog is closed once its modal run is underway: with a button, or
// with Escape, which is Cancel through the toolkit.
TEST_F(QtRun, AModalDialogBlocksTheWindowsBelowAndAnswersTheEventThatClosedIt) {
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
    bool modal = false;
    QTimer::singleShot(0, [&] {
      modal = m_presenter->WidgetFor(dialog)->isModal();
      if (c.button == nullptr) return QTest::keyClick(m_presenter->WidgetFor(dialog), Qt::Key_Escape);
      QTest::mouseClick(WidgetOf<QPushButton>(Find<ZafWindowObject>(dialog, c.button)), Qt::LeftButton);
    });
    EXPECT_EQ(m_application->WindowManager().RunModal(dialog), c.closing) << c.button;
    EXPECT_TRUE(modal) << c.dialog;
    EXPECT_FALSE(m_presenter->Realized(dialog));
    EXPECT_EQ(m_application->WindowManager().ModalWindow(), nullptr);
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

// A window that counts its timer's ticks.
using CTickWindow = CEventLog<>;

TEST_F(QtRun, AToolkitTimerWakesTheLoopOnTime) {
  CTickWindow window;
  window.SetRegion(ZafRegion::FromSize(0, 0, 100, 50));
  m_application->WindowManager().Add(window);
  ZafTimer* timer = m_application->EventManager().AddTimer(std::make_unique<ZafTimer>(40, &window));
  // Should nothing wake the loop, this ends the wait so the test fails instead of hanging.
  bool gaveUp = false;
  // Tied to this test: a later test's loop must not reach its gone locals.
  QObject scope;
  QTimer::singleShot(3000, &scope, [&] { gaveUp = true; });
  const auto started = std::chrono::steady_clock::now();
  EXPECT_TRUE(m_application->EventManager().RunUntil([&] { return window.Of(kZafEventTimer).size() >= 3 || gaveUp; }));
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - started);
  EXPECT_EQ(window.Of(kZafEventTimer).size(), 3U);
  EXPECT_GE(elapsed.count(), 110) << "ticks came early";
  EXPECT_LT(elapsed.count(), 1000) << "the loop slept past its timers";
  m_application->EventManager().RemoveTimer(timer);
  m_application->WindowManager().Subtract(window);
}

TEST_F(QtRun, AScreenshotOfTheMainWindowIsAPngOfItsSize) {
  ZafWindow& main = Show("ConsumerCPLMainWindow");
  CTempDir temp;
  const std::string path = temp.Path() + "/main.png";
  ASSERT_EQ(m_presenter->Screenshot(main, path), kStatusOk);
  QImage picture(QString::fromStdString(path), "PNG");
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.width(), main.Region().Width());
  EXPECT_EQ(picture.height(), main.Region().Height());
  // Something is drawn: not one flat colour.
  QList<QRgb> colours;
  for (int y = 0; y < picture.height() && colours.size() < 3; y += 7) {
    for (int x = 0; x < picture.width() && colours.size() < 3; x += 7) {
      if (!colours.contains(picture.pixel(x, y))) colours.push_back(picture.pixel(x, y));
    }
  }
  EXPECT_GE(colours.size(), 3);
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
  EXPECT_EQ(ZafQtPresenter::QtFilter("Text files|*.txt|All files|*.*"), "Text files (*.txt);;All files (*)");
  EXPECT_EQ(ZafQtPresenter::QtFilter("All Files (*.*)|*.*"), "All Files (*.*) (*)");
  EXPECT_EQ(ZafQtPresenter::QtFilter("Pictures|*.png;*.bmp"), "Pictures (*.png *.bmp)");
  EXPECT_EQ(ZafQtPresenter::QtFilter("Images (*.png)"), "Images (*.png)");
}

// Offscreen, nobody can answer a window: a run ends once its picture is taken,
// even with a timer ticking. (Pictures of headless script runs, drawn through
// Qt too, are the acceptance cases' screenshots.)
TEST(QtOffscreenRun, EndsByItselfOnceThePictureIsTaken) {
  for (const bool picture : {false, true}) {
    auto presenter = std::make_unique<ZafQtPresenter>(ZafQtShow::kOffscreen);
    CTempDir temp;
    const std::string path = temp.Path() + "/run.png";
    if (picture) presenter->SetScreenshotOnShow(path, true);
    ZafApplication application(0, nullptr, std::move(presenter));
    CTickWindow window;
    window.SetRegion(ZafRegion::FromSize(0, 0, 120, 60));
    application.WindowManager().Add(window);
    ZafTimer* timer = application.EventManager().AddTimer(std::make_unique<ZafTimer>(20, &window));
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(application.Control(), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1)) << picture;
    EXPECT_EQ(application.WindowManager().Contains(window), !picture)
        << "closed only after a picture";
    EXPECT_EQ(QImage(QString::fromStdString(path), "PNG").isNull(), !picture);
    application.EventManager().RemoveTimer(timer);
    application.WindowManager().Subtract(window);
  }
}

}  // namespace
