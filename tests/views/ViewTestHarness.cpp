#include "views/ViewTestHarness.h"

#include <algorithm>

#include "driver/StDriverPacket.h"
#include "settings/CBehaviour.h"

namespace {

constexpr std::uint16_t kTestGroupingCode = 200;

}  // namespace

CMemoryDriver::Path CMemoryDriver::PathOf(const StObjectKey* keys) {
  Path path;
  for (std::size_t i = 0; i < CDataKey::kLevelSlots && keys[i].code != 0; ++i) {
    path.push_back((std::uint64_t{keys[i].code} << 48) | (std::uint64_t{keys[i].index} << 16) |
                   (keys[i].qualifier & 0xFFFFU));
  }
  return path;
}

Status CMemoryDriver::SendRequest(std::uint32_t command, const StObjectKey* keys,
                                  std::uint32_t capacity, void* buffer) {
  const Path path = PathOf(keys);
  std::uint16_t itemCode = 0;
  for (std::size_t i = 0; i < CDataKey::kLevelSlots && keys[i].code != 0; ++i) itemCode = keys[i].code;
  m_requests.push_back(StRequest{command, itemCode});
  if (const auto failure = m_failures.find(path); failure != m_failures.end()) return failure->second;

  auto copyOut = [&](const std::vector<std::uint8_t>& bytes) {
    std::memset(buffer, 0, capacity);
    std::memcpy(buffer, bytes.data(), std::min<std::size_t>(capacity, bytes.size()));
    return kStatusOk;
  };
  switch (command) {
    case kCommandGet: {
      const auto found = m_values.find(path);
      return found == m_values.end() ? kStatusNotFound : copyOut(found->second);
    }
    case kCommandGetDefault: {
      const auto found = m_defaults.find(path);
      return found == m_defaults.end() ? kStatusNotSupported : copyOut(found->second);
    }
    case kCommandSet: {
      const auto* bytes = static_cast<const std::uint8_t*>(buffer);
      m_values[path].assign(bytes, bytes + capacity);
      return kStatusOk;
    }
    default:
      return kStatusNotSupported;
  }
}

Status CMemoryDriver::GetAppletVersion(VersionRecord& out) {
  return ParseVersionString(kAppletVersionString, out);
}

void CMemoryDriver::Put(const CDataKey& key, const std::vector<std::uint8_t>& bytes) {
  m_values[PathOf(key.GetLevels())] = bytes;
}

void CMemoryDriver::PutWord(const CDataKey& key, std::uint16_t value) {
  Put(key, {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>(value >> 8)});
}

void CMemoryDriver::PutDefault(const CDataKey& key, const std::vector<std::uint8_t>& bytes) {
  m_defaults[PathOf(key.GetLevels())] = bytes;
}

void CMemoryDriver::Fail(const CDataKey& key, Status status) {
  if (status == kStatusOk) {
    m_failures.erase(PathOf(key.GetLevels()));
  } else {
    m_failures[PathOf(key.GetLevels())] = status;
  }
}

std::vector<std::uint8_t> CMemoryDriver::Value(const CDataKey& key) const {
  const auto found = m_values.find(PathOf(key.GetLevels()));
  return found == m_values.end() ? std::vector<std::uint8_t>{} : found->second;
}

std::uint16_t CMemoryDriver::Word(const CDataKey& key) const {
  const std::vector<std::uint8_t> bytes = Value(key);
  if (bytes.size() < 2) return 0;
  return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::size_t CMemoryDriver::Count(std::uint32_t command) const {
  return static_cast<std::size_t>(std::count_if(m_requests.begin(), m_requests.end(),
                                                [command](const StRequest& r) { return r.command == command; }));
}

CTestGrouping::CTestGrouping(std::uint32_t number) {
  CDataKey key;
  key.AppendLevel(kTestGroupingCode, number);
  static_cast<void>(SetKey(key));
}

void CTestGrouping::Define(ItemId itemId, DataType type, BehaviourKind kind) {
  m_table.push_back(StItemRow{itemId, static_cast<std::uint16_t>(itemId), type, kind, 0});
}

CTestGrouping& CTestGrouping::AddChild(std::int32_t index) {
  auto& child = m_children[index];
  child = std::make_unique<CTestGrouping>(static_cast<std::uint32_t>(1000 + index));
  CDataKey key = GetKey();
  key.AppendLevel(11, static_cast<std::uint32_t>(index));
  static_cast<void>(child->SetKey(key));
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
  auto driver = std::make_unique<CMemoryDriver>();
  m_driver = driver.get();
  InstallDriverInterface(std::move(driver));
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
