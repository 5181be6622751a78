#include "service/CTabletService.h"

#include <span>

#include "service/CProfileReader.h"
#include "service/CStateFile.h"

CTabletService::CTabletService(StProfile profile, std::filesystem::path statePath)
    : m_model(std::make_unique<CDriverModel>(std::move(profile))), m_statePath(std::move(statePath)) {
  if (!m_statePath.empty()) CStateFile::Load(m_statePath, *m_model);
  m_savedGeneration = m_model->Generation();
}

CTabletService::~CTabletService() {
  DropStatus(SaveState(), "the process is ending; there is no client left to tell");
}

std::unique_ptr<CTabletService> CTabletService::FromFiles(const std::filesystem::path& profileFile,
                                                          const std::filesystem::path& statePath,
                                                          std::string& error) {
  StProfile profile = MakeDefaultProfile();
  if (!profileFile.empty() && !CProfileReader::ReadFile(profileFile, profile, error)) return nullptr;
  return std::make_unique<CTabletService>(std::move(profile), statePath);
}

std::uint32_t CTabletService::HandlePacket(StDriverPacket& packet) {
  const Status valid = StDriverPacket::Validate(&packet);
  if (valid != kStatusOk) return valid;
  const Status status = Dispatch(packet);
  packet.status = status;
  // Values a client set survive a crash of the process that holds the service.
  if (status == kStatusOk && packet.command != kCommandGet && packet.command != kCommandGetDefault)
    DropStatus(SaveState(),
               "not yet reported to the client: a set whose save failed still answers 0");
  return status;
}

Status CTabletService::Dispatch(StDriverPacket& packet) {
  const int first = packet.KeyPointerSlot();
  std::size_t end = static_cast<std::size_t>(first);
  while (end < StDriverPacket::kMaxKeys && packet.keys[end].code != 0) ++end;
  const CDriverModel::Path path(packet.keys.data() + first, end - static_cast<std::size_t>(first));
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

Status CTabletService::SaveState() {
  if (m_statePath.empty() || m_model->Generation() == m_savedGeneration) return kStatusOk;
  KELVO_TRY(CStateFile::Save(m_statePath, *m_model));
  m_savedGeneration = m_model->Generation();
  return kStatusOk;
}
