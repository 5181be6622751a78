#include "views/ViewTestHarness.h"

#include "protocol/StDriverPacket.h"
#include "settings/CBehaviour.h"

namespace {

constexpr std::uint16_t kTestGroupingCode = 200;

}  // namespace

CTestGrouping::CTestGrouping(std::uint32_t number) {
  CDataKey key;
  key.AppendLevel(kTestGroupingCode, number);
  DropStatus(SetKey(key), "a key of one level always fits");
}

void CTestGrouping::Define(ItemId itemId, DataType type, BehaviourKind kind) {
  m_table.push_back(StItemRow{itemId, static_cast<std::uint16_t>(itemId), type, kind, 0});
}

CTestGrouping& CTestGrouping::AddChild(std::int32_t index) {
  auto& child = m_children[index];
  child = std::make_unique<CTestGrouping>(static_cast<std::uint32_t>(1000 + index));
  CDataKey key = GetKey();
  key.AppendLevel(11, static_cast<std::uint32_t>(index));
  DropStatus(child->SetKey(key), "a key of two levels always fits");
  return *child;
}

CDataKey CTestGrouping::KeyOf(ItemId itemId) const {
  CDataKey key = GetKey();
  key.AppendLevel(static_cast<std::uint16_t>(itemId), 0);
  return key;
}

Status CTestGrouping::GetItem(ItemId itemId, CDriverData*& item) {
  if (m_lookupFailure != kStatusOk) return m_lookupFailure;
  return GetTableItem(m_table, itemId, item);
}

CDataGrouping* CTestGrouping::GetSubGroup(std::int32_t index, std::int32_t kind) {
  if (kind != 0) return nullptr;
  const auto found = m_children.find(index);
  return found == m_children.end() ? nullptr : found->second.get();
}

std::int32_t CTestGrouping::GetSubGroupCount(std::int32_t kind) {
  if (kind != 0 || m_children.empty()) return 0;
  return m_children.rbegin()->first + 1;
}

std::uint32_t CTestRootStack::HandleRequest(ViewRequest& request) {
  m_log.push_back(StLogged{request.operation, request.controlId});
  if (!m_stack.empty()) return m_stack.back()->Dispatch(request);
  if (m_mainRoot != nullptr) return m_mainRoot->Dispatch(request);
  return kStatusOk;
}

void ViewTest::SetUp() {
  m_translator = CRecordingEventTranslator::Install();
  ASSERT_NE(m_translator, nullptr);
  m_translator->SetListener(&m_roots);
  m_driver = CRecordingDriverInterface::Install();
  m_data = std::make_unique<CTestGrouping>(1);
}

void ViewTest::TearDown() {
  m_data.reset();
  ReleaseDriverInterface();
  for (BehaviourKind kind : {BehaviourKind::kLive, BehaviourKind::kApply, BehaviourKind::kNoDriver}) {
    ReleaseBehaviour(kind);
  }
  CRecordingEventTranslator::Uninstall();
}

ViewResult ViewTest::Send(CKelvoView& view, std::uint32_t operation, std::uint32_t controlId,
                          void* data) {
  ViewRequest request{operation, controlId, data};
  return view.Dispatch(request);
}
