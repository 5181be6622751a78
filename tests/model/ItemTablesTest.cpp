// Item ids map onto key, item code, type, kind and index as the tables say,
// without asking the driver.
#include <gtest/gtest.h>

#include <vector>

#include "model/CDriverObject.h"
#include "model/CMetaTransducer.h"
#include "model/CPuck.h"
#include "model/CStylus.h"
#include "model/CTabletObject.h"
#include "model/ModelTestSupport.h"
#include "settings/CBehaviour.h"

namespace {

struct Row {
  ItemId id;
  std::uint16_t code;
  std::int32_t type;
  BehaviourKind kind;
  std::uint32_t index;
  std::vector<StObjectKey> under;  // levels between the grouping's key and the item level
};

constexpr BehaviourKind kLive = BehaviourKind::kLive;

CDataKey KeyOf(std::initializer_list<StObjectKey> levels) {
  CDataKey key;
  for (const StObjectKey& level : levels) key.AppendLevel(level.code, level.index, level.qualifier);
  return key;
}

void ExpectRows(CDataGrouping& grouping, const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    CDriverData* item = nullptr;
    ASSERT_EQ(grouping.GetItem(row.id, item), kStatusOk) << "id " << row.id;
    ASSERT_NE(item, nullptr) << "id " << row.id;
    CDataKey expected = grouping.GetKey();
    for (const StObjectKey& level : row.under) expected.AppendLevel(level.code, level.index, level.qualifier);
    expected.AppendLevel(row.code, row.index);
    EXPECT_TRUE(item->GetKey() == expected) << "key of id " << row.id;
    EXPECT_EQ(static_cast<std::int32_t>(item->GetType()), row.type) << "type of id " << row.id;
    EXPECT_EQ(item->GetBehaviour(), GetBehaviour(row.kind)) << "kind of id " << row.id;
    CDriverData* again = nullptr;
    EXPECT_EQ(grouping.GetItem(row.id, again), kStatusOk);
    EXPECT_EQ(again, item) << "id " << row.id << " is made once";
  }
}

void ExpectUnknown(CDataGrouping& grouping, std::initializer_list<ItemId> ids) {
  for (const ItemId id : ids) {
    CDriverData* item = nullptr;
    EXPECT_EQ(grouping.GetItem(id, item), kStatusNoItem) << "id " << id;
    EXPECT_EQ(item, nullptr) << "id " << id;
  }
}

// The rows whose key, kind or variant is not the plain one of their table: the
// rest only repeats the tables.
TEST(ItemTablesTest, Tablet) {
  CTestModelContext context;
  CTabletObject tablet(context);
  ASSERT_EQ(tablet.SetKey(KeyOf({{0, 2, 1}})), kStatusOk);
  const std::vector<StObjectKey> area{{0, 12, 0}, {4, 5, 0}, {0, 2, 0},    {0, 5, 0},
                                      {4, 19, 1}, {0, 19, 16416}, {0, 20, 0}};
  ExpectRows(tablet, {
      {19, 28, 2, kLive, 4, {}},    {22, 28, 2, kLive, 0, {{1, 23, 0}}},
      {40, 208, 2, BehaviourKind::kApply, 0, {}},
      {36, 60, 8, kLive, 18, area}, {37, 61, 8, kLive, 18, area},
      {45, 190, 2, kLive, 4, {}},   {171, 246, 3, kLive, 9, {}},
  });
  CDriverData* forced = nullptr;
  ASSERT_EQ(tablet.GetItem(40, forced), kStatusOk);
  EXPECT_TRUE(forced->IsAlwaysWrite());

  // Id 15 is known but has no item.
  CDriverData* none = forced;
  EXPECT_EQ(tablet.GetItem(15, none), kStatusOk);
  EXPECT_EQ(none, nullptr);
  ExpectUnknown(tablet, {0, 13, 39, 147, 172, -1});
}

TEST(ItemTablesTest, DriverObjectAndToolGroup) {
  CDriverObject driver;
  ExpectRows(driver, {
      {4, 120, 1, BehaviourKind::kApply, 0, {}},  {10, 234, 1, kLive, 0, {{0, 18, 0}}},
      {13, 214, 2, kLive, 0, {{0, 14, 0}}},
  });
  ExpectUnknown(driver, {0, 14, -5});

  CTestModelContext context;
  CMetaTransducer group(context);
  ASSERT_EQ(group.SetKey(KeyOf({{0, 2, 0}, {0, 4, 2}})), kStatusOk);
  ExpectRows(group, {{12, 27, 2, BehaviourKind::kNoDriver, 0, {}}, {49, 37, 2, kLive, 0, {}}});
  ExpectUnknown(group, {50, 13});
}

// Styluses and pucks share the tool rows and each have rows of their own.
TEST(ItemTablesTest, StylusAndPuck) {
  CTestModelContext context;
  CStylus stylus(context);
  ASSERT_EQ(stylus.SetKey(KeyOf({{0, 2, 0}, {0, 4, 3}})), kStatusOk);
  ExpectRows(stylus, {{45, 188, 20, kLive, 0, {}}, {81, 121, 2, kLive, 0, {}}});
  ExpectUnknown(stylus, {85, 90, 91});

  CPuck puck(context);
  ASSERT_EQ(puck.SetKey(KeyOf({{0, 2, 0}, {0, 4, 4}})), kStatusOk);
  ExpectRows(puck, {{59, 205, 2, kLive, 0, {}}, {85, 194, 2, kLive, 0, {}},
                    {90, 201, 2, kLive, 0, {}}});
  ExpectUnknown(puck, {81, 91});

  // The model code is the tablet's, on the tablet's own key.
  CDriverData* model = nullptr;
  ASSERT_EQ(puck.GetItem(18, model), kStatusOk);
  EXPECT_TRUE(model->GetKey() == KeyOf({{0, 2, 0}, {0, 124, 0}}));
}

}  // namespace
