#include "settings/CDataGrouping.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "driver/StDriverPacket.h"
#include "settings/CSettingsTest.h"

namespace {

constexpr std::array<StItemRow, 4> kTestItems{{
    {1, 10, DataType::kWord, BehaviourKind::kLive, 0},
    {2, 11, DataType::kLong, BehaviourKind::kApply, 4},
    {3, 12, DataType::kWord, BehaviourKind::kApply, 0, ItemVariant::kForced},
    {4, 13, DataType::kWord, BehaviourKind::kNoDriver, 0},
}};

// A grouping over a constant table with one optional child grouping of kind 0.
class CTestGrouping : public CDataGrouping {
 public:
  Status GetItem(ItemId itemId, CDriverData*& item) override {
    return GetTableItem(kTestItems, itemId, item);
  }
  CDataGrouping* GetSubGroup(std::int32_t index, std::int32_t kind) override {
    return (index == 0 && kind == 0) ? m_child.get() : nullptr;
  }
  Status ApplyItems() override {
    for (const StItemRow& row : kTestItems) (void)ApplyItem(row.itemId);
    return kStatusOk;
  }
  Status DefaultItems() override {
    ++m_defaultItemsCalls;
    for (const StItemRow& row : kTestItems) (void)DefaultItem(row.itemId);
    return kStatusOk;
  }

  std::unique_ptr<CTestGrouping> m_child;
  int m_defaultItemsCalls = 0;
};

// Counts its own destruction so that tests can see the cache delete it.
class CCountedData : public CDriverData {
 public:
  CCountedData(int& destroyed) : CDriverData(DataType::kWord), m_destroyed(destroyed) {}
  ~CCountedData() override { ++m_destroyed; }

 private:
  int& m_destroyed;
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

TEST_F(CDataGroupingTest, TableRowsMakeItemsOnTheGroupingsKey) {
  struct StExpect {
    ItemId id;
    std::uint16_t code;
    std::uint32_t index;
    std::uint32_t size;
    bool forced;
  };
  constexpr StExpect kCases[] = {{1, 10, 0, 2, false}, {2, 11, 4, 4, false}, {3, 12, 0, 2, true}};
  for (const StExpect& c : kCases) {
    CDriverData* item = nullptr;
    ASSERT_EQ(m_grouping.GetItem(c.id, item), kStatusOk) << c.id;
    ASSERT_NE(item, nullptr);
    const CDataKey& key = item->GetKey();
    ASSERT_EQ(key.GetLevelCount(), 2u) << c.id;
    EXPECT_EQ(key.GetLevel(0).code, 2);
    EXPECT_EQ(key.GetLevel(0).index, 1u);
    EXPECT_EQ(key.LastLevel().code, c.code) << c.id;
    EXPECT_EQ(key.LastLevel().index, c.index) << c.id;
    EXPECT_EQ(item->GetSize(), c.size) << c.id;
    EXPECT_EQ(item->IsAlwaysWrite(), c.forced) << c.id;
  }
  // Made lazily: nothing was read.
  EXPECT_EQ(m_driver->Requests().size(), 0u);
}

TEST_F(CDataGroupingTest, ItemsAreMadeOnceAndCached) {
  CDriverData* first = nullptr;
  CDriverData* again = nullptr;
  ASSERT_EQ(m_grouping.GetItem(1, first), kStatusOk);
  ASSERT_EQ(m_grouping.GetItem(1, again), kStatusOk);
  EXPECT_EQ(first, again);
  EXPECT_EQ(m_grouping.FindItem(1), first);
  EXPECT_EQ(m_grouping.GetCachedItemCount(), 1u);
}

TEST_F(CDataGroupingTest, UnknownIdIsNoItem) {
  CDriverData* item = reinterpret_cast<CDriverData*>(&m_grouping);
  EXPECT_EQ(m_grouping.GetItem(99, item), kStatusNoItem);
  EXPECT_EQ(item, nullptr);
  EXPECT_EQ(m_grouping.FindItem(99), nullptr);
  EXPECT_EQ(m_grouping.DefaultItem(99), kStatusNoItem);
  EXPECT_EQ(m_grouping.ForceWriteItem(99), kStatusNoItem);
  EXPECT_EQ(m_grouping.GetCachedItemCount(), 0u);
}

TEST_F(CDataGroupingTest, MakeItemThatFailsInitLeavesNoItem) {
  std::unique_ptr<CDriverData> item;
  EXPECT_EQ(CDataGrouping::MakeItem(item, m_grouping.GetKey(), 10, DataType::kWord,
                                    static_cast<BehaviourKind>(7), 0),
            kStatusOutOfMemory);
  EXPECT_EQ(item, nullptr);
  EXPECT_EQ(CDataGrouping::MakeForcedItem(item, m_grouping.GetKey(), 10, DataType::kWord,
                                          static_cast<BehaviourKind>(-1), 0),
            kStatusOutOfMemory);
  EXPECT_EQ(item, nullptr);
}

TEST_F(CDataGroupingTest, ApplyItemTouchesOnlyItemsThatExist) {
  EXPECT_EQ(m_grouping.ApplyItem(2), kStatusOk);
  EXPECT_EQ(m_grouping.FindItem(2), nullptr);

  CDriverData* item = nullptr;
  ASSERT_EQ(m_grouping.GetItem(2, item), kStatusOk);
  m_driver->Poke<std::uint32_t>(item->GetKey(), 1);
  const std::uint32_t v = 5;
  ASSERT_EQ(item->Set(&v), kStatusOk);
  m_driver->Fail(kCommandSet, kStatusNotFound);
  // A failing write is not passed on.
  EXPECT_EQ(m_grouping.ApplyItem(2), kStatusOk);
  EXPECT_EQ(m_driver->Count(kCommandSet), 1u);
}

TEST_F(CDataGroupingTest, ApplyItemsWritesForcedItemsEveryTime) {
  CDriverData* forced = nullptr;
  ASSERT_EQ(m_grouping.GetItem(3, forced), kStatusOk);
  m_driver->Poke<std::uint16_t>(forced->GetKey(), 8);
  EXPECT_EQ(GetValue<std::uint16_t>(*forced), 8);
  EXPECT_EQ(m_grouping.ApplyItems(), kStatusOk);
  EXPECT_EQ(m_grouping.ApplyItems(), kStatusOk);
  EXPECT_EQ(m_driver->Count(kCommandSet), 2u);
}

TEST_F(CDataGroupingTest, DefaultItemMakesTheItemAndResetsIt) {
  const CDataKey key = TabletKey(10);
  m_driver->Poke<std::uint16_t>(key, 3);
  m_driver->PokeDefault<std::uint16_t>(key, 6);
  EXPECT_EQ(m_grouping.DefaultItem(1), kStatusOk);
  ASSERT_NE(m_grouping.FindItem(1), nullptr);
  EXPECT_EQ(m_driver->Peek<std::uint16_t>(key), 6);

  // A failing reset is not passed on.
  m_driver->Fail(kCommandGetDefault, kStatusMalformedPacket);
  EXPECT_EQ(m_grouping.DefaultItem(1), kStatusOk);
}

TEST_F(CDataGroupingTest, DefaultSubGroupResetsTheChildOrSaysThereIsNone) {
  EXPECT_EQ(m_grouping.DefaultSubGroup(0, 0), kStatusNoChild);
  m_grouping.m_child = std::make_unique<CTestGrouping>();
  EXPECT_EQ(m_grouping.DefaultSubGroup(0, 0), kStatusOk);
  EXPECT_EQ(m_grouping.m_child->m_defaultItemsCalls, 1);
  EXPECT_EQ(m_grouping.DefaultSubGroup(1, 0), kStatusNoChild);
  EXPECT_EQ(m_grouping.DefaultSubGroup(0, 1), kStatusNoChild);
}

TEST_F(CDataGroupingTest, ForceWriteItemWritesNoDriverItems) {
  EXPECT_EQ(m_grouping.ForceWriteItem(4), kStatusOk);
  EXPECT_EQ(m_driver->Count(kCommandSet), 1u);
  EXPECT_EQ(m_driver->Count(kCommandGet), 0u);
  // A failing write is not passed on.
  m_driver->Fail(kCommandSet, kStatusNotFound);
  EXPECT_EQ(m_grouping.ForceWriteItem(4), kStatusOk);
}

TEST_F(CDataGroupingTest, CacheOwnsItsItems) {
  int destroyed = 0;
  {
    CTestGrouping grouping;
    grouping.AddItem(50, std::make_unique<CCountedData>(destroyed));
    grouping.AddItem(51, std::make_unique<CCountedData>(destroyed));
    // Replacing an id deletes the item it held.
    grouping.AddItem(50, std::make_unique<CCountedData>(destroyed));
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(grouping.GetCachedItemCount(), 2u);
  }
  EXPECT_EQ(destroyed, 3);
}

}  // namespace
