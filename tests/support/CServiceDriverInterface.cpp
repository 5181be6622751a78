#include "support/CServiceDriverInterface.h"

#include "protocol/StDriverPacket.h"

CServiceDriverInterface::CServiceDriverInterface()
    : CServiceDriverInterface(std::make_unique<CTabletService>()) {}

CServiceDriverInterface::CServiceDriverInterface(std::unique_ptr<CTabletService> owned)
    : m_owned(std::move(owned)), m_service(m_owned.get()) {}

CServiceDriverInterface::CServiceDriverInterface(CTabletService& borrowed) : m_service(&borrowed) {}

Status CServiceDriverInterface::SendRequest(std::uint32_t command, const StObjectKey* keys,
                                            std::uint32_t capacity, void* buffer) {
  ++m_requests;
  StDriverPacket packet;
  KELVO_TRY(packet.Make(capacity, buffer));
  KELVO_TRY(packet.FillRequest(command, keys, 0, nullptr, kRequestModeApplet));
  packet.dataLength = capacity;

  const auto result = static_cast<Status>(m_service->HandlePacket(packet) & 0xFFFFU);
  if (result != kStatusOk) return result;
  std::uint32_t length = capacity;
  return packet.ReadReply(&length, buffer);
}

Status CServiceDriverInterface::GetAppletVersion(VersionRecord& out) {
  return ParseVersionString(kAppletVersionString, out);
}
