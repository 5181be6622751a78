#include "wintab/CServiceBackend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "service/CServicePaths.h"

CServiceBackend& CServiceBackend::Instance() {
  // Lives until the library is unloaded, so the state is saved then.
  static CServiceBackend backend;
  return backend;
}

void CServiceBackend::Start() {
  m_started = true;
  const char* mode = std::getenv("KELVO_SERVICE");
  const char* socket = std::getenv("KELVO_SERVICE_SOCKET");
  if ((mode != nullptr && std::strcmp(mode, "daemon") == 0) || (socket != nullptr && *socket != '\0')) {
    m_daemon = std::make_unique<CDaemonClient>(CServicePaths::Socket());
    return;
  }
  const char* profile = std::getenv("KELVO_PROFILE");
  std::string error;
  // The state file is shared with tabletd and other processes: each change
  // is made on top of theirs, so none overwrites another's values.
  m_embedded = CTabletService::FromFiles(profile != nullptr ? profile : "", CServicePaths::State(), error);
  // A profile that cannot be read leaves the applet without a driver; say why once.
  if (!m_embedded) std::fprintf(stderr, "libwintab32: %s\n", error.c_str());
}

std::uint32_t CServiceBackend::Handle(StDriverPacket& packet) {
  if (!m_started) Start();
  if (m_daemon) {
    const std::uint32_t status = m_daemon->Exchange(packet);
    // A socket another user could have made is never used; say why once.
    if (!m_daemon->Refusal().empty() && m_daemon->Refusal() != m_said) {
      m_said = m_daemon->Refusal();
      std::fprintf(stderr, "libwintab32: refusing the tablet service: %s\n", m_said.c_str());
    }
    return status;
  }
  if (m_embedded) return m_embedded->HandlePacket(packet);
  return kStatusNoDriverInterface;
}
