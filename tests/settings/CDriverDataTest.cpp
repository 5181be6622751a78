#include "settings/CDriverData.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "driver/StDriverPacket.h"
#include "settings/CForceDriverData.h"
#include "settings/CSettingsTest.h"

namespace {

using Text = std::array<char, 256>;

Text MakeText(const char* text, char filler = '\0') {
  Text field{};
  field.fill(filler);
  std::memcpy(field.data(), text, std::strlen(text) + 1);
  return field;
}

class CDriverDataTest : public CSettingsTest {
 protected:
  const CDataKey m_key = TabletKey(40);

  std::unique_ptr<CDriverData> Word(BehaviourKind kind, std::uint16_t driverValue) {
    m_driver->Poke<std::uint16_t>(m_key, driverValue);
    return MakeInitialised(DataType::kWord, kind, m_key);
  }

  [[nodiscard]] std::size_t Reads() const { return m_driver->Count(kCommandGet); }
  [[nodiscard]] std::size_t Writes() const { return m_driver->Count(kCommandSet); }
};

// --- Construction, Init and loading -----------------------------------------

TEST_F(CDriverDataTest, InitZeroesBuffersWithoutAskingTheDriver) {
  m_driver->Poke<std::uint32_t>(m_key, 0x12345678);
  CDriverData item(DataType::kLong);
  EXPECT_EQ(item.GetSize(), 4u);
  EXPECT_TRUE(item.CurrentValue().empty());

  ASSERT_EQ(item.Init(m_key, BehaviourKind::kLive), kStatusOk);
  EXPECT_EQ(m_driver->Requests().size(), 0u);
  EXPECT_FALSE(item.IsLoaded());
  EXPECT_EQ(item.GetKey(), m_key);
  for (auto buffer : {item.CurrentValue(), item.LastWrittenValue(), item.BaselineValue(), item.DriverValue()}) {
    ASSERT_EQ(buffer.size(), 4u);
    for (std::byte b : buffer) EXPECT_EQ(b, std::byte{0});
  }
}

TEST_F(CDriverDataTest, InitWithUnknownBehaviourKindIsOutOfMemory) {
  CDriverData item(DataType::kWord);
  EXPECT_EQ(item.Init(m_key, static_cast<BehaviourKind>(3)), kStatusOutOfMemory);
}

TEST_F(CDriverDataTest, FirstGetLoadsOnceAndFillsEveryCopy) {
  auto item = Word(BehaviourKind::kLive, 77);
  EXPECT_EQ(GetValue<std::uint16_t>(*item), 77);
  EXPECT_EQ(GetValue<std::uint16_t>(*item), 77);
  EXPECT_EQ(Reads(), 1u);
  EXPECT_TRUE(item->IsLoaded());
  for (auto buffer : {item->LastWrittenValue(), item->BaselineValue()}) {
    std::uint16_t copy = 0;
    std::memcpy(&copy, buffer.data(), 2);
    EXPECT_EQ(copy, 77);
  }
}

TEST_F(CDriverDataTest, FailedFirstReadLeavesItemUnloadedAndIsRetried) {
  auto item = Word(BehaviourKind::kLive, 5);
  m_driver->Fail(kCommandGet, kStatusNotFound);
  Status status = kStatusOk;
  (void)GetValue<std::uint16_t>(*item, &status);
  EXPECT_EQ(status, kStatusNotFound);
  EXPECT_FALSE(item->IsLoaded());
  EXPECT_EQ(item->GetLastStatus(), kStatusNotFound);
  EXPECT_EQ(item->Revert(), kStatusOk);
  EXPECT_EQ(item->Apply(), kStatusOk);
  EXPECT_EQ(Reads(), 1u);  // Revert and Apply do not load

  m_driver->ClearFailures();
  EXPECT_EQ(GetValue<std::uint16_t>(*item, &status), 5);
  EXPECT_EQ(status, kStatusOk);
  EXPECT_EQ(Reads(), 2u);
}

TEST_F(CDriverDataTest, UninitialisedItemRefusesWork) {
  CDriverData item(DataType::kWord);
  std::uint16_t value = 1;
  EXPECT_EQ(item.Get(&value), kStatusNoItem);
  EXPECT_EQ(item.ForceWrite(), kStatusNoItem);
  EXPECT_EQ(m_driver->Requests().size(), 0u);
}

// --- Set, Revert, Commit by behaviour ------------------------------------------

TEST_F(CDriverDataTest, SettingTheCurrentValueSendsNothingAndKeepsObservers) {
  auto item = Word(BehaviourKind::kLive, 9);
  bool changed = false;
  ASSERT_EQ(item->Refresh(changed, this), kStatusOk);
  const std::uint16_t same = 9;
  EXPECT_EQ(item->Set(&same), kStatusOk);
  EXPECT_EQ(Writes(), 0u);
  ASSERT_EQ(item->Refresh(changed, this), kStatusOk);
  EXPECT_FALSE(changed);
}

TEST_F(CDriverDataTest, ApplyItemRevertedBeforeApplyNeverReachesTheDriver) {
  auto item = Word(BehaviourKind::kApply, 4);
  const std::uint16_t v = 8;
  ASSERT_EQ(item->Set(&v), kStatusOk);
  EXPECT_EQ(item->Revert(), kStatusOk);
  EXPECT_EQ(GetValue<std::uint16_t>(*item), 4);
  EXPECT_EQ(item->Apply(), kStatusOk);
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(CDriverDataTest, ApplyOnUnloadedItemDoesNothing) {
  auto item = Word(BehaviourKind::kApply, 6);
  EXPECT_EQ(item->Apply(), kStatusOk);
  EXPECT_EQ(m_driver->Requests().size(), 0u);
}

TEST_F(CDriverDataTest, CommitMakesTheCurrentValueTheBaseline) {
  auto item = Word(BehaviourKind::kApply, 1);
  const std::uint16_t v = 50;
  ASSERT_EQ(item->Set(&v), kStatusOk);
  EXPECT_EQ(item->Commit(), kStatusOk);
  EXPECT_EQ(item->Revert(), kStatusOk);
  EXPECT_EQ(GetValue<std::uint16_t>(*item), 50);
  // Committed, not written: the change is still pending for Apply.
  EXPECT_EQ(Writes(), 0u);
  EXPECT_EQ(item->Apply(), kStatusOk);
  EXPECT_EQ(Writes(), 1u);
}

TEST_F(CDriverDataTest, FailedWriteCountsAsWritten) {
  auto item = Word(BehaviourKind::kApply, 1);
  const std::uint16_t v = 2;
  ASSERT_EQ(item->Set(&v), kStatusOk);
  m_driver->Fail(kCommandSet, kStatusDataTooLong);
  EXPECT_EQ(item->Apply(), kStatusDataTooLong);
  // Not committed: the failed value is not the baseline...
  std::uint16_t baseline = 0;
  std::memcpy(&baseline, item->BaselineValue().data(), 2);
  EXPECT_EQ(baseline, 1);
  // ...but it is not resent either.
  EXPECT_EQ(item->Apply(), kStatusOk);
  EXPECT_EQ(Writes(), 1u);
}

// --- SetDefault ----------------------------------------------------------------

TEST_F(CDriverDataTest, SetDefaultOnApplyItemWaitsForApply) {
  auto item = Word(BehaviourKind::kApply, 30);
  m_driver->PokeDefault<std::uint16_t>(m_key, 12);
  EXPECT_EQ(item->SetDefault(), kStatusOk);
  EXPECT_EQ(GetValue<std::uint16_t>(*item), 12);
  EXPECT_EQ(Writes(), 0u);
  EXPECT_EQ(item->Apply(), kStatusOk);
  EXPECT_EQ(m_driver->Peek<std::uint16_t>(m_key), 12);
}

TEST_F(CDriverDataTest, SetDefaultWithoutDriverDefaultRereadsThePlainValue) {
  for (Status noDefault : {kStatusNotSupported, kStatusNotFound}) {
    m_driver->SetNoDefaultStatus(noDefault);
    m_driver->ClearLog();
    auto item = Word(BehaviourKind::kApply, 30);
    const std::uint16_t pending = 31;
    ASSERT_EQ(item->Set(&pending), kStatusOk);
    m_driver->Poke<std::uint16_t>(m_key, 33);  // changed elsewhere meanwhile

    EXPECT_EQ(item->SetDefault(), kStatusOk) << noDefault;
    // Every copy is the driver's plain value again.
    EXPECT_EQ(GetValue<std::uint16_t>(*item), 33) << noDefault;
    EXPECT_EQ(item->Revert(), kStatusOk);
    EXPECT_EQ(GetValue<std::uint16_t>(*item), 33) << noDefault;
    EXPECT_EQ(Reads(), 2u) << noDefault;
    EXPECT_EQ(Writes(), 0u) << noDefault;
  }
}

TEST_F(CDriverDataTest, SetDefaultPassesOtherFailuresOn) {
  auto item = Word(BehaviourKind::kLive, 30);
  m_driver->Fail(kCommandGetDefault, kStatusMalformedPacket);
  EXPECT_EQ(item->SetDefault(), kStatusMalformedPacket);
  EXPECT_EQ(GetValue<std::uint16_t>(*item), 30);
  EXPECT_EQ(Reads(), 1u);
  EXPECT_EQ(Writes(), 0u);
}

// --- No-driver items and ForceWrite ------------------------------------------

TEST_F(CDriverDataTest, ForceWriteSendsEvenAnUnchangedValue) {
  auto item = Word(BehaviourKind::kLive, 3);
  EXPECT_EQ(item->ForceWrite(), kStatusOk);
  EXPECT_EQ(item->ForceWrite(), kStatusOk);
  EXPECT_EQ(Writes(), 2u);
  m_driver->Fail(kCommandSet, kStatusNotFound);
  EXPECT_EQ(item->ForceWrite(), kStatusNotFound);
}

// --- Refresh and observers ---------------------------------------------------

TEST_F(CDriverDataTest, NewObserverRedrawsOnceThenNotAgain) {
  auto item = Word(BehaviourKind::kLive, 1);
  const int observerA = 0;
  const int observerB = 0;
  bool changed = false;
  EXPECT_EQ(item->Refresh(changed, &observerA), kStatusOk);
  EXPECT_TRUE(changed);
  EXPECT_EQ(item->Refresh(changed, &observerA), kStatusOk);
  EXPECT_FALSE(changed);
  EXPECT_EQ(item->Refresh(changed, &observerB), kStatusOk);
  EXPECT_TRUE(changed);
  EXPECT_EQ(item->GetObserverCount(), 2u);
  // Each Refresh is one read, after the loading read.
  EXPECT_EQ(Reads(), 4u);
}

TEST_F(CDriverDataTest, SetMakesEveryObserverRedraw) {
  auto item = Word(BehaviourKind::kLive, 1);
  bool changed = false;
  ASSERT_EQ(item->Refresh(changed, this), kStatusOk);
  const std::uint16_t v = 2;
  ASSERT_EQ(item->Set(&v), kStatusOk);
  EXPECT_EQ(item->GetObserverCount(), 0u);
  EXPECT_EQ(item->Refresh(changed, this), kStatusOk);
  EXPECT_TRUE(changed);
}

TEST_F(CDriverDataTest, DriverChangeIsTakenOverWhenNothingIsPending) {
  auto item = Word(BehaviourKind::kLive, 1);
  const int observerA = 0;
  const int observerB = 0;
  bool changed = false;
  ASSERT_EQ(item->Refresh(changed, &observerA), kStatusOk);
  ASSERT_EQ(item->Refresh(changed, &observerB), kStatusOk);

  m_driver->Poke<std::uint16_t>(m_key, 44);
  EXPECT_EQ(item->Refresh(changed, &observerA), kStatusOk);
  EXPECT_TRUE(changed);
  EXPECT_EQ(GetValue<std::uint16_t>(*item), 44);
  // B has not seen the new value yet.
  EXPECT_EQ(item->Refresh(changed, &observerB), kStatusOk);
  EXPECT_TRUE(changed);
  // The baseline stays what Cancel should restore.
  EXPECT_EQ(item->Revert(), kStatusOk);
  EXPECT_EQ(GetValue<std::uint16_t>(*item), 1);
}

TEST_F(CDriverDataTest, FailedRefreshIsRememberedAndTheNextGoodOneTakesOver) {
  auto item = Word(BehaviourKind::kLive, 1);
  bool changed = false;
  ASSERT_EQ(item->Refresh(changed, this), kStatusOk);

  m_driver->Fail(kCommandGet, kStatusNotFound);
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
  EXPECT_EQ(item->GetObserverCount(), 1u);
}

TEST_F(CDriverDataTest, RefreshLoadFailureReportsUnchanged) {
  auto item = Word(BehaviourKind::kLive, 1);
  m_driver->Fail(kCommandGet, kStatusNotFound);
  bool changed = true;
  EXPECT_EQ(item->Refresh(changed, this), kStatusNotFound);
  EXPECT_FALSE(changed);
  EXPECT_EQ(Reads(), 1u);
}

// --- Comparison lengths of lists and texts ----------------------------------

TEST_F(CDriverDataTest, TextsEqualUpToTheirZeroAreTheSameValue) {
  const Text driverText = MakeText("Pen");
  m_driver->PokeBytes(m_key, driverText.data(), driverText.size());
  auto item = MakeInitialised(DataType::kText, BehaviourKind::kLive, m_key);
  const Text sameWithJunk = MakeText("Pen", 'J');
  EXPECT_EQ(item->Set(sameWithJunk.data()), kStatusOk);
  EXPECT_EQ(Writes(), 0u);
  const Text other = MakeText("Pe");
  EXPECT_EQ(item->Set(other.data()), kStatusOk);
  EXPECT_EQ(Writes(), 1u);
}

TEST_F(CDriverDataTest, EmptyWordListComparesOnlyItsZeroWord) {
  std::array<std::uint32_t, 64> driverList{};
  driverList[1] = 0x11;  // junk after the end
  m_driver->PokeBytes(m_key, driverList.data(), 256);
  auto item = MakeInitialised(DataType::kWordList, BehaviourKind::kLive, m_key);
  std::array<std::uint32_t, 64> empty{};
  empty[1] = 0x22;
  EXPECT_EQ(item->Set(empty.data()), kStatusOk);
  EXPECT_EQ(Writes(), 0u);

  std::array<std::uint32_t, 64> oneWord{};
  oneWord[0] = 0x41;
  EXPECT_EQ(item->Set(oneWord.data()), kStatusOk);
  EXPECT_EQ(Writes(), 1u);
}

TEST_F(CDriverDataTest, DriverTextChangeAfterTheZeroIsNoChange) {
  const Text driverText = MakeText("Pen");
  m_driver->PokeBytes(m_key, driverText.data(), driverText.size());
  auto item = MakeInitialised(DataType::kText, BehaviourKind::kLive, m_key);
  bool changed = false;
  ASSERT_EQ(item->Refresh(changed, this), kStatusOk);
  const Text junk = MakeText("Pen", 'Q');
  m_driver->PokeBytes(m_key, junk.data(), junk.size());
  EXPECT_EQ(item->Refresh(changed, this), kStatusOk);
  EXPECT_FALSE(changed);
}

TEST_F(CDriverDataTest, PendingChangeIsJudgedOverTheWholeBuffer) {
  // A pending text that differs from the last-written one only after its
  // zero byte is still the user's change and must not be overwritten.
  const Text driverText = MakeText("abc");
  m_driver->PokeBytes(m_key, driverText.data(), driverText.size());
  auto item = MakeInitialised(DataType::kText, BehaviourKind::kApply, m_key);
  const Text first = MakeText("xyz");
  const Text pending = MakeText("abc", 'Z');
  ASSERT_EQ(item->Set(first.data()), kStatusOk);
  ASSERT_EQ(item->Set(pending.data()), kStatusOk);
  bool changed = false;
  ASSERT_EQ(item->Refresh(changed, this), kStatusOk);

  const Text elsewhere = MakeText("new");
  m_driver->PokeBytes(m_key, elsewhere.data(), elsewhere.size());
  EXPECT_EQ(item->Refresh(changed, this), kStatusOk);
  EXPECT_FALSE(changed);
  Text shown{};
  ASSERT_EQ(item->Get(shown.data()), kStatusOk);
  EXPECT_EQ(shown, pending);
}

}  // namespace
