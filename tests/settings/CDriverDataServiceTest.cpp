#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>

#include "driver/CDataKey.h"
#include "settings/CForceDriverData.h"
#include "settings/CSettingsTest.h"

// Items against the tablet service of the default profile, whose first tool
// is a pen. The service's request count says what reached the driver.
namespace {

class CDriverDataServiceTest : public CServiceTest {
 protected:
  void SetUp() override { Start(); }

  static CDataKey PenValue(std::uint16_t itemCode) {
    CDataKey key;
    key.AppendLevel(2, 0).AppendLevel(4, 0).AppendLevel(itemCode);
    return key;
  }

  template <typename Item = CDriverData>
  std::unique_ptr<CDriverData> Make(DataType type, BehaviourKind kind, std::uint16_t itemCode) {
    auto item = std::make_unique<Item>(type);
    EXPECT_EQ(item->Init(PenValue(itemCode), kind), kStatusOk);
    return item;
  }

  // Reads or changes what the service holds behind the items' backs; these
  // requests are not counted by Sent().
  template <typename T>
  T InService(std::uint16_t itemCode) {
    ++m_lastSent;
    return ReadPath<T>(PathOf(PenValue(itemCode)));
  }
  template <typename T>
  void ChangeInService(std::uint16_t itemCode, T value) {
    ++m_lastSent;
    EXPECT_EQ(WritePath(PathOf(PenValue(itemCode)), value), kStatusOk);
  }

  template <typename T>
  static T Value(CDriverData& item) {
    T value{};
    EXPECT_EQ(item.Get(&value), kStatusOk);
    return value;
  }

  // Requests the items sent since the last call.
  std::uint32_t Sent() {
    const std::uint32_t sent = static_cast<std::uint32_t>(m_driver->GetRequests().size()) - m_lastSent;
    m_lastSent = static_cast<std::uint32_t>(m_driver->GetRequests().size());
    return sent;
  }

  // Tool items of the default pen: double-click values and the type code.
  static constexpr std::uint16_t kValueA = 255;    // 32-bit, factory value 2
  static constexpr std::uint16_t kValueB = 113;    // 32-bit, factory value 500
  static constexpr std::uint16_t kSwitch = 170;    // 8-bit, factory value 1
  static constexpr std::uint16_t kTypeCode = 115;  // 16-bit, read-only, no factory value

  std::uint32_t m_lastSent = 0;
};

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
  // Taken over, not committed: Cancel restores the value the dialog opened with.
  ASSERT_EQ(live->Revert(), kStatusOk);
  EXPECT_EQ(InService<std::uint32_t>(kValueB), 500u);
}

}  // namespace
