#include "views/CDisableItemView.h"
#include "views/ViewTestHarness.h"

namespace {

constexpr std::uint32_t kControl = 1209;
constexpr ItemId kAcceleration = 122;

class DisableItemViewTest : public ViewTest {};

TEST_F(DisableItemViewTest, GreysInsteadOfHidingAndNeverAsksForARedisplay) {
  m_data->Define(kAcceleration, DataType::kWord);
  m_driver->Put<std::uint16_t>(m_data->KeyOf(kAcceleration), 1);
  CDisableItemView view(kControl, kAcceleration);
  ASSERT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);
  EXPECT_EQ(Refresh(view), kStatusOk);
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kControl, kControlShow}}));

  m_driver->Put<std::uint16_t>(m_data->KeyOf(kAcceleration), 3);
  EXPECT_EQ(Refresh(view), kStatusOk);
  EXPECT_TRUE(TakeChanges().empty()) << "a changed value is not redisplayed";

  m_driver->FailWith(kCommandGet, m_data->KeyOf(kAcceleration), kStatusNotFound);
  EXPECT_EQ(Refresh(view, kControl), kStatusHandled);
  EXPECT_EQ(view.GetState(), kStateHidden);
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kControl, kControlShowDisabled}}));
}

}  // namespace
