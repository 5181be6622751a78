// Tools and tablets that leave the driver while the window is open: the next
// refreshes must not reach what the model deleted, and the tab views move to
// what is left.
#include <gtest/gtest.h>

#include <array>

#include "CUpperViewFixture.h"

namespace {

constexpr std::uint16_t kCodeTablet = 2;
constexpr std::uint16_t kCodeTool = 4;
constexpr std::uint16_t kCodePresent = 172;

// The tool number (or tablet number) a model object stands for.
std::uint32_t NumberOf(const CDataGrouping* grouping) {
  return grouping != nullptr ? grouping->GetKey().LastLevel().index : 0xFFFFFFFFU;
}

class CUpperViewRemovalTest : public CUpperViewFixture {
 protected:
  CDriverModel& Model() { return m_driver->Service().Model(); }

  // What the service does when a tool is taken off the tablet for good.
  void DetachTool(std::uint32_t tablet, std::uint32_t tool) {
    const std::array<StObjectKey, 3> path{{{0, kCodeTablet, tablet}, {0, kCodeTool, tool}, {0, kCodePresent, 0}}};
    const std::array<std::uint8_t, 1> gone{0};
    ASSERT_EQ(Model().Set(path, gone), kStatusOk);
  }
  void DetachTablet(std::uint32_t tablet) {
    const std::array<StObjectKey, 2> path{{{0, kCodeTablet, tablet}, {0, kCodePresent, 0}}};
    const std::array<std::uint8_t, 1> gone{0};
    ASSERT_EQ(Model().Set(path, gone), kStatusOk);
  }
  std::uint16_t AttachTool(std::uint32_t tablet, std::uint16_t type, std::uint32_t serial) {
    std::uint16_t number = 0;
    EXPECT_EQ(Model().AttachTool(tablet, type, serial, number), kStatusOk);
    return number;
  }

  CSuperView* TabView(std::uint32_t controlId) const { return m_view->GetOwnedView(controlId); }

  // The current tab view is bound to the current tool, and that is a tool
  // the tablet still has.
  void ExpectTabViewOn(std::uint32_t tabViewId, std::uint32_t toolNumber) {
    ASSERT_EQ(m_view->GetCurrentTabView(), TabView(tabViewId));
    EXPECT_EQ(TabView(tabViewId)->GetData(), m_view->GetCurrentTool());
    EXPECT_EQ(NumberOf(m_view->GetCurrentTool()), toolNumber);
    EXPECT_GT(BoundItems(m_view->GetCurrentTabView()), 0U);
  }
};

// The default tablet: tool 0 a pen (type 2, serial 0x1234), tool 1 a puck.
TEST_F(CUpperViewRemovalTest, PenDetachedMovesTheTabToThePuck) {
  ASSERT_NO_FATAL_FAILURE(StartAttached());
  DetachTool(0, 0);
  m_translator->Clear();
  Refresh(3);

  EXPECT_EQ(m_view->GetFirstStylus(), nullptr);
  EXPECT_TRUE(Saw(ControlId::kStylusTab, kControlHide));
  EXPECT_TRUE(Saw(ControlId::kPuckTab, kControlRedisplay)) << "the puck's tab is selected";
  ExpectTabViewOn(ControlId::kPuckView, 1);
  EXPECT_EQ(BoundItems(TabView(ControlId::kStylusView)), 0U);
}

TEST_F(CUpperViewRemovalTest, PuckDetachedWhileItsTabIsOpenMovesToThePen) {
  ASSERT_NO_FATAL_FAILURE(StartAttached());
  ASSERT_EQ(SelectTab(ControlId::kPuckTab), kStatusHandled);
  DetachTool(0, 1);
  m_translator->Clear();
  Refresh(3);

  EXPECT_EQ(m_view->GetFirstPuck(), nullptr);
  EXPECT_TRUE(Saw(ControlId::kPuckTab, kControlHide));
  ExpectTabViewOn(ControlId::kStylusView, 0);
}

// Another pen takes over the tab; the tool count stays the same when a new
// tool arrives in the same interval in which the old one leaves.
TEST_F(CUpperViewRemovalTest, AnotherPenTakesOverWhenTheCountStaysTheSame) {
  ASSERT_NO_FATAL_FAILURE(StartAttached());
  const std::uint16_t second = AttachTool(0, 2, 0x9999);
  DetachTool(0, 0);
  Refresh(3);

  EXPECT_EQ(NumberOf(m_view->GetFirstStylus()), second);
  ExpectTabViewOn(ControlId::kStylusView, second);
  EXPECT_FALSE(Saw(ControlId::kStylusTab, kControlHide));
}

// Two tool numbers of one pen form one group; the first leaving keeps the
// group, whose remaining tool becomes the pen.
TEST_F(CUpperViewRemovalTest, FirstToolNumberOfAGroupLeaves) {
  ASSERT_NO_FATAL_FAILURE(StartAttached());
  const std::uint16_t sameTool = AttachTool(0, 2, 0x1234);
  Refresh();
  ASSERT_EQ(NumberOf(m_view->GetFirstStylus()), 0U);
  DetachTool(0, 0);
  Refresh(3);

  EXPECT_EQ(NumberOf(m_view->GetFirstStylus()), sameTool);
  ExpectTabViewOn(ControlId::kStylusView, sameTool);
}

// Every tool gone: both tabs hidden, no tab view bound, requests still answered.
TEST_F(CUpperViewRemovalTest, LastToolsLeaveAndComeBack) {
  ASSERT_NO_FATAL_FAILURE(StartAttached());
  DetachTool(0, 0);
  DetachTool(0, 1);
  Refresh(3);
  EXPECT_TRUE(Saw(ControlId::kStylusTab, kControlHide));
  EXPECT_TRUE(Saw(ControlId::kPuckTab, kControlHide));
  EXPECT_EQ(BoundItems(TabView(ControlId::kStylusView)), 0U);
  EXPECT_EQ(BoundItems(TabView(ControlId::kPuckView)), 0U);
  std::uint32_t sound = 0;
  ViewRequest get{kViewGet, ControlId::kClickSound, &sound};
  EXPECT_EQ(m_view->Dispatch(get), kStatusHandled);

  const std::uint16_t pen = AttachTool(0, 2, 0x4242);
  m_translator->Clear();
  Refresh();
  EXPECT_TRUE(Saw(ControlId::kStylusTab, kControlShow));
  ExpectTabViewOn(ControlId::kStylusView, pen);
}

TEST_F(CUpperViewRemovalTest, TabletDetachedMovesToTheOtherTablet) {
  ASSERT_NO_FATAL_FAILURE(StartAttached("two-tablets.json"));
  const std::uint32_t first = NumberOf(m_view->GetTablet());
  DetachTablet(first);
  Refresh(3);

  ASSERT_NE(m_view->GetTablet(), nullptr);
  EXPECT_NE(NumberOf(m_view->GetTablet()), first);
  EXPECT_EQ(m_view->GetFirstStylus()->GetKey().GetLevel(0).index, NumberOf(m_view->GetTablet()));
  ExpectTabViewOn(ControlId::kStylusView, NumberOf(m_view->GetFirstStylus()));
  EXPECT_GT(BoundItems(TabView(ControlId::kDriverOnGroup)), 0U);
}

TEST_F(CUpperViewRemovalTest, OnlyTabletDetachedWhileTheTabletTabIsOpen) {
  ASSERT_NO_FATAL_FAILURE(StartAttached());
  ASSERT_EQ(SelectTab(ControlId::kTabletTab), kStatusHandled);
  DetachTablet(0);
  m_translator->Clear();
  Refresh(3);

  EXPECT_EQ(m_view->GetTablet(), nullptr);
  EXPECT_EQ(m_view->GetFirstStylus(), nullptr);
  EXPECT_TRUE(Saw(ControlId::kStylusTab, kControlHide));
  EXPECT_TRUE(Saw(ControlId::kPuckTab, kControlHide));
  EXPECT_EQ(BoundItems(m_view->GetCurrentTabView()), 0U);
  EXPECT_EQ(BoundItems(TabView(ControlId::kDriverOnGroup)), 0U);
  std::uint16_t model = 0;
  ViewRequest get{kViewGet, ControlId::kTabletModel, &model};
  EXPECT_NE(m_view->Dispatch(get), kStatusHandled) << "no tablet, no model";
  // A tab the user still clicks binds to nothing.
  EXPECT_EQ(SelectTab(ControlId::kPuckTab), kStatusHandled);
  EXPECT_EQ(BoundItems(m_view->GetCurrentTabView()), 0U);
}

}  // namespace
