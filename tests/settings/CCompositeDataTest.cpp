#include <gtest/gtest.h>

#include "protocol/StDriverPacket.h"
#include "settings/CCompositeData.h"
#include "settings/CSettingsTest.h"

namespace {

// Presents two 16-bit sources as their sum; Set puts the whole value in the
// first source and zero in the second.
class CSumData : public CCompositeData {
 public:
  explicit CSumData(Status missingSourceStatus = kStatusMissingArgument)
      : CCompositeData(DataType::kWord, missingSourceStatus) {}

  [[nodiscard]] Status SetSources(CDriverData* first, CDriverData* second) {
    return AssignSources({first, second});
  }

  Status Get(void* out) override {
    std::uint16_t a = 0;
    std::uint16_t b = 0;
    KELVO_TRY(GetSource(0)->Get(&a));
    KELVO_TRY(GetSource(1)->Get(&b));
    const auto sum = static_cast<std::uint16_t>(a + b);
    std::memcpy(out, &sum, sizeof sum);
    return kStatusOk;
  }

  Status Set(const void* value) override {
    const std::uint16_t zero = 0;
    KELVO_TRY(GetSource(0)->Set(value));
    return GetSource(1)->Set(&zero);
  }
};

class CCompositeDataTest : public CSettingsTest {
 protected:
  void SetUp() override {
    CSettingsTest::SetUp();
    m_driver->Put<std::uint16_t>(m_keyA, 2);
    m_driver->Put<std::uint16_t>(m_keyB, 3);
    m_a = MakeInitialised(DataType::kWord, BehaviourKind::kApply, m_keyA);
    m_b = MakeInitialised(DataType::kWord, BehaviourKind::kApply, m_keyB);
    ASSERT_EQ(m_sum.SetSources(m_a.get(), m_b.get()), kStatusOk);
  }

  const CDataKey m_keyA = TabletKey(70);
  const CDataKey m_keyB = TabletKey(71);
  std::unique_ptr<CDriverData> m_a;
  std::unique_ptr<CDriverData> m_b;
  CSumData m_sum;
};

TEST_F(CCompositeDataTest, MissingSourceGivesTheClassStatus) {
  CSumData plain;
  EXPECT_EQ(plain.SetSources(m_a.get(), nullptr), kStatusMissingArgument);
  EXPECT_EQ(plain.GetSourceCount(), 0u);
  CSumData pressure(kStatusUnknown);
  EXPECT_EQ(pressure.SetSources(nullptr, m_b.get()), kStatusUnknown);
  EXPECT_EQ(m_sum.ForceWrite(), kStatusNoItem) << "it has no value of its own to write";
}

// Committed but not written: Cancel keeps it and Apply still sends it, to
// the sources in order.
TEST_F(CCompositeDataTest, OperationsReachTheSourcesInOrder) {
  const std::uint16_t v = 9;
  ASSERT_EQ(m_sum.Set(&v), kStatusOk);
  EXPECT_EQ(m_sum.Commit(), kStatusOk);
  EXPECT_EQ(m_sum.Revert(), kStatusOk);
  EXPECT_EQ(GetValue<std::uint16_t>(m_sum), 9);
  m_driver->ClearRequests();
  EXPECT_EQ(m_sum.Apply(), kStatusOk);
  ASSERT_EQ(m_driver->GetRequests().size(), 2u);
  EXPECT_EQ(m_driver->GetRequests()[0].levels, PathOf(m_keyA));
  EXPECT_EQ(m_driver->GetRequests()[1].levels, PathOf(m_keyB));

  m_driver->PutDefault<std::uint16_t>(m_keyA, 1);
  m_driver->PutDefault<std::uint16_t>(m_keyB, 1);
  EXPECT_EQ(m_sum.SetDefault(), kStatusOk);
  EXPECT_EQ(GetValue<std::uint16_t>(m_sum), 2);
}

TEST_F(CCompositeDataTest, RevertAnswersTheLastSourceThatFailed) {
  // Live sources write on Revert, so failures of the driver show.
  auto liveA = MakeInitialised(DataType::kWord, BehaviourKind::kLive, m_keyA);
  auto liveB = MakeInitialised(DataType::kWord, BehaviourKind::kLive, m_keyB);
  CSumData sum;
  ASSERT_EQ(sum.SetSources(liveA.get(), liveB.get()), kStatusOk);
  const std::uint16_t v = 4;
  ASSERT_EQ(sum.Set(&v), kStatusOk);
  m_driver->FailWith(kCommandSet, m_keyA, kStatusNotFound);
  m_driver->FailWith(kCommandSet, m_keyB, kStatusDataTooLong);
  EXPECT_EQ(sum.Revert(), kStatusDataTooLong);
  EXPECT_EQ(m_driver->CountRequests(kCommandSet, PathOf(m_keyA)), 2u);
}

TEST_F(CCompositeDataTest, RefreshIsChangedWhenAnySourceChangedAndStopsAtAFailure) {
  bool changed = false;
  ASSERT_EQ(m_sum.Refresh(changed, this), kStatusOk);
  ASSERT_EQ(m_sum.Refresh(changed, this), kStatusOk);
  EXPECT_FALSE(changed);
  m_driver->Put<std::uint16_t>(m_keyB, 30);
  ASSERT_EQ(m_sum.Refresh(changed, this), kStatusOk);
  EXPECT_TRUE(changed);

  const std::size_t readsOfB = m_driver->CountRequests(kCommandGet, PathOf(m_keyB));
  m_driver->FailWith(kCommandGet, m_keyA, kStatusNotFound);
  EXPECT_EQ(m_sum.Refresh(changed, this), kStatusNotFound);
  EXPECT_EQ(m_driver->CountRequests(kCommandGet, PathOf(m_keyB)), readsOfB);
}

}  // namespace
