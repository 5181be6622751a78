#pragma once

#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "driver/CDataKey.h"
#include "protocol/StDriverPacket.h"
#include "services/CDriverInterface.h"
#include "settings/CDataGrouping.h"
#include "support/CRecordingDriverInterface.h"
#include "support/CRecordingEventTranslator.h"
#include "views/CKelvoView.h"
#include "views/CRootStack.h"

// A grouping whose items are declared by the test; item id n is driver item
// code n on the grouping's key. Child groupings of kind 0 stand for a tool's
// buttons.
class CTestGrouping : public CDataGrouping {
 public:
  explicit CTestGrouping(std::uint32_t number);

  void Define(ItemId itemId, DataType type, BehaviourKind kind = BehaviourKind::kLive);
  // Every GetItem answers `status` (0 lifts it).
  void FailLookups(Status status) { m_lookupFailure = status; }
  CTestGrouping& AddChild(std::int32_t index);
  [[nodiscard]] CDataKey KeyOf(ItemId itemId) const;

  [[nodiscard]] Status GetItem(ItemId itemId, CDriverData*& item) override;
  [[nodiscard]] CDataGrouping* GetSubGroup(std::int32_t index, std::int32_t kind) override;
  // One past the highest child index (kind 0).
  [[nodiscard]] std::int32_t GetSubGroupCount(std::int32_t kind) override;
  [[nodiscard]] Status ApplyItems() override { return kStatusOk; }
  [[nodiscard]] Status DefaultItems() override { return kStatusOk; }

 private:
  std::vector<StItemRow> m_table;
  std::map<std::int32_t, std::unique_ptr<CTestGrouping>> m_children;
  Status m_lookupFailure = kStatusOk;
};

// The translator's listener: hands requests to the dialog root on top of its
// stack, else to the main root when there is one, and logs what reached it.
class CTestRootStack : public CRootStack {
 public:
  struct StLogged {
    std::uint32_t operation = 0;
    std::uint32_t controlId = 0;
    friend bool operator==(const StLogged&, const StLogged&) = default;
  };

  std::uint32_t HandleRequest(ViewRequest& request) override;
  void PushRoot(CKelvoView* view) override { m_stack.push_back(view); }
  void PopRoot() override {
    if (!m_stack.empty()) m_stack.pop_back();
  }

  void SetMainRoot(CKelvoView* view) { m_mainRoot = view; }
  [[nodiscard]] const std::vector<CKelvoView*>& Stack() const { return m_stack; }
  [[nodiscard]] const std::vector<StLogged>& Log() const { return m_log; }
  void ClearLog() { m_log.clear(); }

 private:
  std::vector<CKelvoView*> m_stack;
  CKelvoView* m_mainRoot = nullptr;
  std::vector<StLogged> m_log;
};

// Sets up the process-wide services views reach: a recording translator with
// the test root stack as its listener, the memory driver, and one grouping.
class ViewTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  using Change = CRecordingEventTranslator::StStateChange;

  // Dispatches a request as a control would, without the translator.
  static ViewResult Send(CKelvoView& view, std::uint32_t operation, std::uint32_t controlId,
                         void* data = nullptr);
  static ViewResult Refresh(CKelvoView& view, std::uint32_t controlId = kBroadcastId) {
    return Send(view, kViewRefresh, controlId);
  }
  std::vector<Change> TakeChanges() { return m_translator->TakeChanges(); }

  CRecordingEventTranslator* m_translator = nullptr;
  CRecordingDriverInterface* m_driver = nullptr;
  CTestRootStack m_roots;
  std::unique_ptr<CTestGrouping> m_data;
};
