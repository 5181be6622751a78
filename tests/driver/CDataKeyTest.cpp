#include <gtest/gtest.h>

#include "driver/CDataKey.h"
#include "protocol/StDriverPacket.h"
#include "services/CObjectFactory.h"
#include "support/CRecordingDriverInterface.h"
#include "support/CRecordingEventTranslator.h"

namespace {

class CDataKeyTest : public ::testing::Test {
 protected:
  void TearDown() override {
    ReleaseDriverInterface();
    ReleaseObjectFactory();
  }
};

TEST_F(CDataKeyTest, AppendChainsAndRemoveLastLevelStopsAtEmpty) {
  CDataKey key;
  key.AppendLevel(18).AppendLevel(9, 3).AppendLevel(40, 2, 7);
  ASSERT_EQ(key.GetLevelCount(), 3U);
  EXPECT_EQ(key.LastLevel(), (StObjectKey{7, 40, 2}));
  key.RemoveLastLevel().RemoveLastLevel();
  EXPECT_EQ(key.LastLevel(), (StObjectKey{0, 18, 0}));
  key.RemoveLastLevel().RemoveLastLevel();  // an empty key stays empty
  EXPECT_EQ(key.GetLevelCount(), 0U);
  EXPECT_EQ(key.LastLevel(), StObjectKey{});
  key.AppendLevel(28, 2);
  EXPECT_EQ(key.GetLevel(0), (StObjectKey{0, 28, 2}));
}

TEST_F(CDataKeyTest, TenthLevelThrows256AndLeavesNineLevels) {
  CDataKey key;
  for (std::uint16_t code = 1; code <= 9; ++code) key.AppendLevel(code, code);
  const CDataKey before = key;
  try {
    key.AppendLevel(100, 1);
    FAIL() << "no exception";
  } catch (int status) {
    EXPECT_EQ(status, 256);
  }
  EXPECT_EQ(key, before);
  EXPECT_EQ(key.GetLevel(9), StObjectKey{}) << "the tenth entry stays the end of the array";
}

TEST_F(CDataKeyTest, RequestSendsLevelsSizeAndBuffer) {
  CRecordingDriverInterface* driver = CRecordingDriverInterface::Install();
  driver->SetValue(MakePath({{2, 1}, {115}}), Bytes<std::uint16_t>(0x0812));
  CDataKey key;
  key.AppendLevel(2, 1).AppendLevel(115);
  std::uint16_t value = 0;
  EXPECT_EQ(key.Request(kCommandGet, sizeof value, &value), kStatusOk);
  EXPECT_EQ(value, 0x0812);
  ASSERT_EQ(driver->GetRequests().size(), 1U);
  const StRecordedRequest& sent = driver->GetRequests()[0];
  EXPECT_EQ(sent.command, kCommandGet);
  EXPECT_EQ(sent.levels, MakePath({{2, 1}, {115}}));
  EXPECT_EQ(sent.capacity, 2U);

  // A copied key sends through whichever interface is installed when it asks.
  CRecordingDriverInterface* second = CRecordingDriverInterface::Install();
  CDataKey copy(key);
  EXPECT_EQ(copy.Request(kCommandGet, sizeof value, &value), kStatusNotFound);
  EXPECT_EQ(second->GetRequests().size(), 1U);
}

TEST_F(CDataKeyTest, NoDriverInterfaceAnswers4096ToEveryCommand) {
  CRecordingEventTranslator::Install();  // a factory that makes no driver interface
  CDataKey key;
  key.AppendLevel(2, 1);
  std::uint8_t buffer[4] = {};
  EXPECT_EQ(key.Request(kCommandSet, sizeof buffer, buffer), kStatusNoDriverInterface);
  CRecordingEventTranslator::Uninstall();
}

}  // namespace
