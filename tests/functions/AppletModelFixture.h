#pragma once

// The applet's object model over the tablet service in process: a driver
// object with the applet's own factory, connected through a recording
// driver interface so that tests can count what reaches the service.

#include <array>
#include <cstring>
#include <memory>

#include <gtest/gtest.h>

#include "functions/CAppletModelFactory.h"
#include "model/CDriverObject.h"
#include "model/ModelCodes.h"
#include "services/CStringManager.h"
#include "settings/CSettingsTest.h"

class CAppletModelFixture : public CServiceTest {
 protected:
  void TearDown() override {
    m_driverObject.reset();
    CServiceTest::TearDown();
    ReleaseStringManager();
  }

  // Starts the service on `profile` and connects the model; the status of
  // the connection.
  Status Connect(StProfile profile) {
    m_driverObject.reset();
    Start(std::move(profile));
    m_driverObject = std::make_unique<CDriverObject>(std::make_unique<CAppletModelFactory>());
    return m_driverObject->SetKey(CDataKey());
  }

  CDataGrouping& Tablet(std::int32_t number) {
    CDataGrouping* tablet = m_driverObject->GetSubGroup(number, kSubGroupMain);
    EXPECT_NE(tablet, nullptr);
    return *tablet;
  }
  // The first tool of tool group `position` (1 ..) of a tablet.
  CDataGrouping& Tool(std::int32_t tablet, std::int32_t position) {
    CDataGrouping* group = Tablet(tablet).GetSubGroup(position, kSubGroupMain);
    EXPECT_NE(group, nullptr);
    CDataGrouping* tool = group->GetSubGroup(0, kSubGroupMain);
    EXPECT_NE(tool, nullptr);
    return *tool;
  }
  static CDataGrouping& Child(CDataGrouping& owner, std::int32_t index,
                              std::int32_t kind = kSubGroupMain) {
    CDataGrouping* child = owner.GetSubGroup(index, kind);
    EXPECT_NE(child, nullptr) << "child " << index << " of kind " << kind;
    return *child;
  }

  template <typename T>
  static T Value(CDataGrouping& grouping, ItemId id) {
    CDriverData* item = nullptr;
    EXPECT_EQ(grouping.GetItem(id, item), kStatusOk) << "item " << id;
    std::array<std::byte, 256> bytes{};
    EXPECT_EQ(item != nullptr ? item->Get(bytes.data()) : kStatusNoItem, kStatusOk)
        << "item " << id;
    T value{};
    std::memcpy(&value, bytes.data(), sizeof value);
    return value;
  }
  template <typename T>
  static Status SetValue(CDataGrouping& grouping, ItemId id, T value) {
    CDriverData* item = nullptr;
    KELVO_TRY(grouping.GetItem(id, item));
    std::array<std::byte, 256> bytes{};
    std::memcpy(bytes.data(), &value, sizeof value);
    return item->Set(bytes.data());
  }
  // What the service holds at a path, read behind the model's back.
  template <typename T>
  static T InService(std::initializer_list<StLevel> levels) {
    return ReadPath<T>(MakePath(levels));
  }

  std::unique_ptr<CDriverObject> m_driverObject;
};
