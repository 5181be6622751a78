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
