#include "settings/CBehaviour.h"

#include <gtest/gtest.h>

#include "driver/StDriverPacket.h"
#include "settings/CApplyBehaviour.h"
#include "settings/CLiveBehaviour.h"
#include "settings/CNoDriverBehaviour.h"
#include "settings/CSettingsTest.h"

namespace {

using CBehaviourTest = CSettingsTest;

TEST_F(CBehaviourTest, EachKnownKindHasOneSharedBehaviourOfItsClass) {
  CBehaviour* live = GetBehaviour(BehaviourKind::kLive);
  CBehaviour* apply = GetBehaviour(BehaviourKind::kApply);
  CBehaviour* noDriver = GetBehaviour(BehaviourKind::kNoDriver);
  EXPECT_NE(dynamic_cast<CLiveBehaviour*>(live), nullptr);
  EXPECT_NE(dynamic_cast<CApplyBehaviour*>(apply), nullptr);
  EXPECT_NE(dynamic_cast<CNoDriverBehaviour*>(noDriver), nullptr);
  EXPECT_EQ(GetBehaviour(BehaviourKind::kLive), live);
  EXPECT_EQ(GetBehaviour(BehaviourKind::kApply), apply);
  EXPECT_EQ(GetBehaviour(BehaviourKind::kNoDriver), noDriver);

  auto first = MakeInitialised(DataType::kWord, BehaviourKind::kApply, TabletKey(1));
  auto second = MakeInitialised(DataType::kLong, BehaviourKind::kApply, TabletKey(2));
  EXPECT_EQ(first->GetBehaviour(), apply);
  EXPECT_EQ(second->GetBehaviour(), apply);
}

TEST_F(CBehaviourTest, UnknownKindsHaveNoBehaviour) {
  for (int kind : {-1, 3, 100}) {
    EXPECT_EQ(GetBehaviour(static_cast<BehaviourKind>(kind)), nullptr) << kind;
    ReleaseBehaviour(static_cast<BehaviourKind>(kind));  // harmless
  }
}

TEST_F(CBehaviourTest, ReleasedBehaviourIsMadeAgainOnNextUse) {
  ASSERT_NE(GetBehaviour(BehaviourKind::kLive), nullptr);
  ReleaseBehaviour(BehaviourKind::kLive);
  ReleaseBehaviour(BehaviourKind::kLive);  // twice is harmless
  CBehaviour* again = GetBehaviour(BehaviourKind::kLive);
  EXPECT_NE(dynamic_cast<CLiveBehaviour*>(again), nullptr);
}

// What reaches the driver per behaviour for one edit cycle: load, set a new
// value, reset to the driver's default, revert, apply.
TEST_F(CBehaviourTest, RequestsPerBehaviourForOneEditCycle) {
  struct StCase {
    BehaviourKind kind;
    std::size_t reads;
    std::size_t defaultReads;
    std::size_t writes;
  };
  // Live: Set, SetDefault and Revert each write. Apply: nothing until Apply,
  // and after the revert there is nothing to apply. No driver: never asked.
  constexpr StCase kCases[] = {
      {BehaviourKind::kLive, 1, 1, 3},
      {BehaviourKind::kApply, 1, 1, 0},
      {BehaviourKind::kNoDriver, 0, 0, 0},
  };
  for (const StCase& c : kCases) {
    const CDataKey key = TabletKey(60);
    m_driver->Poke<std::uint16_t>(key, 1);
    m_driver->PokeDefault<std::uint16_t>(key, 7);
    m_driver->ClearLog();
    auto item = MakeInitialised(DataType::kWord, c.kind, key);
    const std::uint16_t v = 3;
    ASSERT_EQ(item->Set(&v), kStatusOk);
    ASSERT_EQ(item->SetDefault(), kStatusOk);
    ASSERT_EQ(item->Revert(), kStatusOk);
    ASSERT_EQ(item->Apply(), kStatusOk);
    const auto kind = static_cast<int>(c.kind);
    EXPECT_EQ(m_driver->Count(kCommandGet), c.reads) << "kind " << kind;
    EXPECT_EQ(m_driver->Count(kCommandGetDefault), c.defaultReads) << "kind " << kind;
    EXPECT_EQ(m_driver->Count(kCommandSet), c.writes) << "kind " << kind;
  }
}

TEST_F(CBehaviourTest, NoDriverDefaultIsWhatWasLastWritten) {
  auto item = MakeInitialised(DataType::kWord, BehaviourKind::kNoDriver, TabletKey(61));
  const std::uint16_t written = 4;
  ASSERT_EQ(item->Set(&written), kStatusOk);
  ASSERT_EQ(item->ForceWrite(), kStatusOk);
  const std::uint16_t edited = 9;
  ASSERT_EQ(item->Set(&edited), kStatusOk);
  EXPECT_EQ(item->SetDefault(), kStatusOk);
  EXPECT_EQ(GetValue<std::uint16_t>(*item), 4);
  EXPECT_EQ(m_driver->Count(kCommandGetDefault), 0u);
}

}  // namespace
