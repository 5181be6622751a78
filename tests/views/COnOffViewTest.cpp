#include <algorithm>

#include "model/ModelCodes.h"
#include "views/COnOffView.h"
#include "views/ControlIds.h"
#include "views/ViewTestHarness.h"

namespace {

class OnOffViewTest : public ViewTest {};

TEST_F(OnOffViewTest, RoutesToTheCheckBoxButNeverClaims) {
  m_data->Define(kItemDriverOn, DataType::kByte);
  m_driver->Put(m_data->KeyOf(kItemDriverOn), {1});
  COnOffView group(ControlId::kDriverOnGroup);
  ASSERT_EQ(group.Build(), kStatusOk);
  ASSERT_EQ(group.Attach(m_data.get(), kSameData), kStatusOk);
  std::uint32_t off = 0;
  EXPECT_EQ(Send(group, kViewSet, ControlId::kDriverOnButton, &off), kStatusOk);
  EXPECT_EQ(m_driver->Value(m_data->KeyOf(kItemDriverOn)), std::vector<std::uint8_t>{0});

  ASSERT_EQ(group.SetStateAndNotify(kStateHidden), kStatusOk);
  TakeChanges();
  // Any request shows the group again.
  EXPECT_EQ(Refresh(group), kStatusOk);
  EXPECT_EQ(group.GetState(), kStateShown);
  const std::vector<Change> changes = TakeChanges();
  EXPECT_NE(
      std::find(changes.begin(), changes.end(), Change{ControlId::kDriverOnGroup, kControlShow}),
      changes.end());
}

}  // namespace
