#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>

#include "driver/CDataKey.h"
#include "driver/StDriverPacket.h"
#include "settings/CBehaviour.h"
#include "settings/CDataGrouping.h"
#include "settings/CDriverData.h"
#include "settings/CForceDriverData.h"
#include "support/CServiceDriverInterface.h"

// Items against the tablet service of the default profile, whose first tool
// is a pen. The service's request count says what reached the driver.
namespace {

class CDriverDataServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto service = std::make_unique<CServiceDriverInterface>();
    m_service = service.get();
    InstallDriverInterface(std::move(service));
  }

  void TearDown() override {
    ReleaseBehaviour(BehaviourKind::kLive);
    ReleaseBehaviour(BehaviourKind::kApply);
    ReleaseBehaviour(BehaviourKind::kNoDriver);
    ReleaseDriverInterface();
  }

  static CDataKey PenKey() {
    CDataKey key;
    key.AppendLevel(2, 0).AppendLevel(4, 0);
    return key;
  }
  static CDataKey PenValue(std::uint16_t itemCode) {
    CDataKey key = PenKey();
    key.AppendLevel(itemCode);
    return key;
  }

  template <typename Item = CDriverData>
  std::unique_ptr<CDriverData> Make(DataType type, BehaviourKind kind, std::uint16_t itemCode) {
    auto item = std::make_unique<Item>(type);
    EXPECT_EQ(item->Init(PenValue(itemCode), kind), kStatusOk);
    return item;
  }

  // What the service holds, read around the item (not counted).
  template <typename T>
  T InService(std::uint16_t itemCode) {
    T value{};
    const std::uint32_t before = m_service->RequestCount();
    EXPECT_EQ(PenValue(itemCode).Request(kCommandGet, sizeof(T), &value), kStatusOk);
    m_uncounted += m_service->RequestCount() - before;
    return value;
  }
  template <typename T>
  void ChangeInService(std::uint16_t itemCode, T value) {
    const std::uint32_t before = m_service->RequestCount();
    ASSERT_EQ(PenValue(itemCode).Request(kCommandSet, sizeof(T), &value), kStatusOk);
    m_uncounted += m_service->RequestCount() - before;
  }

  template <typename T>
  static T Value(CDriverData& item) {
    T value{};
    EXPECT_EQ(item.Get(&value), kStatusOk);
    return value;
  }

  // Requests the items sent since the last call.
  std::uint32_t Sent() {
    const std::uint32_t total = m_service->RequestCount() - m_uncounted;
    const std::uint32_t sent = total - m_lastSent;
    m_lastSent = total;
    return sent;
  }

  // Tool items of the default pen: double-click values and the type code.
  static constexpr std::uint16_t kValueA = 255;    // 32-bit, factory value 2
  static constexpr std::uint16_t kValueB = 113;    // 32-bit, factory value 500
  static constexpr std::uint16_t kSwitch = 170;    // 8-bit, factory value 1
  static constexpr std::uint16_t kTypeCode = 115;  // 16-bit, read-only, no factory value

  CServiceDriverInterface* m_service = nullptr;
  std::uint32_t m_uncounted = 0;
  std::uint32_t m_lastSent = 0;
};

TEST_F(CDriverDataServiceTest, SettingTheSameValueSendsNothing) {
  auto item = Make(DataType::kLong, BehaviourKind::kLive, kValueB);
  EXPECT_EQ(Value<std::uint32_t>(*item), 500u);
  EXPECT_EQ(Sent(), 1u);
  const std::uint32_t same = 500;
  EXPECT_EQ(item->Set(&same), kStatusOk);
  EXPECT_EQ(Sent(), 0u);
}

TEST_F(CDriverDataServiceTest, LiveItemWrittenThenRevertedSendsTwoWrites) {
  auto item = Make(DataType::kLong, BehaviourKind::kLive, kValueB);
  const std::uint32_t longer = 625;
  ASSERT_EQ(item->Set(&longer), kStatusOk);  // loads, then writes
  EXPECT_EQ(Sent(), 2u);
  EXPECT_EQ(InService<std::uint32_t>(kValueB), 625u);
  ASSERT_EQ(item->Revert(), kStatusOk);
  EXPECT_EQ(Sent(), 1u);
  EXPECT_EQ(InService<std::uint32_t>(kValueB), 500u);
}

TEST_F(CDriverDataServiceTest, ApplyItemChangedTwiceThenAppliedSendsOneWrite) {
  auto item = Make(DataType::kLong, BehaviourKind::kApply, kValueA);
  for (const std::uint32_t v : {9u, 15u}) ASSERT_EQ(item->Set(&v), kStatusOk);
  EXPECT_EQ(Sent(), 1u);  // the load
  EXPECT_EQ(InService<std::uint32_t>(kValueA), 2u);
  ASSERT_EQ(item->Apply(), kStatusOk);
  EXPECT_EQ(Sent(), 1u);
  EXPECT_EQ(InService<std::uint32_t>(kValueA), 15u);
  // Applied means committed: Cancel keeps it.
  ASSERT_EQ(item->Revert(), kStatusOk);
  EXPECT_EQ(Value<std::uint32_t>(*item), 15u);
  EXPECT_EQ(Sent(), 0u);
}

TEST_F(CDriverDataServiceTest, UnchangedApplyItemSendsNothingUnlessForced) {
  auto plain = Make(DataType::kByte, BehaviourKind::kApply, kSwitch);
  auto forced = Make<CForceDriverData>(DataType::kByte, BehaviourKind::kApply, kSwitch);
  EXPECT_EQ(Value<std::uint8_t>(*plain), 1);
  EXPECT_EQ(Value<std::uint8_t>(*forced), 1);
  (void)Sent();
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(plain->Apply(), kStatusOk);
    ASSERT_EQ(forced->Apply(), kStatusOk);
  }
  EXPECT_EQ(Sent(), 2u);
}

// One edit cycle per behaviour: set, reset to the factory value, revert,
// apply. The live item writes three times; the apply item ends where it
// started and has nothing to apply; the no-driver item never asks.
TEST_F(CDriverDataServiceTest, RequestsPerBehaviourForOneEditCycle) {
  struct StCase {
    BehaviourKind kind;
    std::uint32_t requests;  // loads, default reads and writes
  };
  constexpr StCase kCases[] = {
      {BehaviourKind::kLive, 1 + 1 + 3},
      {BehaviourKind::kApply, 1 + 1},
      {BehaviourKind::kNoDriver, 0},
  };
  ChangeInService<std::uint32_t>(kValueB, 300);
  for (const StCase& c : kCases) {
    auto item = Make(DataType::kLong, c.kind, kValueB);
    (void)Sent();
    const std::uint32_t v = 750;
    ASSERT_EQ(item->Set(&v), kStatusOk);
    ASSERT_EQ(item->SetDefault(), kStatusOk);
    ASSERT_EQ(item->Revert(), kStatusOk);
    ASSERT_EQ(item->Apply(), kStatusOk);
    EXPECT_EQ(Sent(), c.requests) << "kind " << static_cast<int>(c.kind);
    EXPECT_EQ(InService<std::uint32_t>(kValueB), 300u) << "kind " << static_cast<int>(c.kind);
  }
}

TEST_F(CDriverDataServiceTest, SetDefaultTakesTheFactoryValue) {
  ChangeInService<std::uint32_t>(kValueA, 11);
  auto item = Make(DataType::kLong, BehaviourKind::kLive, kValueA);
  ASSERT_EQ(item->SetDefault(), kStatusOk);
  EXPECT_EQ(Value<std::uint32_t>(*item), 2u);
  EXPECT_EQ(InService<std::uint32_t>(kValueA), 2u);
}

TEST_F(CDriverDataServiceTest, SetDefaultWithoutFactoryValueRereadsAndWritesNothing) {
  auto item = Make(DataType::kWord, BehaviourKind::kLive, kTypeCode);
  EXPECT_EQ(Value<std::uint16_t>(*item), 2);
  (void)Sent();
  EXPECT_EQ(item->SetDefault(), kStatusOk);
  EXPECT_EQ(Value<std::uint16_t>(*item), 2);
  EXPECT_EQ(Sent(), 2u);  // the default read, then the plain read
}

TEST_F(CDriverDataServiceTest, RefusedWriteIsUndoneByTheNextRefresh) {
  auto item = Make(DataType::kWord, BehaviourKind::kLive, kTypeCode);
  const std::uint16_t puck = 3;
  EXPECT_NE(item->Set(&puck), kStatusOk);
  EXPECT_EQ(Value<std::uint16_t>(*item), 3);
  bool changed = false;
  ASSERT_EQ(item->Refresh(changed, this), kStatusOk);
  EXPECT_TRUE(changed);
  EXPECT_EQ(Value<std::uint16_t>(*item), 2);
}

TEST_F(CDriverDataServiceTest, RefreshTakesOverChangesMadeElsewhereUnlessOneIsPending) {
  auto live = Make(DataType::kLong, BehaviourKind::kLive, kValueB);
  auto pending = Make(DataType::kLong, BehaviourKind::kApply, kValueB);
  const std::uint32_t mine = 135;
  ASSERT_EQ(pending->Set(&mine), kStatusOk);
  bool changed = false;
  ASSERT_EQ(live->Refresh(changed, this), kStatusOk);
  ASSERT_EQ(pending->Refresh(changed, this), kStatusOk);

  ChangeInService<std::uint32_t>(kValueB, 687);
  (void)Sent();
  ASSERT_EQ(live->Refresh(changed, this), kStatusOk);
  EXPECT_TRUE(changed);
  EXPECT_EQ(Value<std::uint32_t>(*live), 687u);
  ASSERT_EQ(pending->Refresh(changed, this), kStatusOk);
  EXPECT_FALSE(changed);
  EXPECT_EQ(Value<std::uint32_t>(*pending), 135u);
  EXPECT_EQ(Sent(), 2u);  // one read per Refresh

  ASSERT_EQ(pending->Apply(), kStatusOk);
  EXPECT_EQ(InService<std::uint32_t>(kValueB), 135u);
}

TEST_F(CDriverDataServiceTest, NoDriverItemReachesTheDriverOnlyByForceWrite) {
  auto item = Make(DataType::kLong, BehaviourKind::kNoDriver, kValueA);
  EXPECT_EQ(Value<std::uint32_t>(*item), 0u);
  const std::uint32_t v = 7;
  ASSERT_EQ(item->Set(&v), kStatusOk);
  ASSERT_EQ(item->Apply(), kStatusOk);
  EXPECT_EQ(Sent(), 0u);
  EXPECT_EQ(InService<std::uint32_t>(kValueA), 2u);

  ASSERT_EQ(item->ForceWrite(), kStatusOk);
  EXPECT_EQ(Sent(), 1u);
  EXPECT_EQ(InService<std::uint32_t>(kValueA), 7u);
}

// A grouping over the pen's key: its table rows must name the service's values.
class CPenGrouping : public CDataGrouping {
 public:
  static constexpr std::array<StItemRow, 4> kItems{{
      {51, 255, DataType::kLong, BehaviourKind::kLive, 0},
      {52, 113, DataType::kLong, BehaviourKind::kLive, 0},
      {53, 170, DataType::kByte, BehaviourKind::kLive, 0},
      {46, 115, DataType::kWord, BehaviourKind::kLive, 0},
  }};
  Status GetItem(ItemId itemId, CDriverData*& item) override {
    return GetTableItem(kItems, itemId, item);
  }
  Status ApplyItems() override { return kStatusOk; }
  Status DefaultItems() override {
    for (const StItemRow& row : kItems) (void)DefaultItem(row.itemId);
    return kStatusOk;
  }
};

TEST_F(CDriverDataServiceTest, GroupingItemsReadAndResetTheirDriverValues) {
  CPenGrouping pen;
  ASSERT_EQ(pen.SetKey(PenKey()), kStatusOk);
  struct StCase {
    ItemId id;
    std::uint32_t factory;
  };
  constexpr StCase kCases[] = {{51, 2}, {52, 500}, {53, 1}, {46, 2}};
  ChangeInService<std::uint32_t>(kValueA, 9);
  ChangeInService<std::uint32_t>(kValueB, 9);
  ChangeInService<std::uint8_t>(kSwitch, 0);
  ASSERT_EQ(pen.DefaultItems(), kStatusOk);
  for (const StCase& c : kCases) {
    CDriverData* item = nullptr;
    ASSERT_EQ(pen.GetItem(c.id, item), kStatusOk);
    std::uint32_t value = 0;
    ASSERT_EQ(item->Get(&value), kStatusOk) << c.id;
    EXPECT_EQ(value, c.factory) << c.id;
  }
  EXPECT_EQ(InService<std::uint32_t>(kValueA), 2u);
  EXPECT_EQ(InService<std::uint8_t>(kSwitch), 1);
}

}  // namespace
