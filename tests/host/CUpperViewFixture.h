#pragma once

// The upper view on the real tablet service in this process, with a
// translator that records what the window would be asked to show.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "host/upperview/CUpperView.h"
#include "model/CDriverObject.h"
#include "service/CProfileReader.h"
#include "settings/CBehaviour.h"
#include "support/CRecordingEventTranslator.h"
#include "support/CRecordingDriverInterface.h"
#include "views/CItemView.h"
#include "views/ControlIds.h"

// Item views in the tree below `view` that are bound to an item.
inline std::uint32_t BoundItems(CKelvoView* view) {
  if (auto* item = dynamic_cast<CItemView*>(view)) return item->GetItem() != nullptr ? 1 : 0;
  std::uint32_t count = 0;
  if (auto* group = dynamic_cast<CSuperView*>(view)) {
    for (std::size_t i = 0; i < group->Count(); ++i) count += BoundItems(group->ViewAt(i));
  }
  return count;
}

class CUpperViewFixture : public ::testing::Test {
 protected:
  using Change = CRecordingEventTranslator::StStateChange;

  void SetUp() override { m_translator = CRecordingEventTranslator::Install(); }
  void TearDown() override {
    if (m_view) (void)m_view->Detach();
    m_view.reset();
    m_driverObject.reset();
    for (const BehaviourKind kind : {BehaviourKind::kLive, BehaviourKind::kApply, BehaviourKind::kNoDriver})
      ReleaseBehaviour(kind);
    ReleaseDriverInterface();
    CRecordingEventTranslator::Uninstall();
  }

  // Starts the service on a profile of service/profiles (empty: built-in).
  void Start(const std::string& profile = {}) {
    StProfile definition = MakeDefaultProfile();
    if (!profile.empty()) {
      std::string error;
      ASSERT_TRUE(CProfileReader::ReadFile(std::string(KELVO_PROFILE_DIR) + "/" + profile, definition, error))
          << error;
    }
    auto service = std::make_unique<CTabletService>(std::move(definition));
    auto interface = std::make_unique<CRecordingDriverInterface>(std::move(service));
    m_driver = interface.get();
    InstallDriverInterface(std::move(interface));
    m_driverObject = std::make_unique<CDriverObject>();
    ASSERT_EQ(m_driverObject->SetKey(CDataKey()), kStatusOk);
    m_view = std::make_unique<CUpperView>();
    ASSERT_EQ(m_view->Build(), kStatusOk);
  }

  bool Saw(std::uint32_t controlId, std::uint32_t code) const {
    const auto& changes = m_translator->Changes();
    return std::find(changes.begin(), changes.end(), Change{controlId, code}) != changes.end();
  }

  ViewResult Refresh() {
    ViewRequest refresh{kViewRefresh, kBroadcastId, nullptr};
    return m_view->Dispatch(refresh);
  }

  CRecordingEventTranslator* m_translator = nullptr;
  CRecordingDriverInterface* m_driver = nullptr;
  std::unique_ptr<CDriverObject> m_driverObject;
  std::unique_ptr<CUpperView> m_view;
};
