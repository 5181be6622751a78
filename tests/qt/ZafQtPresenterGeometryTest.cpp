// A window's place both ways: the user moving or resizing it on the screen
// reaches its region (so that what it saves is where the user left it), and
// a region set from code moves and resizes it there.

#include <QTest>
#include <QWidget>

#include "qt/QtFixture.h"

namespace {

using QtGeometry = QtFixture;

TEST_F(QtGeometry, AUserMoveReachesTheRegionAndARegionFromCodeMovesTheWindow) {
  ZafWindow& main = Show("ConsumerCPLMainWindow");
  QWidget* top = m_presenter->WidgetFor(main);
  ASSERT_NE(top, nullptr);
  const ZafRegion stored = main.Region();
  EXPECT_EQ(top->pos(), QPoint(stored.left, stored.top));

  top->move(300, 60);  // as the window system reports a drag of the frame
  Deliver();
  EXPECT_EQ(main.Region(), ZafRegion::FromSize(300, 60, stored.Width(), stored.Height()));

  main.SetRegion(ZafRegion::FromSize(40, 30, stored.Width(), stored.Height()));
  Deliver();
  EXPECT_EQ(top->pos(), QPoint(40, 30));
  EXPECT_EQ(main.Region().left, 40) << "the move the window system reported came back changed";
}

TEST_F(QtGeometry, ASizeableWindowIsResizedBothWaysAndAFixedOneKeepsItsSize) {
  ZafWindow window;
  window.SetSizeable(true);
  window.SetRegion(ZafRegion::FromSize(10, 10, 200, 100));
  m_application->WindowManager().Add(window);
  QWidget* top = m_presenter->WidgetFor(window);
  top->resize(320, 240);
  Deliver();
  EXPECT_EQ(window.Region(), ZafRegion::FromSize(10, 10, 320, 240));
  window.SetRegion(ZafRegion::FromSize(10, 10, 150, 90));
  Deliver();
  EXPECT_EQ(top->size(), QSize(150, 90));

  window.SetSizeable(false);
  window.SetRegion(ZafRegion::FromSize(10, 10, 160, 80));
  Deliver();
  top->resize(400, 400);
  Deliver();
  EXPECT_EQ(top->size(), QSize(160, 80)) << "a window that is not sizeable took another size";
  EXPECT_EQ(window.Region().Width(), 160);
  m_application->WindowManager().Subtract(window);
}

}  // namespace
