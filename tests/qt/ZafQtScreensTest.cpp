// The calibration window on a second screen: frameless, covering that screen
// exactly, its capture control over all of it, the pointer shown again however
// the window closes; and the platform's monitor functions answered from Qt's
// screens.

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include "platform/Monitors.h"
#include "qt/QtFixture.h"
#include "toolkit/controls/CMouseCaptureWindow.h"

namespace {

using QtScreens = QtFixture;

TEST_F(QtScreens, TheScreensAndTheMonitorFunctionsFollowQt) {
  const std::vector<ZafScreen> screens = m_presenter->Screens();
  ASSERT_EQ(screens.size(), 2U);
  EXPECT_EQ(screens[1].bounds, ZafRegion::FromSize(1024, 0, 1280, 1024));
  EXPECT_TRUE(screens[0].primary);
  EXPECT_FALSE(screens[1].primary);
  // The platform's monitor functions answer from the presenter's screens (the toolkit's test).
  EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 2);
}

// Taps and the pointer on the calibration window are the Qt calibration
// acceptance case; here its place on the screens and the pointer coming back.
TEST_F(QtScreens, AFramelessWindowCoversTheScreenItIsMovedToAndGivesThePointerBack) {
  ZafWindow& calibrate = Load("CalibrateScreen");
  ASSERT_TRUE(calibrate.Frameless());
  calibrate.SetRegion(m_presenter->Screens()[0].bounds);
  m_application->WindowManager().Add(calibrate);
  QWidget* top = m_presenter->WidgetFor(calibrate);
  EXPECT_EQ(top->screen(), QGuiApplication::screens()[0]);
  calibrate.SetRegion(m_presenter->Screens()[1].bounds);
  Deliver();
  EXPECT_EQ(top->screen(), QGuiApplication::screens()[1]);
  EXPECT_EQ(top->frameGeometry(), QRect(1024, 0, 1280, 1024)) << "a frame, or not the screen";
  EXPECT_EQ(top->geometry(), top->frameGeometry());
  QWidget* capture =
      m_presenter->WidgetFor(Find<CMouseCaptureWindow>(calibrate, "CalibrateCapture"));
  EXPECT_EQ(capture->geometry(), top->rect()) << "a tap anywhere is the pen's";

  // Closed from the keyboard with the pointer hidden: it comes back.
  EXPECT_EQ(ShowCursor(FALSE), -1);
  QTest::keyClick(top, Qt::Key_Escape);
  Deliver();
  EXPECT_FALSE(m_application->WindowManager().Contains(calibrate));
  EXPECT_FALSE(calibrate.PointerHidden());
  m_application->WindowManager().Add(calibrate);
  Deliver();
  EXPECT_NE(m_presenter->WidgetFor(calibrate)->cursor().shape(), Qt::BlankCursor);
  m_application->WindowManager().Subtract(calibrate);
}

}  // namespace
