#pragma once

// Mappings on the real tablet service in this process, every request recorded
// on its way there.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "settings/CSettingsTest.h"
#include "settings/mapping/CMapping.h"

using Words3 = std::array<std::int32_t, 3>;
using Rect4 = std::array<std::int32_t, 4>;

// The built-in profile's pen: application 0, serial 0x1234, identity 1.
inline constexpr std::uint32_t kPenSerial = 0x1234;

inline KeyPath Below(KeyPath path, std::initializer_list<StLevel> more) {
  const KeyPath tail = MakePath(more);
  path.insert(path.end(), tail.begin(), tail.end());
  return path;
}
// A context on tablet 0, the pen's by default.
inline KeyPath Context(std::uint32_t k1 = 0, std::uint32_t k2 = kPenSerial, std::uint32_t k3 = 1) {
  return MakePath({{2, 0}, {12}, {5, k1, 4}, {2}, {5}, {19, k2, 4}, {19, k3}});
}

class CMappingFixture : public CServiceTest {
 protected:
  void SetUp() override { Start(); }
  void TearDown() override {
    m_mappings.clear();
    CServiceTest::TearDown();
  }
  void Start(StProfile profile = MakeDefaultProfile()) {
    m_mappings.clear();
    CServiceTest::Start(std::move(profile));
  }

  // A mapping of tool `tool` of tablet 0, owned by the fixture.
  CMapping& Make(std::uint32_t k1 = 0, std::uint32_t k2 = kPenSerial, std::uint16_t k3 = 1,
                 std::uint32_t tool = 0) {
    m_mappings.push_back(std::make_unique<CMapping>(k1, k2, k3));
    CDataKey key;
    key.AppendLevel(2, 0).AppendLevel(4, tool);
    EXPECT_EQ(m_mappings.back()->SetKey(key), kStatusOk);
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

  std::vector<std::unique_ptr<CMapping>> m_mappings;
};
