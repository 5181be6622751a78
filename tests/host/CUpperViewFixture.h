#pragma once

// The upper view on the real tablet service in this process, with a
// translator that records what the window would be asked to show.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "host/upperview/CUpperView.h"
#include "model/CDriverObject.h"
#include "service/CProfileReader.h"
#include "settings/CBehaviour.h"
#include "support/CRecordingEventTranslator.h"
#include "support/CRecordingDriverInterface.h"
#include "views/CItemView.h"
#include "views/ControlIds.h"

// Item views in the tree below `view` that are bound to an item.
inline void CollectBoundViews(CKelvoView* view, std::vector<CItemView*>& out) {
  if (auto* item = dynamic_cast<CItemView*>(view)) {
    if (item->GetItem() != nullptr) out.push_back(item);
    return;
  }
  auto* group = dynamic_cast<CSuperView*>(view);
  for (std::size_t i = 0; group != nullptr && i < group->Count(); ++i) CollectBoundViews(group->ViewAt(i), out);
}
inline std::size_t BoundItems(CKelvoView* view) {
  std::vector<CItemView*> bound;
  CollectBoundViews(view, bound);
  return bound.size();
}

class CUpperViewFixture : public ::testing::Test {
 protected:
  using Change = CRecordingEventTranslator::StStateChange;

  void SetUp() override { m_translator = CRecordingEventTranslator::Install(); }
  void TearDown() override {
    if (m_view) DropStatus(ResultStatus(m_view->Detach()), "the service goes next");
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
    ASSERT_NO_FATAL_FAILURE(BuildView());
  }
  // The model and the view over the driver interface installed.
  void BuildView() {
    m_driverObject = std::make_unique<CDriverObject>();
    ASSERT_EQ(m_driverObject->SetKey(CDataKey()), kStatusOk);
    m_view = std::make_unique<CUpperView>();
    ASSERT_EQ(m_view->Build(), kStatusOk);
  }
  // Starts the service and attaches the view to it.
  void StartAttached(const std::string& profile = {}) {
    ASSERT_NO_FATAL_FAILURE(Start(profile));
    ASSERT_EQ(m_view->Attach(m_driverObject.get(), -1), kStatusOk);
  }

  bool Saw(std::uint32_t controlId, std::uint32_t code) const {
    const auto& changes = m_translator->Changes();
    return std::find(changes.begin(), changes.end(), Change{controlId, code}) != changes.end();
  }

  void Refresh(int times = 1) {
    for (int i = 0; i < times; ++i) {
      ViewRequest refresh{kViewRefresh, kBroadcastId, nullptr};
      DropStatus(ResultStatus(m_view->Dispatch(refresh)), "what it shows is checked instead");
    }
  }
  // The user picks the tab of `page`.
  ViewResult SelectTab(std::uint32_t page) {
    ViewRequest change{kViewSet, ControlId::kTabChange, &page};
    return m_view->Dispatch(change);
  }

  CRecordingEventTranslator* m_translator = nullptr;
  CRecordingDriverInterface* m_driver = nullptr;
  std::unique_ptr<CDriverObject> m_driverObject;
  std::unique_ptr<CUpperView> m_view;
};
