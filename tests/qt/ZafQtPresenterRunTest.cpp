// Running windows through Qt: modal runs in a nested loop that return their
// closing event, message boxes, timers waking the loop, screenshots.

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <filesystem>

#include "qt/QtFixture.h"
#include "support/CTempDir.h"
#include "toolkit/automation/ZafAutomation.h"
#include "toolkit/automation/ZafHeadlessPresenter.h"
#include "toolkit/automation/ZafScript.h"
#include "toolkit/qt/ZafQtStartup.h"

namespace {

using QtRun = QtFixture;

// Clicks the widget of an object once the loop runs (the modal run is then underway).
void ClickLater(ZafQtPresenter& presenter, ZafWindowObject& button) {
  QTimer::singleShot(0, [&presenter, &button] {
    auto* push = qobject_cast<QPushButton*>(presenter.WidgetFor(button));
    ASSERT_NE(push, nullptr);
    QTest::mouseClick(push, Qt::LeftButton);
  });
}

TEST_F(QtRun, AModalDialogClosedWithOkOrCancelAnswersThatEvent) {
  struct StCase {
    const char* button;
    ZafEventType closing;
  };
  for (const StCase& c :
       {StCase{"OkButton", kZafEventOk}, StCase{"CancelButton", kZafEventCancel}}) {
    ZafWindow& dialog = Load("KeystrokeDialog");
    ClickLater(*m_presenter, Find<ZafWindowObject>(dialog, c.button));
    EXPECT_EQ(m_application->WindowManager().RunModal(dialog), c.closing) << c.button;
    EXPECT_FALSE(m_presenter->Realized(dialog));
    EXPECT_EQ(m_application->WindowManager().ModalWindow(), nullptr);
  }
}

TEST_F(QtRun, EscapeInAModalDialogIsCancelThroughTheToolkit) {
  ZafWindow& dialog = Load("AboutDialog");
  QTimer::singleShot(0, [&] { QTest::keyClick(m_presenter->WidgetFor(dialog), Qt::Key_Escape); });
  EXPECT_EQ(m_application->WindowManager().RunModal(dialog), kZafEventCancel);
}

TEST_F(QtRun, ModalDialogsBlockTheWindowsBelow) {
  Show("ConsumerCPLMainWindow");
  ZafWindow& dialog = Load("AboutDialog");
  bool modal = false;
  QTimer::singleShot(0, [&] {
    modal = m_presenter->WidgetFor(dialog)->isModal();
    QTest::mouseClick(qobject_cast<QPushButton*>(
                          m_presenter->WidgetFor(Find<ZafWindowObject>(dialog, "OkButton"))),
                      Qt::LeftButton);
  });
  EXPECT_EQ(m_application->WindowManager().RunModal(dialog), kZafEventOk);
  EXPECT_TRUE(modal);
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
class CTickWindow : public ZafWindow {
 public:
  int ticks = 0;
  ZafEventType Event(const ZafEventStruct& event) override {
    if (event.type == kZafEventTimer) ++ticks;
    return ZafWindow::Event(event);
  }
};

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
  EXPECT_TRUE(m_application->EventManager().RunUntil([&] { return window.ticks >= 3 || gaveUp; }));
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - started);
  EXPECT_EQ(window.ticks, 3);
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

TEST_F(QtRun, TheScreenshotOnShowIsTakenOnceAndCanEndTheRun) {
  CTempDir temp;
  const std::string path = temp.Path() + "/shown.png";
  m_presenter->SetScreenshotOnShow(path, true);
  ZafWindow& main = Show("ConsumerCPLMainWindow");
  EXPECT_EQ(m_application->Control(), 0);
  EXPECT_FALSE(m_application->WindowManager().Contains(main));
  EXPECT_EQ(main.ClosingEvent(), kZafEventClose);
  EXPECT_FALSE(QImage(QString::fromStdString(path), "PNG").isNull());
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

// The run dialog's chooser offers programs, which have no extension here.
TEST_F(QtRun, AllFilesOffersFilesWithoutAnExtensionToo) {
  CTempDir temp;
  temp.Write("tablet-tool", "#!/bin/sh\n");
  temp.Write("notes.txt", "x");
  QStringList shown;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* model = dialog->findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    const QModelIndex folder = model->index(QString::fromStdString(temp.Path()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return model->rowCount(folder) >= 1; }, 5000));
    QTest::qWait(50);  // the rest of the folder
    for (int row = 0; row < model->rowCount(folder); ++row) {
      const QModelIndex entry = model->index(row, 0, folder);
      if (model->flags(entry).testFlag(Qt::ItemIsEnabled)) shown << model->fileName(entry);
    }
    dialog->reject();
  });
  std::string path = temp.Path() + "/";
  EXPECT_FALSE(m_presenter->ChooseOpenFile("Application to run", "All Files (*.*)|*.*", path));
  shown.sort();
  EXPECT_EQ(shown.join(", ").toStdString(), "notes.txt, tablet-tool");
}

TEST_F(QtRun, FileFiltersBecomeQtFilters) {
  // Programs here have no extension: "*.*" offers every file.
  EXPECT_EQ(ZafQtPresenter::QtFilter("Text files|*.txt|All files|*.*"), "Text files (*.txt);;All files (*)");
  EXPECT_EQ(ZafQtPresenter::QtFilter("All Files (*.*)|*.*"), "All Files (*.*) (*)");
  EXPECT_EQ(ZafQtPresenter::QtFilter("Pictures|*.png;*.bmp"), "Pictures (*.png *.bmp)");
  EXPECT_EQ(ZafQtPresenter::QtFilter("Images (*.png)"), "Images (*.png)");
}

TEST_F(QtRun, ScreensComeFromQt) {
  const std::vector<ZafScreen> screens = m_presenter->Screens();
  ASSERT_EQ(screens.size(), static_cast<std::size_t>(QGuiApplication::screens().size()));
  EXPECT_EQ(
      std::count_if(screens.begin(), screens.end(), [](const ZafScreen& s) { return s.primary; }),
      1);
  EXPECT_GT(screens.front().bounds.Width(), 0);
}

// Offscreen, nobody can answer a window: a run ends once its picture is taken,
// even with a timer ticking.
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

// Headless runs (scripts) draw their screenshots offscreen through Qt.
TEST(QtHeadlessScreenshot, TheScriptVerbSavesAPictureOfTheCurrentWindow) {
  ZafStorage storage;
  ASSERT_EQ(storage.Open(BuildBinDir() + "/Tablet.znc"), kStatusOk);
  CTempDir temp;
  const std::string path = temp.Path() + "/about.png";
  auto script = std::make_unique<ZafScript>();
  ASSERT_EQ(script->Parse("screenshot \"" + path + "\"\n"), kStatusOk);
  auto headless = std::make_unique<ZafHeadlessPresenter>();
  ZafHeadlessPresenter* presenter = headless.get();
  presenter->SetScript(std::move(script));
  ZafQtStartup::Install();
  {
    ZafApplication application(0, nullptr, std::move(headless));
    ZafObjectPersistence persistence(storage, &application.DataManager());
    std::unique_ptr<ZafWindow> about;
    ASSERT_EQ(persistence.ReadWindow("AboutDialog", about), kStatusOk);
    application.WindowManager().Add(*about);
    application.Control();
    EXPECT_FALSE(presenter->Automation()->Failed()) << presenter->Automation()->FailureText();
    application.WindowManager().Subtract(*about);
  }
  ZafApplication::InstallPresenterFactory(nullptr);
  ZafHeadlessPresenter::InstallScreenshotRenderer(nullptr);
  const QImage picture(QString::fromStdString(path), "PNG");
  ASSERT_FALSE(picture.isNull());
  EXPECT_GT(picture.width(), 100);
}

}  // namespace
