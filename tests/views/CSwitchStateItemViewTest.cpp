#include "views/info/CSwitchStateItemView.h"

#include <array>
#include <string>

#include "views/ViewCreation.h"
#include "views/ViewTestHarness.h"

namespace {

constexpr std::uint32_t kSwitches = 3056;
constexpr ItemId kMaskItem = 40;

TEST(SwitchText, NumbersTheSetBitsFromOne) {
  EXPECT_EQ(CSwitchStateItemView::SwitchText(0x5, "none"), "1, 3");
  EXPECT_EQ(CSwitchStateItemView::SwitchText(0x80000001U, "none"), "1, 32");
  EXPECT_EQ(CSwitchStateItemView::SwitchText(0x2, "none"), "2");
  EXPECT_EQ(CSwitchStateItemView::SwitchText(0, "none"), "none");
}

class SwitchStateItemViewTest : public ViewTest {};

TEST_F(SwitchStateItemViewTest, ShowsTheMaskAndNeverWritesIt) {
  m_data->Define(kMaskItem, DataType::kLong);
  m_driver->Put(m_data->KeyOf(kMaskItem), {0x6, 0, 0, 0});
  CSwitchStateItemView view(kSwitches, kMaskItem);
  ASSERT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);

  std::array<char, 256> text{};
  EXPECT_EQ(Send(view, kViewGet, kSwitches, text.data()), kStatusHandled);
  EXPECT_STREQ(text.data(), "2, 3");
  text.fill('x');
  EXPECT_EQ(Send(view, kViewGet, kSwitches + 1, text.data()), kStatusOk);
  EXPECT_EQ(text[0], 'x') << "another control's request is not this view's";

  std::uint32_t value = 1;
  EXPECT_EQ(Send(view, kViewSet, kSwitches, &value), kStatusHandled);
  EXPECT_EQ(Send(view, kViewDefault, kBroadcastId), kStatusOk);
  EXPECT_EQ(Send(view, kViewRevert, kBroadcastId), kStatusOk);
  EXPECT_EQ(Send(view, kViewApply, kBroadcastId), kStatusOk);
  EXPECT_EQ(m_driver->Count(kCommandSet), 0u);
  EXPECT_EQ(Send(view, kViewGet, kSwitches, text.data()), kStatusHandled);
  EXPECT_STREQ(text.data(), "2, 3");
}

}  // namespace
