#pragma once

// A headless toolkit with the tests' own resource file loaded.

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/ZafApplication.h"
#include "toolkit/ZafObjectPersistence.h"
#include "toolkit/ZafWindow.h"
#include "toolkit/automation/ZafHeadlessPresenter.h"
#include "toolkit/storage/ZafStorage.h"

// Counts what reaches a user function.
struct StUserCalls {
  std::vector<ZafEventType> events;
  ZafUserFunction Function() {
    return [this](ZafWindowObject&, ZafEventType event) {
      events.push_back(event);
      return ZafEventType{0};
    };
  }
};

// A window of the given class that keeps every event it hears.
template <typename Base = ZafWindow>
class CEventLog : public Base {
 public:
  ZafEventType Event(const ZafEventStruct& event) override {
    heard.push_back(event);
    return Base::Event(event);
  }
  [[nodiscard]] std::vector<ZafEventStruct> Of(ZafEventType type) const {
    std::vector<ZafEventStruct> found;
    std::copy_if(heard.begin(), heard.end(), std::back_inserter(found),
                 [type](const auto& e) { return e.type == type; });
    return found;
  }
  [[nodiscard]] std::vector<ZafKeyInfo> Keys() const {
    std::vector<ZafKeyInfo> keys;
    for (const ZafEventStruct& e : Of(kZafEventKey)) keys.push_back(e.key);
    return keys;
  }
  [[nodiscard]] std::vector<ZafEventType> Types() const {
    std::vector<ZafEventType> types;
    for (const ZafEventStruct& e : heard) types.push_back(e.type);
    return types;
  }
  std::vector<ZafEventStruct> heard;
};

class ToolkitFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Loads a window of the fixture file; fails the test when it cannot.
  std::unique_ptr<ZafWindow> Load(const std::string& name);

  ZafHeadlessPresenter* m_presenter = nullptr;
  std::unique_ptr<ZafApplication> m_application;
  ZafStorage m_storage;
  std::unique_ptr<ZafObjectPersistence> m_persistence;
};
