#include "support/CServiceDriverInterface.h"

#include "protocol/StDriverPacket.h"

CServiceDriverInterface::CServiceDriverInterface()
    : CServiceDriverInterface(std::make_unique<CTabletService>()) {}

CServiceDriverInterface::CServiceDriverInterface(std::unique_ptr<CTabletService> owned)
    : m_owned(std::move(owned)), m_service(m_owned.get()) {}

CServiceDriverInterface::CServiceDriverInterface(CTabletService& borrowed) : m_service(&borrowed) {}

CServiceDriverInterface::CServiceDriverInterface(CTabletService& borrowed, Exchange exchange)
    : m_service(&borrowed), m_exchange(std::move(exchange)) {}

Status CServiceDriverInterface::SendRequest(std::uint32_t command, const StObjectKey* keys,
                                            std::uint32_t capacity, void* buffer) {
  ++m_requests;
  if (m_logging) {
    StLogged& logged = m_log.emplace_back();
    logged.command = command;
    for (const StObjectKey* level = keys; level != nullptr && level->code != 0; ++level) logged.path.push_back(*level);
  }
  StDriverPacket packet;
  KELVO_TRY(packet.Make(capacity, buffer));
  KELVO_TRY(packet.FillRequest(command, keys, 0, nullptr, kRequestModeApplet));
  packet.dataLength = capacity;

  const std::uint32_t answer = m_exchange ? m_exchange(packet) : m_service->HandlePacket(packet);
  const auto result = static_cast<Status>(answer & 0xFFFFU);
  if (result != kStatusOk) return result;
  std::uint32_t length = capacity;
  return packet.ReadReply(&length, buffer);
}

Status CServiceDriverInterface::GetAppletVersion(VersionRecord& out) {
  return ParseVersionString(kAppletVersionString, out);
}
