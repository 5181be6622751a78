#include "settings/CFakeValueDriver.h"

#include <algorithm>

#include "protocol/StDriverPacket.h"

std::string CFakeValueDriver::PathOf(const StObjectKey* keys) {
  std::string path;
  for (std::size_t i = 0; i < CDataKey::kLevelSlots && keys[i].code != 0; ++i) {
    path += std::to_string(keys[i].code) + ":" + std::to_string(keys[i].index) + ":" +
            std::to_string(keys[i].qualifier) + "/";
  }
  return path;
}

Status CFakeValueDriver::GetAppletVersion(VersionRecord& out) {
  return ParseVersionString(kAppletVersionString, out);
}

void CFakeValueDriver::PokeBytes(const CDataKey& key, const void* data, std::size_t size) {
  std::vector<std::byte> bytes(size);
  std::memcpy(bytes.data(), data, size);
  m_values[PathOf(key.GetLevels())] = bytes;
}

void CFakeValueDriver::Fail(std::uint32_t command, Status status, const CDataKey* key) {
  m_failures[{command, key == nullptr ? std::string() : PathOf(key->GetLevels())}] = status;
}

std::size_t CFakeValueDriver::Count(std::uint32_t command) const {
  return static_cast<std::size_t>(std::count_if(
      m_requests.begin(), m_requests.end(), [&](const StRequest& r) { return r.command == command; }));
}

std::size_t CFakeValueDriver::Count(std::uint32_t command, const CDataKey& key) const {
  const std::string path = PathOf(key.GetLevels());
  return static_cast<std::size_t>(std::count_if(m_requests.begin(), m_requests.end(), [&](const StRequest& r) {
    return r.command == command && r.path == path;
  }));
}

Status CFakeValueDriver::SendRequest(std::uint32_t command, const StObjectKey* keys,
                                     std::uint32_t capacity, void* buffer) {
  StRequest request{command, PathOf(keys), {}};
  auto* bytes = static_cast<std::byte*>(buffer);
  if (command == kCommandSet && buffer != nullptr) request.data.assign(bytes, bytes + capacity);
  m_requests.push_back(request);

  for (const std::string& path : {request.path, std::string()}) {
    if (const auto failure = m_failures.find({command, path}); failure != m_failures.end()) {
      return failure->second;
    }
  }

  const auto copyOut = [&](const std::vector<std::byte>& value) {
    std::memset(buffer, 0, capacity);
    std::memcpy(buffer, value.data(), std::min<std::size_t>(capacity, value.size()));
    return kStatusOk;
  };
  switch (command) {
    case kCommandGet: {
      const auto found = m_values.find(request.path);
      return found == m_values.end() ? kStatusNotFound : copyOut(found->second);
    }
    case kCommandGetDefault: {
      const auto found = m_defaults.find(request.path);
      return found == m_defaults.end() ? kStatusNotSupported : copyOut(found->second);
    }
    case kCommandSet:
      m_values[request.path] = request.data;
      return kStatusOk;
    default:
      return kStatusNotSupported;
  }
}
