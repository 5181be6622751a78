#include "views/info/CSwitchStateItemView.h"

#include <array>
#include <string>

#include "views/ViewCreation.h"
#include "views/ViewTestHarness.h"

namespace {

constexpr std::uint32_t kSwitches = 3056;
constexpr ItemId kMaskItem = 40;

class SwitchStateItemViewTest : public ViewTest {};

TEST_F(SwitchStateItemViewTest, ShowsTheMaskAndNeverWritesIt) {
  m_data->Define(kMaskItem, DataType::kLong);
  m_driver->Put(m_data->KeyOf(kMaskItem), {0x6, 0, 0, 0});
  CSwitchStateItemView view(kSwitches, kMaskItem);
  ASSERT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);

  std::array<char, 256> text{};
  EXPECT_EQ(Send(view, kViewGet, kSwitches, text.data()), kStatusHandled);
  EXPECT_STREQ(text.data(), "2, 3");

  std::uint32_t value = 1;
  EXPECT_EQ(Send(view, kViewSet, kSwitches, &value), kStatusHandled);
  EXPECT_EQ(Send(view, kViewDefault, kBroadcastId), kStatusOk);
  EXPECT_EQ(Send(view, kViewApply, kBroadcastId), kStatusOk);
  EXPECT_EQ(m_driver->CountRequests(kCommandSet), 0u);
  EXPECT_EQ(CSwitchStateItemView::SwitchText(0, "none"), "none");
}

}  // namespace
