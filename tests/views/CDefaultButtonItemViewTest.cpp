#include "views/CDefaultButtonItemView.h"

#include "views/ViewCreation.h"
#include "views/ViewTestHarness.h"

namespace {

constexpr std::uint32_t kTab = 1200;
constexpr std::uint32_t kButton = 1208;
constexpr std::uint32_t kSlider = 1204;
constexpr ItemId kFeel = 93;

using Logged = CTestRootStack::StLogged;

class DefaultButtonItemViewTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    m_data->Define(kFeel, DataType::kWord);
    m_driver->Put<std::uint16_t>(m_data->KeyOf(kFeel), 800);
    m_driver->PutDefault(m_data->KeyOf(kFeel), {0x00, 0x02});
    ASSERT_EQ(AddItemView<CDefaultButtonItemView>(m_tab, kButton), kStatusOk);
    ASSERT_EQ(AddItemView(m_tab, kSlider, kFeel), kStatusOk);
    ASSERT_EQ(m_tab.Attach(m_data.get(), kSameData), kStatusOk);
    m_roots.SetMainRoot(&m_tab);
    static_cast<void>(Refresh(m_tab));
    TakeChanges();
  }

  CSuperView m_tab{kTab};
};

TEST_F(DefaultButtonItemViewTest, PressResetsAppliesAndRefreshesEveryView) {
  std::uint32_t pressed = 1;
  EXPECT_EQ(Send(m_tab, kViewSet, kButton, &pressed), kStatusHandled);
  EXPECT_EQ(m_roots.Log(), (std::vector<Logged>{{kViewDefault, kBroadcastId},
                                                {kViewApply, kBroadcastId},
                                                {kViewRefresh, kBroadcastId}}));
  EXPECT_EQ(m_driver->Peek<std::uint16_t>(m_data->KeyOf(kFeel)), 0x200);
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kSlider, kControlRedisplay}}));
}

TEST_F(DefaultButtonItemViewTest, OnlyAPressOfThisButtonBroadcasts) {
  std::uint32_t value = 1;
  EXPECT_EQ(Send(m_tab, kViewGet, kButton, &value), kStatusHandled);
  EXPECT_EQ(Send(m_tab, kViewSet, kSlider, &value), kStatusHandled);
  EXPECT_EQ(Send(m_tab, kViewSet, kBroadcastId, &value), kStatusOk);
  EXPECT_TRUE(m_roots.Log().empty());
}

}  // namespace
