// What the item tables do not say by themselves: a key built by code, the
// forced and the empty ids, unknown ids, and that an item is made once.
#include <gtest/gtest.h>

#include "model/CDriverObject.h"
#include "model/CPuck.h"
#include "model/CTabletObject.h"
#include "model/ModelTestSupport.h"

namespace {

CDataKey KeyOf(std::initializer_list<StObjectKey> levels) {
  CDataKey key;
  for (const StObjectKey& level : levels) key.AppendLevel(level.code, level.index, level.qualifier);
  return key;
}

CDriverData* Item(CDataGrouping& grouping, ItemId id) {
  CDriverData* item = nullptr;
  EXPECT_EQ(grouping.GetItem(id, item), kStatusOk) << "id " << id;
  return item;
}

void ExpectUnknown(CDataGrouping& grouping, std::initializer_list<ItemId> ids) {
  for (const ItemId id : ids) {
    CDriverData* item = nullptr;
    EXPECT_EQ(grouping.GetItem(id, item), kStatusNoItem) << "id " << id;
    EXPECT_EQ(item, nullptr) << "id " << id;
  }
}

TEST(ItemTablesTest, ForcedEmptyAndUnknownIdsAndAToolsModelCode) {
  CTestModelContext context;
  CTabletObject tablet(context);
  ASSERT_EQ(tablet.SetKey(KeyOf({{0, 2, 1}})), kStatusOk);
  CDriverData* area = Item(tablet, 36);
  ASSERT_NE(area, nullptr);
  EXPECT_EQ(Item(tablet, 36), area) << "made once";
  CDriverData* forced = Item(tablet, 40);
  ASSERT_NE(forced, nullptr);
  EXPECT_TRUE(forced->IsAlwaysWrite());
  EXPECT_EQ(Item(tablet, 15), nullptr) << "known, but without an item";
  ExpectUnknown(tablet, {0, 13, 39, 147, 172, -1});

  CDriverObject driver;
  ExpectUnknown(driver, {0, 14, -5});
  CPuck puck(context);
  ASSERT_EQ(puck.SetKey(KeyOf({{0, 2, 0}, {0, 4, 4}})), kStatusOk);
  ExpectUnknown(puck, {81, 91});
  // A tool's model code is its tablet's, on the tablet's own key.
  CDriverData* model = Item(puck, 18);
  ASSERT_NE(model, nullptr);
  EXPECT_TRUE(model->GetKey() == KeyOf({{0, 2, 0}, {0, 124, 0}}));
}

}  // namespace
