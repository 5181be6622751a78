#include <gtest/gtest.h>

#include "host/applet/AutomationPenVerb.h"
#include "host/CUpperViewFixture.h"

namespace {

using AutomationPenVerb = CUpperViewFixture;

// The pen a script moves is what the tablet service then reports to anyone.
TEST_F(AutomationPenVerb, ThePenReachesTheServiceAndLeavesProximity) {
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

}  // namespace
