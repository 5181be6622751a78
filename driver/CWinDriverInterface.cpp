#include "driver/CWinDriverInterface.h"

#include <new>

#include "protocol/StDriverPacket.h"

std::unique_ptr<CDriverInterface> CWinDriverInterface::Make() {
  return std::unique_ptr<CDriverInterface>(new (std::nothrow) CWinDriverInterface());
}

Status CWinDriverInterface::SendRequest(std::uint32_t command, const StObjectKey* keys,
                                        std::uint32_t capacity, void* buffer) {
  const CWintabLibrary::Entry entry = m_library.GetEntry();
  if (entry == nullptr) return kStatusNoDriverInterface;

  StDriverPacket packet;
  KELVO_TRY(packet.Make(capacity, buffer));
  KELVO_TRY(packet.FillRequest(command, keys, 0, nullptr, kRequestModeApplet));
  packet.dataLength = capacity;

  const auto result = static_cast<Status>(entry(&packet) & 0xFFFFU);
  if (result != kStatusOk) return result;

  // The reply is already in the caller's buffer; only its length is checked.
  std::uint32_t length = capacity;
  return packet.ReadReply(&length, buffer);
}

Status CWinDriverInterface::GetAppletVersion(VersionRecord& out) {
  return ParseVersionString(kAppletVersionString, out);
}

Status CWinDriverInterface::Open() {
  return m_library.Load() ? kStatusOk : kStatusNoDriverInterface;
}

std::string CWinDriverInterface::DescribeAbsence() {
  CWintabLibrary library;
  if (!library.Load()) return "the driver library cannot be loaded (" + library.GetError() + ")";
  std::string failure = library.GetServiceFailure();
  return failure.empty() ? std::string("the driver library answers no request") : failure;
}
