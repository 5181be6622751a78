// The root of the main window's views against the real tablet service.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <utility>

#include <gtest/gtest.h>

#include "CUpperViewFixture.h"

namespace {

using CUpperViewTest = CUpperViewFixture;

TEST_F(CUpperViewTest, AttachChoosesTheTabletAndOpensOnTheStylus) {
  Start();
  ASSERT_EQ(m_view->Attach(m_driverObject.get(), -1), kStatusOk);
  ASSERT_NE(m_view->GetTablet(), nullptr);
  EXPECT_NE(m_view->GetFirstStylus(), nullptr);
  EXPECT_EQ(m_view->GetCurrentTool(), m_view->GetFirstStylus());
  EXPECT_EQ(m_view->GetCurrentTabView(), m_view->GetOwnedView(ControlId::kStylusView));
  EXPECT_TRUE(Saw(ControlId::kTabletTab, kControlHide));
  EXPECT_TRUE(Saw(ControlId::kHelpButton, kControlShow));
  EXPECT_TRUE(Saw(ControlId::kCalibrateTab, kControlHide));
  EXPECT_TRUE(Saw(ControlId::kStylusTab, kControlRedisplay));
  EXPECT_EQ(m_translator->GetListener(), m_view.get());
}

TEST_F(CUpperViewTest, TabChangeMovesTheTabViewToTheTool) {
  Start();
  ASSERT_EQ(m_view->Attach(m_driverObject.get(), -1), kStatusOk);
  ASSERT_NE(m_view->GetFirstPuck(), nullptr);
  std::uint32_t page = ControlId::kPuckTab;
  ViewRequest change{kViewSet, ControlId::kTabChange, &page};
  EXPECT_EQ(m_view->Dispatch(change), kStatusHandled);
  EXPECT_EQ(m_view->GetCurrentTool(), m_view->GetFirstPuck());
  EXPECT_EQ(m_view->GetCurrentTabView(), m_view->GetOwnedView(ControlId::kPuckView));
  page = ControlId::kTabletTab;
  EXPECT_EQ(m_view->Dispatch(change), kStatusHandled);
  EXPECT_EQ(m_view->GetCurrentTool(), m_view->GetTablet());
}

TEST_F(CUpperViewTest, UnansweredModelRequestIsAnsweredWithTheTabletModel) {
  Start();
  ASSERT_EQ(m_view->Attach(m_driverObject.get(), -1), kStatusOk);
  std::uint16_t model = 0;
  ViewRequest get{kViewGet, ControlId::kTabletModel, &model};
  EXPECT_EQ(m_view->Dispatch(get), kStatusHandled);
  EXPECT_EQ(model, m_view->GetModelCode());
  EXPECT_NE(model, 0);
}

// The tablet list names each entry by the model of the tablet it stands for.
TEST_F(CUpperViewTest, ModelRequestWithATabletKeyAnswersThatTablet) {
  Start("two-tablets.json");
  ASSERT_EQ(m_view->Attach(m_driverObject.get(), -1), kStatusOk);
  ASSERT_EQ(m_view->GetModelCode(), 130);
  for (const auto& [key, model] : {std::pair{1U, 150}, std::pair{0U, 130}}) {
    char buffer[256] = {};
    StTabletModelQuery query;
    query.key = key;
    std::memcpy(buffer, &query, sizeof query);
    ViewRequest get{kViewGet, ControlId::kTabletModel, buffer};
    EXPECT_EQ(m_view->Dispatch(get), kStatusHandled);
    std::uint16_t answered = 0;
    std::memcpy(&answered, buffer, sizeof answered);
    EXPECT_EQ(answered, model) << "tablet " << key;
  }
  StTabletModelQuery nowhere;
  nowhere.key = 7;
  ViewRequest get{kViewGet, ControlId::kTabletModel, &nowhere};
  EXPECT_NE(m_view->Dispatch(get), kStatusHandled) << "no tablet has that key";
}

TEST_F(CUpperViewTest, RootStackTakesEveryRequest) {
  Start();
  ASSERT_EQ(m_view->Attach(m_driverObject.get(), -1), kStatusOk);
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

TEST_F(CUpperViewTest, UnsupportedTabletAsksForTheDialogAndFails) {
  Start("unsupported.json");
  EXPECT_EQ(m_view->Attach(m_driverObject.get(), -1), kStatusNoTablet);
  EXPECT_TRUE(Saw(ControlId::kNoSupportedTablet, 4));
}

// The one model with a tablet tab is unsupported: taken with Ctrl held, its
// tab is shown and can be chosen.
TEST_F(CUpperViewTest, ModelWithATabletTabShowsItEnabled) {
  Start("../../tests/acceptance/profiles/model-230.json");
  m_translator->AnswerWith(ControlId::kNoSupportedTablet, kStatusCtrlHeld);
  ASSERT_EQ(m_view->Attach(m_driverObject.get(), -1), kStatusOk);
  EXPECT_EQ(m_view->GetModelCode(), 230);
  EXPECT_TRUE(Saw(ControlId::kTabletTab, kControlShow));
  EXPECT_FALSE(Saw(ControlId::kTabletTab, kControlShowDisabled));
}

TEST_F(CUpperViewTest, PuckOnlyTabletHasNoStylusTab) {
  Start("puck-only.json");
  EXPECT_EQ(m_view->Attach(m_driverObject.get(), -1), kStatusUnknown);
  EXPECT_TRUE(Saw(ControlId::kStylusTab, kControlHide));
  EXPECT_EQ(m_view->GetFirstStylus(), nullptr);
  EXPECT_NE(m_view->GetFirstPuck(), nullptr);
}

// A Refresh broadcast reads each bound item once; a second one with nothing
// changed asks the window for nothing.
TEST_F(CUpperViewTest, RefreshBroadcastReadsEachBoundItemOnce) {
  Start();
  ASSERT_EQ(m_view->Attach(m_driverObject.get(), -1), kStatusOk);
  ViewRequest refresh{kViewRefresh, kBroadcastId, nullptr};
  (void)m_view->Dispatch(refresh);
  m_translator->Clear();

  const std::uint32_t before = static_cast<std::uint32_t>(m_driver->GetRequests().size());
  const auto start = std::chrono::steady_clock::now();
  (void)m_view->Dispatch(refresh);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  const std::uint32_t requests = static_cast<std::uint32_t>(m_driver->GetRequests().size()) - before;

  EXPECT_TRUE(m_translator->Changes().empty());
  const std::uint32_t bound = BoundItems(m_view.get()) +
                              BoundItems(m_view->GetOwnedView(ControlId::kDriverOnGroup)) +
                              BoundItems(m_view->GetCurrentTabView());
  // After a Refresh the tablet list and the tablet's tool list are asked for again.
  const std::uint32_t beforeLists = static_cast<std::uint32_t>(m_driver->GetRequests().size());
  (void)m_driverObject->GetSubGroupCount(0);
  (void)m_view->GetTablet()->GetSubGroupCount(0);
  const std::uint32_t listReads = static_cast<std::uint32_t>(m_driver->GetRequests().size()) - beforeLists;
  EXPECT_GE(bound, 5U);
  EXPECT_EQ(requests, bound + listReads);
  std::printf("refresh broadcast: %u bound items, %u list reads, %u requests in %.1f us\n", bound,
              listReads, requests,
              std::chrono::duration<double, std::micro>(elapsed).count());
}

}  // namespace
