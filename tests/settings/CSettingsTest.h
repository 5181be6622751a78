#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <utility>

#include "driver/CDataKey.h"
#include "protocol/StDriverPacket.h"
#include "services/CDriverInterface.h"
#include "settings/CBehaviour.h"
#include "settings/CDriverData.h"
#include "support/CRecordingDriverInterface.h"

// Releases what items make process-wide: the behaviours and the driver interface.
inline void ReleaseSettingsGlobals() {
  for (const BehaviourKind kind : {BehaviourKind::kLive, BehaviourKind::kApply, BehaviourKind::kNoDriver})
    ReleaseBehaviour(kind);
  ReleaseDriverInterface();
}

// Straight to the driver, past every item.
template <typename T>
Status RequestPath(const KeyPath& path, std::uint32_t command, T& value) {
  CDataKey key;
  for (const StObjectKey& level : path) key.AppendLevel(level.code, level.index, level.qualifier);
  return key.Request(command, sizeof(T), &value);
}
template <typename T>
T ReadPath(const KeyPath& path) {
  T value{};
  EXPECT_EQ(RequestPath(path, kCommandGet, value), kStatusOk);
  return value;
}
template <typename T>
Status WritePath(const KeyPath& path, T value) {
  return RequestPath(path, kCommandSet, value);
}

// The tablet service of a profile in this process, every request recorded on
// its way there.
class CServiceTest : public ::testing::Test {
 protected:
  void TearDown() override { ReleaseSettingsGlobals(); }
  void Start(StProfile profile = MakeDefaultProfile()) {
    auto service = std::make_unique<CTabletService>(std::move(profile));
    m_driver = CRecordingDriverInterface::Install(*service);
    m_service = std::move(service);
  }

  std::unique_ptr<CTabletService> m_service;
  CRecordingDriverInterface* m_driver = nullptr;
};

// Installs a fake driver as the process-wide interface and releases it and
// the behaviours after each test.
class CSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { m_driver = CRecordingDriverInterface::Install(); }
  void TearDown() override { ReleaseSettingsGlobals(); }

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
