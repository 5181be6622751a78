// The calibration window on a second screen: frameless, covering that screen
// exactly, its capture control over all of it, the pointer hidden while the
// pen taps and shown again however the window closes; and the platform's
// monitor functions answered from Qt's screens.

#include <QCursor>
#include <algorithm>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include "platform/Monitors.h"
#include "qt/QtFixture.h"
#include "toolkit/ZafDialogWindow.h"
#include "toolkit/controls/CMouseCaptureWindow.h"

namespace {

// The calibration window as its class will be: it hears the pen's taps.
using CTapDialog = CEventLog<ZafDialogWindow>;

using QtScreens = QtFixture;

TEST_F(QtScreens, TheScreensAndTheMonitorFunctionsFollowQt) {
  ASSERT_EQ(QGuiApplication::screens().size(), 2);
  const std::vector<ZafScreen> screens = m_presenter->Screens();
  ASSERT_EQ(screens.size(), 2U);
  EXPECT_EQ(screens[1].bounds, ZafRegion::FromSize(1024, 0, 1280, 1024));
  EXPECT_EQ(std::count_if(screens.begin(), screens.end(), [](const ZafScreen& s) { return s.primary; }), 1);
  // The platform's monitor functions answer from the presenter's screens (the toolkit's test).
  EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 2);
}

TEST_F(QtScreens, AFramelessWindowCoversTheChosenScreenWithThePointerHidden) {
  m_persistence->SetWindowMaker("CalibrateScreen", [] { return std::make_unique<CTapDialog>(); });
  auto& calibrate = static_cast<CTapDialog&>(Load("CalibrateScreen"));
  ASSERT_TRUE(calibrate.Frameless());
  const ZafRegion second = m_presenter->Screens()[1].bounds;
  calibrate.SetRegion(second);
  m_application->WindowManager().Add(calibrate);
  Deliver();
  QWidget* top = m_presenter->WidgetFor(calibrate);
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top->screen(), QGuiApplication::screens()[1]);
  EXPECT_EQ(top->frameGeometry(), QRect(1024, 0, 1280, 1024)) << "a frame, or not the whole screen";
  EXPECT_EQ(top->geometry(), top->frameGeometry());

  // The capture control covers the window: a tap anywhere is the pen's.
  QWidget* capture = m_presenter->WidgetFor(Find<CMouseCaptureWindow>(calibrate, "CalibrateCapture"));
  ASSERT_NE(capture, nullptr);
  EXPECT_EQ(capture->geometry(), top->rect());
  QTest::mouseClick(capture, Qt::LeftButton, {}, QPoint(1200, 1000));
  ASSERT_EQ(calibrate.Of(kZafEventPenTap).size(), 1U);
  EXPECT_EQ(calibrate.Of(kZafEventPenTap)[0].data[0], 1200);
  EXPECT_EQ(calibrate.Of(kZafEventPenTap)[0].data[1], 1000);

  EXPECT_EQ(ShowCursor(FALSE), -1);
  EXPECT_EQ(top->cursor().shape(), Qt::BlankCursor);
  EXPECT_EQ(capture->cursor().shape(), Qt::BlankCursor) << "the capture control shows its own pointer";
  EXPECT_EQ(ShowCursor(TRUE), 0);
  EXPECT_EQ(capture->cursor().shape(), Qt::CrossCursor);

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

TEST_F(QtScreens, AFramelessWindowMovedFromCodeFollowsToTheOtherScreen) {
  ZafWindow window;
  window.SetFrameless(true);
  window.SetRegion(m_presenter->Screens()[0].bounds);
  m_application->WindowManager().Add(window);
  QWidget* top = m_presenter->WidgetFor(window);
  EXPECT_EQ(top->screen(), QGuiApplication::screens()[0]);
  window.SetRegion(m_presenter->Screens()[1].bounds);
  Deliver();
  EXPECT_EQ(top->screen(), QGuiApplication::screens()[1]);
  EXPECT_EQ(top->frameGeometry(), QRect(1024, 0, 1280, 1024));
  m_application->WindowManager().Subtract(window);
}

}  // namespace
