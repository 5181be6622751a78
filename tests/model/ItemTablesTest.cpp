// Every grouping makes each item id on the key, item code, type, kind and
// index its table gives, without asking the driver.
#include <gtest/gtest.h>

#include <vector>

#include "driver/CDriverObject.h"
#include "model/CAppObject.h"
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

TEST(ItemTablesTest, Tablet) {
  CTestModelContext context;
  CTabletObject tablet(context);
  ASSERT_EQ(tablet.SetKey(KeyOf({{0, 2, 1}})), kStatusOk);
  const std::vector<StObjectKey> area{{0, 12, 0}, {4, 5, 0}, {0, 2, 0},    {0, 5, 0},
                                      {4, 19, 1}, {0, 19, 16416}, {0, 20, 0}};
  ExpectRows(tablet, {
      {14, 186, 1, kLive, 0, {}},   {16, 123, 2, kLive, 0, {}},  {17, 29, 20, kLive, 0, {}},
      {18, 124, 2, kLive, 0, {}},   {19, 28, 2, kLive, 4, {}},   {20, 84, 7, kLive, 0, {}},
      {21, 161, 3, kLive, 0, {}},   {22, 28, 2, kLive, 0, {{1, 23, 0}}},
      {23, 224, 15, kLive, 0, {}},  {24, 162, 1, kLive, 0, {}},  {25, 163, 1, kLive, 0, {}},
      {26, 164, 1, kLive, 0, {}},   {27, 165, 1, kLive, 0, {}},  {30, 172, 1, kLive, 0, {}},
      {31, 185, 2, kLive, 0, {}},   {32, 182, 20, kLive, 0, {}}, {33, 183, 2, kLive, 0, {}},
      {34, 203, 2, kLive, 0, {}},   {35, 52, 1, kLive, 0, {}},   {38, 254, 1, kLive, 0, {}},
      {40, 208, 2, BehaviourKind::kApply, 0, {}},
      {36, 60, 8, kLive, 18, area}, {37, 61, 8, kLive, 18, area},
      // First record.
      {29, 190, 14, kLive, 0, {}},  {45, 190, 2, kLive, 4, {}},  {46, 190, 2, kLive, 4, {}},
      {48, 190, 3, kLive, 5, {}},   {148, 190, 2, kLive, 3, {}}, {149, 190, 3, kLive, 6, {}},
      {150, 190, 3, kLive, 7, {}},  {151, 190, 3, kLive, 8, {}}, {152, 190, 2, kLive, 9, {}},
      {153, 190, 2, kLive, 10, {}}, {154, 190, 2, kLive, 11, {}}, {155, 190, 2, kLive, 12, {}},
      {156, 190, 2, kLive, 13, {}}, {157, 248, 3, kLive, 0, {}}, {158, 248, 3, kLive, 5, {}},
      // Second record.
      {28, 168, 14, kLive, 0, {}},  {159, 168, 2, kLive, 3, {}}, {160, 168, 3, kLive, 6, {}},
      {161, 168, 3, kLive, 7, {}},  {162, 168, 3, kLive, 8, {}}, {163, 168, 2, kLive, 9, {}},
      {164, 168, 2, kLive, 10, {}}, {165, 168, 2, kLive, 11, {}}, {166, 168, 2, kLive, 12, {}},
      {167, 168, 2, kLive, 13, {}}, {168, 247, 3, kLive, 0, {}}, {169, 247, 3, kLive, 5, {}},
      {170, 246, 3, kLive, 8, {}},  {171, 246, 3, kLive, 9, {}},
  });
  CDriverData* forced = nullptr;
  ASSERT_EQ(tablet.GetItem(40, forced), kStatusOk);
  EXPECT_TRUE(forced->IsAlwaysWrite());
  CDriverData* plain = nullptr;
  ASSERT_EQ(tablet.GetItem(31, plain), kStatusOk);
  EXPECT_FALSE(plain->IsAlwaysWrite());

  CDriverData* none = &*plain;
  EXPECT_EQ(tablet.GetItem(15, none), kStatusOk);
  EXPECT_EQ(none, nullptr);
  ExpectUnknown(tablet, {0, 1, 11, 13, 39, 41, 44, 47, 147, 172, -1});
}

TEST(ItemTablesTest, Application) {
  CAppObject application;
  ASSERT_EQ(application.SetKey(KeyOf({{0, 18, 0}, {0, 9, 3}})), kStatusOk);
  ExpectRows(application, {{41, 116, 3, kLive, 0, {}}, {42, 117, 20, kLive, 0, {}},
                           {43, 118, 20, kLive, 0, {}}, {44, 119, 3, kLive, 0, {}}});
  ExpectUnknown(application, {0, 40, 45, 12});
}

TEST(ItemTablesTest, DriverObject) {
  CDriverObject driver;
  ExpectRows(driver, {
      {1, 195, 6, kLive, 0, {}},  {2, 184, 3, kLive, 0, {}},  {3, 219, 15, kLive, 0, {}},
      {4, 120, 1, BehaviourKind::kApply, 0, {}},  {5, 187, 2, kLive, 0, {}},
      {6, 202, 2, kLive, 0, {}},  {7, 196, 2, kLive, 0, {}},  {8, 199, 3, kLive, 0, {}},
      {9, 180, 2, BehaviourKind::kApply, 0, {}},  {10, 234, 1, kLive, 0, {{0, 18, 0}}},
      {11, 223, 1, kLive, 0, {}}, {13, 214, 2, kLive, 0, {{0, 14, 0}}},
  });
  ExpectUnknown(driver, {0, 14, 15, 30, -5});
}

const std::vector<Row> kToolRows{
    {45, 188, 20, kLive, 0, {}}, {46, 115, 2, kLive, 0, {}}, {48, 38, 3, kLive, 0, {}},
    {49, 37, 2, kLive, 0, {}},   {50, 116, 3, kLive, 0, {}}, {51, 255, 3, kLive, 0, {}},
    {52, 113, 3, kLive, 0, {}},  {53, 170, 1, kLive, 0, {}}, {54, 52, 2, kLive, 0, {}},
    {55, 172, 1, kLive, 0, {}},  {56, 178, 2, kLive, 0, {}}, {57, 179, 1, kLive, 0, {}},
    {58, 71, 1, kLive, 0, {}},   {59, 205, 2, kLive, 0, {}},
};

TEST(ItemTablesTest, StylusAndPuck) {
  CTestModelContext context;
  CStylus stylus(context);
  ASSERT_EQ(stylus.SetKey(KeyOf({{0, 2, 0}, {0, 4, 3}})), kStatusOk);
  std::vector<Row> stylusRows = kToolRows;
  stylusRows.push_back({81, 121, 2, kLive, 0, {}});
  ExpectRows(stylus, stylusRows);
  ExpectUnknown(stylus, {85, 86, 90, 61, 83, 91, 17});

  CPuck puck(context);
  ASSERT_EQ(puck.SetKey(KeyOf({{0, 2, 0}, {0, 4, 4}})), kStatusOk);
  std::vector<Row> puckRows = kToolRows;
  for (const Row& extra : std::vector<Row>{{85, 194, 2, kLive, 0, {}}, {86, 120, 1, kLive, 0, {}},
                                           {87, 206, 2, kLive, 0, {}}, {88, 122, 2, kLive, 0, {}},
                                           {89, 141, 2, kLive, 0, {}}, {90, 201, 2, kLive, 0, {}}})
    puckRows.push_back(extra);
  ExpectRows(puck, puckRows);
  ExpectUnknown(puck, {81, 91, 100});

  // The model code is the tablet's, on the tablet's own key.
  CDriverData* model = nullptr;
  ASSERT_EQ(puck.GetItem(18, model), kStatusOk);
  EXPECT_TRUE(model->GetKey() == KeyOf({{0, 2, 0}, {0, 124, 0}}));
}

TEST(ItemTablesTest, ToolGroup) {
  CTestModelContext context;
  CMetaTransducer group(context);
  ASSERT_EQ(group.SetKey(KeyOf({{0, 2, 0}, {0, 4, 2}})), kStatusOk);
  ExpectRows(group, {{12, 27, 2, BehaviourKind::kNoDriver, 0, {}}, {45, 188, 20, kLive, 0, {}},
                     {46, 115, 2, kLive, 0, {}}, {48, 38, 3, kLive, 0, {}},
                     {49, 37, 2, kLive, 0, {}}});
  ExpectUnknown(group, {50, 55, 13, 0});
}

}  // namespace
