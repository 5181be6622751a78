#include <array>
#include <memory>

#include <gtest/gtest.h>

#include "protocol/StDriverPacket.h"
#include "settings/CDataGrouping.h"
#include "settings/CSettingsTest.h"

namespace {

constexpr std::array<StItemRow, 4> kTestItems{{
    {1, 10, DataType::kWord, BehaviourKind::kLive, 0},
    {2, 11, DataType::kLong, BehaviourKind::kApply, 4},
    {3, 12, DataType::kWord, BehaviourKind::kApply, 0, ItemVariant::kForced},
    {4, 13, DataType::kWord, BehaviourKind::kNoDriver, 0},
}};

// A grouping over a constant table with one optional child grouping at 0.
class CTestGrouping : public CDataGrouping {
 public:
  Status GetItem(ItemId itemId, CDriverData*& item) override {
    return GetTableItem(kTestItems, itemId, item);
  }
  CDataGrouping* GetSubGroup(std::int32_t index, std::int32_t kind) override {
    return (index == 0 && kind == 0) ? m_child.get() : nullptr;
  }
  Status ApplyItems() override { return kStatusOk; }
  Status DefaultItems() override {
    ++m_defaultItemsCalls;
    return kStatusOk;
  }

  std::unique_ptr<CTestGrouping> m_child;
  int m_defaultItemsCalls = 0;
};

class CDataGroupingTest : public CSettingsTest {
 protected:
  void SetUp() override {
    CSettingsTest::SetUp();
    CDataKey key;
    key.AppendLevel(2, 1);
    ASSERT_EQ(m_grouping.SetKey(key), kStatusOk);
  }

  CTestGrouping m_grouping;
};

TEST_F(CDataGroupingTest, TableRowsMakeItemsOnceOnTheGroupingsKey) {
  for (const StItemRow& row : {kTestItems[0], kTestItems[1], kTestItems[2]}) {
    SCOPED_TRACE(row.itemId);
    CDriverData* item = nullptr;
    ASSERT_EQ(m_grouping.GetItem(row.itemId, item), kStatusOk);
    EXPECT_TRUE(item->GetKey() == TabletKey(row.itemCode, row.index));
    EXPECT_EQ(item->GetSize(), row.type == DataType::kLong ? 4u : 2u);
    EXPECT_EQ(item->IsAlwaysWrite(), row.variant == ItemVariant::kForced);
    EXPECT_EQ(m_grouping.FindItem(row.itemId), item);
  }
  EXPECT_EQ(m_grouping.GetCachedItemCount(), 3u);
  EXPECT_EQ(m_driver->GetRequests().size(), 0u) << "made lazily";

  CDriverData* item = nullptr;
  EXPECT_EQ(m_grouping.GetItem(99, item), kStatusNoItem);
  EXPECT_EQ(m_grouping.ForceWriteItem(99), kStatusNoItem);
  std::unique_ptr<CDriverData> made;
  EXPECT_EQ(CDataGrouping::MakeItem(made, m_grouping.GetKey(), 10, DataType::kWord,
                                    static_cast<BehaviourKind>(7), 0),
            kStatusOutOfMemory);
  EXPECT_EQ(made, nullptr);
}

// One item failing must not stop the grouping's other items, so the per-item
// operations swallow the driver's failures; ApplyItem leaves unmade items be
// and DefaultItem makes the item it resets.
TEST_F(CDataGroupingTest, PerItemOperationsSendOnceAndSwallowFailures) {
  EXPECT_EQ(m_grouping.ApplyItem(2), kStatusOk);
  EXPECT_EQ(m_grouping.FindItem(2), nullptr);
  m_driver->Put<std::uint16_t>(TabletKey(10), 3);
  m_driver->Put<std::uint32_t>(TabletKey(11, 4), 3);
  m_driver->PutDefault<std::uint16_t>(TabletKey(10), 6);
  EXPECT_EQ(m_grouping.DefaultItem(1), kStatusOk);
  EXPECT_EQ(m_driver->Peek<std::uint16_t>(TabletKey(10)), 6);

  struct StCase {
    ItemId id;
    std::uint32_t failing;
    Status (CDataGrouping::*operation)(ItemId);
  };
  for (const StCase& c : {StCase{2, kCommandSet, &CDataGrouping::ApplyItem},
                          StCase{1, kCommandGetDefault, &CDataGrouping::DefaultItem},
                          StCase{4, kCommandSet, &CDataGrouping::ForceWriteItem}}) {
    SCOPED_TRACE(c.id);
    m_driver->ClearRequests();
    CDriverData* item = nullptr;
    ASSERT_EQ(m_grouping.GetItem(c.id, item), kStatusOk);
    const std::uint32_t v = 5;
    ASSERT_EQ(item->Set(&v), kStatusOk);
    m_driver->FailWith(c.failing, KeyPath{}, kStatusMalformedPacket);
    EXPECT_EQ((m_grouping.*c.operation)(c.id), kStatusOk);
    EXPECT_EQ(m_driver->CountRequests(kCommandSet), 1u);  // the live item writes on Set
    m_driver->ClearFailures();
  }
}

TEST_F(CDataGroupingTest, DefaultSubGroupResetsTheChildOrSaysThereIsNone) {
  EXPECT_EQ(m_grouping.DefaultSubGroup(0, 0), kStatusNoChild);
  m_grouping.m_child = std::make_unique<CTestGrouping>();
  EXPECT_EQ(m_grouping.DefaultSubGroup(0, 0), kStatusOk);
  EXPECT_EQ(m_grouping.m_child->m_defaultItemsCalls, 1);
}

}  // namespace
