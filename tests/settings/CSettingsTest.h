#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "driver/CDataKey.h"
#include "services/CDriverInterface.h"
#include "settings/CBehaviour.h"
#include "settings/CDriverData.h"
#include "support/CRecordingDriverInterface.h"

// Installs a fake driver as the process-wide interface and releases it and
// the behaviours after each test.
class CSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_driver = CRecordingDriverInterface::Install();
  }

  void TearDown() override {
    ReleaseBehaviour(BehaviourKind::kLive);
    ReleaseBehaviour(BehaviourKind::kApply);
    ReleaseBehaviour(BehaviourKind::kNoDriver);
    ReleaseDriverInterface();
  }

  // The key of a value of tablet 1.
  static CDataKey TabletKey(std::uint16_t itemCode, std::uint32_t index = 0) {
    CDataKey key;
    key.AppendLevel(2, 1).AppendLevel(itemCode, index);
    return key;
  }

  template <typename Item = CDriverData>
  std::unique_ptr<CDriverData> MakeInitialised(DataType type, BehaviourKind kind,
                                               const CDataKey& key) {
    auto item = std::make_unique<Item>(type);
    EXPECT_EQ(item->Init(key, kind), kStatusOk);
    return item;
  }

  template <typename T>
  static T GetValue(CDriverData& item, Status* status = nullptr) {
    T value{};
    const Status got = item.Get(&value);
    if (status != nullptr) *status = got;
    return value;
  }

  CRecordingDriverInterface* m_driver = nullptr;
};
