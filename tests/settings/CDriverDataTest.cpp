#include <array>
#include <cstring>

#include <gtest/gtest.h>

#include "protocol/StDriverPacket.h"
#include "settings/CDriverData.h"
#include "settings/CForceDriverData.h"
#include "settings/CSettingsTest.h"

// One item over a recording driver whose values, factory values and failures
// each test lays out; the request counts say what reached the driver.
namespace {

class CDriverDataTest : public CSettingsTest {
 protected:
  const CDataKey m_key = TabletKey(40);

  std::unique_ptr<CDriverData> Word(BehaviourKind kind, std::uint16_t driverValue) {
    m_driver->Put<std::uint16_t>(m_key, driverValue);
    return MakeInitialised(DataType::kWord, kind, m_key);
  }
  static Status Set(CDriverData& item, std::uint16_t value) { return item.Set(&value); }
  [[nodiscard]] std::uint16_t Held() const { return m_driver->Peek<std::uint16_t>(m_key); }
  [[nodiscard]] std::size_t Reads() const { return m_driver->CountRequests(kCommandGet); }
  [[nodiscard]] std::size_t Writes() const { return m_driver->CountRequests(kCommandSet); }
};

TEST_F(CDriverDataTest, NothingLoadsUntilAFirstReadSucceeds) {
  CDriverData bare(DataType::kWord);
  std::uint16_t value = 1;
  EXPECT_EQ(bare.Get(&value), kStatusNoItem);
  EXPECT_EQ(bare.ForceWrite(), kStatusNoItem);

  auto item = Word(BehaviourKind::kApply, 5);
  m_driver->FailWith(kCommandGet, KeyPath{}, kStatusNotFound);
  Status status = kStatusOk;
  GetValue<std::uint16_t>(*item, &status);
  EXPECT_EQ(status, kStatusNotFound);
  // Revert and Apply of an unloaded item do not load.
  EXPECT_EQ(item->Revert(), kStatusOk);
  EXPECT_EQ(item->Apply(), kStatusOk);
  m_driver->ClearFailures();
  EXPECT_EQ(GetValue<std::uint16_t>(*item, &status), 5);
  EXPECT_EQ(status, kStatusOk);
  EXPECT_EQ(Reads(), 2u);
}

// Apply sends the last of several changes once and commits it, so Cancel
// keeps it; only a forced item sends an unchanged value again.
TEST_F(CDriverDataTest, ApplySendsTheLastChangeOnceAndCancelKeepsIt) {
  auto item = Word(BehaviourKind::kApply, 2);
  auto forced = MakeInitialised<CForceDriverData>(DataType::kWord, BehaviourKind::kApply, m_key);
  GetValue<std::uint16_t>(*forced);
  ASSERT_EQ(Set(*item, 9), kStatusOk);
  ASSERT_EQ(Set(*item, 15), kStatusOk);
  EXPECT_EQ(Writes(), 0u);
  ASSERT_EQ(item->Apply(), kStatusOk);
  EXPECT_EQ(Held(), 15);
  ASSERT_EQ(item->Revert(), kStatusOk);
  EXPECT_EQ(GetValue<std::uint16_t>(*item), 15);
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(item->Apply(), kStatusOk);
    ASSERT_EQ(forced->Apply(), kStatusOk);
  }
  EXPECT_EQ(Writes(), 3u);
}

TEST_F(CDriverDataTest, FailedWriteCountsAsWrittenButNotCommitted) {
  auto item = Word(BehaviourKind::kApply, 1);
  ASSERT_EQ(Set(*item, 2), kStatusOk);
  m_driver->FailWith(kCommandSet, KeyPath{}, kStatusDataTooLong);
  EXPECT_EQ(item->Apply(), kStatusDataTooLong);
  std::uint16_t baseline = 0;
  std::memcpy(&baseline, item->BaselineValue().data(), 2);
  EXPECT_EQ(baseline, 1);
  EXPECT_EQ(item->Apply(), kStatusOk);  // not resent
  EXPECT_EQ(Writes(), 1u);
}

// One edit cycle per behaviour: set, reset to the factory value, revert,
// apply. The live item writes three times; the apply item ends where it
// started and has nothing to apply; the no-driver item never asks.
TEST_F(CDriverDataTest, RequestsPerBehaviourForOneEditCycle) {
  struct StCase {
    BehaviourKind kind;
    std::size_t requests;  // loads, default reads and writes
  };
  constexpr StCase kCases[] = {
      {BehaviourKind::kLive, 1 + 1 + 3},
      {BehaviourKind::kApply, 1 + 1},
      {BehaviourKind::kNoDriver, 0},
  };
  m_driver->PutDefault<std::uint16_t>(m_key, 500);
  for (const StCase& c : kCases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    auto item = Word(c.kind, 300);
    m_driver->ClearRequests();
    ASSERT_EQ(Set(*item, 750), kStatusOk);
    ASSERT_EQ(item->SetDefault(), kStatusOk);
    ASSERT_EQ(item->Revert(), kStatusOk);
    ASSERT_EQ(item->Apply(), kStatusOk);
    EXPECT_EQ(m_driver->GetRequests().size(), c.requests);
    EXPECT_EQ(Held(), 300);
  }
}

// Without a factory value the item shows the driver's plain value again,
// dropping a pending change; other failures are passed on untouched.
TEST_F(CDriverDataTest, SetDefaultByWhatTheDriverAnswers) {
  struct StCase {
    Status answer;
    Status expected;
    std::uint16_t shown;
  };
  constexpr StCase kCases[] = {
      {kStatusNotFound, kStatusOk, 33},
      {kStatusMalformedPacket, kStatusMalformedPacket, 31},
  };
  for (const StCase& c : kCases) {
    SCOPED_TRACE(c.answer);
    m_driver->FailWith(kCommandGetDefault, KeyPath{}, c.answer);
    auto item = Word(BehaviourKind::kApply, 30);
    ASSERT_EQ(Set(*item, 31), kStatusOk);
    m_driver->Put<std::uint16_t>(m_key, 33);  // changed elsewhere meanwhile
    EXPECT_EQ(item->SetDefault(), c.expected);
    EXPECT_EQ(GetValue<std::uint16_t>(*item), c.shown);
  }
  EXPECT_EQ(Writes(), 0u);
}

// Without a driver the factory value is what the item last wrote.
TEST_F(CDriverDataTest, NoDriverDefaultIsWhatWasLastWritten) {
  auto item = MakeInitialised(DataType::kWord, BehaviourKind::kNoDriver, m_key);
  ASSERT_EQ(Set(*item, 4), kStatusOk);
  ASSERT_EQ(item->ForceWrite(), kStatusOk);
  ASSERT_EQ(Set(*item, 9), kStatusOk);
  EXPECT_EQ(item->SetDefault(), kStatusOk);
  EXPECT_EQ(GetValue<std::uint16_t>(*item), 4);
}

TEST_F(CDriverDataTest, AReadRoundReadsEachItemOnceForAllItsObservers) {
  auto item = Word(BehaviourKind::kLive, 1);
  const int observerA = 0;
  const int observerB = 0;
  bool changed = false;
  ASSERT_EQ(item->Refresh(changed, &observerA), kStatusOk);
  ASSERT_EQ(item->Refresh(changed, &observerB), kStatusOk);
  const std::size_t before = Reads();
  for (int round = 0; round < 2; ++round) {
    // A new value in the driver: one read per round, and both observers redraw.
    m_driver->Put<std::uint16_t>(m_key, static_cast<std::uint16_t>(7 + round));
    CDriverData::OpenReadRound();
    for (const int* observer : {&observerA, &observerB}) {
      EXPECT_EQ(item->Refresh(changed, observer), kStatusOk);
      EXPECT_TRUE(changed);
    }
    CDriverData::CloseReadRound();
    EXPECT_EQ(Reads(), before + static_cast<std::size_t>(round) + 1);
  }
  // An observer that has drawn the value draws again after the user changes it.
  ASSERT_EQ(Set(*item, 3), kStatusOk);
  EXPECT_EQ(item->Refresh(changed, &observerB), kStatusOk);
  EXPECT_TRUE(changed);
  // A failed read fails every refresh of its round, with one request.
  m_driver->FailWith(kCommandGet, KeyPath{}, kStatusNotFound);
  CDriverData::OpenReadRound();
  EXPECT_EQ(item->Refresh(changed, &observerA), kStatusNotFound);
  EXPECT_EQ(item->Refresh(changed, &observerB), kStatusNotFound);
  CDriverData::CloseReadRound();
  EXPECT_EQ(Reads(), before + 4);
}

TEST_F(CDriverDataTest, FailedRefreshIsRememberedAndTheNextGoodOneTakesOver) {
  auto item = Word(BehaviourKind::kLive, 1);
  bool changed = false;
  ASSERT_EQ(item->Refresh(changed, this), kStatusOk);

  m_driver->FailWith(kCommandGet, KeyPath{}, kStatusNotFound);
  EXPECT_EQ(item->Refresh(changed, this), kStatusNotFound);
  EXPECT_FALSE(changed);
  Status status = kStatusOk;
  EXPECT_EQ(GetValue<std::uint16_t>(*item, &status), 1);
  EXPECT_EQ(status, kStatusNotFound);

  // The driver's value equals the last-written one, but after a failed read
  // it is taken over and shown again.
  m_driver->ClearFailures();
  EXPECT_EQ(item->Refresh(changed, this), kStatusOk);
  EXPECT_TRUE(changed);
  EXPECT_EQ(item->GetLastStatus(), kStatusOk);
}

TEST_F(CDriverDataTest, RefreshTakesOverChangesMadeElsewhereUnlessOneIsPending) {
  auto live = Word(BehaviourKind::kLive, 500);
  auto pending = MakeInitialised(DataType::kWord, BehaviourKind::kApply, m_key);
  ASSERT_EQ(Set(*pending, 135), kStatusOk);
  bool changed = false;
  ASSERT_EQ(live->Refresh(changed, this), kStatusOk);
  ASSERT_EQ(pending->Refresh(changed, this), kStatusOk);

  m_driver->Put<std::uint16_t>(m_key, 687);
  ASSERT_EQ(live->Refresh(changed, this), kStatusOk);
  EXPECT_TRUE(changed);
  EXPECT_EQ(GetValue<std::uint16_t>(*live), 687);
  ASSERT_EQ(pending->Refresh(changed, this), kStatusOk);
  EXPECT_FALSE(changed);
  EXPECT_EQ(GetValue<std::uint16_t>(*pending), 135);

  ASSERT_EQ(pending->Apply(), kStatusOk);
  EXPECT_EQ(Held(), 135);
  // Taken over, not committed: Cancel restores the value the dialog opened with.
  ASSERT_EQ(live->Revert(), kStatusOk);
  EXPECT_EQ(Held(), 500);
}

// A text equal up to its end is the same value, both when set and when the
// driver's copy changes after the end; but a pending text that differs from
// the last-written one after its end is the user's change and stays.
TEST_F(CDriverDataTest, TextsCompareUpToTheirEndExceptAPendingChange) {
  using Text = std::array<char, 256>;
  m_driver->Put(m_key, Bytes(Text{"AAA"}));
  auto live = MakeInitialised(DataType::kText, BehaviourKind::kLive, m_key);
  auto pending = MakeInitialised(DataType::kText, BehaviourKind::kApply, m_key);
  Text junkAfterEnd{"AAA"};
  junkAfterEnd[7] = 'Z';
  ASSERT_EQ(pending->Set(Text{"xyz"}.data()), kStatusOk);
  ASSERT_EQ(pending->Set(junkAfterEnd.data()), kStatusOk);
  bool changed = false;
  ASSERT_EQ(live->Refresh(changed, this), kStatusOk);
  ASSERT_EQ(pending->Refresh(changed, this), kStatusOk);

  m_driver->Put(m_key, Bytes(junkAfterEnd));
  EXPECT_EQ(live->Refresh(changed, this), kStatusOk);
  EXPECT_FALSE(changed);
  EXPECT_EQ(live->Set(junkAfterEnd.data()), kStatusOk);
  EXPECT_EQ(Writes(), 0u);
  EXPECT_EQ(live->Set(Text{"A"}.data()), kStatusOk);
  EXPECT_EQ(Writes(), 1u);

  EXPECT_EQ(pending->Refresh(changed, this), kStatusOk);
  EXPECT_FALSE(changed);
  Text shown{};
  ASSERT_EQ(pending->Get(shown.data()), kStatusOk);
  EXPECT_EQ(shown, junkAfterEnd);
}

}  // namespace
