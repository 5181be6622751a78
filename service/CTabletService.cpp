#include "service/CTabletService.h"

#include <span>

#include "service/CProfileReader.h"
#include "service/PacketPath.h"
#include "service/ServiceCodes.h"

namespace sc = service_codes;

CTabletService::CTabletService(StProfile profile, std::filesystem::path statePath)
    : m_model(std::make_unique<CDriverModel>(std::move(profile))), m_state(std::move(statePath)) {
  m_state.Load(*m_model);
}

CTabletService::~CTabletService() { DropStatus(SaveState(), "a failed write has said why on stderr"); }

std::unique_ptr<CTabletService> CTabletService::FromFiles(const std::filesystem::path& profileFile,
                                                          const std::filesystem::path& statePath,
                                                          std::string& error) {
  StProfile profile = MakeDefaultProfile();
  if (!profileFile.empty() && !CProfileReader::ReadFile(profileFile, profile, error)) return nullptr;
  return std::make_unique<CTabletService>(std::move(profile), statePath);
}

bool CTabletService::ChangesState(const StDriverPacket& packet) {
  if (packet.command != kCommandSet && packet.command != kCommandCreate && packet.command != kCommandRemove)
    return false;
  const std::span<const StObjectKey> path = PacketPath(packet);
  if (path.empty()) return false;
  return packet.command != kCommandSet || !sc::IsLiveRecord(path.back().code);
}

std::uint32_t CTabletService::Answer(StDriverPacket& packet) {
  const Status valid = StDriverPacket::Validate(&packet);
  if (valid != kStatusOk) return valid;
  const Status status = Dispatch(packet);
  packet.status = status;
  return status;
}

std::uint32_t CTabletService::HandlePacket(StDriverPacket& packet) {
  if (StDriverPacket::Validate(&packet) != kStatusOk || !ChangesState(packet)) {
    m_state.Refresh(*m_model, CStateStore::Look::kIfDue);
    return Answer(packet);
  }
  // Changes are made on top of what every other process stored, one writer at a time.
  KELVO_TRY(m_state.Begin(*m_model, kLockWaitMs));
  const std::uint32_t status = Answer(packet);
  StStateWrite write = m_state.Stage(*m_model);
  const Status stored = m_state.Write(write);
  m_state.Finish(write);
  if (status == kStatusOk && stored != kStatusOk) {
    packet.status = stored;
    return stored;
  }
  return status;
}

Status CTabletService::Dispatch(StDriverPacket& packet) {
  const CDriverModel::Path path = PacketPath(packet);
  auto* bytes = static_cast<std::uint8_t*>(packet.data);
  const std::span<std::uint8_t> buffer(bytes, bytes == nullptr ? 0 : packet.capacity);

  std::uint32_t length = 0;
  Status status = kStatusOk;
  switch (packet.command) {
    case kCommandGet:
      status = m_model->Get(path, buffer, length);
      break;
    case kCommandGetDefault:
      status = m_model->GetDefault(path, buffer, length);
      break;
    case kCommandSet:
      status = m_model->Set(path, buffer.first(packet.dataLength));
      break;
    case kCommandCreate: {
      std::optional<std::uint16_t> number;
      status = m_model->Create(path, buffer.first(packet.dataLength), number);
      if (status == kStatusOk && number && buffer.size() >= 2) {
        buffer[0] = static_cast<std::uint8_t>(*number);
        buffer[1] = static_cast<std::uint8_t>(*number >> 8);
        length = 2;
      }
      break;
    }
    case kCommandRemove:
      status = m_model->Remove(path);
      break;
    default:
      status = kStatusNotSupported;
      break;
  }
  packet.dataLength = length;
  return status;
}

Status CTabletService::SaveState() { return m_state.Commit(*m_model, kLockWaitMs); }
