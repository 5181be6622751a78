#pragma once

// Mappings on the real tablet service in this process, every request recorded
// on its way there.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "driver/CDataKey.h"
#include "protocol/StDriverPacket.h"
#include "settings/CBehaviour.h"
#include "settings/mapping/CMapping.h"
#include "support/CRecordingDriverInterface.h"
#include "support/CServiceDriverInterface.h"

using Words3 = std::array<std::int32_t, 3>;
using Rect4 = std::array<std::int32_t, 4>;

// The pen of the built-in profile: application 0, serial 0x1234, identity 1.
inline constexpr std::uint32_t kPenSerial = 0x1234;
inline constexpr std::uint16_t kPenIdentity = 1;

// A context on tablet 0 (the pen's by default), and a path below one.
inline KeyPath Context(std::uint32_t k1 = 0, std::uint32_t k2 = kPenSerial, std::uint16_t k3 = kPenIdentity) {
  return MakePath({{2, 0}, {12}, {5, k1, 4}, {2}, {5}, {19, k2, 4}, {19, k3}});
}
inline KeyPath Below(KeyPath path, std::initializer_list<StLevel> more) {
  const KeyPath tail = MakePath(more);
  path.insert(path.end(), tail.begin(), tail.end());
  return path;
}

class CMappingFixture : public ::testing::Test {
 protected:
  void SetUp() override { Start(MakeDefaultProfile()); }
  void TearDown() override {
    m_mappings.clear();
    for (const BehaviourKind kind : {BehaviourKind::kLive, BehaviourKind::kApply, BehaviourKind::kNoDriver})
      ReleaseBehaviour(kind);
    ReleaseDriverInterface();
  }

  // A new service from `profile`; the mappings made so far go with the old one.
  void Start(StProfile profile) {
    m_mappings.clear();
    auto service = std::make_unique<CTabletService>(std::move(profile));
    m_driver = CRecordingDriverInterface::Install(std::make_unique<CServiceDriverInterface>(*service));
    m_service = std::move(service);
  }

  static CDataKey ToolKey(std::uint32_t tool, std::uint32_t tablet = 0) {
    CDataKey key;
    key.AppendLevel(2, tablet).AppendLevel(4, tool);
    return key;
  }

  // A mapping of tool `tool`, keyed; owned by the fixture.
  CMapping& Make(std::uint32_t k1 = 0, std::uint32_t k2 = kPenSerial, std::uint16_t k3 = kPenIdentity,
                 std::uint32_t tool = 0) {
    m_mappings.push_back(std::make_unique<CMapping>(k1, k2, k3));
    EXPECT_EQ(m_mappings.back()->SetKey(ToolKey(tool)), kStatusOk);
    return *m_mappings.back();
  }

  static CDriverData& Item(CMapping& mapping, ItemId id) {
    CDriverData* item = nullptr;
    EXPECT_EQ(mapping.GetItem(id, item), kStatusOk) << "item " << id;
    return *item;
  }
  template <typename T>
  static T Read(CMapping& mapping, ItemId id) {
    T value{};
    EXPECT_EQ(Item(mapping, id).Get(&value), kStatusOk) << "item " << id;
    return value;
  }
  template <typename T>
  static Status Write(CMapping& mapping, ItemId id, T value) {
    return Item(mapping, id).Set(&value);
  }

  // Straight to the service, bypassing any item.
  template <typename T>
  static T ReadPath(const KeyPath& path) {
    CDataKey key;
    for (const StObjectKey& level : path) key.AppendLevel(level.code, level.index, level.qualifier);
    T value{};
    EXPECT_EQ(key.Request(kCommandGet, sizeof(T), &value), kStatusOk);
    return value;
  }
  template <typename T>
  static Status WritePath(const KeyPath& path, T value) {
    CDataKey key;
    for (const StObjectKey& level : path) key.AppendLevel(level.code, level.index, level.qualifier);
    return key.Request(kCommandSet, sizeof(T), &value);
  }

  std::unique_ptr<CTabletService> m_service;
  CRecordingDriverInterface* m_driver = nullptr;
  std::vector<std::unique_ptr<CMapping>> m_mappings;
};
