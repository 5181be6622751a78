#include "support/CRecordingDriverInterface.h"

#include <algorithm>
#include <iterator>

#include "protocol/StDriverPacket.h"

namespace {

template <typename... Args>
CRecordingDriverInterface* InstallMade(Args&&... args) {
  auto made = std::make_unique<CRecordingDriverInterface>(std::forward<Args>(args)...);
  CRecordingDriverInterface* raw = made.get();
  InstallDriverInterface(std::move(made));
  return raw;
}

}  // namespace

CRecordingDriverInterface* CRecordingDriverInterface::Install() { return InstallMade(); }

CRecordingDriverInterface* CRecordingDriverInterface::Install(CTabletService& service) {
  return InstallMade(service);
}

CRecordingDriverInterface::PathKey CRecordingDriverInterface::MakePathKey(const KeyPath& path) {
  PathKey key;
  for (const StObjectKey& level : path) {
    if (level.code == 0) break;
    key.push_back(static_cast<std::uint64_t>(level.code) << 32 | level.index);
    key.push_back(level.qualifier);
  }
  return key;
}

Status CRecordingDriverInterface::SendRequest(std::uint32_t command, const StObjectKey* keys,
                                              std::uint32_t capacity, void* buffer) {
  StRecordedRequest request;
  request.command = command;
  for (std::size_t i = 0; keys != nullptr && i < StDriverPacket::kMaxKeys && keys[i].code != 0; ++i)
    request.levels.push_back(keys[i]);
  request.capacity = capacity;
  if (buffer != nullptr && capacity != 0) {
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    request.data.assign(bytes, bytes + capacity);
  }
  const PathKey path = MakePathKey(request.levels);
  m_requests.push_back(std::move(request));

  for (const PathKey& rule : {path, PathKey{}}) {
    if (const auto failure = m_failures.find({command, rule}); failure != m_failures.end())
      return failure->second;
  }
  if (m_service != nullptr) return SendToService(command, keys, capacity, buffer);
  return AnswerFromTable(command, path, capacity, buffer);
}

// As the Wintab library sends it: a packet on the stack, its data length the capacity.
Status CRecordingDriverInterface::SendToService(std::uint32_t command, const StObjectKey* keys,
                                                std::uint32_t capacity, void* buffer) {
  StDriverPacket packet;
  KELVO_TRY(packet.Make(capacity, buffer));
  KELVO_TRY(packet.FillRequest(command, keys, 0, nullptr, kRequestModeApplet));
  packet.dataLength = capacity;
  const auto result = static_cast<std::uint16_t>(m_service->HandlePacket(packet) & 0xFFFFU);
  if (result != kStatusOk) return result;
  std::uint32_t length = capacity;
  return packet.ReadReply(&length, buffer);
}

Status CRecordingDriverInterface::AnswerFromTable(std::uint32_t command, const PathKey& path,
                                                  std::uint32_t capacity, void* buffer) {
  switch (command) {
    case kCommandGet:
    case kCommandGetDefault: {
      const auto& table = command == kCommandGet ? m_values : m_defaults;
      const auto found = table.find(path);
      if (found == table.end()) return command == kCommandGet ? kStatusNotFound : kStatusNotSupported;
      if (found->second.size() > capacity) return kStatusDataTooLong;
      if (buffer != nullptr && !found->second.empty())
        std::memcpy(buffer, found->second.data(), found->second.size());
      return kStatusOk;
    }
    case kCommandSet: {
      const auto* bytes = static_cast<const std::uint8_t*>(buffer);
      m_values[path] = buffer != nullptr ? std::vector<std::uint8_t>(bytes, bytes + capacity)
                                         : std::vector<std::uint8_t>{};
      return kStatusOk;
    }
    default: return kStatusOk;
  }
}

Status CRecordingDriverInterface::GetAppletVersion(VersionRecord& out) {
  return ParseVersionString(kAppletVersionString, out);
}

void CRecordingDriverInterface::SetValue(const KeyPath& path, std::vector<std::uint8_t> bytes) {
  m_values[MakePathKey(path)] = std::move(bytes);
}

void CRecordingDriverInterface::SetDefault(const KeyPath& path, std::vector<std::uint8_t> bytes) {
  m_defaults[MakePathKey(path)] = std::move(bytes);
}

const std::vector<std::uint8_t>* CRecordingDriverInterface::FindValue(const KeyPath& path) const {
  const auto found = m_values.find(MakePathKey(path));
  return found == m_values.end() ? nullptr : &found->second;
}

void CRecordingDriverInterface::FailWith(std::uint32_t command, const KeyPath& path, Status status) {
  if (status == kStatusOk)
    m_failures.erase({command, MakePathKey(path)});
  else
    m_failures[{command, MakePathKey(path)}] = status;
}

std::size_t CRecordingDriverInterface::CountRequests(std::uint32_t command) const {
  return static_cast<std::size_t>(
      std::count_if(m_requests.begin(), m_requests.end(),
                    [command](const StRecordedRequest& r) { return r.command == command; }));
}

std::size_t CRecordingDriverInterface::CountRequests(std::uint32_t command, const KeyPath& path) const {
  const PathKey wanted = MakePathKey(path);
  return static_cast<std::size_t>(std::count_if(m_requests.begin(), m_requests.end(), [&](const StRecordedRequest& r) {
    return r.command == command && MakePathKey(r.levels) == wanted;
  }));
}

std::vector<StObjectKey> CRecordingDriverInterface::LastLevels(std::uint32_t command) const {
  std::vector<StObjectKey> levels;
  for (const StRecordedRequest& request : m_requests) {
    if (request.command == command && !request.levels.empty()) levels.push_back(request.levels.back());
  }
  return levels;
}

std::vector<StRecordedRequest> CRecordingDriverInterface::RequestsOf(std::uint32_t command) const {
  std::vector<StRecordedRequest> found;
  std::copy_if(m_requests.begin(), m_requests.end(), std::back_inserter(found),
               [command](const StRecordedRequest& r) { return r.command == command; });
  return found;
}

KeyPath MakePath(std::initializer_list<StLevel> levels) {
  KeyPath path;
  for (const StLevel& level : levels)
    path.push_back(StObjectKey{level.qualifier, level.code, level.index});
  return path;
}

KeyPath PathOf(const CDataKey& key) {
  return KeyPath(key.GetLevels(), key.GetLevels() + key.GetLevelCount());
}
