#include "settings/CDriverData.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "protocol/StDriverPacket.h"
#include "settings/CSettingsTest.h"

// What only a driver that fails on demand can show; the ordinary edit cycles
// run against the tablet service in CDriverDataServiceTest.
namespace {

std::vector<std::uint8_t> AsBytes(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  return {bytes, bytes + size};
}

class CDriverDataTest : public CSettingsTest {
 protected:
  const CDataKey m_key = TabletKey(40);

  std::unique_ptr<CDriverData> Word(BehaviourKind kind, std::uint16_t driverValue) {
    m_driver->Put<std::uint16_t>(m_key, driverValue);
    return MakeInitialised(DataType::kWord, kind, m_key);
  }

  [[nodiscard]] std::size_t Reads() const { return m_driver->CountRequests(kCommandGet); }
  [[nodiscard]] std::size_t Writes() const { return m_driver->CountRequests(kCommandSet); }
};

TEST_F(CDriverDataTest, UninitialisedItemRefusesWork) {
  CDriverData item(DataType::kWord);
  std::uint16_t value = 1;
  EXPECT_EQ(item.Get(&value), kStatusNoItem);
  EXPECT_EQ(item.ForceWrite(), kStatusNoItem);
  EXPECT_EQ(m_driver->GetRequests().size(), 0u);
}

TEST_F(CDriverDataTest, FailedFirstReadLeavesItemUnloadedAndIsRetried) {
  auto item = Word(BehaviourKind::kApply, 5);
  m_driver->FailWith(kCommandGet, KeyPath{}, kStatusNotFound);
  Status status = kStatusOk;
  (void)GetValue<std::uint16_t>(*item, &status);
  EXPECT_EQ(status, kStatusNotFound);
  bool changed = true;
  EXPECT_EQ(item->Refresh(changed, this), kStatusNotFound);
  EXPECT_FALSE(changed);
  // Revert and Apply of an unloaded item do not load.
  EXPECT_EQ(item->Revert(), kStatusOk);
  EXPECT_EQ(item->Apply(), kStatusOk);
  EXPECT_EQ(m_driver->GetRequests().size(), 2u);

  m_driver->ClearFailures();
  EXPECT_EQ(GetValue<std::uint16_t>(*item, &status), 5);
  EXPECT_EQ(status, kStatusOk);
  EXPECT_EQ(Reads(), 3u);
}

TEST_F(CDriverDataTest, FailedWriteCountsAsWrittenButNotCommitted) {
  auto item = Word(BehaviourKind::kApply, 1);
  const std::uint16_t v = 2;
  ASSERT_EQ(item->Set(&v), kStatusOk);
  m_driver->FailWith(kCommandSet, KeyPath{}, kStatusDataTooLong);
  EXPECT_EQ(item->Apply(), kStatusDataTooLong);
  std::uint16_t baseline = 0;
  std::memcpy(&baseline, item->BaselineValue().data(), 2);
  EXPECT_EQ(baseline, 1);
  EXPECT_EQ(item->Apply(), kStatusOk);  // not resent
  EXPECT_EQ(Writes(), 1u);
}

// Without a factory value the item shows the driver's plain value again,
// dropping a pending change; other failures are passed on untouched.
TEST_F(CDriverDataTest, SetDefaultByWhatTheDriverAnswers) {
  struct StCase {
    Status answer;
    Status expected;
    std::uint16_t shown;
    std::size_t reads;
  };
  constexpr StCase kCases[] = {
      {kStatusNotSupported, kStatusOk, 33, 2},
      {kStatusNotFound, kStatusOk, 33, 2},
      {kStatusMalformedPacket, kStatusMalformedPacket, 31, 1},
  };
  for (const StCase& c : kCases) {
    SCOPED_TRACE(c.answer);
    m_driver->ClearFailures();
    m_driver->ClearRequests();
    m_driver->FailWith(kCommandGetDefault, KeyPath{}, c.answer);
    auto item = Word(BehaviourKind::kApply, 30);
    const std::uint16_t pending = 31;
    ASSERT_EQ(item->Set(&pending), kStatusOk);
    m_driver->Put<std::uint16_t>(m_key, 33);  // changed elsewhere meanwhile

    EXPECT_EQ(item->SetDefault(), c.expected);
    EXPECT_EQ(GetValue<std::uint16_t>(*item), c.shown);
    EXPECT_EQ(Reads(), c.reads);
    EXPECT_EQ(Writes(), 0u);
  }
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
    EXPECT_EQ(GetValue<std::uint16_t>(*item), 7 + round);
  }
  // A failed read fails every refresh of its round, with one request.
  m_driver->FailWith(kCommandGet, KeyPath{}, kStatusNotFound);
  CDriverData::OpenReadRound();
  EXPECT_EQ(item->Refresh(changed, &observerA), kStatusNotFound);
  EXPECT_EQ(item->Refresh(changed, &observerB), kStatusNotFound);
  CDriverData::CloseReadRound();
  EXPECT_EQ(Reads(), before + 3);
}

TEST_F(CDriverDataTest, EachObserverRedrawsOnceUntilTheValueChanges) {
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
  EXPECT_EQ(Reads(), 4u);  // the load, then one read per Refresh

  const std::uint16_t same = 1;
  ASSERT_EQ(item->Set(&same), kStatusOk);
  EXPECT_EQ(item->Refresh(changed, &observerA), kStatusOk);
  EXPECT_FALSE(changed);
  const std::uint16_t other = 2;
  ASSERT_EQ(item->Set(&other), kStatusOk);
  for (const int* observer : {&observerA, &observerB}) {
    EXPECT_EQ(item->Refresh(changed, observer), kStatusOk);
    EXPECT_TRUE(changed);
  }
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

// Texts and word lists equal up to their end marker are the same value, both
// when set and when the driver's copy changes after the marker.
TEST_F(CDriverDataTest, ValuesEqualUpToTheirEndAreTheSame) {
  struct StCase {
    DataType type;
    std::size_t markerAt;  // byte offset of the end marker
  };
  constexpr StCase kCases[] = {{DataType::kText, 3}, {DataType::kWordList, 4}};
  for (const StCase& c : kCases) {
    SCOPED_TRACE(static_cast<int>(c.type));
    m_driver->ClearRequests();
    std::vector<std::byte> value(256, std::byte{0});
    for (std::size_t i = 0; i < c.markerAt; ++i) value[i] = std::byte{0x41};
    m_driver->Put(m_key, AsBytes(value.data(), value.size()));
    auto item = MakeInitialised(c.type, BehaviourKind::kLive, m_key);
    bool changed = false;
    ASSERT_EQ(item->Refresh(changed, this), kStatusOk);

    std::vector<std::byte> junkAfterEnd = value;
    junkAfterEnd[c.markerAt + 4] = std::byte{0x5A};
    m_driver->Put(m_key, AsBytes(junkAfterEnd.data(), junkAfterEnd.size()));
    EXPECT_EQ(item->Refresh(changed, this), kStatusOk);
    EXPECT_FALSE(changed);
    EXPECT_EQ(item->Set(junkAfterEnd.data()), kStatusOk);
    EXPECT_EQ(Writes(), 0u);

    std::vector<std::byte> shorter = value;
    shorter[0] = std::byte{0};
    EXPECT_EQ(item->Set(shorter.data()), kStatusOk);
    EXPECT_EQ(Writes(), 1u);
  }
}

TEST_F(CDriverDataTest, PendingChangeIsJudgedOverTheWholeBuffer) {
  // A pending text that differs from the last-written one only after its
  // zero byte is still the user's change and must not be overwritten.
  using Text = std::array<char, 256>;
  const auto makeText = [](const char* text, char filler) {
    Text field{};
    field.fill(filler);
    std::memcpy(field.data(), text, std::strlen(text) + 1);
    return field;
  };
  const Text driverText = makeText("abc", '\0');
  m_driver->Put(m_key, AsBytes(driverText.data(), driverText.size()));
  auto item = MakeInitialised(DataType::kText, BehaviourKind::kApply, m_key);
  const Text first = makeText("xyz", '\0');
  const Text pending = makeText("abc", 'Z');
  ASSERT_EQ(item->Set(first.data()), kStatusOk);
  ASSERT_EQ(item->Set(pending.data()), kStatusOk);
  bool changed = false;
  ASSERT_EQ(item->Refresh(changed, this), kStatusOk);

  const Text elsewhere = makeText("new", '\0');
  m_driver->Put(m_key, AsBytes(elsewhere.data(), elsewhere.size()));
  EXPECT_EQ(item->Refresh(changed, this), kStatusOk);
  EXPECT_FALSE(changed);
  Text shown{};
  ASSERT_EQ(item->Get(shown.data()), kStatusOk);
  EXPECT_EQ(shown, pending);
}

TEST_F(CDriverDataTest, NoDriverDefaultIsWhatWasLastWritten) {
  auto item = MakeInitialised(DataType::kWord, BehaviourKind::kNoDriver, TabletKey(61));
  const std::uint16_t written = 4;
  ASSERT_EQ(item->Set(&written), kStatusOk);
  ASSERT_EQ(item->ForceWrite(), kStatusOk);
  const std::uint16_t edited = 9;
  ASSERT_EQ(item->Set(&edited), kStatusOk);
  EXPECT_EQ(item->SetDefault(), kStatusOk);
  EXPECT_EQ(GetValue<std::uint16_t>(*item), 4);
  EXPECT_EQ(m_driver->CountRequests(kCommandGetDefault), 0u);
}

}  // namespace
