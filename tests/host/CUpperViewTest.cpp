// The root of the main window's views against the real tablet service: what
// it opens on, the requests it answers, the pen a script moves, and tools and
// tablets that leave the driver while the window is open (the next refreshes
// must not reach what the model deleted; the tab views move to what is left).
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CUpperViewFixture.h"
#include "host/applet/AutomationPenVerb.h"
#include "model/ModelCodes.h"

namespace {

using CUpperViewTest = CUpperViewFixture;

constexpr std::uint32_t kNewTool = 0xFFFF;

// It opens on the stylus with the help button, and a second Refresh with
// nothing changed asks the window for nothing.
TEST_F(CUpperViewTest, AttachChoosesTheTabletAndOpensOnTheStylus) {
  ASSERT_NO_FATAL_FAILURE(StartAttached());
  ASSERT_NE(m_view->GetFirstStylus(), nullptr);
  EXPECT_EQ(m_view->GetCurrentTool(), m_view->GetFirstStylus());
  EXPECT_EQ(m_view->GetCurrentTabView(), m_view->GetOwnedView(ControlId::kStylusView));
  EXPECT_TRUE(Saw(ControlId::kHelpButton, kControlShow));
  Refresh();
  m_translator->Clear();
  Refresh();
  EXPECT_TRUE(m_translator->Changes().empty());
}

// An unaddressed model request is answered with the tablet's model; the
// tablet list names each entry by the model of the tablet it stands for.
TEST_F(CUpperViewTest, ModelRequestsAnswerTheTabletAskedFor) {
  ASSERT_NO_FATAL_FAILURE(StartAttached("two-tablets.json"));
  std::uint16_t current = 0;
  ViewRequest plain{kViewGet, ControlId::kTabletModel, &current};
  EXPECT_EQ(m_view->Dispatch(plain), kStatusHandled);
  EXPECT_EQ(current, 130);
  char buffer[256] = {};
  StTabletModelQuery query;
  query.key = 1;
  std::memcpy(buffer, &query, sizeof query);
  ViewRequest other{kViewGet, ControlId::kTabletModel, buffer};
  EXPECT_EQ(m_view->Dispatch(other), kStatusHandled);
  std::uint16_t answered = 0;
  std::memcpy(&answered, buffer, sizeof answered);
  EXPECT_EQ(answered, 150) << "the other tablet";
  StTabletModelQuery nowhere;
  nowhere.key = 7;
  ViewRequest get{kViewGet, ControlId::kTabletModel, &nowhere};
  EXPECT_NE(m_view->Dispatch(get), kStatusHandled) << "no tablet has that key";
}

TEST_F(CUpperViewTest, RootStackTakesEveryRequest) {
  ASSERT_NO_FATAL_FAILURE(StartAttached());
  CItemView dialogItem(4242, 0);
  m_view->PushRoot(&dialogItem);
  std::uint32_t sound = 0;
  ViewRequest get{kViewGet, ControlId::kClickSound, &sound};
  EXPECT_EQ(m_view->Dispatch(get), kStatusOk) << "the click sound is not in the dialog";
  m_view->PopRoot();
  m_view->PopRoot();  // an empty stack stays empty
  EXPECT_EQ(m_view->RootCount(), 0U);
  EXPECT_EQ(m_view->Dispatch(get), kStatusHandled);
}

TEST_F(CUpperViewTest, PuckOnlyTabletHasNoStylusTab) {
  Start("puck-only.json");
  EXPECT_EQ(m_view->Attach(m_driverObject.get(), -1), kStatusUnknown);
  EXPECT_TRUE(Saw(ControlId::kStylusTab, kControlHide));
  EXPECT_EQ(m_view->GetFirstStylus(), nullptr);
  EXPECT_NE(m_view->GetFirstPuck(), nullptr);
}

// The pen a script moves is what the tablet service then reports to anyone.
TEST_F(CUpperViewTest, AScriptsPenReachesTheServiceAndLeavesProximity) {
  Start();
  EXPECT_EQ(MovePen(*m_driverObject, {"pen", "1000", "2000", "300"}), "");
  CDriverObject reader;
  ASSERT_EQ(reader.SetKey(CDataKey()), kStatusOk);
  CDataGrouping* tablet = reader.GetSubGroup(0, 0);
  ASSERT_NE(tablet, nullptr);
  const auto read = [&](ItemId id) {
    CDriverData* item = nullptr;
    std::uint32_t value = 0;
    EXPECT_EQ(tablet->GetItem(id, item), kStatusOk);
    bool changed = false;
    EXPECT_EQ(item->Refresh(changed, &reader), kStatusOk);
    EXPECT_EQ(item->Get(&value), kStatusOk);
    return value;
  };
  EXPECT_EQ(read(149), 1000U);
  EXPECT_EQ(read(150), 2000U);
  EXPECT_EQ(read(152) & 0xFFFF, 300U);
  EXPECT_EQ(read(148) & 0xFFFF, 1U);
  EXPECT_EQ(MovePen(*m_driverObject, {"pen", "away"}), "");
  EXPECT_EQ(read(148) & 0xFFFF, 0U);
  for (const std::vector<std::string>& bad : {std::vector<std::string>{"pen"}, {"pen", "1"}, {"pen", "x", "2"}, {"pen", "1", "2", "3", "4"}}) {
    EXPECT_EQ(MovePen(*m_driverObject, bad), "pen: X Y [PRESSURE], or away") << bad.size();
  }
}


// The tool number (or tablet number) a model object stands for.
std::uint32_t NumberOf(const CDataGrouping* grouping) {
  return grouping != nullptr ? grouping->GetKey().LastLevel().index : 0xFFFFFFFFU;
}

// The default tablet: tool 0 a pen (type 2, serial 0x1234), tool 1 a puck.
struct StRemoval {
  const char* name;
  std::uint32_t openTab;       // the tab open when it happens (0: the stylus's)
  std::uint32_t arrivingSerial;  // a pen that arrives first (0: none)
  bool refreshBetween;         // the window sees it before the pen leaves
  std::int32_t leaving;        // the tool that leaves
  std::uint32_t tabView;       // the tab view then open
  std::uint32_t tool;          // and the tool it shows (kNewTool: the pen that arrived)
  std::uint32_t hiddenTab;     // the tab hidden (0: none)
};

class CUpperViewRemovalTest : public CUpperViewFixture,
                              public ::testing::WithParamInterface<StRemoval> {
 protected:
  CDriverModel& Model() { return m_driver->Service().Model(); }

  // What the service does when a tool (with no tool: the tablet) leaves for good.
  void Leaves(std::uint32_t tablet, std::int32_t tool = -1) {
    std::vector<StObjectKey> path{{0, kCodeTablet, tablet}};
    if (tool >= 0) path.push_back({0, kCodeTool, static_cast<std::uint32_t>(tool)});
    path.push_back({0, kCodePresentFlag, 0});
    ASSERT_EQ(Model().Set(path, std::vector<std::uint8_t>{0}), kStatusOk);
  }
  std::uint16_t AttachPen(std::uint32_t serial) {
    std::uint16_t number = 0;
    EXPECT_EQ(Model().AttachTool(0, 2, serial, number), kStatusOk);
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

TEST_P(CUpperViewRemovalTest, TheTabMovesToAToolThatIsLeft) {
  const StRemoval& c = GetParam();
  ASSERT_NO_FATAL_FAILURE(StartAttached());
  if (c.openTab != 0) {
    ASSERT_EQ(SelectTab(c.openTab), kStatusHandled);
  }
  const std::uint32_t arrived = c.arrivingSerial != 0 ? AttachPen(c.arrivingSerial) : kNewTool;
  if (c.refreshBetween) Refresh();
  Leaves(0, c.leaving);
  m_translator->Clear();
  Refresh(3);

  ExpectTabViewOn(c.tabView, c.tool == kNewTool ? arrived : c.tool);
  if (c.hiddenTab != 0) {
    EXPECT_TRUE(Saw(c.hiddenTab, kControlHide));
  }
  const bool penStays = c.hiddenTab != ControlId::kStylusTab;
  EXPECT_FALSE(Saw(penStays ? ControlId::kStylusTab : ControlId::kPuckTab, kControlHide));
  if (c.tabView == ControlId::kPuckView) {
    EXPECT_TRUE(Saw(ControlId::kPuckTab, kControlRedisplay)) << "the puck's tab is selected";
    EXPECT_EQ(BoundItems(TabView(ControlId::kStylusView)), 0U);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Tools, CUpperViewRemovalTest,
    ::testing::ValuesIn(std::vector<StRemoval>{
        {"PenLeaves", 0, 0, false, 0, ControlId::kPuckView, 1, ControlId::kStylusTab},
        {"PuckLeavesWhileItsTabIsOpen", ControlId::kPuckTab, 0, false, 1, ControlId::kStylusView, 0,
         ControlId::kPuckTab},
        // The tool count stays the same: one arrives in the interval the other leaves in.
        {"AnotherPenTakesOver", 0, 0x9999, false, 0, ControlId::kStylusView, kNewTool, 0},
        // Two tool numbers of one pen form one group, which outlives the first.
        {"FirstNumberOfAGroupLeaves", 0, 0x1234, true, 0, ControlId::kStylusView, kNewTool, 0},
    }),
    [](const ::testing::TestParamInfo<StRemoval>& row) { return std::string(row.param.name); });

using CUpperViewLossTest = CUpperViewRemovalTest;

// Every tool gone: both tabs hidden, no tab view bound, requests still answered.
TEST_F(CUpperViewLossTest, LastToolsLeaveAndComeBack) {
  ASSERT_NO_FATAL_FAILURE(StartAttached());
  Leaves(0, 0);
  Leaves(0, 1);
  Refresh(3);
  EXPECT_TRUE(Saw(ControlId::kStylusTab, kControlHide));
  EXPECT_TRUE(Saw(ControlId::kPuckTab, kControlHide));
  EXPECT_EQ(BoundItems(TabView(ControlId::kStylusView)), 0U);
  std::uint32_t sound = 0;
  ViewRequest get{kViewGet, ControlId::kClickSound, &sound};
  EXPECT_EQ(m_view->Dispatch(get), kStatusHandled);

  const std::uint16_t pen = AttachPen(0x4242);
  m_translator->Clear();
  Refresh();
  EXPECT_TRUE(Saw(ControlId::kStylusTab, kControlShow));
  ExpectTabViewOn(ControlId::kStylusView, pen);
}

TEST_F(CUpperViewLossTest, TabletDetachedMovesToTheOtherTablet) {
  ASSERT_NO_FATAL_FAILURE(StartAttached("two-tablets.json"));
  const std::uint32_t first = NumberOf(m_view->GetTablet());
  Leaves(first);
  Refresh(3);

  ASSERT_NE(m_view->GetTablet(), nullptr);
  EXPECT_NE(NumberOf(m_view->GetTablet()), first);
  EXPECT_EQ(m_view->GetFirstStylus()->GetKey().GetLevel(0).index, NumberOf(m_view->GetTablet()));
  ExpectTabViewOn(ControlId::kStylusView, NumberOf(m_view->GetFirstStylus()));
  EXPECT_GT(BoundItems(TabView(ControlId::kDriverOnGroup)), 0U);
}

TEST_F(CUpperViewLossTest, OnlyTabletDetachedWhileTheTabletTabIsOpen) {
  ASSERT_NO_FATAL_FAILURE(StartAttached());
  ASSERT_EQ(SelectTab(ControlId::kTabletTab), kStatusHandled);
  Leaves(0);
  Refresh(3);

  EXPECT_EQ(m_view->GetTablet(), nullptr);
  EXPECT_TRUE(Saw(ControlId::kStylusTab, kControlHide));
  EXPECT_EQ(BoundItems(TabView(ControlId::kDriverOnGroup)), 0U);
  std::uint16_t model = 0;
  ViewRequest get{kViewGet, ControlId::kTabletModel, &model};
  EXPECT_NE(m_view->Dispatch(get), kStatusHandled) << "no tablet, no model";
  // A tab the user still clicks binds to nothing.
  EXPECT_EQ(SelectTab(ControlId::kPuckTab), kStatusHandled);
  EXPECT_EQ(BoundItems(m_view->GetCurrentTabView()), 0U);
}

}  // namespace
