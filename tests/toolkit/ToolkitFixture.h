#pragma once

// A headless toolkit with the tests' own resource file loaded.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/ZafApplication.h"
#include "toolkit/ZafObjectPersistence.h"
#include "toolkit/ZafWindow.h"
#include "toolkit/automation/ZafHeadlessPresenter.h"
#include "toolkit/storage/ZafStorage.h"

// Records every change notice.
class CRecordingObserver : public ZafObjectObserver {
 public:
  void ObjectChanged(ZafWindowObject& object, ZafChange change) override { m_changes.emplace_back(&object, change); }
  [[nodiscard]] std::size_t Count(const ZafWindowObject& object, ZafChange change) const {
    std::size_t n = 0;
    for (const auto& [o, c] : m_changes) n += (o == &object && c == change) ? 1 : 0;
    return n;
  }
  std::vector<std::pair<ZafWindowObject*, ZafChange>> m_changes;
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
